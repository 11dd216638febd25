#include "engine/readers/GifLzw.h"

#include <algorithm>

namespace fotoplex {

GifLzwDecoder::GifLzwDecoder(int minimumCodeSize)
    : minimumCodeSize_(minimumCodeSize), clearCode_(1 << minimumCodeSize),
      endCode_(clearCode_ + 1) {
    for (int code = 0; code < clearCode_; ++code) {
        suffix_[code] = static_cast<std::uint8_t>(code);
        first_[code] = static_cast<std::uint8_t>(code);
        length_[code] = 1;
    }
    resetTable();
}

void GifLzwDecoder::resetTable() {
    codeBits_ = minimumCodeSize_ + 1;
    nextCode_ = clearCode_ + 2;
    previous_ = -1;
}

// Writes the string of `code` at out[written...], cut where out ends.
void GifLzwDecoder::emit(int code, std::span<std::uint8_t> out, std::size_t& written) const {
    const std::size_t length = length_[code];
    std::size_t position = length;
    int walk = code;
    while (position > 0) {
        --position;
        if (written + position < out.size())
            out[written + position] = suffix_[walk];
        walk = prefix_[walk];
    }
    written = std::min(written + length, out.size());
}

GifLzwDecoder::Stop GifLzwDecoder::decode(std::span<const std::uint8_t> codes,
                                          std::span<std::uint8_t> out, std::size_t& written) {
    written = 0;
    std::uint32_t bitBuffer = 0;
    int bitCount = 0;
    std::size_t position = 0;
    while (written < out.size()) {
        while (bitCount < codeBits_ && position < codes.size()) {
            bitBuffer |= static_cast<std::uint32_t>(codes[position++]) << bitCount;
            bitCount += 8;
        }
        if (bitCount < codeBits_)
            return Stop::DataEnded;
        const int code = static_cast<int>(bitBuffer & ((1u << codeBits_) - 1));
        bitBuffer >>= codeBits_;
        bitCount -= codeBits_;

        if (code == clearCode_) {
            resetTable();
            continue;
        }
        if (code == endCode_)
            return Stop::EndCode;
        if (previous_ < 0) {
            // The first code after a clear must be a single colour.
            if (code > clearCode_)
                return Stop::BadCode;
            out[written++] = static_cast<std::uint8_t>(code);
            previous_ = code;
            continue;
        }
        if (code > nextCode_ || (code == nextCode_ && nextCode_ >= kTableSize))
            return Stop::BadCode;
        if (nextCode_ < kTableSize) {
            // The new entry is the previous string plus the first colour of this one; for a
            // code not yet in the table that first colour is the previous string's own.
            const std::uint8_t firstColour = code < nextCode_ ? first_[code] : first_[previous_];
            prefix_[nextCode_] = static_cast<std::uint16_t>(previous_);
            suffix_[nextCode_] = firstColour;
            first_[nextCode_] = first_[previous_];
            length_[nextCode_] = static_cast<std::uint16_t>(length_[previous_] + 1);
            ++nextCode_;
            if (nextCode_ == (1 << codeBits_) && codeBits_ < kMaxCodeBits)
                ++codeBits_;
        }
        emit(code, out, written);
        previous_ = code;
    }
    return Stop::OutputFull;
}

} // namespace fotoplex
