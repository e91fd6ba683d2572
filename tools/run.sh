#!/usr/bin/env bash
# Installs what is missing, builds build/win/marvek2.exe and starts it under
# Wine (on a private Xvfb screen when there is no display).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

bash tools/install-deps.sh
cmake -S . -B build/win -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
cmake --build build/win --target marvek2

source tools/wine-env.sh
bench_ready
echo "run: starting build/win/marvek2.exe on display $DISPLAY"
exec wine build/win/marvek2.exe
