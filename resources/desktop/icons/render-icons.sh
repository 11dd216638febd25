#!/usr/bin/env bash
# Renders the program icon at the sizes the desktop's icon theme looks for (needs
# rsvg-convert from librsvg2-bin). The PNG files are kept in the tree; run this after
# changing the SVG.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
for size in 16 22 24 32 48 64 128 256 512; do
  rsvg-convert -w "$size" -h "$size" com.quorvane.Fotoplex.svg -o "com.quorvane.Fotoplex-$size.png"
done
