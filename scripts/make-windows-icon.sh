#!/usr/bin/env bash
# Makes app/vemo-maut.ico, the program icon of the Windows build, from the rendered icon PNGs
# (packaging/icons/hicolor, made by scripts/render-icons.sh): 16, 24, 32 and 48 pixels as
# bitmaps for every view, 256 pixels as PNG for large icons and the Apps list. Run it again after
# the PNGs change; the .ico is kept in the tree so that the build needs no image tools.
# Needs: icoutils.
set -euo pipefail
cd "$(dirname "$0")/.."
png() { echo "packaging/icons/hicolor/$1x$1/apps/cz.vemomaut.VemoMaut.png"; }
icotool -c -o app/vemo-maut.ico "$(png 16)" "$(png 24)" "$(png 32)" "$(png 48)" -r "$(png 256)"
icotool -l app/vemo-maut.ico
