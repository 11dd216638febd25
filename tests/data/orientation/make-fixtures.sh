#!/usr/bin/env bash
# Remakes the orientation fixtures: one asymmetric photograph stored in the eight EXIF/TIFF
# orientations, as JPEG, TIFF and PNG (eXIf). Needs ImageMagick 6 (/usr/bin/convert), cjpeg and
# exiftool. See ../README.md.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
IM=/usr/bin/convert
rm -f ./*.jpg ./*.tif ./*.png ./*.ppm
# The photograph: chelsea.png (CC0, ../../../resources/samples) scaled to 45 x 30 (odd width).
$IM ../../../resources/samples/chelsea.png -resize '45x30!' -strip photo.ppm
cjpeg -quality 92 -outfile photo.jpg photo.ppm
$IM photo.ppm -compress none photo.tif
$IM photo.ppm -define png:exclude-chunks=all photo.png
cwebp -quiet -lossless -exact photo.ppm -o photo.webp
for n in 1 2 3 4 5 6 7 8; do
    # The same stored pixels each time; only the tag differs.
    exiftool -q -o jpeg-$n.jpg -Orientation#=$n photo.jpg
    exiftool -q -o tiff-$n.tif -Orientation#=$n photo.tif
    exiftool -q -o png-$n.png -Orientation#=$n photo.png
    cp photo.webp webp-$n.webp # exiftool edits WebP in place only
    exiftool -q -overwrite_original -Orientation#=$n webp-$n.webp
    # What the outside tool shows for each.
    $IM jpeg-$n.jpg -auto-orient jpeg-$n.expected.ppm
    $IM tiff-$n.tif -auto-orient tiff-$n.expected.ppm
done
rm -f photo.jpg photo.tif photo.png photo.webp
