#!/usr/bin/env bash
# Builds what a Windows user needs and writes
# dist/marvek2-<version>-windows-x64.zip: marvek2.exe, mv2tool.exe and the
# guide as one HTML file. ASCII names inside the zip: older Windows garbles
# other names in zip files.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
source tools/win-build.sh
win_build marvek2 mv2tool
version=$(sed -n 's/^#define MARVEK_VERSION_TEXT "\(.*\)"$/\1/p' build/win/generated/version.h)

staging=build/package
rm -rf "$staging"
mkdir -p "$staging" dist
cp build/win/marvek2.exe build/win/mv2tool.exe "$staging/"
# Debian's python3-markdown belongs to the system's Python.
/usr/bin/python3 tools/guide_html.py docs/guide-ja.md "$staging/guide-ja.html"
zip="dist/marvek2-$version-windows-x64.zip"
rm -f "$zip"
(cd "$staging" && zip -q -X "$root/$zip" marvek2.exe mv2tool.exe guide-ja.html)
echo "package: wrote $zip"
