// The half-strength blend on locked pixel memory. Each channel of the result is
// half the destination's plus half the source's, each half rounded down: one
// shift and one mask per pixel keep a channel's low bit from spilling into the
// channel below. 16-bit surfaces take two pixels per 32-bit word.
#include "media/Blend.h"

#include <cstring>

using platform::CSurface;
using platform::CSurfaceLock;
using platform::PixelFormat;
using platform::Rect;

namespace {

constexpr uint32_t kMask24 = 0x7F7F7F;
constexpr uint32_t kMask555 = 0x3DEF;

// Every channel bit except the one that comes down from the channel above
// when a pixel is shifted right by one: 0x7BEF for 5-6-5, 0x3DEF for 5-5-5.
uint32_t HalvingMask16(const PixelFormat& format)
{
    const uint32_t kept = ((format.redMask << 1) & format.redMask) | ((format.greenMask << 1) & format.greenMask)
        | ((format.blueMask << 1) & format.blueMask);
    return kept >> 1;
}

uint32_t Average(uint32_t d, uint32_t s, uint32_t mask) { return ((d >> 1) & mask) + ((s >> 1) & mask); }

uint16_t Load16(const uint8_t* at)
{
    uint16_t value;
    std::memcpy(&value, at, 2);
    return value;
}

void Store16(uint8_t* at, uint32_t value)
{
    const auto narrow = static_cast<uint16_t>(value);
    std::memcpy(at, &narrow, 2);
}

// Pixels in pairs from the left edge, one 32-bit word per pair (the left
// pixel in the low half). Where one source pixel of a pair is black, the
// destination pixel stands in for it and is averaged with itself, which
// costs it the lowest bit of each channel: a 5-6-5 white becomes 0xF7DE.
void BlendRow16(uint8_t* dest, const uint8_t* source, int32_t width, uint32_t mask)
{
    const uint32_t pairMask = mask | mask << 16;
    int32_t x = 0;
    for (; x + 1 < width; x += 2) {
        uint32_t s, d;
        std::memcpy(&s, source + 2 * x, 4);
        if (s == 0) {
            continue;
        }
        std::memcpy(&d, dest + 2 * x, 4);
        if ((s & 0xFFFF) == 0) {
            s |= d & 0xFFFF;
        } else if ((s >> 16) == 0) {
            s |= d & 0xFFFF0000;
        }
        const uint32_t blended = ((d >> 1) & pairMask) + ((s >> 1) & pairMask);
        std::memcpy(dest + 2 * x, &blended, 4);
    }
    if (x < width) {
        const uint32_t s = Load16(source + 2 * x);
        if (s != 0) {
            Store16(dest + 2 * x, Average(Load16(dest + 2 * x), s, mask));
        }
    }
}

void BlendRow24(uint8_t* dest, const uint8_t* source, int32_t width)
{
    for (int32_t x = 0; x < width; ++x) {
        const uint8_t* s = source + 3 * x;
        uint8_t* d = dest + 3 * x;
        const uint32_t sv = s[0] | s[1] << 8 | static_cast<uint32_t>(s[2]) << 16;
        if (sv == 0) {
            continue;
        }
        const uint32_t dv = d[0] | d[1] << 8 | static_cast<uint32_t>(d[2]) << 16;
        const uint32_t blended = Average(dv, sv, kMask24);
        d[0] = static_cast<uint8_t>(blended);
        d[1] = static_cast<uint8_t>(blended >> 8);
        d[2] = static_cast<uint8_t>(blended >> 16);
    }
}

void BlendRow32(uint8_t* dest, const uint8_t* source, int32_t width)
{
    for (int32_t x = 0; x < width; ++x) {
        uint32_t s, d;
        std::memcpy(&s, source + 4 * x, 4);
        if ((s & 0xFFFFFF) == 0) {
            continue;
        }
        std::memcpy(&d, dest + 4 * x, 4);
        const uint32_t blended = Average(d, s, kMask24);
        std::memcpy(dest + 4 * x, &blended, 4);
    }
}

} // namespace

int32_t BlendSprite(CSurface* destination, CSurface* source, int32_t x, int32_t y, const Rect* sourceRect,
    const Rect* within)
{
    if (!destination || !source) {
        return 0;
    }
    const PixelFormat format = destination->Format();
    // Both surfaces are read with the destination's layout.
    if (source->Format().BytesPerPixel() != format.BytesPerPixel()) {
        return 0;
    }

    // The blend reads and writes memory directly, so it cuts its rectangle to
    // both surfaces itself (a selected tile on the top level of the first row
    // reaches above the back buffer).
    const Rect requested = sourceRect ? *sourceRect : Rect{0, 0, source->Width(), source->Height()};
    Rect from = Intersect(requested, Rect{0, 0, source->Width(), source->Height()});
    Rect to{x + from.left - requested.left, y + from.top - requested.top, 0, 0};
    to.right = to.left + from.Width();
    to.bottom = to.top + from.Height();
    Rect visible = Intersect(to, Rect{0, 0, destination->Width(), destination->Height()});
    if (within) {
        visible = Intersect(visible, *within);
    }
    if (visible.IsEmpty()) {
        return 0;
    }
    from = Rect{from.left + visible.left - to.left, from.top + visible.top - to.top, 0, 0};
    from.right = from.left + visible.Width();
    from.bottom = from.top + visible.Height();

    CSurfaceLock destLock = destination->Lock(&visible);
    CSurfaceLock sourceLock = source->Lock(&from);
    if (!destLock.IsLocked() || !sourceLock.IsLocked()) {
        return 0;
    }
    const int32_t width = visible.Width();
    for (int32_t row = 0; row < visible.Height(); ++row) {
        uint8_t* d = destLock.Pixels() + static_cast<ptrdiff_t>(row) * destLock.Pitch();
        const uint8_t* s = sourceLock.Pixels() + static_cast<ptrdiff_t>(row) * sourceLock.Pitch();
        switch (format.bitsPerPixel) {
        case 16:
            BlendRow16(d, s, width, HalvingMask16(format));
            break;
        case 15:
            BlendRow16(d, s, width, kMask555);
            break;
        case 24:
            BlendRow24(d, s, width);
            break;
        case 32:
            BlendRow32(d, s, width);
            break;
        default:
            return 0;
        }
    }
    return 0;
}
