#!/usr/bin/env bash
# Remakes core/cp932_table.cpp from the code page 932 mapping of the platform:
# a small Windows program asks MultiByteToWideChar and WideCharToMultiByte for
# every byte, pair and BMP character, here under the bench's Wine. Run by hand;
# the table is committed and the build never runs this.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
cd "$root"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
x86_64-w64-mingw32-g++-posix -std=c++17 -O1 -static -I. -o "$out/dump_cp932.exe" \
    tools/cp932/dump_cp932.cpp
source tools/wine-env.sh
bench_ready
wine "$out/dump_cp932.exe" | tr -d '\r' > "$out/cp932_table.cpp"
mv "$out/cp932_table.cpp" core/cp932_table.cpp
echo "make_table: wrote core/cp932_table.cpp"
