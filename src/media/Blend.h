// The translucent blend: a sprite rectangle laid over a surface at half
// strength, black source pixels leaving the surface unchanged. Works on the
// locked pixels directly, with one path per pixel depth.
#pragma once

#include "platform/Surface.h"
#include "platform/VideoTypes.h"

#include <cstdint>

// Averages each non-black pixel of `sourceRect` of `source` (the whole source
// when null) with the pixel of `destination` under it, the rectangle's
// top-left landing at (x, y). The part that would fall outside `destination`
// is cut off; nothing outside it is written, nor outside `within` when one is
// given (the redrawing of a changed part of a frame). Returns 0.
int32_t BlendSprite(platform::CSurface* destination, platform::CSurface* source, int32_t x, int32_t y,
    const platform::Rect* sourceRect = nullptr, const platform::Rect* within = nullptr);
