#!/usr/bin/env bash
# Remakes the fixtures of the HEIF/AVIF, WebP, JPEG 2000, Targa, icon and TIFF readers with
# outside tools: Pillow, ImageMagick, heif-enc/heif-convert (libheif-examples), cwebp/dwebp/
# img2webp/webpmux (webp), opj_compress/opj_decompress (libopenjp2-tools), tiffcp/tiffcrop
# (libtiff-tools), exiftool and netpbm.
# Expected pixels are what those tools decode. See ../README.md.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
IM=/usr/bin/convert
PY=/usr/bin/python3
src="$(mktemp -d)"
trap 'rm -rf "$src"' EXIT
rm -f *.png *.tif *.heic *.avif *.webp *.jp2 *.j2k *.tga *.ico *.cur *.icc *.ppm *.pam *.pgm
$PY make_icc.py p3.icc
$PY make_sources.py "$src" p3.icc
cp "$src/p3.png" "$src/exif.png" .
pngtopam "$src/rgb.png" | pamdepth 65535 | pnmtopng > "$src/rgb48.png"
# A JPEG with camera EXIF (Orientation 1) to carry into HEIC.
$IM "$src/rgb.png" -quality 95 "$src/exif.jpg"
exiftool -q -overwrite_original -Make=Fotoplex -Model=PhoneCam -DateTimeOriginal="2026:05:04 10:11:12" \
  -Orientation#=1 "$src/exif.jpg"

topam() { # decoded PNG -> 8-bit PPM (or PAM with alpha), rounding 16-bit samples
  pngtopam ${3:-} "$1" | pamdepth 255 > "$2"
}

# --- HEIF / AVIF ---
heif-enc -q 90 -o rgb.heic "$src/rgb.png"
heif-enc -L -p chroma=444 -o lossless.heic "$src/rgb.png"
heif-enc -q 90 -o p3.heic "$src/p3.png"
heif-enc -q 90 -o exif.heic "$src/exif.jpg"
# EXIF saying "rotate 90" without a rotation box: HEIF readers show the pixels as stored.
cp "$src/exif.jpg" "$src/exif6.jpg"
exiftool -q -overwrite_original -Orientation#=6 "$src/exif6.jpg"
heif-enc -q 90 -o exif-orientation6.heic "$src/exif6.jpg"
heif-enc -q 90 -o rgb.avif "$src/rgb.png"
heif-enc -q 90 -o rgba.avif "$src/rgba.png"
heif-enc -q 90 -b 10 -o deep.avif "$src/rgb48.png"
# Transformations heif-enc cannot write, added to rgb.heic's primary item by
# make_transformed_heic.py: a quarter turn anticlockwise (irot 1) and the two mirrors (imir 0:
# libheif exchanges top and bottom; imir 1: left and right).
$PY make_transformed_heic.py rgb.heic rgb-irot1.heic irot 1
$PY make_transformed_heic.py rgb.heic rgb-imir0.heic imir 0
$PY make_transformed_heic.py rgb.heic rgb-imir1.heic imir 1
# A clean aperture (crop) of 16 x 10 whose centre lies 2 pixels right of and 1 above the
# picture's: columns 6 to 21, rows 3 to 12 of the 24 x 18 picture.
$PY make_transformed_heic.py rgb.heic rgb-clap.heic clap 16,10,2,-1
for f in rgb.heic lossless.heic p3.heic exif.heic rgb-irot1.heic rgb-imir0.heic rgb-imir1.heic \
         rgb-clap.heic \
         rgb.avif deep.avif; do
  heif-convert -q 100 "$f" "$src/out.png" > /dev/null
  topam "$src/out.png" "${f%.*}.${f##*.}.expected.ppm"
done
# heif-convert applies them too: its decodes must be rgb.heic's, turned or mirrored by Pillow.
$PY - <<'PY'
import sys
from PIL import Image
T = Image.Transpose
base = Image.open("rgb.heic.expected.ppm")
for name, turn in (("rgb-irot1", T.ROTATE_90), ("rgb-imir0", T.FLIP_TOP_BOTTOM),
                   ("rgb-imir1", T.FLIP_LEFT_RIGHT)):
    got, want = Image.open(f"{name}.heic.expected.ppm"), base.transpose(turn)
    if got.size != want.size or got.tobytes() != want.tobytes():
        sys.exit(f"{name}: heif-convert's decode is not rgb.heic's {turn.name}")
got, want = Image.open("rgb-clap.heic.expected.ppm"), base.crop((6, 3, 22, 13))
if got.size != want.size or got.tobytes() != want.tobytes():
    sys.exit("rgb-clap: heif-convert's decode is not rgb.heic's columns 6-21, rows 3-12")
PY
heif-convert -q 100 rgba.avif "$src/out.png" > /dev/null
topam "$src/out.png" rgba.avif.expected.pam -alphapam
head -c $(( $(stat -c %s rgb.heic) - 200 )) rgb.heic > truncated.heic

