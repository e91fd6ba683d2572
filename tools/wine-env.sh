# Sourced by every script that runs the program or its tests under Wine.
# Sets up, once, a project-local Wine prefix (quiet, Japanese fonts under the
# face names the program asks for and as the fallback of the system's UI
# fonts, no window-manager stall) and makes sure an X display exists.
# Use: source tools/wine-env.sh; bench_ready

BENCH_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# MARVEK_WINE_DPI=144 gives a prefix of its own whose screens are at 144 DPI
# (150 %); Wine reads the setting when its server starts.
if [ -n "${MARVEK_WINE_DPI:-}" ]; then
  export WINEPREFIX=${WINEPREFIX:-$BENCH_ROOT/build/wineprefix-$MARVEK_WINE_DPI}
else
  export WINEPREFIX=${WINEPREFIX:-$BENCH_ROOT/build/wineprefix}
fi
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
# The Unix locale, not the registry, decides Wine's ANSI code page. The
# program does not depend on it: the tests run under a non-Japanese one, and
# MARVEK_WINE_LOCALE=ja_JP.UTF-8 gives the code page of a Japanese Windows.
export LC_ALL=${MARVEK_WINE_LOCALE:-C.UTF-8}

bench_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  export DISPLAY=:${BENCH_DISPLAY_NUMBER:-97}
  if ! xdpyinfo >/dev/null 2>&1; then
    Xvfb "$DISPLAY" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
    BENCH_XVFB_PID=$!
    for _ in $(seq 1 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    xdpyinfo >/dev/null 2>&1 || { echo "wine-env: Xvfb did not start" >&2; return 1; }
  fi
}

# Changed whenever the prefix's set-up changes, so older prefixes are rebuilt.
BENCH_MARKER=.bench-ready-5
# COM1 to COM20 are the bench's ports; the machine's own serial devices get
# the numbers after them.
BENCH_PORT_COUNT=20

bench_prefix() {
  if [ -f "$WINEPREFIX/$BENCH_MARKER" ]; then return 0; fi
  rm -rf "$WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w
  local subst='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
  local repl='HKCU\Software\Wine\Fonts\Replacements'
  {
    # Without a window manager every closing window stalls Wine for 2 s.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f
    wine reg add "$subst" /v 'ＭＳ ゴシック' /t REG_SZ /d IPAGothic /f
    wine reg add "$subst" /v 'ＭＳ Ｐゴシック' /t REG_SZ /d IPAPGothic /f
    wine reg add "$subst" /v 'MS Gothic' /t REG_SZ /d IPAGothic /f
    wine reg add "$subst" /v 'MS PGothic' /t REG_SZ /d IPAPGothic /f
    wine reg add "$repl" /v 'ＭＳ ゴシック' /t REG_SZ /d IPAGothic /f
    wine reg add "$repl" /v 'ＭＳ Ｐゴシック' /t REG_SZ /d IPAPGothic /f
    wine reg add "$repl" /v 'MS UI Gothic' /t REG_SZ /d IPAPGothic /f
    # Under any locale the bold caption font falls back to a Japanese face,
    # as Windows links its UI fonts (the regular one already is).
    local links='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
    wine reg add "$links" /v 'Tahoma Bold' /t REG_MULTI_SZ /d 'ipagp.ttf,IPAPGothic' /f
    # COMn is whatever $WINEPREFIX/ports/comN points at: the logger
    # simulator's pty, or a directory, which no program can open as a port.
    local n
    for n in $(seq 1 "$BENCH_PORT_COUNT"); do
      wine reg add 'HKLM\Software\Wine\Ports' /v "COM$n" /t REG_SZ /d "$WINEPREFIX/ports/com$n" /f
    done
    if [ -n "${MARVEK_WINE_DPI:-}" ]; then
      wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$MARVEK_WINE_DPI" /f
    fi
  } >/dev/null 2>&1
  wineserver -w
  # Wine's own faces (Marlett draws the caption buttons); Debian ships them
  # apart, and this Wine finds them only in the prefix.
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  touch "$WINEPREFIX/$BENCH_MARKER"
}

# Wine maps the machine's own serial devices (/dev/ttyS0 here) to the next
# free COM numbers when its services start, and lists them with the bench's
# ports. So the server runs before any test (a minute beyond its last
# client), its services are up, and then every port is pinned.
bench_server() {
  wineserver -p60 2>/dev/null || true
  wine cmd /c exit >/dev/null 2>&1 </dev/null || true
}

# Every port absent: the bench's point at a folder, which no program can open
# as a port (a link left by a simulator that died is dropped too), and so do
# the machine's own devices.
bench_ports() {
  mkdir -p "$WINEPREFIX/ports/absent"
  local n link
  for n in $(seq 1 "$BENCH_PORT_COUNT"); do
    ln -sfn "$WINEPREFIX/ports/absent" "$WINEPREFIX/ports/com$n"
  done
  for link in "$WINEPREFIX"/dosdevices/com*; do
    [ -L "$link" ] || continue
    case "$(readlink "$link")" in
      "$WINEPREFIX"/ports/*) ;;
      *) ln -sfn "$WINEPREFIX/ports/absent" "$link" ;;
    esac
  done
}

bench_ready() {
  bench_display && bench_prefix && bench_server && bench_ports
}
