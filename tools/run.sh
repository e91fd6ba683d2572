#!/usr/bin/env bash
# Installs what is missing, builds build/win/marvek2.exe and starts it under
# Wine (on a private Xvfb screen when there is no display).
#
# File > Receive data finds a logger on a COM port:
# - by default the logger simulator answers on COM1 with a synthetic day;
# - MARVEK_SERIAL_DEVICE=/dev/ttyUSB0 puts a real logger there instead;
# - MARVEK_SERIAL_PORT=N (1..20) picks another COM port for either.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

source tools/win-build.sh
win_build marvek2

source tools/wine-env.sh
bench_printer
bench_ready
cleanup() {
  if [ -n "${simulator:-}" ]; then kill "$simulator" 2>/dev/null || true; fi
  if [ -n "${BENCH_XVFB_PID:-}" ]; then kill "$BENCH_XVFB_PID" 2>/dev/null || true; fi
  if [ -n "${BENCH_CUPSD_PID:-}" ]; then kill "$BENCH_CUPSD_PID" 2>/dev/null || true; fi
}
trap cleanup EXIT
port=${MARVEK_SERIAL_PORT:-1}
if [ -n "${MARVEK_SERIAL_DEVICE:-}" ]; then
  ln -sfn "$MARVEK_SERIAL_DEVICE" "$WINEPREFIX/ports/com$port"
  echo "run: COM$port is $MARVEK_SERIAL_DEVICE"
else
  python3 tools/logger_sim.py --port "$port" &
  simulator=$!
fi
echo "run: starting build/win/marvek2.exe on display $DISPLAY"
wine build/win/marvek2.exe
