#!/usr/bin/env bash
# Remakes the date-taken fixtures: small pictures of ../jpeg, ../tiff, ../png and ../formats
# given dates by exiftool. See ../README.md.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
rm -f *.jpg *.tif *.png *.webp *.heic *.avif
et() { exiftool -q -overwrite_original "$@"; }

# JPEG: each fallback in turn, offsets, a zeroed date and no date at all.
cp ../jpeg/ycbcr.jpg original-offset.jpg
et -DateTimeOriginal="2024:05:01 12:00:00" -OffsetTimeOriginal="+02:00" \
   -CreateDate="2001:01:01 00:00:00" -ModifyDate="2002:02:02 00:00:00" original-offset.jpg
cp ../jpeg/ycbcr.jpg digitized.jpg
et -CreateDate="2024:05:01 10:30:00" -OffsetTimeDigitized="+00:00" \
   -ModifyDate="2002:02:02 00:00:00" digitized.jpg
cp ../jpeg/ycbcr.jpg datetime-only.jpg
et -ModifyDate="2024:05:01 11:00:00" -OffsetTime="-01:00" datetime-only.jpg
cp ../jpeg/ycbcr.jpg zeroed-original.jpg
et -DateTimeOriginal#="0000:00:00 00:00:00" -CreateDate="2024:05:01 09:00:00" \
   -OffsetTimeDigitized="+00:00" zeroed-original.jpg
cp ../jpeg/ycbcr.jpg no-offset.jpg
et -DateTimeOriginal="2024:05:01 12:00:00" no-offset.jpg
cp ../jpeg/ycbcr.jpg big-endian.jpg
et -ExifByteOrder=MM -DateTimeOriginal="2024:05:01 08:00:00" -OffsetTimeOriginal="+00:00" \
   big-endian.jpg
cp ../jpeg/ycbcr.jpg no-date.jpg
et -all= -Make=Fotoplex no-date.jpg

# The other formats, each with a date and offset of its own.
cp ../tiff/rgb.tif original.tif
et -DateTimeOriginal="2024:05:02 10:00:00" -OffsetTimeOriginal="+00:00" original.tif
cp ../png/rgb8.png original.png
et -DateTimeOriginal="2024:05:03 10:00:00" -OffsetTimeOriginal="+00:00" original.png
cp ../formats/lossy.webp original.webp
et -DateTimeOriginal="2024:05:04 10:00:00" -OffsetTimeOriginal="+00:00" original.webp
cp ../formats/lossless.heic original.heic
et -DateTimeOriginal="2024:05:05 10:00:00" -OffsetTimeOriginal="+00:00" original.heic
cp ../formats/deep.avif original.avif
et -DateTimeOriginal="2024:05:06 10:00:00" -OffsetTimeOriginal="+00:00" original.avif
