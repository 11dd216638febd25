#!/usr/bin/env python3
"""Draws the six 32 x 32 side-bar icons as PNG files (no libraries beyond the standard ones).

Each icon is drawn at four times its size from a few simple shapes and then averaged down,
which gives smooth edges. Run it from any folder; it writes beside itself.
"""
import math
import os
import struct
import zlib

SIZE = 32
SCALE = 4
BIG = SIZE * SCALE


class Canvas:
    def __init__(self):
        self.px = [[(0, 0, 0, 0)] * BIG for _ in range(BIG)]

    def put(self, x, y, color):
        if 0 <= x < BIG and 0 <= y < BIG:
            self.px[y][x] = color

    def rect(self, x0, y0, x1, y1, color):
        for y in range(int(y0 * SCALE), int(y1 * SCALE)):
            for x in range(int(x0 * SCALE), int(x1 * SCALE)):
                self.put(x, y, color)

    def frame(self, x0, y0, x1, y1, width, color):
        self.rect(x0, y0, x1, y0 + width, color)
        self.rect(x0, y1 - width, x1, y1, color)
        self.rect(x0, y0, x0 + width, y1, color)
        self.rect(x1 - width, y0, x1, y1, color)

    def circle(self, cx, cy, r, color):
        for y in range(BIG):
            for x in range(BIG):
                dx = (x + 0.5) / SCALE - cx
                dy = (y + 0.5) / SCALE - cy
                if dx * dx + dy * dy <= r * r:
                    self.put(x, y, color)

    def polygon(self, points, color):
        for y in range(BIG):
            fy = (y + 0.5) / SCALE
            crossings = []
            for i in range(len(points)):
                (xa, ya), (xb, yb) = points[i], points[(i + 1) % len(points)]
                if (ya <= fy < yb) or (yb <= fy < ya):
                    crossings.append(xa + (fy - ya) * (xb - xa) / (yb - ya))
            crossings.sort()
            for a, b in zip(crossings[0::2], crossings[1::2]):
                for x in range(int(a * SCALE), int(b * SCALE)):
                    self.put(x, y, color)

    def png(self, path):
        rows = []
        for y in range(SIZE):
            row = bytearray([0])
            for x in range(SIZE):
                acc = [0, 0, 0, 0]
                for sy in range(SCALE):
                    for sx in range(SCALE):
                        r, g, b, a = self.px[y * SCALE + sy][x * SCALE + sx]
                        acc[0] += r * a
                        acc[1] += g * a
                        acc[2] += b * a
                        acc[3] += a
                alpha = acc[3] / (SCALE * SCALE)
                if acc[3]:
                    row += bytes([round(acc[0] / acc[3]), round(acc[1] / acc[3]),
                                  round(acc[2] / acc[3]), round(alpha)])
                else:
                    row += bytes([0, 0, 0, 0])
            rows.append(bytes(row))

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

        header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)
        with open(path, "wb") as out:
            out.write(b"\x89PNG\r\n\x1a\n")
            out.write(chunk(b"IHDR", header))
            out.write(chunk(b"IDAT", zlib.compress(b"".join(rows), 9)))
            out.write(chunk(b"IEND", b""))


OUTLINE = (60, 60, 70, 255)
PAPER = (250, 250, 245, 255)
SKY = (120, 180, 235, 255)
HILL = (70, 150, 80, 255)
SUN = (250, 200, 60, 255)
ACCENT = (200, 70, 50, 255)
STEEL = (130, 140, 155, 255)
WOOD = (160, 110, 60, 255)


def picture(c, x0, y0, x1, y1, border=1.0):
    c.rect(x0, y0, x1, y1, OUTLINE)
    c.rect(x0 + border, y0 + border, x1 - border, y1 - border, SKY)
    w, h = x1 - x0, y1 - y0
    c.circle(x0 + w * 0.72, y0 + h * 0.32, min(w, h) * 0.13, SUN)
    c.polygon([(x0 + border, y1 - border), (x0 + w * 0.38, y0 + h * 0.45),
               (x0 + w * 0.7, y1 - border)], HILL)
    c.polygon([(x0 + w * 0.45, y1 - border), (x0 + w * 0.72, y0 + h * 0.6),
               (x1 - border, y1 - border)], (50, 120, 60, 255))


def files():
    c = Canvas()
    for i, shade in enumerate([(215, 215, 210, 255), (232, 232, 228, 255), PAPER]):
        x, y = 5 + i * 3, 3 + i * 3
        c.rect(x, y, x + 17, y + 22, OUTLINE)
        c.rect(x + 1, y + 1, x + 16, y + 21, shade)
    for line in range(4):
        c.rect(14, 14 + line * 3.2, 25, 15 + line * 3.2, STEEL)
    return c


def images():
    c = Canvas()
    picture(c, 2, 5, 30, 27, 1.5)
    return c


def thumbnails():
    c = Canvas()
    for row in range(2):
        for col in range(2):
            x, y = 2 + col * 15, 3 + row * 14
            picture(c, x, y, x + 13, y + 12)
    return c


def gallery():
    c = Canvas()
    c.rect(2, 2, 30, 30, OUTLINE)
    c.rect(3, 3, 29, 29, PAPER)
    c.rect(3, 3, 29, 8, (200, 204, 204, 255))
    for row in range(2):
        for col in range(3):
            x, y = 5 + col * 8, 10 + row * 9.5
            picture(c, x, y, x + 6.5, y + 7.5, 0.75)
    return c


def advanced():
    c = Canvas()
    teeth = []
    for i in range(16):
        angle = i * math.pi / 8
        r = 14 if i % 2 == 0 else 10.5
        for da in (-0.17, 0.17):
            teeth.append((16 + r * math.cos(angle + da), 16 + r * math.sin(angle + da)))
    c.polygon(teeth, OUTLINE)
    c.circle(16, 16, 9.5, STEEL)
    c.circle(16, 16, 4.5, PAPER)
    return c


def build():
    c = Canvas()
    c.polygon([(7, 27), (10, 30), (22, 15), (19, 12)], WOOD)
    c.polygon([(14, 8), (22, 2), (30, 10), (24, 16), (21, 13), (17, 11)], STEEL)
    c.polygon([(22, 2), (30, 10), (28.5, 11.5), (20.5, 3.5)], OUTLINE)
    c.circle(7, 27, 2.2, ACCENT)
    return c


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    for name, draw in [("files", files), ("images", images), ("thumbnails", thumbnails),
                       ("gallery", gallery), ("advanced", advanced), ("build", build)]:
        draw().png(os.path.join(here, name + ".png"))
        print("wrote", name + ".png")
