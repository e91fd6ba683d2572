#!/usr/bin/env bash
# Runs one Windows program under the bench's Wine prefix and display; used as
# CMake's cross-compiling emulator, so CTest starts the Windows tests with it.
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
bench_ready || exit 1
exec wine "$@"
