#!/bin/sh
# Remakes the pictures with a location that the copy tests use (see ../README.md).
# Needs cjpeg, ImageMagick 6 (convert), cwebp, heif-enc and exiftool.
set -eu
cd "$(dirname "$0")"
base=../base.ppm
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

gps="-GPSLatitude=48.8584 -GPSLatitudeRef=N -GPSLongitude=2.2945 -GPSLongitudeRef=E"
xmpgps="-XMP-exif:GPSLatitude=48,51.5N -XMP-exif:GPSLongitude=2,17.67E"
et() { exiftool -q -overwrite_original "$@"; }

cjpeg -quality 90 "$base" > plain.jpg
cp plain.jpg gps.jpg
et -Make=Fotoplex -Model=TestCam -Orientation#=6 $gps $xmpgps gps.jpg
cp plain.jpg xmp-only.jpg
et $xmpgps xmp-only.jpg

convert "$base" plain.png
cp plain.png gps.png
et -Orientation#=6 $gps $xmpgps gps.png

convert "$base" "$tmp/base.png"
cwebp -quiet -lossless "$tmp/base.png" -o plain.webp
cp plain.webp gps.webp
et -Orientation#=6 $gps $xmpgps gps.webp

heif-enc -q 90 -o plain.heic "$tmp/base.png" > /dev/null
cp plain.heic gps.heic
et $gps gps.heic
cp plain.heic xmp.heic
et $xmpgps xmp.heic

convert "$base" -compress none plain.tif
cp plain.tif gps.tif
et $gps gps.tif
