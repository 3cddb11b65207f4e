// Plain value types shared by the video code and its callers: rectangles,
// pixel formats and display modes. No SDL type appears here.
#pragma once

#include <algorithm>
#include <cstdint>

namespace platform {

// Left, top, right, bottom in pixels; right and bottom are exclusive, so
// (0, 0, 44, 60) covers 44 x 60 pixels.
struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(int32_t x, int32_t y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool operator==(const Rect&) const = default;
};

inline Rect Intersect(const Rect& a, const Rect& b)
{
    Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
    if (r.IsEmpty()) {
        return Rect{};
    }
    return r;
}

// The pixel layouts a surface can have. The bit count is the one the game's
// logic switches on: 15 for 5-5-5, 16 for 5-6-5, 24 for three bytes with blue
// first, 32 for X-8-8-8 (the top byte is padding and kept 0).
struct PixelFormat {
    int32_t bitsPerPixel = 32;
    uint32_t redMask = 0x00FF0000;
    uint32_t greenMask = 0x0000FF00;
    uint32_t blueMask = 0x000000FF;

    int32_t BytesPerPixel() const { return (bitsPerPixel + 7) / 8; }
    bool operator==(const PixelFormat&) const = default;

    // The layout for 15, 16, 24 or 32 bits; any other count gives 32 bits.
    static PixelFormat ForDepth(int32_t bitsPerPixel);
};

// The one sample a destination offset takes along one axis of a nearest-
// neighbour copy: the source pixel under the destination pixel's centre.
inline int32_t NearestSample(int32_t destOffset, int32_t sourceLength, int32_t destLength)
{
    return static_cast<int32_t>((2 * static_cast<int64_t>(destOffset) + 1) * sourceLength / (2 * int64_t{destLength}));
}

struct DisplayMode {
    int32_t width = 0;
    int32_t height = 0;
    int32_t bitsPerPixel = 0;
    bool operator==(const DisplayMode&) const = default;
};

} // namespace platform
