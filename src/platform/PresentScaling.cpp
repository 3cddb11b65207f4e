// The scaling plan of a present: destination, filter and pre-scale.
#include "platform/PresentScaling.h"

#include <algorithm>

namespace platform {
namespace {

Rect FitKeepingProportions(int32_t pictureWidth, int32_t pictureHeight, int32_t outputWidth, int32_t outputHeight)
{
    const int64_t wide = int64_t{outputWidth} * pictureHeight;
    const int64_t tall = int64_t{outputHeight} * pictureWidth;
    if (wide > tall) {
        // Output wider than the picture: full height, bars left and right.
        const auto width = static_cast<int32_t>(tall / pictureHeight);
        const int32_t left = (outputWidth - width) / 2;
        return Rect{left, 0, left + width, outputHeight};
    }
    const auto height = static_cast<int32_t>(wide / pictureWidth);
    const int32_t top = (outputHeight - height) / 2;
    return Rect{0, top, outputWidth, top + height};
}

// The whole factor that enlarges `picture` to at least `destination`; 1 for
// a reduction or an equal size.
int32_t PreScaleFor(int32_t picture, int32_t destination)
{
    return destination > picture ? (destination + picture - 1) / picture : 1;
}

} // namespace

PresentScaling PlanPresentScaling(
    int32_t pictureWidth, int32_t pictureHeight, int32_t outputWidth, int32_t outputHeight, ScaleFit fit)
{
    PresentScaling plan;
    if (pictureWidth <= 0 || pictureHeight <= 0 || outputWidth <= 0 || outputHeight <= 0) {
        return plan;
    }
    plan.destination = fit == ScaleFit::Stretch
        ? Rect{0, 0, outputWidth, outputHeight}
        : FitKeepingProportions(pictureWidth, pictureHeight, outputWidth, outputHeight);
    const int32_t width = plan.destination.Width();
    const int32_t height = plan.destination.Height();
    if (width % pictureWidth == 0 && height % pictureHeight == 0) {
        return plan;
    }
    plan.filter = ScaleFilter::Linear;
    plan.preScaleX = PreScaleFor(pictureWidth, width);
    plan.preScaleY = PreScaleFor(pictureHeight, height);
    return plan;
}

int32_t ComposeScaleFor(int32_t pictureWidth, int32_t pictureHeight, int32_t outputWidth, int32_t outputHeight,
    int32_t largestScale)
{
    if (pictureWidth <= 0 || pictureHeight <= 0 || outputWidth <= 0 || outputHeight <= 0) {
        return 1;
    }
    const Rect shown = FitKeepingProportions(pictureWidth, pictureHeight, outputWidth, outputHeight);
    const int32_t scale = std::max(PreScaleFor(pictureWidth, shown.Width()), PreScaleFor(pictureHeight, shown.Height()));
    return std::clamp(scale, 1, std::max(largestScale, 1));
}

std::vector<Rect> BarsAround(const Rect& destination, int32_t outputWidth, int32_t outputHeight)
{
    const Rect output{0, 0, outputWidth, outputHeight};
    const Rect inside = Intersect(destination, output);
    if (inside.IsEmpty()) {
        return output.IsEmpty() ? std::vector<Rect>{} : std::vector<Rect>{output};
    }
    const Rect candidates[] = {
        {0, 0, outputWidth, inside.top},
        {0, inside.bottom, outputWidth, outputHeight},
        {0, inside.top, inside.left, inside.bottom},
        {inside.right, inside.top, outputWidth, inside.bottom},
    };
    std::vector<Rect> bars;
    for (const Rect& bar : candidates) {
        if (!bar.IsEmpty()) {
            bars.push_back(bar);
        }
    }
    return bars;
}

} // namespace platform
