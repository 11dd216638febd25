#pragma once

#include "engine/Picture.h"

#include <QImage>

namespace fotoplex {

// A picture of the engine as an image the window can draw, transparency included.
QImage toQImage(const Picture& picture);

} // namespace fotoplex
