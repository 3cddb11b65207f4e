// Copies across display scales, the smooth enlargement, .png decoding and the
// bilinear filter of the window presentation.
#include "platform/ScaledPixels.h"

#include "platform/Files.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace platform {
namespace {

constexpr uint32_t kChannels = 0x00FFFFFF;
constexpr int64_t kLargestPngSide = 16384;
constexpr int64_t kLargestPngPixels = int64_t{8192} * 8192;

uint32_t* RowOf(const CSurfaceLock& lock, int32_t y)
{
    return reinterpret_cast<uint32_t*>(lock.Pixels() + static_cast<ptrdiff_t>(y) * lock.Pitch());
}

// Blends a and b (X-8-8-8) with b weighted w / 256; w = 0 gives a unchanged.
inline uint32_t Lerp(uint32_t a, uint32_t b, uint32_t w)
{
    const uint32_t rb = ((a & 0xFF00FF) * (256 - w) + (b & 0xFF00FF) * w) >> 8;
    const uint32_t g = ((a & 0x00FF00) * (256 - w) + (b & 0x00FF00) * w) >> 8;
    return (rb & 0xFF00FF) | (g & 0x00FF00);
}

bool Is32Bit(const CSurface& surface) { return surface.Format().bitsPerPixel == 32; }

} // namespace

std::unique_ptr<CSurface> LoadPng(const std::string& path)
{
    const std::optional<Bytes> bytes = ReadWholeFile(path);
    if (!bytes || bytes->empty()) {
        return nullptr;
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes->data(), bytes->size())) {
        return nullptr;
    }
    const int64_t width = image.width;
    const int64_t height = image.height;
    if (width > kLargestPngSide || height > kLargestPngSide || width * height > kLargestPngPixels) {
        png_image_free(&image);
        return nullptr;
    }
    std::unique_ptr<CSurface> surface
        = CSurface::Create(static_cast<int32_t>(width), static_cast<int32_t>(height), PixelFormat::ForDepth(32));
    if (!surface) {
        png_image_free(&image);
        return nullptr;
    }
    CSurfaceLock lock = surface->Lock();
    if (!lock.IsLocked()) {
        png_image_free(&image);
        return nullptr;
    }
    // B, G, R, A in memory is X-8-8-8 in a little-endian word, alpha on top.
    image.format = PNG_FORMAT_BGRA;
    if (!png_image_finish_read(&image, nullptr, lock.Pixels(), lock.Pitch(), nullptr)) {
        png_image_free(&image);
        return nullptr;
    }
    for (int32_t y = 0; y < surface->Height(); ++y) {
        uint32_t* row = RowOf(lock, y);
        for (int32_t x = 0; x < surface->Width(); ++x) {
            row[x] &= kChannels;
        }
    }
    return surface;
}

bool CopyOnPictureGrid(CSurface& source, int32_t sourceScale, const Rect& sourcePicture, CSurface& destination,
    int32_t destScale, const Rect& destPicture)
{
    if (!Is32Bit(source) || !Is32Bit(destination) || &source == &destination || sourceScale < 1 || destScale < 1) {
        return false;
    }
    if (sourcePicture.IsEmpty() || destPicture.IsEmpty()) {
        return true;
    }
    const Rect sourceBounds{0, 0, source.Width() / sourceScale, source.Height() / sourceScale};
    const Rect destArea{destPicture.left * destScale, destPicture.top * destScale, destPicture.right * destScale,
        destPicture.bottom * destScale};
    const std::optional<uint32_t> key = source.ColorKey();
    // The display pixel of the source that a display pixel of the destination
    // takes along one axis, or -1 outside the source picture.
    auto take = [&](int32_t display, int32_t destStart, int32_t sourceStart, int32_t sourceLength, int32_t destLength,
                    int32_t sourceLimit) {
        const int32_t picture = display / destScale;
        const int32_t sub = display % destScale;
        const int32_t sample = sourceStart + NearestSample(picture - destStart, sourceLength, destLength);
        if (sample < 0 || sample >= sourceLimit) {
            return -1;
        }
        return sample * sourceScale + sub * sourceScale / destScale;
    };
    CSurfaceLock sourceLock = source.Lock();
    CSurfaceLock destLock = destination.Lock();
    if (!sourceLock.IsLocked() || !destLock.IsLocked()) {
        return false;
    }
    for (const Rect& clip : destination.EffectiveClip()) {
        const Rect area = Intersect(destArea, clip);
        if (area.IsEmpty()) {
            continue;
        }
        std::vector<int32_t> columns(static_cast<size_t>(area.Width()));
        for (int32_t x = area.left; x < area.right; ++x) {
            columns[static_cast<size_t>(x - area.left)] = take(
                x, destPicture.left, sourcePicture.left, sourcePicture.Width(), destPicture.Width(), sourceBounds.right);
        }
        for (int32_t y = area.top; y < area.bottom; ++y) {
            const int32_t sy = take(
                y, destPicture.top, sourcePicture.top, sourcePicture.Height(), destPicture.Height(), sourceBounds.bottom);
            if (sy < 0) {
                continue;
            }
            const uint32_t* from = RowOf(sourceLock, sy);
            uint32_t* to = RowOf(destLock, y);
            for (int32_t x = area.left; x < area.right; ++x) {
                const int32_t sx = columns[static_cast<size_t>(x - area.left)];
                if (sx < 0) {
                    continue;
                }
                const uint32_t value = from[sx];
                if (!key || value != *key) {
                    to[x] = value;
                }
            }
        }
    }
    return true;
}