# --- WebP ---
cwebp -quiet -lossless "$src/rgb.png" -o lossless.webp
cwebp -quiet -q 80 "$src/rgb.png" -o lossy.webp
cwebp -quiet -lossless "$src/rgba.png" -o rgba.webp
cwebp -quiet -q 80 "$src/rgb.png" -o "$src/plain.webp"
$IM "$src/rgb.png" -negate "$src/second.png"
img2webp -lossless "$src/rgb.png" -d 100 "$src/second.png" -o animated.webp
exiftool -q -b -Exif "$src/exif.jpg" > "$src/exif.bin" || true
webpmux -set icc p3.icc "$src/plain.webp" -o "$src/icc.webp"
webpmux -set exif "$src/exif.bin" "$src/icc.webp" -o meta.webp
for f in lossless lossy meta; do dwebp -quiet "$f.webp" -ppm -o "$f.webp.expected.ppm"; done
dwebp -quiet rgba.webp -pam -o rgba.webp.expected.pam
cp lossless.webp.expected.ppm animated.webp.expected.ppm
head -c 150 lossy.webp > truncated.webp

# --- JPEG 2000 ---
pngtopam "$src/rgb.png" > "$src/rgb.ppm"
pngtopam "$src/grey.png" > "$src/grey.pgm"
opj_compress -i "$src/rgb.ppm" -o lossless.jp2 -n 3 > /dev/null
opj_compress -i "$src/rgb.ppm" -o lossless.j2k -n 3 > /dev/null
opj_compress -i "$src/rgb.ppm" -o lossy.jp2 -n 3 -r 20 > /dev/null
opj_compress -i "$src/grey.pgm" -o grey.jp2 -n 3 > /dev/null
$IM "$src/rgba.png" rgba.jp2
for f in lossless.jp2 lossless.j2k lossy.jp2; do
  opj_decompress -i "$f" -o "$src/out.ppm" > /dev/null; pamdepth 255 "$src/out.ppm" > "$f.expected.ppm"
done
opj_decompress -i grey.jp2 -o "$src/out.pgm" > /dev/null; pamdepth 255 "$src/out.pgm" > grey.jp2.expected.pgm
opj_decompress -i rgba.jp2 -o "$src/out.png" > /dev/null; topam "$src/out.png" rgba.jp2.expected.pam -alphapam
head -c 500 lossless.jp2 > truncated.jp2

# --- Targa ---
$IM "$src/rgb.png" -compress None tga-rgb.tga
$IM "$src/rgb.png" -compress RLE tga-rgb-rle.tga
$IM "$src/rgba.png" -compress None tga-rgba.tga
$IM "$src/grey.png" -compress None -type Grayscale tga-grey.tga
$IM "$src/rgb.png" -colors 16 -type Palette -compress RLE tga-palette-rle.tga
$PY - "$src" <<'PY'
import sys
from PIL import Image
src = sys.argv[1]
Image.open(f"{src}/rgba.png").save("tga-rgba-top-rle.tga", rle=True, orientation=1)
PY
# ImageMagick 6 reads back its own bottom-up files upside down, so Pillow decodes them all.
for f in tga-rgb tga-rgb-rle tga-grey tga-palette-rle; do
  $PY -c "from PIL import Image; Image.open('$f.tga').convert('RGB').save('$f.expected.ppm')"
done
for f in tga-rgba tga-rgba-top-rle; do
  $PY - "$f" <<'PY'
import sys
from PIL import Image
name = sys.argv[1]
Image.open(f"{name}.tga").convert("RGBA").save(f"{name}.expected.png")
PY
  topam "$f.expected.png" "$f.expected.pam" -alphapam; rm "$f.expected.png"
done
head -c 700 tga-rgb-rle.tga > truncated.tga

# --- TIFF with alpha: unassociated and associated, 8 and 16 bits, planar and tiled ---
$IM "$src/rgba.png" -compress None tiff-unassoc8.tif
$IM "$src/rgba.png" -define tiff:alpha=associated -compress None tiff-assoc8.tif
$IM "$src/rgba.png" -depth 16 -compress None tiff-unassoc16.tif
$IM "$src/rgba.png" -depth 16 -define tiff:alpha=associated -compress None tiff-assoc16.tif
tiffcp -p separate tiff-unassoc8.tif tiff-planar8.tif
tiffcp -t -w 16 -l 16 tiff-assoc8.tif tiff-tiled8.tif
for f in tiff-unassoc8 tiff-assoc8 tiff-unassoc16 tiff-assoc16 tiff-planar8 tiff-tiled8; do
  $IM "$f.tif" -depth 8 "$src/out.png"; topam "$src/out.png" "$f.expected.pam" -alphapam
done

