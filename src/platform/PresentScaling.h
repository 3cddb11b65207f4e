// Where a presented picture lands in the window's output and how it is scaled
// there: the destination rectangle, the black bars beside it, the filter and a
// whole-number enlargement made before the filtered copy. No SDL here.
#pragma once

#include "platform/VideoTypes.h"

#include <cstdint>
#include <vector>

namespace platform {

enum class ScaleFit {
    Stretch, // windowed: the picture covers the whole client area
    KeepProportions, // full screen: as large as fits unchanged in shape, black bars beside
};

enum class ScaleFilter {
    Nearest, // every output pixel takes the nearest picture pixel
    Linear, // output pixels blend the four nearest picture pixels
};

struct PresentScaling {
    Rect destination; // in output pixels; empty when the output has no area
    // The picture is first enlarged by these whole factors with Nearest, then
    // copied into `destination` with `filter`. 1 and 1: copied directly.
    int32_t preScaleX = 1;
    int32_t preScaleY = 1;
    ScaleFilter filter = ScaleFilter::Nearest;

    bool NeedsPreScale() const { return preScaleX > 1 || preScaleY > 1; }
    bool operator==(const PresentScaling&) const = default;
};

// The sharpest good-looking scaling of a picture onto an output:
// - a size that is a whole multiple of the picture on both axes (1:1, 2:1, ...)
//   is copied with Nearest, exactly;
// - any other enlargement is first enlarged with Nearest by the next whole
//   factor above and then reduced with Linear to the destination. At 1.8
//   (800 x 600 full screen at 1920 x 1080) plain Nearest draws every fifth
//   picture column and row one output pixel wide and the others two, so one-
//   pixel lines in text and tile outlines change width with their position;
//   plain Linear spreads every edge over two or three pixels and blurs the
//   small font. Enlarged 2:1 and reduced by 0.9, each picture pixel becomes a
//   solid block with at most one blended pixel at its edges: even widths and
//   edges as sharp as the output allows. The reduction is never below 1/2, so
//   Linear reads every enlarged pixel and skips none;
// - a reduction (a window smaller than the picture) is copied with Linear.
PresentScaling PlanPresentScaling(
    int32_t pictureWidth, int32_t pictureHeight, int32_t outputWidth, int32_t outputHeight, ScaleFit fit);

// The whole-number scale a picture is composed at to be shown in an output:
// the smallest s at which s times the picture covers the rectangle it is shown
// in (kept in shape), from 1 to `largestScale`. Reducing that slightly larger
// picture keeps edges sharp; enlarging a smaller one would blur them.
int32_t ComposeScaleFor(int32_t pictureWidth, int32_t pictureHeight, int32_t outputWidth, int32_t outputHeight,
    int32_t largestScale);

// The parts of the output outside `destination` (up to four rectangles, none
// empty, not overlapping): the black bars beside a picture that keeps its
// proportions.
std::vector<Rect> BarsAround(const Rect& destination, int32_t outputWidth, int32_t outputHeight);

} // namespace platform