std::unique_ptr<CSurface> EnlargeSmoothly(CSurface& picture, int32_t scale)
{
    if (!Is32Bit(picture) || scale < 1) {
        return nullptr;
    }
    const int32_t width = picture.Width();
    const int32_t height = picture.Height();
    std::unique_ptr<CSurface> large = CSurface::Create(width * scale, height * scale, picture.Format());
    if (!large) {
        return nullptr;
    }
    const std::optional<uint32_t> key = picture.ColorKey();
    CSurfaceLock from = picture.Lock();
    CSurfaceLock to = large->Lock();
    if (!from.IsLocked() || !to.IsLocked()) {
        return nullptr;
    }
    // Per display pixel along an axis: the nearer-left picture pixel of the
    // bilinear pair and the weight (0..256) of the one after it, which is
    // clamped to the picture.
    struct Tap {
        int32_t first;
        int32_t second;
        uint32_t weight;
    };
    auto taps = [scale](int32_t length) {
        std::vector<Tap> out(static_cast<size_t>(length * scale));
        for (int32_t d = 0; d < length * scale; ++d) {
            const int32_t twice = 2 * d + 1 - scale; // 2 * scale * (centre - 0.5) in picture pixels
            const int32_t first = twice < 0 ? -1 : twice / (2 * scale);
            const auto weight = static_cast<uint32_t>((twice - first * 2 * scale) * 256 / (2 * scale));
            out[static_cast<size_t>(d)] = Tap{std::clamp(first, 0, length - 1), std::clamp(first + 1, 0, length - 1), weight};
        }
        return out;
    };
    const std::vector<Tap> columns = taps(width);
    const std::vector<Tap> rows = taps(height);
    const uint32_t transparent = key.value_or(0);
    for (int32_t y = 0; y < height * scale; ++y) {
        const Tap& row = rows[static_cast<size_t>(y)];
        const uint32_t* upper = RowOf(from, row.first);
        const uint32_t* lower = RowOf(from, row.second);
        const uint32_t* own = RowOf(from, y / scale);
        uint32_t* out = RowOf(to, y);
        for (int32_t x = 0; x < width * scale; ++x) {
            if (key && own[x / scale] == transparent) {
                out[x] = transparent;
                continue;
            }
            const Tap& column = columns[static_cast<size_t>(x)];
            const uint32_t p[4]
                = {upper[column.first], upper[column.second], lower[column.first], lower[column.second]};
            if (!key || (p[0] != transparent && p[1] != transparent && p[2] != transparent && p[3] != transparent)) {
                out[x] = Lerp(Lerp(p[0], p[1], column.weight), Lerp(p[2], p[3], column.weight), row.weight);
                continue;
            }
            // At the edge of the drawn parts: only the visible taps count.
            const uint32_t w[4] = {(256 - column.weight) * (256 - row.weight), column.weight * (256 - row.weight),
                (256 - column.weight) * row.weight, column.weight * row.weight};
            uint64_t sum[3] = {0, 0, 0};
            uint64_t total = 0;
            for (int i = 0; i < 4; ++i) {
                if (p[i] == transparent) {
                    continue;
                }
                for (int c = 0; c < 3; ++c) {
                    sum[c] += static_cast<uint64_t>(w[i]) * ((p[i] >> (16 - 8 * c)) & 0xFF);
                }
                total += w[i];
            }
            uint32_t value = 0;
            for (int c = 0; c < 3 && total > 0; ++c) {
                value |= static_cast<uint32_t>((sum[c] + total / 2) / total) << (16 - 8 * c);
            }
            // A drawn pixel never turns into the key.
            out[x] = value == transparent ? (transparent ^ 1u) : value;
        }
    }
    if (key) {
        large->SetColorKey(*key);
    }
    return large;
}

