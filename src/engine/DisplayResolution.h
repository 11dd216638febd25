#pragma once

#include <cstdint>

namespace fotoplex {

// The display's logical resolution in dots per inch, written as the JPEG density of pictures
// whose source gave none. Without a display at hand this is 96; a front end that knows the
// real value hands it to each `RasterImage` it creates.
std::int32_t defaultDisplayResolution();

} // namespace fotoplex
