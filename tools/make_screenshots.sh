#!/usr/bin/env bash
# Remakes the guide's screenshots (docs/images/*.png) from the end-to-end
# bench: runs the tests that take them under Wine and converts what they
# saved. Run by hand after a visible change; the test command does not.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
source tools/win-build.sh
win_build guide_screenshots
source tools/wine-env.sh
bench_ready
wine build/win/guide_screenshots.exe >/dev/null
mkdir -p docs/images
for shot in main readout range text data maximum statistics list period threshold about; do
  convert "build/win/screenshots/guide_$shot.bmp" "docs/images/$shot.png"
done
echo "make_screenshots: wrote docs/images/*.png"
