#pragma once

#include "engine/Picture.h"

namespace fotoplex {

// A 24-bit copy of a picture: 1-bit pixels become black (0, 0, 0) or white (255, 255, 255).
// The alpha channel is carried over.
Picture widenToRgb(const Picture& picture);

} // namespace fotoplex
