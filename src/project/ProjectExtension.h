#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace fotoplex {

class TProject;

// The optional block after the settings block, home of the settings the fixed layout
// has no room for. Layout: the 8-byte signature, the length of the text as a 4-byte
// little-endian number, then the text: UTF-8 lines "Name=value", each ended by a line feed.
// The block is the last thing in the file.
inline constexpr std::uint8_t kExtensionSignature[8] = {'F', 'P', 'X', 'E', 'X', 'T', '0', '1'};
inline constexpr std::size_t kExtensionHeaderSize = sizeof kExtensionSignature + 4;
// A longer text is taken for damage; this version writes a few dozen bytes.
inline constexpr std::size_t kMaxExtensionText = 1 << 20;

// The block for the project, or nothing when every extension setting has its default and no
// unknown line is kept (so that such a project is exactly the plain file).
std::vector<std::uint8_t> extensionBlock(const TProject& project);

// Takes the extension settings from `tail`, every byte after the settings block. They are
// set to their defaults first; a tail that is empty, foreign or damaged leaves them there.
// Known names with a value this version does not know keep the default; unknown names are
// kept in UnknownExtensionLines.
void readExtensionBlock(TProject& project, std::span<const std::uint8_t> tail);

} // namespace fotoplex
