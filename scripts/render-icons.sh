#!/usr/bin/env bash
# Renders the committed PNGs from their SVG drawings (needs rsvg-convert from librsvg2-bin).
# Run after changing a drawing; the build itself only installs the results.
set -euo pipefail
cd "$(dirname "$0")/.."
id=cz.vemomaut.VemoMaut
svg=packaging/icons/$id.svg
for size in 16 22 24 32 48 64 128 256; do
    dir=packaging/icons/hicolor/${size}x${size}/apps
    mkdir -p "$dir"
    rsvg-convert -w "$size" -h "$size" "$svg" -o "$dir/$id.png"
done
# The window's own copy, used where the icon theme has none.
rsvg-convert -w 32 -h 32 "$svg" -o ui/images/vemo.png
rsvg-convert -w 64 -h 64 "$svg" -o ui/images/vemo@2x.png
# Tab images at twice their 16 x 16 size, for a scale factor of 2.
for flag in de at; do
    rsvg-convert -w 32 -h 32 "ui/images/src/flag_$flag.svg" -o "ui/images/flag_$flag@2x.png"
done
