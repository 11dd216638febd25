"""Adds one transformation property to the primary item of a HEIF file, as heif-enc (which
cannot write them) leaves it untransformed:

    make_transformed_heic.py IN OUT irot ANGLE   turn by ANGLE x 90 degrees anticlockwise
    make_transformed_heic.py IN OUT imir AXIS    mirror (AXIS 0 or 1)
    make_transformed_heic.py IN OUT clap W,H,DX,DY
                                  crop to W x H, its centre DX, DY pixels off the picture's

libheif (1.15, and heif-convert with it) exchanges top and bottom for imir AXIS 0 and left and
right for AXIS 1; its encoder writes EXIF orientation 2 (left and right exchanged) as AXIS 1.
The 2017 wording "a vertical (axis = 0) axis for the mirroring" reads the other way.

The property goes at the end of meta > iprp > ipco; the primary item's entry in ipma, and
those of its auxiliary images (an alpha plane: iref 'auxl' to the primary, which must turn
with it), get an essential association with it, last of their associations (ipma switches
to two-byte indices when the new index does not fit in seven bits). The sizes of ipco, iprp and meta grow with it,
and every iloc offset into the file that lies after the inserted bytes (the coded data in
mdat) moves by as many bytes. Standard library only."""
import struct
import sys


class Box:
    def __init__(self, kind, start, header, end):
        self.kind = kind  # four-character type
        self.start = start  # of the size field
        self.header = header  # 8, or 16 with a 64-bit size
        self.end = end

    @property
    def payload(self):
        return self.start + self.header


def boxes(data, start, end):
    found = []
    position = start
    while position < end:
        if end - position < 8:
            raise ValueError(f"a box header cut at {position}")
        size, kind = struct.unpack_from(">I4s", data, position)
        header = 8
        if size == 1:
            if end - position < 16:
                raise ValueError(f"a 64-bit box size cut at {position}")
            (size,) = struct.unpack_from(">Q", data, position + 8)
            header = 16
        elif size == 0:
            size = end - position
        if size < header or size > end - position:
            raise ValueError(f"box {kind!r} at {position} has size {size} outside its parent")
        found.append(Box(kind.decode("latin-1"), position, header, position + size))
        position += size
    return found


def only(children, kind):
    matches = [b for b in children if b.kind == kind]
    if len(matches) != 1:
        raise ValueError(f"expected one {kind} box, found {len(matches)}")
    return matches[0]


def full_box(data, box):
    """Version and flags of a full box."""
    if box.end - box.payload < 4:
        raise ValueError(f"{box.kind} too short")
    (word,) = struct.unpack_from(">I", data, box.payload)
    return word >> 24, word & 0xFFFFFF


class Reader:
    def __init__(self, data, start, end):
        self.data, self.position, self.end = data, start, end

    def take(self, size):
        if size == 0:
            return 0
        if self.position + size > self.end:
            raise ValueError(f"a field runs past its box at {self.position}")
        value = int.from_bytes(self.data[self.position:self.position + size], "big")
        self.position += size
        return value


def primary_item(data, meta_children):
    pitm = only(meta_children, "pitm")
    version, _ = full_box(data, pitm)
    return Reader(data, pitm.payload + 4, pitm.end).take(2 if version == 0 else 4)


def auxiliary_items(data, meta_children, primary):
    """The items whose 'auxl' reference points at the primary item (alpha, depth)."""
    irefs = [b for b in meta_children if b.kind == "iref"]
    if not irefs:
        return []
    iref = only(meta_children, "iref")
    version, _ = full_box(data, iref)
    width = 2 if version == 0 else 4
    found = []
    for reference in boxes(data, iref.payload + 4, iref.end):
        r = Reader(data, reference.payload, reference.end)
        source = r.take(width)
        targets = [r.take(width) for _ in range(r.take(2))]
        if reference.kind == "auxl" and primary in targets:
            found.append(source)
    return found


def read_ipma(data, ipma):
    version, flags = full_box(data, ipma)
    r = Reader(data, ipma.payload + 4, ipma.end)
    entries = []
    for _ in range(r.take(4)):
        item = r.take(2 if version < 1 else 4)
        associations = []
        for _ in range(r.take(1)):
            if flags & 1:
                value = r.take(2)
                associations.append((value >> 15, value & 0x7FFF))
            else:
                value = r.take(1)
                associations.append((value >> 7, value & 0x7F))
        entries.append([item, associations])
    if r.position != ipma.end:
        raise ValueError("ipma has bytes after its entries")
    return version, flags, entries


def write_ipma(version, flags, entries):
    if any(index > 0x7F for _, associations in entries for _, index in associations):
        flags |= 1
    body = struct.pack(">I", (version << 24) | flags) + struct.pack(">I", len(entries))
    for item, associations in entries:
        body += item.to_bytes(2 if version < 1 else 4, "big")
        if len(associations) > 255:
            raise ValueError(f"item {item} has too many properties")
        body += bytes([len(associations)])
        for essential, index in associations:
            if flags & 1:
                body += struct.pack(">H", (essential << 15) | index)
            else:
                body += bytes([(essential << 7) | index])
    return struct.pack(">I4s", 8 + len(body), b"ipma") + body


