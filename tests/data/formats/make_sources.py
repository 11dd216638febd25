"""Draws the source pictures of the format fixtures with Pillow: rgb.png (24 x 18, smooth
ramps with a few hard steps, even sides for 4:2:0 codecs), rgba.png (the same with a
transparent left quarter and a half-transparent band), rgb48.png (16 bits a sample),
grey.png, and p3.png (rgb.png with the test Display P3 profile in iCCP)."""
import sys
from PIL import Image

out = sys.argv[1]
icc = open(sys.argv[2], "rb").read()
w, h = 24, 18
rgb = Image.new("RGB", (w, h))
for y in range(h):
    for x in range(w):
        r = x * 255 // (w - 1)
        g = y * 255 // (h - 1)
        b = 200 if (x // 6 + y // 6) % 2 else 40
        rgb.putpixel((x, y), (r, g, b))
rgb.save(f"{out}/rgb.png")
rgb.save(f"{out}/p3.png", icc_profile=icc)
rgba = rgb.convert("RGBA")
for y in range(h):
    for x in range(w):
        a = 0 if x < w // 4 else (128 if 8 <= y < 12 else 255)
        r, g, b, _ = rgba.getpixel((x, y))
        rgba.putpixel((x, y), (r, g, b, a))
rgba.save(f"{out}/rgba.png")
rgb.convert("L").save(f"{out}/grey.png")
exif = Image.Exif()
exif[0x010F] = "Fotoplex"  # Make
exif[0x0110] = "PhoneCam"  # Model
exif[0x0112] = 1  # Orientation
rgb.save(f"{out}/exif.png", exif=exif.tobytes())
