// Pixel work for drawing the picture at a whole-number display scale: copies
// between surfaces held at different scales of one picture, the smooth
// enlargement of a picture that has no drawing for a scale, the .png pictures
// drawn for the larger scales, and the filtered reduction of a frame into the
// window. All of it works on 32-bit surfaces (X-8-8-8).
#pragma once

#include "platform/Surface.h"
#include "platform/VideoTypes.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

// Decodes a .png file into a 32-bit surface (RGB, any alpha dropped, the
// padding byte 0). Null when the file is missing, not a PNG, or larger than
// 16,384 pixels on a side.
std::unique_ptr<CSurface> LoadPng(const std::string& path);

// A copy between two surfaces that hold pictures at scales `sourceScale` and
// `destScale` (display pixels per picture pixel). The rectangles are in
// picture pixels. Each destination picture pixel takes the source picture
// pixel that a 1x copy would take (nearest neighbour, sampled at pixel
// centres, as CSurface::Blit does), and the display pixels inside it take the
// matching display pixels of that source pixel. So a picture enlarged s times
// by Nearest and copied at scale s gives exactly the 1x copy enlarged s times.
// Skips the source's key, honours the destination's clip rectangles. Both
// surfaces must be 32-bit; false otherwise.
bool CopyOnPictureGrid(CSurface& source, int32_t sourceScale, const Rect& sourcePicture, CSurface& destination,
    int32_t destScale, const Rect& destPicture);

// `picture` enlarged `scale` times with a bilinear filter that keeps the key:
// a display pixel is transparent exactly where the 1x pixel under it is, and
// its colour blends only the visible pixels among the four nearest, so no
// dark fringe grows around the drawn parts. 32-bit only; null otherwise.
std::unique_ptr<CSurface> EnlargeSmoothly(CSurface& picture, int32_t scale);

// Column or row tables of a bilinear reduction (or enlargement) from
// `sourceLength` pixels to `destLength`: for each destination pixel the left
// (upper) source pixel and the weight of its right (lower) neighbour, 0..256.
struct FilterTaps {
    std::vector<int32_t> first;
    std::vector<uint16_t> weight;
};
FilterTaps MakeFilterTaps(int32_t sourceLength, int32_t destLength);

// Writes the part `area` (destination pixels, relative to the destination's
// top-left corner) of `source` filtered to destWidth x destHeight into the
// pixel memory at `dest` (32-bit X-8-8-8, `destPitch` bytes a row; `dest`
// addresses the destination's top-left pixel). A size equal to the source
// copies pixels unchanged.
void FilterInto(CSurface& source, const FilterTaps& columns, const FilterTaps& rows, const Rect& area, uint8_t* dest,
    int32_t destPitch);

// The destination pixels (of a destWidth x destHeight picture filtered from a
// sourceWidth x sourceHeight one) that a change inside `changed` (source
// pixels) can reach.
Rect FilteredReach(const Rect& changed, int32_t sourceWidth, int32_t sourceHeight, int32_t destWidth, int32_t destHeight);

} // namespace platform
