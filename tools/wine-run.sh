#!/usr/bin/env bash
# Runs one Windows program under the bench's Wine prefix and display; used as
# CMake's cross-compiling emulator, so CTest starts the Windows tests with it.
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
bench_ready || exit 1
# A Wine process that a test starts can outlive it (the desktop's explorer,
# started by the first window) and keep the test's output open, and CTest
# would wait for it. So the output goes through a file, shown at the end.
mkdir -p "$BENCH_ROOT/build"
log=$(mktemp "$BENCH_ROOT/build/wine-run.XXXXXX")
wine "$@" >"$log" 2>&1
status=$?
cat "$log"
rm -f "$log"
exit $status
