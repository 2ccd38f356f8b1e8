#!/usr/bin/env bash
# Makes app/vemo-maut.ico, the program icon of the Windows build, from the window's icon PNGs
# (32 x 32 and 64 x 64, and 16 x 16 scaled down for small views). Run it again after the PNG changes;
# the .ico is kept in the tree so that the build needs no image tools.
# Needs: icoutils, imagemagick.
set -euo pipefail
cd "$(dirname "$0")/.."
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
convert ui/images/vemo.png -resize 16x16 "PNG32:$tmp/vemo-16.png"
convert ui/images/vemo.png "PNG32:$tmp/vemo-32.png"
convert ui/images/vemo@2x.png "PNG32:$tmp/vemo-64.png"
icotool -c -o app/vemo-maut.ico "$tmp/vemo-16.png" "$tmp/vemo-32.png" "$tmp/vemo-64.png"
icotool -l app/vemo-maut.ico
