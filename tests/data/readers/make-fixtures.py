#!/usr/bin/python3
"""Makes the reader fixtures with outside tools (ImageMagick, Pillow, netpbm).

Each fixture NAME.EXT comes with NAME.expected.ppm: its pixels as the tool that wrote it
decodes them (binary, maxval 255), and for transparent GIFs NAME.alpha.pgm with the alpha
the same tool reports. Run from anywhere; writes into this script's folder.
"""
import os
import random
import struct
import subprocess
import tempfile

from PIL import Image, ImageDraw

HERE = os.path.dirname(os.path.abspath(__file__))
CONVERT = "/usr/bin/convert"
WIDTH, HEIGHT = 37, 23  # odd width: rows need padding in every format


def run(*args, stdin=None, stdout=None):
    subprocess.run(args, check=True, stdin=stdin, stdout=stdout)


def out(name):
    return os.path.join(HERE, name)


def netpbm_to(path, program, *args):
    """Runs a netpbm converter from the file `path`, returning its output bytes."""
    with open(path, "rb") as f:
        return subprocess.run([program, *args], stdin=f, stdout=subprocess.PIPE, check=True).stdout


def netpbm_expected(fixture, decoder):
    """The expected pixels of `fixture` as netpbm decodes it, as an 8-bit PPM."""
    pnm = netpbm_to(out(fixture), decoder) if decoder else open(out(fixture), "rb").read()
    with tempfile.NamedTemporaryFile(delete=False) as t:
        t.write(pnm)
    depth8 = netpbm_to(t.name, "pamdepth", "255")
    with open(t.name, "wb") as f:
        f.write(depth8)
    ppm = netpbm_to(t.name, "ppmtoppm")
    os.unlink(t.name)
    with open(out(stem(fixture) + ".expected.ppm"), "wb") as f:
        f.write(ppm)


def magick_expected(fixture):
    run(CONVERT, out(fixture), "-alpha", "off", "-depth", "8", "PPM:" + out(stem(fixture) + ".expected.ppm"))


def pillow_expected(fixture, with_alpha=False):
    im = Image.open(out(fixture))
    im.convert("RGB").save(out(stem(fixture) + ".expected.ppm"))
    if with_alpha:
        im.convert("RGBA").split()[3].save(out(stem(fixture) + ".alpha.pgm"))


def stem(name):
    return name.rsplit(".", 1)[0]


def sources(tmp):
    """Writes the source pictures into tmp and returns their paths."""
    photo = Image.new("RGB", (WIDTH, HEIGHT))
    for y in range(HEIGHT):
        for x in range(WIDTH):
            photo.putpixel((x, y), (x * 7 % 256, y * 11 % 256, (x * y) % 256))
    draw = ImageDraw.Draw(photo)
    draw.ellipse((5, 3, 25, 19), fill=(250, 40, 30))
    draw.rectangle((28, 2, 34, 20), fill=(20, 220, 90))
    paths = {"photo": os.path.join(tmp, "photo.ppm")}
    photo.save(paths["photo"])

    paths["pal200"] = os.path.join(tmp, "pal200.ppm")
    photo.quantize(200, dither=Image.Dither.NONE).convert("RGB").save(paths["pal200"])
    paths["pal16"] = os.path.join(tmp, "pal16.ppm")
    photo.quantize(16, dither=Image.Dither.NONE).convert("RGB").save(paths["pal16"])
    paths["pal4"] = os.path.join(tmp, "pal4.ppm")
    photo.quantize(4, dither=Image.Dither.NONE).convert("RGB").save(paths["pal4"])

    bw = Image.new("1", (WIDTH, HEIGHT), 1)
    bd = ImageDraw.Draw(bw)
    bd.ellipse((4, 2, 30, 20), fill=0)
    bd.line((0, 0, WIDTH - 1, HEIGHT - 1), fill=1, width=2)
    bd.rectangle((32, 4, 35, 18), fill=0)
    paths["bw"] = os.path.join(tmp, "bw.pbm")
    bw.save(paths["bw"])

    two = bw.convert("RGB")
    two = Image.eval(two, lambda v: v)
    pixels = [(200, 30, 40) if p[0] else (20, 40, 180) for p in two.getdata()]
    two.putdata(pixels)
    paths["two"] = os.path.join(tmp, "two.ppm")
    two.save(paths["two"])
    return paths, photo, bw


