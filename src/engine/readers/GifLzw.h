#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace fotoplex {

// The variable-length LZW code of GIF image data: codes packed least significant bit
// first, growing from minimumCodeSize + 1 to 12 bits, with clear and end codes.
class GifLzwDecoder {
public:
    enum class Stop {
        OutputFull, // every pixel has a value
        EndCode,    // the end code came first
        DataEnded,  // the codes ran out first
        BadCode     // a code that is not in the table
    };

    // minimumCodeSize must be 1 to 11 (see validMinimumCodeSize).
    explicit GifLzwDecoder(int minimumCodeSize);

    static bool validMinimumCodeSize(int size) { return size >= 1 && size <= 11; }

    // Decodes the codes in `codes` into `out` until one of the Stop reasons; `written`
    // tells how many indices were stored.
    Stop decode(std::span<const std::uint8_t> codes, std::span<std::uint8_t> out,
                std::size_t& written);

private:
    static constexpr int kMaxCodeBits = 12;
    static constexpr int kTableSize = 1 << kMaxCodeBits;

    void resetTable();
    void emit(int code, std::span<std::uint8_t> out, std::size_t& written) const;

    int minimumCodeSize_;
    int clearCode_;
    int endCode_;
    int codeBits_ = 0;
    int nextCode_ = 0;
    int previous_ = -1;
    std::array<std::uint16_t, kTableSize> prefix_{};
    std::array<std::uint8_t, kTableSize> suffix_{};
    std::array<std::uint8_t, kTableSize> first_{};
    std::array<std::uint16_t, kTableSize> length_{};
};

} // namespace fotoplex
