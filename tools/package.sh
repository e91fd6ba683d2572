#!/usr/bin/env bash
# Builds what a Windows user needs and writes two packages to dist/:
# - marvek2-<version>-setup.exe, the setup program (per user, Start menu,
#   the .mv2 file type, an uninstaller), built by CMake with makensis;
# - marvek2-<version>-windows-x64.zip, the portable choice: marvek2.exe,
#   mv2tool.exe and the guide as one HTML file. ASCII names inside the zip:
#   older Windows garbles other names in zip files.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
source tools/win-build.sh
win_build marvek2 mv2tool setup
version=$(sed -n 's/^#define MARVEK_VERSION_TEXT "\(.*\)"$/\1/p' build/win/generated/version.h)

staging=build/package
rm -rf "$staging"
mkdir -p "$staging" dist
cp build/win/marvek2.exe build/win/mv2tool.exe build/win/guide-ja.html "$staging/"
zip="dist/marvek2-$version-windows-x64.zip"
rm -f "$zip"
(cd "$staging" && zip -q -X "$root/$zip" marvek2.exe mv2tool.exe guide-ja.html)
echo "package: wrote $zip"
setup="dist/marvek2-$version-setup.exe"
cp "build/win/marvek2-$version-setup.exe" "$setup"
echo "package: wrote $setup"