def make_gif(paths, photo):
    run(CONVERT, paths["pal200"], "GIF87:" + out("gif87-global.gif"))
    magick_expected("gif87-global.gif")
    run(CONVERT, paths["pal200"], "-interlace", "GIF", out("gif-interlaced.gif"))
    magick_expected("gif-interlaced.gif")
    run(CONVERT, paths["bw"], out("gif-bilevel.gif"))
    magick_expected("gif-bilevel.gif")
    run(CONVERT, paths["two"], out("gif-twocolour.gif"))
    magick_expected("gif-twocolour.gif")

    # 89a with a transparent index (graphic control extension).
    p = photo.quantize(64, dither=Image.Dither.NONE)
    p.save(out("gif89-transparent.gif"), transparency=p.getpixel((15, 11)))
    pillow_expected("gif89-transparent.gif", with_alpha=True)

    # Noise in 256 colours: the code table fills, so 12-bit codes and clear codes occur.
    rng = random.Random(7)
    noise = Image.new("P", (64, 64))
    noise.putpalette([rng.randrange(256) for _ in range(768)])
    noise.putdata([rng.randrange(256) if rng.random() < 0.7 else 3 for _ in range(64 * 64)])
    noise.save(out("gif-noise.gif"))
    pillow_expected("gif-noise.gif")

    # The global table moved into the image descriptor as a local one.
    data = bytearray(open(out("gif87-global.gif"), "rb").read())
    packed = data[10]
    assert packed & 0x80
    size = 3 * (2 << (packed & 7))
    table = data[13:13 + size]
    rest = data[13 + size:]
    assert rest[0] == 0x2C, "image descriptor expected right after the global table"
    rest[9] = 0x80 | (packed & 7)
    data = data[:10] + bytes([packed & 0x70, data[11], data[12]]) + rest[:10] + table + rest[10:]
    open(out("gif-local.gif"), "wb").write(data)
    pillow_expected("gif-local.gif")


def make_bmp(paths):
    run(CONVERT, paths["photo"], "-density", "72", "-units", "PixelsPerInch", "BMP3:" + out("bmp-v3-24.bmp"))
    magick_expected("bmp-v3-24.bmp")
    run(CONVERT, paths["photo"], "-alpha", "on", "BMP:" + out("bmp-v5-32.bmp"))
    magick_expected("bmp-v5-32.bmp")
    run(CONVERT, paths["photo"], "-define", "bmp:subtype=RGB565", "BMP:" + out("bmp-v5-565.bmp"))
    magick_expected("bmp-v5-565.bmp")
    run(CONVERT, paths["photo"], "-define", "bmp:subtype=RGB555", "BMP:" + out("bmp-v5-555.bmp"))
    magick_expected("bmp-v5-555.bmp")
    run(CONVERT, paths["pal200"], "-type", "Palette", "-compress", "None", "-density", "40", "-units", "PixelsPerCentimeter",
        "BMP3:" + out("bmp-v3-8.bmp"))
    magick_expected("bmp-v3-8.bmp")
    run(CONVERT, paths["pal200"], "-type", "Palette", "-compress", "RLE", "BMP3:" + out("bmp-rle8.bmp"))
    magick_expected("bmp-rle8.bmp")
    open(out("bmp-4.bmp"), "wb").write(netpbm_to(paths["pal16"], "ppmtobmp", "-bpp=4"))
    netpbm_expected("bmp-4.bmp", "bmptopnm")
    open(out("bmp-1-bw.bmp"), "wb").write(netpbm_to(paths["bw"], "ppmtobmp", "-bpp=1"))
    netpbm_expected("bmp-1-bw.bmp", "bmptopnm")
    open(out("bmp-1-colour.bmp"), "wb").write(netpbm_to(paths["two"], "ppmtobmp", "-bpp=1"))
    netpbm_expected("bmp-1-colour.bmp", "bmptopnm")
    open(out("bmp-os2-8.bmp"), "wb").write(netpbm_to(paths["pal200"], "ppmtobmp", "-os2", "-bpp=8"))
    netpbm_expected("bmp-os2-8.bmp", "bmptopnm")
    open(out("bmp-os2-24.bmp"), "wb").write(netpbm_to(paths["photo"], "ppmtobmp", "-os2", "-bpp=24"))
    netpbm_expected("bmp-os2-24.bmp", "bmptopnm")

    run(CONVERT, paths["photo"], "-define", "bmp:subtype=RGB565", "BMP3:" + out("bmp-v3-565.bmp"))
    magick_expected("bmp-v3-565.bmp")

    # A v4 header (108 bytes): the v5 file without the v5 fields (rendering intent, profile).
    data = bytearray(open(out("bmp-v5-32.bmp"), "rb").read())
    assert struct.unpack_from("<I", data, 14)[0] == 124
    data = data[:14 + 108] + data[14 + 124:]
    struct.pack_into("<I", data, 14, 108)
    struct.pack_into("<I", data, 10, struct.unpack_from("<I", data, 10)[0] - 16)
    struct.pack_into("<I", data, 2, len(data))
    open(out("bmp-v4-32.bmp"), "wb").write(data)
    magick_expected("bmp-v4-32.bmp")

    # An OS/2 2.x header (64 bytes): the v3 fields followed by 24 bytes of zeros.
    data = bytearray(open(out("bmp-v3-24.bmp"), "rb").read())
    data = data[:54] + bytes(24) + data[54:]
    struct.pack_into("<I", data, 14, 64)
    struct.pack_into("<I", data, 10, 54 + 24)
    struct.pack_into("<I", data, 2, len(data))
    open(out("bmp-os2v2-24.bmp"), "wb").write(data)
    magick_expected("bmp-os2v2-24.bmp")

    # Top-down: the rows of the v3 file in reverse order under a negative height.
    data = bytearray(open(out("bmp-v3-24.bmp"), "rb").read())
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height = struct.unpack_from("<ii", data, 18)
    stride = (width * 24 + 31) // 32 * 4
    rows = [data[offset + i * stride: offset + (i + 1) * stride] for i in range(height)]
    data[offset:offset + stride * height] = b"".join(reversed(rows))
    struct.pack_into("<i", data, 22, -height)
    open(out("bmp-topdown.bmp"), "wb").write(data)
    magick_expected("bmp-topdown.bmp")


