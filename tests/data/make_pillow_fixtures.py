#!/usr/bin/python3
"""Makes the Pillow-written PNG fixtures and the base pattern. Run by make-fixtures.sh."""
import sys
from PIL import Image

out = sys.argv[1]
W, H = 23, 17


def pattern(x, y):
    return ((x * 11 + y * 3) % 256, (y * 15 + x) % 256, (x * y * 7 + 40) % 256)


base = Image.new("RGB", (W, H))
base.putdata([pattern(x, y) for y in range(H) for x in range(W)])
base.save(f"{out}/base.ppm")

big = Image.new("RGB", (96, 80))
big.putdata([((x * 5) % 256, (y * 3) % 256, ((x + y) * 2) % 256) for y in range(80) for x in range(96)])
big.save(f"{out}/big.ppm")

# Palette pictures at 1, 2, 4 and 8 bits.
for bits in (1, 2, 4, 8):
    colours = 1 << bits
    pal = Image.new("P", (W, H))
    palette = []
    for i in range(colours):
        palette += [(i * 37) % 256, (i * 91 + 20) % 256, (255 - i * 13) % 256]
    pal.putpalette(palette)
    pal.putdata([(x + 2 * y) % colours for y in range(H) for x in range(W)])
    pal.save(f"{out}/png/palette{bits}.png", bits=bits)

# Palette with a transparent entry (tRNS).
pal = Image.new("P", (W, H))
pal.putpalette([255, 0, 0, 0, 255, 0, 0, 0, 255, 200, 200, 10])
pal.putdata([(x + y) % 4 for y in range(H) for x in range(W)])
pal.save(f"{out}/png/palette-trns.png", transparency=2)

# Black and white, 1 bit grey.
bw = Image.new("1", (W, H))
bw.putdata([255 if (x * y + x) % 3 == 0 else 0 for y in range(H) for x in range(W)])
bw.save(f"{out}/png/grey1.png")

grey = base.convert("L")
grey.save(f"{out}/png/grey8.png")
grey.save(f"{out}/png/grey-trns.png", transparency=grey.getpixel((3, 3)))

la = Image.merge("LA", (grey, Image.new("L", (W, H), 0)))
la.putdata([(grey.getpixel((x, y)), (x * 12) % 256) for y in range(H) for x in range(W)])
la.save(f"{out}/png/grey-alpha8.png")

base.save(f"{out}/png/rgb8.png", dpi=(300, 300))
base.save(f"{out}/png/rgb-trns.png", transparency=pattern(5, 5))

# RGBA whose fully transparent pixels still carry colour.
rgba = Image.new("RGBA", (W, H))
rgba.putdata([pattern(x, y) + ((0 if x < 6 else x * 10 % 256),) for y in range(H) for x in range(W)])
rgba.save(f"{out}/png/rgba8.png")

# Plain CMYK JPEG (Adobe marker, transform 0, inverted inks as Adobe files store them).
base.convert("CMYK").save(f"{out}/jpeg/cmyk.jpg", quality=95)

# Black and white as a two-entry palette, white first: still one bit a pixel for us.
inverted = Image.new("P", (W, H))
inverted.putpalette([255, 255, 255, 0, 0, 0])
inverted.putdata([(x * y + y) % 2 for y in range(H) for x in range(W)])
inverted.save(f"{out}/png/palette1-white-black.png", bits=1)
