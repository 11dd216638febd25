#pragma once

// The pictures of the modern page style: boxes bounded on both sides (a portrait in a
// 640 x 480 box becomes 360 x 480, since a responsive page has no fixed table to fill),
// transparent areas laid onto the page background, and a second version of every thumbnail
// and resized image at twice its size for sharp screens, never enlarged past its source.
// The classic style runs none of this.

#include "production/ImageJobs.h"
#include "production/ProductionQueue.h"

#include <cstdint>
#include <optional>

namespace fotoplex {

struct PixelSize {
    std::int32_t width = 0;
    std::int32_t height = 0;

    bool operator==(const PixelSize&) const = default;
};

// The largest size of the source's proportions inside the box (each side at least 1).
PixelSize FitBothSides(PixelSize source, PixelSize box);

// The sharp version of a picture shown at `shown`, made from a source of `source` pixels
// into a box twice `box`: the fitted size when the source has that many pixels, else (with
// the aspect kept) the source's own size when that is still larger than shown; nothing
// when the source has no more pixels to give.
std::optional<PixelSize> SharpSize(PixelSize source, PixelSize shown, PixelSize box,
                                   bool keepAspect);

// In the modern style: the order's box becomes the exact size bounded on both sides (from the
// source's upright size, read from its header with `headerReader`) and its transparent areas
// go onto the page background colour. A source whose header cannot be read keeps the order's
// box. In the classic style the order stays as it is.
void ShapeForPageStyle(const TProject& project, RasterImage& headerReader, WorkOrder& order);

// Makes the sharp version of every thumbnail and (when resizing) every resized image, in
// list order with the job's workers, after the image and thumbnail jobs of the same run.
// Nothing happens in the classic style. Under "Overwrite" a sharp version the build record
// knows to be current stays; under "Ask me" and "Skip" an existing one stays without a
// question (the picture it sharpens had its question). A sharp version whose source has no
// more pixels to give is removed, so that no page offers a stale one.
void SharpPictureJob(JobContext& job);

} // namespace fotoplex
