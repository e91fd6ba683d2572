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

# A printer of the bench's own: a private cupsd (its configuration, spool
# and socket under build/cups, reached through CUPS_SERVER) with one queue,
# MarvekPDF, the default, whose cups-pdf printer writes each job as a PDF
# file into ~/PDF of the user who printed (MARVEK_PDF_DIR). Wine lists the
# queues that exist when a program starts, so this runs first. Text in these
# PDFs cannot be read back (its fonts have no Unicode map): pages are
# checked by their pixels (pdftoppm). While the queue rejects jobs
# (cupsreject), Wine's print job fails, which is how a failing job is tested.
BENCH_CUPS=$BENCH_ROOT/build/cups
bench_cups_up() {
  [ -S "$CUPS_SERVER" ] && LC_ALL=C lpstat -r 2>/dev/null | grep -qx 'scheduler is running'
}

bench_printer() {
  export CUPS_SERVER=$BENCH_CUPS/cups.sock
  MARVEK_PDF_DIR=$(getent passwd "$(id -un)" | cut -d: -f6)/PDF
  export MARVEK_PDF_DIR
  if ! bench_cups_up; then
    mkdir -p "$BENCH_CUPS"/{spool,cache,state,log,tmp,ppd}
    chmod 1777 "$BENCH_CUPS/tmp"
    cat >"$BENCH_CUPS/cupsd.conf" <<CONF
Listen $CUPS_SERVER
LogLevel warn
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
    cat >"$BENCH_CUPS/cups-files.conf" <<CONF
ServerRoot $BENCH_CUPS
RequestRoot $BENCH_CUPS/spool
CacheDir $BENCH_CUPS/cache
StateDir $BENCH_CUPS/state
TempDir $BENCH_CUPS/tmp
AccessLog $BENCH_CUPS/log/access_log
ErrorLog $BENCH_CUPS/log/error_log
PageLog $BENCH_CUPS/log/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
CONF
    cupsd -f -c "$BENCH_CUPS/cupsd.conf" -s "$BENCH_CUPS/cups-files.conf" >/dev/null 2>&1 </dev/null &
    BENCH_CUPSD_PID=$!
    for _ in $(seq 1 50); do bench_cups_up && break; sleep 0.1; done
    bench_cups_up || { echo "wine-env: cupsd did not start" >&2; return 1; }
  fi
  if ! lpstat -p MarvekPDF >/dev/null 2>&1; then
    lpadmin -p MarvekPDF -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null
  fi
  lpadmin -d MarvekPDF
  mkdir -p "$MARVEK_PDF_DIR"
}

bench_ready() {
  bench_display && bench_prefix && bench_server && bench_ports
}