FilterTaps MakeFilterTaps(int32_t sourceLength, int32_t destLength)
{
    FilterTaps taps;
    taps.first.resize(static_cast<size_t>(std::max(destLength, 0)));
    taps.weight.resize(taps.first.size());
    if (sourceLength <= 0 || destLength <= 0) {
        return taps;
    }
    // An enlargement filters a picture first enlarged by the next whole
    // factor with Nearest: every source pixel stays a solid block with at
    // most one blended pixel at its edges, where plain bilinear would smear
    // each edge over several.
    const int32_t factor = destLength > sourceLength ? (destLength + sourceLength - 1) / sourceLength : 1;
    const int32_t virtualLength = sourceLength * factor;
    const double ratio = static_cast<double>(virtualLength) / destLength;
    for (int32_t d = 0; d < destLength; ++d) {
        const double u = std::max(0.0, (d + 0.5) * ratio - 0.5);
        int32_t first = static_cast<int32_t>(u);
        int32_t weight = static_cast<int32_t>(std::lround((u - first) * 256));
        if (weight == 256) {
            ++first;
            weight = 0;
        }
        if (first >= virtualLength - 1) {
            first = virtualLength - 1;
            weight = 0;
        }
        const int32_t source = first / factor;
        // Inside one block both taps read the same source pixel.
        if ((first + 1) / factor == source) {
            weight = 0;
        }
        taps.first[static_cast<size_t>(d)] = source;
        taps.weight[static_cast<size_t>(d)] = static_cast<uint16_t>(weight);
    }
    return taps;
}

void FilterInto(CSurface& source, const FilterTaps& columns, const FilterTaps& rows, const Rect& area, uint8_t* dest,
    int32_t destPitch)
{
    CSurfaceLock lock = source.Lock();
    if (!lock.IsLocked() || !Is32Bit(source) || area.IsEmpty()) {
        return;
    }
    const int32_t lastRow = source.Height() - 1;
    const size_t rowBytes = static_cast<size_t>(area.Width()) * 4;
    for (int32_t y = area.top; y < area.bottom; ++y) {
        const auto r = static_cast<size_t>(y);
        auto* out = reinterpret_cast<uint32_t*>(dest + static_cast<ptrdiff_t>(y) * destPitch);
        // An enlarged picture repeats rows: a row with the taps of the one
        // above is a copy of it.
        if (y > area.top && rows.first[r] == rows.first[r - 1] && rows.weight[r] == rows.weight[r - 1]) {
            std::memcpy(out + area.left, reinterpret_cast<const uint8_t*>(out) - destPitch + area.left * 4, rowBytes);
            continue;
        }
        const uint32_t* upper = RowOf(lock, rows.first[r]);
        const uint32_t* lower = RowOf(lock, std::min(rows.first[r] + 1, lastRow));
        const uint32_t wy = rows.weight[r];
        for (int32_t x = area.left; x < area.right; ++x) {
            const auto c = static_cast<size_t>(x);
            const int32_t c0 = columns.first[c];
            const uint32_t wx = columns.weight[c];
            // A weight of 0 never reads the neighbour (it may lie past the edge).
            const uint32_t top = wx ? Lerp(upper[c0], upper[c0 + 1], wx) : upper[c0];
            if (wy == 0) {
                out[x] = top;
                continue;
            }
            const uint32_t bottom = wx ? Lerp(lower[c0], lower[c0 + 1], wx) : lower[c0];
            out[x] = Lerp(top, bottom, wy);
        }
    }
}

Rect FilteredReach(const Rect& changed, int32_t sourceWidth, int32_t sourceHeight, int32_t destWidth, int32_t destHeight)
{
    auto reach = [](int32_t begin, int32_t end, int32_t sourceLength, int32_t destLength, int32_t& from, int32_t& to) {
        const double ratio = static_cast<double>(destLength) / sourceLength;
        from = std::max(0, static_cast<int32_t>(std::floor((begin - 1) * ratio)) - 1);
        to = std::min(destLength, static_cast<int32_t>(std::ceil((end + 1) * ratio)) + 1);
    };
    Rect out;
    reach(changed.left, changed.right, sourceWidth, destWidth, out.left, out.right);
    reach(changed.top, changed.bottom, sourceHeight, destHeight, out.top, out.bottom);
    return out.IsEmpty() ? Rect{} : out;
}

} // namespace platform
