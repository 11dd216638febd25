#include "engine/DisplayResolution.h"

namespace fotoplex {

std::int32_t defaultDisplayResolution() {
    return 96;
}

} // namespace fotoplex