def moved_iloc(data, iloc, shift):
    """The iloc box with every file offset passed through shift(), same size."""
    version, _ = full_box(data, iloc)
    out = bytearray(data[iloc.start:iloc.end])
    r = Reader(data, iloc.payload + 4, iloc.end)
    sizes = r.take(2)
    offset_size, length_size = sizes >> 12, (sizes >> 8) & 15
    base_size, index_size = (sizes >> 4) & 15, (sizes & 15 if version in (1, 2) else 0)
    for size in (offset_size, length_size, base_size, index_size):
        if size not in (0, 4, 8):
            raise ValueError(f"iloc field size {size}")
    for _ in range(r.take(2 if version < 2 else 4)):
        item = r.take(2 if version < 2 else 4)
        method = r.take(2) & 15 if version in (1, 2) else 0
        reference = r.take(2)
        base_at = r.position
        base = r.take(base_size)
        extents = []
        for _ in range(r.take(2)):
            r.take(index_size)
            extents.append((r.position, r.take(offset_size)))
            r.take(length_size)
        if method != 0 or reference != 0:
            continue  # in idat, another item or another file: not a place in this file
        moves = {shift(base + offset) - (base + offset) for _, offset in extents} or {0}
        if len(moves) != 1:
            raise ValueError(f"item {item} has extents on both sides of the inserted bytes")
        move = moves.pop()
        if move == 0:
            continue
        # The base offset carries the move when it is stored; otherwise each extent offset.
        fields = [(base_at, base_size, base)] if base_size else [
            (at, offset_size, offset) for at, offset in extents]
        for at, size, value in fields:
            if size == 0:
                raise ValueError(f"item {item} has no offset field to move")
            if value + move >= 1 << (8 * size):
                raise ValueError(f"item {item}'s moved offset does not fit its field")
            at -= iloc.start
            out[at:at + size] = (value + move).to_bytes(size, "big")
    return bytes(out)


def size_field(box, new_size):
    """The replacement of a box's size field."""
    if box.header == 16:
        return (box.start + 8, 8, struct.pack(">Q", new_size))
    if new_size >= 1 << 32:
        raise ValueError(f"{box.kind} grew past a 32-bit size")
    return (box.start, 4, struct.pack(">I", new_size))


def property_box(kind, value):
    if kind == "clap":  # a plain box of eight fractions, each over 1
        w, h, dx, dy = value
        return struct.pack(">I4s8i", 40, b"clap", w, 1, h, 1, dx, 1, dy, 1)
    return struct.pack(">I4sB", 9, kind.encode(), value)


def transformed(data, kind, value):
    top = boxes(data, 0, len(data))
    meta = only(top, "meta")
    full_box(data, meta)
    meta_children = boxes(data, meta.payload + 4, meta.end)
    iprp = only(meta_children, "iprp")
    iprp_children = boxes(data, iprp.payload, iprp.end)
    ipco = only(iprp_children, "ipco")
    ipma = only(iprp_children, "ipma")
    iloc = only(meta_children, "iloc")

    prop = property_box(kind, value)
    index = len(boxes(data, ipco.payload, ipco.end)) + 1
    version, flags, entries = read_ipma(data, ipma)
    primary = primary_item(data, meta_children)
    for item in [primary] + auxiliary_items(data, meta_children, primary):
        entry = next((e for e in entries if e[0] == item), None)
        if entry is None:
            entry = [item, []]
            entries.append(entry)
            entries.sort(key=lambda e: e[0])
        entry[1].append((1, index))
    new_ipma = write_ipma(version, flags, entries)

    inserted = len(prop)
    grown = len(new_ipma) - (ipma.end - ipma.start)

    def shift(position):
        return (position + (inserted if position >= ipco.end else 0) +
                (grown if position >= ipma.end else 0))

    edits = [  # (position, length replaced, new bytes) in the original file
        (ipco.end, 0, prop),
        (ipma.start, ipma.end - ipma.start, new_ipma),
        (iloc.start, iloc.end - iloc.start, moved_iloc(data, iloc, shift)),
        size_field(ipco, ipco.end - ipco.start + inserted),
        size_field(iprp, iprp.end - iprp.start + inserted + grown),
        size_field(meta, meta.end - meta.start + inserted + grown),
    ]
    out = bytearray(data)
    # From the end backwards, so earlier positions stay valid; at one position the replaced
    # box goes in before the bytes inserted in front of it.
    for position, length, new in sorted(edits, key=lambda e: (e[0], e[1]), reverse=True):
        out[position:position + length] = new
    return bytes(out)


def main():
    if len(sys.argv) != 5 or sys.argv[3] not in ("irot", "imir", "clap"):
        sys.exit(__doc__)
    kind = sys.argv[3]
    if kind == "clap":
        value = tuple(int(v) for v in sys.argv[4].split(","))
        if len(value) != 4 or value[0] <= 0 or value[1] <= 0:
            sys.exit("clap takes W,H,DX,DY with W and H above 0")
    else:
        value = int(sys.argv[4])
        if not 0 <= value <= (3 if kind == "irot" else 1):
            sys.exit(f"{kind} takes 0 to {3 if kind == 'irot' else 1}")
    data = open(sys.argv[1], "rb").read()
    open(sys.argv[2], "wb").write(transformed(data, kind, value))


if __name__ == "__main__":
    main()
