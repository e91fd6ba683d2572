#!/usr/bin/env bash
# Installs what is missing, builds the native and the Windows trees, and runs
# every test: the native tests (unit tables with sanitizers on, mv2tool, the
# guide), a short fuzz run of the file reader and of the reply decoder, then,
# under Wine, the Windows unit and platform tests, the import checks, the
# packages and the end-to-end tests (the last two of them on a 144-DPI screen,
# in a prefix of their own).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

bash tools/install-deps.sh

cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/native
cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMARVEK_FUZZ=ON \
      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build/fuzz
cmake -S . -B build/win -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
cmake --build build/win

source tools/wine-env.sh
bench_printer
bench_ready
# One Wine server for the whole run saves its start-up in every test; a
# server left from before may hold another display, so it goes first.
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
wineserver -p
# Start Wine's services now (bench_ready does): started from inside a test
# they would inherit CTest's output pipe and keep it open after the test ends.
bench_ready
cleanup() {
  wineserver -k 2>/dev/null || true
  # The 144-DPI prefix's own server, if its tests started one.
  WINEPREFIX="$BENCH_ROOT/build/wineprefix-144" wineserver -k 2>/dev/null || true
  if [ -n "${BENCH_XVFB_PID:-}" ]; then kill "$BENCH_XVFB_PID" 2>/dev/null || true; fi
  if [ -n "${BENCH_CUPSD_PID:-}" ]; then kill "$BENCH_CUPSD_PID" 2>/dev/null || true; fi
}
trap cleanup EXIT

status=0
ctest --test-dir build/native --output-on-failure --timeout 300 || status=1
ctest --test-dir build/fuzz --output-on-failure --timeout 300 || status=1
ctest --test-dir build/win --output-on-failure --timeout 300 || status=1
exit $status
