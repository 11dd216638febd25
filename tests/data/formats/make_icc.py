"""Writes a small ICC v2 display profile with the Display P3 primaries (D65 white, adapted
to the profile connection space's D50 by Bradford) and a 2.2 gamma curve: enough for a
colour-managed viewer, and distinctive bytes for the carrying tests."""
import struct
import sys


def s15(v):
    return struct.pack(">i", int(round(v * 65536)))


def xyz_tag(x, y, z):
    return b"XYZ " + b"\0" * 4 + s15(x) + s15(y) + s15(z)


def text_tag(text):
    return b"text" + b"\0" * 4 + text.encode() + b"\0"


def desc_tag(text):
    t = text.encode() + b"\0"
    return (b"desc" + b"\0" * 4 + struct.pack(">I", len(t)) + t + b"\0" * 8 + b"\0" * 3 + b"\0" * 67)


def curve_tag(gamma):
    return b"curv" + b"\0" * 4 + struct.pack(">I", 1) + struct.pack(">H", int(gamma * 256)) + b"\0\0"


# Display P3 primaries adapted to D50 (columns of the RGB to XYZ matrix).
red = (0.515102, 0.241182, -0.001050)
green = (0.291965, 0.692236, 0.041882)
blue = (0.157153, 0.066582, 0.784378)
tags = [
    (b"desc", desc_tag("Fotoplex test Display P3")),
    (b"cprt", text_tag("No copyright, test profile")),
    (b"wtpt", xyz_tag(0.9642, 1.0, 0.8249)),
    (b"rXYZ", xyz_tag(*red)),
    (b"gXYZ", xyz_tag(*green)),
    (b"bXYZ", xyz_tag(*blue)),
    (b"rTRC", curve_tag(2.2)),
    (b"gTRC", curve_tag(2.2)),
    (b"bTRC", curve_tag(2.2)),
]
table = struct.pack(">I", len(tags))
offset = 128 + 4 + 12 * len(tags)
data = b""
for sig, body in tags:
    while len(body) % 4:
        body += b"\0"
    table += sig + struct.pack(">II", offset + len(data), len(body))
    data += body
size = 128 + len(table) + len(data)
header = struct.pack(">I", size) + b"none" + bytes([2, 0x10, 0, 0]) + b"mntrRGB XYZ "
header += struct.pack(">6H", 2026, 1, 1, 0, 0, 0) + b"acsp" + b"APPL" + b"\0" * 4
header += b"\0" * 8 + b"\0" * 8 + struct.pack(">I", 0)
header += s15(0.9642) + s15(1.0) + s15(0.8249) + b"none" + b"\0" * 44
assert len(header) == 128, len(header)
open(sys.argv[1], "wb").write(header + table + data)