# --- TIFF sample formats libtiff's RGBA conversion refuses or cuts ---
# 16-bit grey whose values sit between 8-bit steps: a PGM of maxval 65535 written here,
# made a TIFF by netpbm's pnmtotiff; expected: the same PGM through pamdepth 255 (rounding).
$PY - "$src/steps.pgm" <<'PY'
import struct, sys
w, h = 24, 18
values = [(257 * ((x * 11 + y * 3) % 256) + (x * 37 + y * 5) % 257) % 65536 for y in range(h) for x in range(w)]
open(sys.argv[1], "wb").write(b"P5\n%d %d\n65535\n" % (w, h) + struct.pack(">%dH" % len(values), *values))
PY
pnmtotiff -none "$src/steps.pgm" > tiff-grey16-steps.tif 2>/dev/null
pamdepth 255 "$src/steps.pgm" > tiff-grey16-steps.expected.pgm
pngtopam "$src/grey.png" > "$src/grey.pgm"
$IM "$src/grey.pgm" -depth 12 -compress None tiff-grey12.tif
$IM "$src/grey.pgm" -depth 32 -compress None tiff-grey32.tif
# ImageMagick 6 warns that it cannot set a predictor tag for floats, and exits 1; the files are whole.
$IM "$src/grey.pgm" -define quantum:format=floating-point -depth 32 -compress None tiff-greyfloat.tif 2>/dev/null || true
$IM "$src/rgb.png" -define quantum:format=floating-point -depth 32 -compress None tiff-rgbfloat.tif 2>/dev/null || true
for f in tiff-grey12 tiff-grey32 tiff-greyfloat tiff-rgbfloat; do test -s "$f.tif"; $IM "$f.tif" -depth 8 "$f.expected.ppm" 2>/dev/null || true; done

# --- CMYK TIFF: 16-bit inks (libtiff's conversion takes 8 bits only), alpha beside the inks,
# JPEG. ImageMagick's CMYK is 1 - RGB with the common part taken out as K. tiffcp changes the
# plane layout of 8-bit samples only; tiffcrop does it for 16 bits. Expected: ImageMagick
# `-colorspace sRGB -depth 8`.
$IM "$src/rgb.png" -colorspace CMYK -compress None tiff-cmyk8.tif
$IM tiff-cmyk8.tif -depth 16 -compress None tiff-cmyk16-exact.tif # every ink a multiple of 257
$IM "$src/rgb.png" -colorspace CMYK -depth 16 -compress None tiff-cmyk16.tif
tiffcrop -p separate tiff-cmyk16.tif tiff-cmyk16-planar.tif
$IM "$src/rgba.png" -colorspace CMYK -depth 16 -compress None tiff-cmyka16.tif
tiffcrop -p separate tiff-cmyka16.tif tiff-cmyka16-planar.tif
$IM "$src/rgba.png" -colorspace CMYK -compress None tiff-cmyka8.tif
tiffcp -p separate tiff-cmyka8.tif tiff-cmyka8-planar.tif
tiffcp -c jpeg:90 tiff-cmyk8.tif tiff-cmyk-jpeg.tif
# Compressed in strips of 4 rows, then rewritten by exiftool, which puts the directory before
# the strips: a cut copy still has its header, and shows the strips it keeps.
tiffcp -c zip -r 4 tiff-cmyk16-planar.tif "$src/zip.tif"
exiftool -q -Software=Fotoplex -o tiff-cmyk16-zip.tif "$src/zip.tif"
tiffcp -c lzw -r 4 tiff-cmyka16.tif "$src/lzw.tif"
exiftool -q -Software=Fotoplex -o tiff-cmyka16-lzw.tif "$src/lzw.tif"
for f in tiff-cmyk8 tiff-cmyk16-exact tiff-cmyk16 tiff-cmyk16-planar tiff-cmyk-jpeg tiff-cmyk16-zip; do
  $IM "$f.tif" -colorspace sRGB -depth 8 "$f.expected.ppm"
done
for f in tiff-cmyka16 tiff-cmyka16-planar tiff-cmyka8 tiff-cmyka8-planar tiff-cmyka16-lzw; do
  $IM "$f.tif" -colorspace sRGB -depth 8 "$src/out.png"; topam "$src/out.png" "$f.expected.pam" -alphapam
done

# --- Icons and cursors ---
# ImageMagick writes bitmap payloads below 256 pixels; Pillow writes PNG payloads.
$IM "$src/rgba.png" \( -clone 0 -resize 16x16! \) \( -clone 0 -resize 32x32! \) -delete 0 icon-bmp.ico
$PY - "$src" <<'PY'
import sys
from PIL import Image
src = sys.argv[1]
Image.open(f"{src}/rgba.png").resize((48, 48)).save("icon-png.ico", sizes=[(16, 16), (48, 48)])
PY
# A cursor is an icon directory of type 2 (hot spot instead of planes and depth).
$PY - <<'PY'
data = bytearray(open("icon-bmp.ico", "rb").read())
data[2] = 2
open("cursor.cur", "wb").write(bytes(data))
PY
$IM "icon-bmp.ico[1]" icon-bmp.expected.png
$PY - <<'PY'
from PIL import Image
im = Image.open("icon-png.ico"); im.size = (48, 48); im.load()
im.convert("RGBA").save("icon-png.expected.png")
PY
for f in icon-bmp icon-png; do topam "$f.expected.png" "$f.expected.pam" -alphapam; rm "$f.expected.png"; done
