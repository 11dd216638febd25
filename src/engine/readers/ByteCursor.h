#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace fotoplex {

// Reads numbers and byte runs from a block of memory, never past its end.
// A read past the end returns zero (or an empty span) and marks the cursor as overrun;
// a reader checks `overrun()` after a group of reads instead of after each one.
class ByteCursor {
public:
    explicit ByteCursor(std::span<const std::uint8_t> data) : data_(data) {}

    std::size_t size() const { return data_.size(); }
    std::size_t position() const { return position_; }
    std::size_t remaining() const { return data_.size() - position_; }
    bool atEnd() const { return position_ >= data_.size(); }
    bool overrun() const { return overrun_; }

    // Moves to an absolute offset; an offset past the end marks an overrun.
    bool seek(std::uint64_t offset) {
        if (offset > data_.size()) {
            position_ = data_.size();
            overrun_ = true;
            return false;
        }
        position_ = static_cast<std::size_t>(offset);
        return true;
    }

    bool skip(std::uint64_t count) {
        if (count > remaining()) {
            position_ = data_.size();
            overrun_ = true;
            return false;
        }
        position_ += static_cast<std::size_t>(count);
        return true;
    }

    // The next byte without moving; -1 at the end.
    int peek() const { return atEnd() ? -1 : data_[position_]; }

    std::uint8_t u8() {
        if (atEnd()) {
            overrun_ = true;
            return 0;
        }
        return data_[position_++];
    }

    std::uint16_t u16le() {
        const std::uint16_t low = u8();
        return static_cast<std::uint16_t>(low | (u8() << 8));
    }

    std::uint32_t u32le() {
        const std::uint32_t low = u16le();
        return low | (static_cast<std::uint32_t>(u16le()) << 16);
    }

    std::int32_t i32le() { return static_cast<std::int32_t>(u32le()); }

    std::uint16_t u16be() {
        const std::uint16_t high = u8();
        return static_cast<std::uint16_t>((high << 8) | u8());
    }

    // The next `count` bytes, or fewer when the data ends first (then marks an overrun).
    std::span<const std::uint8_t> bytes(std::size_t count) {
        if (count > remaining()) {
            overrun_ = true;
            count = remaining();
        }
        const auto run = data_.subspan(position_, count);
        position_ += count;
        return run;
    }

private:
    std::span<const std::uint8_t> data_;
    std::size_t position_ = 0;
    bool overrun_ = false;
};

} // namespace fotoplex
