// The Exif item of a HEIF or AVIF file: named in the metadata box's item list (iinf), placed
// by its item locations (iloc), either in the file or in the box's own data (idat).
#include "engine/dates/ExifBlockPlace.h"
#include "engine/readers/ByteCursor.h"

#include <cstring>

namespace fotoplex {

namespace {

constexpr int kMaxBoxes = 512;
constexpr std::uint32_t kMaxItems = 4096;

std::uint32_t u32be(ByteCursor& in) {
    const std::uint32_t high = in.u16be();
    return (high << 16) | in.u16be();
}

// An unsigned number of 0, 4 or 8 bytes, as the item locations declare their field sizes.
std::uint64_t sizedNumber(ByteCursor& in, unsigned size) {
    if (size == 4) {
        return u32be(in);
    }
    if (size == 8) {
        const std::uint64_t high = u32be(in);
        return (high << 32) | u32be(in);
    }
    if (size != 0) {
        in.skip(in.remaining() + 1); // an undefined size: treat the box as damaged
    }
    return 0;
}

struct Box {
    char type[4] = {};
    std::span<const std::uint8_t> body;
};

// The next box of a run of boxes in memory; nothing at the end or on a damaged header.
std::optional<Box> nextBox(ByteCursor& in) {
    if (in.remaining() < 8) {
        return std::nullopt;
    }
    std::uint64_t size = u32be(in);
    Box box;
    std::memcpy(box.type, in.bytes(4).data(), 4);
    std::uint64_t header = 8;
    if (size == 1) {
        size = sizedNumber(in, 8);
        header = 16;
    } else if (size == 0) {
        size = header + in.remaining();
    }
    if (in.overrun() || size < header || size - header > in.remaining()) {
        return std::nullopt;
    }
    box.body = in.bytes(static_cast<std::size_t>(size - header));
    return box;
}

bool isType(const Box& box, const char* type) {
    return std::memcmp(box.type, type, 4) == 0;
}

// The item id of the first item of type "Exif" in the item information box.
std::optional<std::uint32_t> exifItemId(std::span<const std::uint8_t> iinf) {
    ByteCursor in(iinf);
    const std::uint8_t version = in.u8();
    in.skip(3);
    const std::uint32_t count = version == 0 ? in.u16be() : u32be(in);
    for (std::uint32_t i = 0; i < count && i < kMaxItems; ++i) {
        const auto infe = nextBox(in);
        if (!infe) {
            return std::nullopt;
        }
        if (!isType(*infe, "infe")) {
            continue;
        }
        ByteCursor entry(infe->body);
        const std::uint8_t entryVersion = entry.u8();
        entry.skip(3);
        if (entryVersion < 2) {
            continue; // no item type before version 2
        }
        const std::uint32_t id = entryVersion == 2 ? entry.u16be() : u32be(entry);
        entry.skip(2); // protection index
        const auto type = entry.bytes(4);
        if (!entry.overrun() && std::memcmp(type.data(), "Exif", 4) == 0) {
            return id;
        }
    }
    return std::nullopt;
}

struct ItemPlace {
    unsigned method = 0; // 0 in the file, 1 in the idat box
    std::uint64_t offset = 0;
    std::uint64_t length = 0;
};

// Where the item lies, by its first extent (an Exif item is one run of bytes).
std::optional<ItemPlace> itemPlace(std::span<const std::uint8_t> iloc, std::uint32_t wanted) {
    ByteCursor in(iloc);
    const std::uint8_t version = in.u8();
    in.skip(3);
    if (version > 2) {
        return std::nullopt;
    }
    const std::uint8_t sizes = in.u8();
    const std::uint8_t moreSizes = in.u8();
    const unsigned offsetSize = sizes >> 4;
    const unsigned lengthSize = sizes & 15U;
    const unsigned baseOffsetSize = moreSizes >> 4;
    const unsigned indexSize = version == 0 ? 0 : (moreSizes & 15U);
    const std::uint32_t count = version < 2 ? in.u16be() : u32be(in);
    for (std::uint32_t i = 0; i < count && i < kMaxItems && !in.overrun(); ++i) {
        const std::uint32_t id = version < 2 ? in.u16be() : u32be(in);
        ItemPlace place;
        if (version >= 1) {
            place.method = in.u16be() & 15U;
        }
        in.skip(2); // data reference index
        const std::uint64_t base = sizedNumber(in, baseOffsetSize);
        const std::uint16_t extents = in.u16be();
        for (std::uint16_t e = 0; e < extents && !in.overrun(); ++e) {
            sizedNumber(in, indexSize);
            const std::uint64_t offset = sizedNumber(in, offsetSize);
            const std::uint64_t length = sizedNumber(in, lengthSize);
            if (e == 0) {
                place.offset = base + offset;
                place.length = length;
            }
        }
        if (in.overrun()) {
            return std::nullopt;
        }
        if (id == wanted && extents > 0) {
            return place;
        }
    }
    return std::nullopt;
}

// The Exif item starts with the offset of the TIFF structure within the rest of the item.
std::optional<ExifBlock> skipTiffOffset(ExifBlock item) {
    const auto head = item.read(0, 4);
    if (!head) {
        return std::nullopt;
    }
    ByteCursor in(*head);
    const std::uint64_t skipped = 4 + std::uint64_t{u32be(in)};
    if (skipped > item.length()) {
        return std::nullopt;
    }
    return item.tail(skipped);
}

std::optional<ExifBlock> exifFromMeta(BoundedFile& file, std::span<const std::uint8_t> meta) {
    ByteCursor in(meta);
    in.skip(4); // version and flags
    std::span<const std::uint8_t> iinf;
    std::span<const std::uint8_t> iloc;
    std::span<const std::uint8_t> idat;
    for (int i = 0; i < kMaxBoxes; ++i) {
        const auto box = nextBox(in);
        if (!box) {
            break;
        }
        if (isType(*box, "iinf")) {
            iinf = box->body;
        } else if (isType(*box, "iloc")) {
            iloc = box->body;
        } else if (isType(*box, "idat")) {
            idat = box->body;
        }
    }
    const auto id = exifItemId(iinf);
    if (!id) {
        return std::nullopt;
    }
    const auto place = itemPlace(iloc, *id);
    if (!place) {
        return std::nullopt;
    }
    if (place->method == 0) {
        if (place->offset > file.size() || file.size() - place->offset < place->length) {
            return std::nullopt;
        }
        return skipTiffOffset(ExifBlock::inFile(file, place->offset, place->length));
    }
    if (place->method == 1 && place->offset <= idat.size() &&
        idat.size() - place->offset >= place->length) {
        const auto bytes = idat.subspan(static_cast<std::size_t>(place->offset),
                                        static_cast<std::size_t>(place->length));
        return skipTiffOffset(ExifBlock::held({bytes.begin(), bytes.end()}));
    }
    return std::nullopt;
}

} // namespace

std::optional<ExifBlock> locateHeifExif(BoundedFile& file) {
    std::uint64_t position = 0;
    for (int i = 0; i < kMaxBoxes && position < file.size(); ++i) {
        const auto head = file.read(position, 16 <= file.size() - position ? 16 : 8);
        if (!head) {
            return std::nullopt;
        }
        ByteCursor in(*head);
        std::uint64_t size = u32be(in);
        const auto type = in.bytes(4);
        std::uint64_t header = 8;
        if (size == 1 && head->size() == 16) {
            size = sizedNumber(in, 8);
            header = 16;
        } else if (size == 0) {
            size = file.size() - position;
        }
        if (size < header || size > file.size() - position) {
            return std::nullopt;
        }
        if (std::memcmp(type.data(), "meta", 4) == 0) {
            if (size - header > BoundedFile::kMaxRead) {
                return std::nullopt;
            }
            const auto meta = file.read(position + header, static_cast<std::size_t>(size - header));
            return meta ? exifFromMeta(file, *meta) : std::nullopt;
        }
        position += size;
    }
    return std::nullopt;
}

} // namespace fotoplex