def make_pcx(paths):
    run(CONVERT, paths["photo"], "-density", "150", "-units", "PixelsPerInch", "PCX:" + out("pcx-24.pcx"))
    magick_expected("pcx-24.pcx")
    run(CONVERT, paths["pal200"], "-type", "Palette", "PCX:" + out("pcx-8.pcx"))
    magick_expected("pcx-8.pcx")
    Image.open(paths["bw"]).save(out("pcx-1.pcx"))
    pillow_expected("pcx-1.pcx")
    open(out("pcx-planar16.pcx"), "wb").write(netpbm_to(paths["pal16"], "ppmtopcx"))
    netpbm_expected("pcx-planar16.pcx", "pcxtoppm")
    open(out("pcx-packed4.pcx"), "wb").write(netpbm_to(paths["pal16"], "ppmtopcx", "-packed"))
    netpbm_expected("pcx-packed4.pcx", "pcxtoppm")
    open(out("pcx-packed2.pcx"), "wb").write(netpbm_to(paths["pal4"], "ppmtopcx", "-packed"))
    netpbm_expected("pcx-packed2.pcx", "pcxtoppm")
    open(out("pcx-twocolour.pcx"), "wb").write(netpbm_to(paths["two"], "ppmtopcx"))
    netpbm_expected("pcx-twocolour.pcx", "pcxtoppm")
    Image.open(paths["photo"]).convert("L").save(out("pcx-grey.pcx"))
    pillow_expected("pcx-grey.pcx")


def make_pnm(paths):
    shutil_copy(paths["photo"], out("pnm-p6.ppm"))
    netpbm_expected("pnm-p6.ppm", None)
    open(out("pnm-p5.pgm"), "wb").write(netpbm_to(paths["photo"], "ppmtopgm"))
    netpbm_expected("pnm-p5.pgm", None)
    shutil_copy(paths["bw"], out("pnm-p4.pbm"))
    netpbm_expected("pnm-p4.pbm", None)
    for raw, plain in (("pnm-p6.ppm", "pnm-p3.ppm"), ("pnm-p5.pgm", "pnm-p2.pgm"), ("pnm-p4.pbm", "pnm-p1.pbm")):
        open(out(plain), "wb").write(netpbm_to(out(raw), "pnmtopnm", "-plain"))
        netpbm_expected(plain, None)
    open(out("pnm-p6-16bit.ppm"), "wb").write(netpbm_to(paths["photo"], "pamdepth", "65535"))
    netpbm_expected("pnm-p6-16bit.ppm", None)
    open(out("pnm-p5-1000.pgm"), "wb").write(netpbm_to(out("pnm-p5.pgm"), "pamdepth", "1000"))
    netpbm_expected("pnm-p5-1000.pgm", None)
    # Comments between every header field.
    data = open(out("pnm-p3.ppm"), "rb").read()
    head, body = data.split(b"\n", 1)
    fields = body.split(None, 3)
    commented = head + b"# made for the tests\n" + fields[0] + b" #width\n" + fields[1] + \
        b"\n# height above\n" + fields[2] + b"\n" + fields[3]
    open(out("pnm-p3-comments.ppm"), "wb").write(commented)
    netpbm_expected("pnm-p3-comments.ppm", None)


def shutil_copy(src, dst):
    with open(src, "rb") as s, open(dst, "wb") as d:
        d.write(s.read())


def main():
    with tempfile.TemporaryDirectory() as tmp:
        paths, photo, _ = sources(tmp)
        make_gif(paths, photo)
        make_bmp(paths)
        make_pcx(paths)
        make_pnm(paths)


if __name__ == "__main__":
    main()
