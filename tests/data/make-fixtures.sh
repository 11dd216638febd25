#!/usr/bin/env bash
# Remakes every fixture of this folder with outside tools: Pillow, ImageMagick (convert),
# libjpeg-turbo's cjpeg/djpeg, libtiff's tiffcp and exiftool. The expected pixels are what
# those tools decode. See README.md.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
IM=/usr/bin/convert
rm -rf jpeg png tiff headers base.ppm big.ppm
mkdir -p jpeg png tiff headers
/usr/bin/python3 make_pillow_fixtures.py .

# --- JPEG ---
cjpeg -quality 90 -outfile jpeg/ycbcr.jpg base.ppm
cjpeg -quality 90 -progressive -outfile jpeg/progressive.jpg base.ppm
cjpeg -quality 90 -grayscale -outfile jpeg/grey.jpg base.ppm
cjpeg -quality 90 -rgb -outfile jpeg/rgb.jpg base.ppm
for f in ycbcr progressive rgb; do djpeg -dct int -ppm -outfile jpeg/$f.expected.ppm jpeg/$f.jpg; done
djpeg -dct int -pnm -outfile jpeg/grey.expected.pgm jpeg/grey.jpg
# jpeg/cmyk.jpg comes from Pillow (ImageMagick writes YCCK for CMYK).
$IM base.ppm -colorspace CMYK -quality 95 -define jpeg:colorspace=11 jpeg/ycck.jpg
for f in cmyk ycck; do $IM jpeg/$f.jpg -colorspace sRGB jpeg/$f.expected.ppm; done
$IM base.ppm -units PixelsPerInch -density 300 jpeg/density-inch.jpg
$IM base.ppm -units PixelsPerCentimeter -density 118 jpeg/density-cm.jpg
cjpeg -outfile jpeg/exif-inch.jpg base.ppm
exiftool -q -overwrite_original -XResolution=240 -YResolution=180 -ResolutionUnit=inches jpeg/exif-inch.jpg
cjpeg -outfile jpeg/exif-cm.jpg base.ppm
exiftool -q -overwrite_original -XResolution=100 -YResolution=50 -ResolutionUnit=cm jpeg/exif-cm.jpg
cjpeg -outfile jpeg/markers.jpg base.ppm
exiftool -q -overwrite_original -Make=Fotoplex -Model=TestCam -Comment="a comment" jpeg/markers.jpg
cjpeg -quality 90 -outfile jpeg/big.jpg big.ppm
djpeg -dct int -ppm -outfile jpeg/big.expected.ppm jpeg/big.jpg
head -c 1500 jpeg/big.jpg > jpeg/truncated.jpg
head -c 400 jpeg/ycbcr.jpg > jpeg/header-only.jpg
# Damage in the middle of the entropy-coded data: 64 bytes of 0xFF 0xD9 pairs.
cp jpeg/big.jpg jpeg/damaged.jpg
printf '\xff\xd9%.0s' $(seq 32) | dd of=jpeg/damaged.jpg bs=1 seek=1400 conv=notrunc status=none

# --- PNG ---
$IM base.ppm -define png:bit-depth=2 -define png:color-type=0 -colorspace Gray png/grey2.png
$IM base.ppm -define png:bit-depth=4 -define png:color-type=0 -colorspace Gray png/grey4.png
$IM base.ppm -colorspace Gray -depth 16 -define png:bit-depth=16 png/grey16.png
$IM png/grey-alpha8.png -depth 16 -define png:bit-depth=16 -define png:color-type=4 png/grey-alpha16.png
$IM base.ppm -depth 16 -define png:bit-depth=16 png/rgb16.png
$IM png/rgba8.png -depth 16 -define png:bit-depth=16 -define png:color-type=6 png/rgba16.png
$IM base.ppm -interlace PNG png/rgb8-interlaced.png
$IM png/rgba8.png -interlace PNG png/rgba8-interlaced.png
$IM png/palette8.png -interlace PNG PNG8:png/palette8-interlaced.png
for f in png/*.png; do $IM "$f" -depth 8 "${f%.png}.expected.pam"; done
# ImageMagick truncates 16-bit samples on the way to 8 bits; netpbm rounds, as we do.
for f in grey16 rgb16; do pngtopam png/$f.png | pamdepth 255 > png/$f.expected.pam; done
for f in grey-alpha16 rgba16; do pngtopam -alphapam png/$f.png | pamdepth 255 > png/$f.expected.pam; done
head -c 300 png/rgb16.png > png/truncated.png
cp png/rgb8.png png/damaged.png
printf 'XXXXXXXXXXXXXXXXXXXX' | dd of=png/damaged.png bs=1 seek=120 conv=notrunc status=none

# --- TIFF ---
$IM base.ppm -compress none tiff/rgb.tif
tiffcp -c lzw tiff/rgb.tif tiff/rgb-lzw.tif
tiffcp -c packbits tiff/rgb.tif tiff/rgb-packbits.tif
tiffcp -c zip tiff/rgb.tif tiff/rgb-deflate.tif
tiffcp -c jpeg:90 tiff/rgb.tif tiff/rgb-jpeg.tif
tiffcp -t -w 16 -l 16 tiff/rgb.tif tiff/rgb-tiled.tif
tiffcp -p separate tiff/rgb.tif tiff/rgb-separate.tif
tiffcp -r 3 -c lzw tiff/rgb.tif tiff/rgb-strips.tif
$IM base.ppm -colorspace Gray -compress none tiff/grey.tif
$IM base.ppm -colorspace Gray -depth 16 -compress lzw tiff/grey16.tif
$IM base.ppm -depth 16 -compress zip tiff/rgb16.tif
$IM png/palette8.png -type Palette -compress none tiff/palette.tif
$IM base.ppm -colorspace CMYK -compress none tiff/cmyk.tif
$IM png/grey1.png -type bilevel -depth 1 -compress none -define quantum:polarity=min-is-white tiff/bilevel.tif
tiffcp -c g3 tiff/bilevel.tif tiff/bilevel-g3.tif
tiffcp -c g4 tiff/bilevel.tif tiff/bilevel-g4.tif
$IM png/grey1.png -type bilevel -depth 1 -compress none -define quantum:polarity=min-is-black tiff/bilevel-minisblack.tif
tiffcp -t -w 16 -l 16 tiff/bilevel.tif tiff/bilevel-tiled.tif
$IM base.ppm -compress none -orient BottomLeft tiff/bottom-left.tif
$IM base.ppm -compress lzw -units PixelsPerInch -density 200 tiff/density-inch.tif
$IM base.ppm -compress lzw -units PixelsPerCentimeter -density 50 tiff/density-cm.tif
for f in tiff/*.tif; do $IM "$f" -auto-orient -colorspace sRGB -depth 8 "${f%.tif}.expected.ppm"; done
head -c 700 tiff/rgb-lzw.tif > tiff/truncated.tif

# --- Headers of the formats our own readers read ---
$IM base.ppm -units PixelsPerInch -density 72 headers/sample.bmp
$IM base.ppm headers/sample.gif
$IM base.ppm headers/sample.pcx
cp base.ppm headers/sample.ppm
cp jpeg/ycbcr.jpg headers/jpeg-named.png
