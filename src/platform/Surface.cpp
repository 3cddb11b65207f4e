// Off-screen surfaces on SDL software surfaces. Copies of equal size go through
// SDL's blitter (run-length encoded sources make keyed copies several times
// faster); scaled copies are our own nearest-neighbour loop, because SDL's
// scaled blit samples differently once the destination is clipped.
#include "platform/Surface.h"

#include "platform/Files.h"
#include "platform/VideoSdl.h"

#include <cassert>
#include <cstdlib>
#include <cstring>

namespace platform {
namespace {

uint32_t Little(const Bytes& bytes, size_t offset, size_t count)
{
    uint32_t value = 0;
    for (size_t i = 0; i < count; ++i) {
        value |= static_cast<uint32_t>(bytes[offset + i]) << (8 * i);
    }
    return value;
}

// SDL's decoder makes the surface the header asks for before it reads a
// pixel, so a damaged header of a few bytes could ask for gigabytes. The
// picture sizes are checked first: at most kLargestBmpSide on either side and
// kLargestBmpPixels in all, and an uncompressed file must hold its rows.
// Anything else is left to SDL, which refuses what it cannot read.
constexpr int64_t kLargestBmpSide = 8192;
constexpr int64_t kLargestBmpPixels = int64_t{4096} * 4096;

bool HasSaneBmpSize(const Bytes& bytes)
{
    if (bytes.size() < 30 || bytes[0] != 'B' || bytes[1] != 'M') {
        return true; // not a bitmap at all: SDL says so
    }
    const uint32_t headerBytes = Little(bytes, 14, 4);
    int64_t width = 0;
    int64_t height = 0;
    uint32_t bitsPerPixel = 0;
    uint32_t compression = 0;
    if (headerBytes == 12) {
        width = Little(bytes, 18, 2);
        height = Little(bytes, 20, 2);
        bitsPerPixel = Little(bytes, 24, 2);
    } else if (headerBytes >= 40 && bytes.size() >= 34) {
        width = static_cast<int32_t>(Little(bytes, 18, 4));
        height = static_cast<int32_t>(Little(bytes, 22, 4));
        bitsPerPixel = Little(bytes, 28, 2);
        compression = Little(bytes, 30, 4);
    } else {
        return true;
    }
    height = std::abs(height);
    if (width > kLargestBmpSide || height > kLargestBmpSide || width * height > kLargestBmpPixels) {
        return false;
    }
    const bool plain = compression == 0 || compression == 3 || compression == 6;
    const int64_t rowBytes = (width * bitsPerPixel + 31) / 32 * 4;
    return !plain || width <= 0 || rowBytes * height <= static_cast<int64_t>(bytes.size());
}

SDL_Rect ToSdl(const Rect& rect) { return SDL_Rect{rect.left, rect.top, rect.Width(), rect.Height()}; }

Rect Bounds(const SDL_Surface* surface) { return Rect{0, 0, surface->w, surface->h}; }

uint32_t ReadPixel(const uint8_t* at, int32_t bytesPerPixel)
{
    switch (bytesPerPixel) {
    case 2: {
        uint16_t value;
        std::memcpy(&value, at, 2);
        return value;
    }
    case 3:
        return static_cast<uint32_t>(at[0]) | static_cast<uint32_t>(at[1]) << 8 | static_cast<uint32_t>(at[2]) << 16;
    case 4: {
        uint32_t value;
        std::memcpy(&value, at, 4);
        return value;
    }
    default:
        return at[0];
    }
}

void WritePixel(uint8_t* at, int32_t bytesPerPixel, uint32_t value)
{
    switch (bytesPerPixel) {
    case 2: {
        const uint16_t narrow = static_cast<uint16_t>(value);
        std::memcpy(at, &narrow, 2);
        break;
    }
    case 3:
        at[0] = static_cast<uint8_t>(value);
        at[1] = static_cast<uint8_t>(value >> 8);
        at[2] = static_cast<uint8_t>(value >> 16);
        break;
    case 4:
        std::memcpy(at, &value, 4);
        break;
    default:
        at[0] = static_cast<uint8_t>(value);
        break;
    }
}

} // namespace

uint32_t SdlFormatOf(const PixelFormat& format)
{
    switch (format.bitsPerPixel) {
    case 15:
        return SDL_PIXELFORMAT_RGB555;
    case 16:
        return SDL_PIXELFORMAT_RGB565;
    case 24:
        return SDL_PIXELFORMAT_BGR24;
    default:
        return SDL_PIXELFORMAT_RGB888;
    }
}

PixelFormat FormatOfSdl(uint32_t sdlFormat)
{
    switch (sdlFormat) {
    case SDL_PIXELFORMAT_RGB555:
        return PixelFormat::ForDepth(15);
    case SDL_PIXELFORMAT_RGB565:
        return PixelFormat::ForDepth(16);
    default:
        break;
    }
    if (SDL_BYTESPERPIXEL(sdlFormat) == 3) {
        return PixelFormat::ForDepth(24);
    }
    return PixelFormat::ForDepth(32);
}

uint32_t PackRgb(const PixelFormat& format, uint8_t red, uint8_t green, uint8_t blue)
{
    switch (format.bitsPerPixel) {
    case 15:
        return static_cast<uint32_t>((red >> 3) << 10 | (green >> 3) << 5 | (blue >> 3));
    case 16:
        return static_cast<uint32_t>((red >> 3) << 11 | (green >> 2) << 5 | (blue >> 3));
    default:
        return static_cast<uint32_t>(red) << 16 | static_cast<uint32_t>(green) << 8 | blue;
    }
}

CSurfaceLock::CSurfaceLock(CSurface* owner, uint8_t* firstPixel, int32_t rowPitch, const PixelFormat& pixelFormat)
    : surface(owner)
    , pixels(firstPixel)
    , pitch(rowPitch)
    , format(pixelFormat)
{
}

CSurfaceLock::~CSurfaceLock() { Release(); }

CSurfaceLock::CSurfaceLock(CSurfaceLock&& other) noexcept
    : surface(other.surface)
    , pixels(other.pixels)
    , pitch(other.pitch)
    , format(other.format)
{
    other.surface = nullptr;
    other.pixels = nullptr;
}

CSurfaceLock& CSurfaceLock::operator=(CSurfaceLock&& other) noexcept
{
    if (this != &other) {
        Release();
        surface = other.surface;
        pixels = other.pixels;
        pitch = other.pitch;
        format = other.format;
        other.surface = nullptr;
        other.pixels = nullptr;
    }
    return *this;
}

void CSurfaceLock::Release()
{
    if (surface) {
        surface->Unlock();
    }
    surface = nullptr;
    pixels = nullptr;
}

CSurface::CSurface(std::unique_ptr<Impl> implementation, const PixelFormat& pixelFormat)
    : impl(std::move(implementation))
    , format(pixelFormat)
{
    ClearClipRects();
}

CSurface::~CSurface() = default;

std::unique_ptr<CSurface> CSurface::Create(int32_t width, int32_t height, const PixelFormat& format)
{
    if (width <= 0 || height <= 0) {
        return nullptr;
    }
    const uint32_t sdlFormat = SdlFormatOf(format);
    SdlSurfacePtr surface(
        SDL_CreateRGBSurfaceWithFormat(0, width, height, static_cast<int>(SDL_BITSPERPIXEL(sdlFormat)), sdlFormat));
    if (!surface) {
        return nullptr;
    }
    // Copies from a surface without key are plain copies, never blends.
    SDL_SetSurfaceBlendMode(surface.get(), SDL_BLENDMODE_NONE);
    auto impl = std::make_unique<Impl>();
    impl->surface = std::move(surface);
    return std::unique_ptr<CSurface>(new CSurface(std::move(impl), FormatOfSdl(sdlFormat)));
}

std::unique_ptr<CSurface> CSurface::LoadBmp(const std::string& path)
{
    const std::optional<Bytes> bytes = ReadWholeFile(path);
    if (!bytes || bytes->size() > static_cast<size_t>(INT32_MAX) || !HasSaneBmpSize(*bytes)) {
        return nullptr;
    }
    SdlSurfacePtr bitmap(SDL_LoadBMP_RW(SDL_RWFromConstMem(bytes->data(), static_cast<int>(bytes->size())), 1));
    if (!bitmap) {
        return nullptr;
    }
    // 32-bit files arrive with an alpha channel; it must not blend the copy.
    SDL_SetSurfaceBlendMode(bitmap.get(), SDL_BLENDMODE_NONE);
    SDL_SetColorKey(bitmap.get(), SDL_FALSE, 0);
    PixelFormat format;
    format.bitsPerPixel = bitmap->format->BitsPerPixel;
    format.redMask = bitmap->format->Rmask;
    format.greenMask = bitmap->format->Gmask;
    format.blueMask = bitmap->format->Bmask;
    auto impl = std::make_unique<Impl>();
    impl->surface = std::move(bitmap);
    return std::unique_ptr<CSurface>(new CSurface(std::move(impl), format));
}

int32_t CSurface::Width() const { return impl->surface->w; }

int32_t CSurface::Height() const { return impl->surface->h; }

// Run-length encoding frees the plain pixels and caches the encoded ones, so
// writing or locking an encoded surface would be lost or would pay a decode
// and re-encode each time. The first direct access after the key was set
// decodes it for good; writes before that (loading the bitmap) cost nothing.
void CSurface::DropEncoding()
{
    SDL_Surface* surface = impl->surface.get();
    if (!SDL_HasSurfaceRLE(surface) && (surface->flags & SDL_RLEACCEL) == 0) {
        return;
    }
    impl->mayEncode = false;
    SDL_SetSurfaceRLE(surface, 0);
    // SDL decodes when it next prepares a copy from the surface: make one.
    static SdlSurfacePtr scratch(SDL_CreateRGBSurfaceWithFormat(0, 1, 1, 32, SDL_PIXELFORMAT_RGB888));
    SDL_Rect one{0, 0, 1, 1};
    SDL_Rect at{0, 0, 1, 1};
    SDL_BlitSurface(surface, &one, scratch.get(), &at);
    assert(surface->pixels != nullptr && (surface->flags & SDL_RLEACCEL) == 0);
}

void CSurface::SetColorKey(uint32_t raw)
{
    SDL_Surface* surface = impl->surface.get();
    SDL_SetColorKey(surface, SDL_TRUE, raw);
    colorKey = raw;
    if (impl->mayEncode) {
        SDL_SetSurfaceRLE(surface, 1);
    }
}

void CSurface::SetClipRects(const std::vector<Rect>& rects)
{
    clipRects.clear();
    const Rect bounds = Bounds(impl->surface.get());
    for (const Rect& rect : rects) {
        const Rect inside = Intersect(rect, bounds);
        if (!inside.IsEmpty()) {
            clipRects.push_back(inside);
        }
    }
}

void CSurface::ClearClipRects() { clipRects = {Bounds(impl->surface.get())}; }

bool CSurface::Blit(CSurface& source, const Rect& sourceRect, const Rect& destRect)
{
    if (sourceRect.IsEmpty() || destRect.IsEmpty()) {
        return true;
    }
    if (&source == this) {
        return false; // overlapping copies within one surface are not supported
    }
    if (sourceRect.Width() == destRect.Width() && sourceRect.Height() == destRect.Height()) {
        return CopySameSize(source, sourceRect, destRect);
    }
    return CopyScaled(source, sourceRect, destRect);
}

bool CSurface::CopySameSize(CSurface& source, const Rect& sourceRect, const Rect& destRect)
{
    SDL_Surface* from = source.impl->surface.get();
    SDL_Surface* to = impl->surface.get();
    DropEncoding();
    bool ok = true;
    for (const Rect& clip : EffectiveClip()) {
        const SDL_Rect sdlClip = ToSdl(clip);
        SDL_SetClipRect(to, &sdlClip);
        SDL_Rect fromRect = ToSdl(sourceRect);
        SDL_Rect toRect = ToSdl(destRect);
        ok = SDL_BlitSurface(from, &fromRect, to, &toRect) == 0 && ok;
    }
    SDL_SetClipRect(to, nullptr);
    return ok;
}

bool CSurface::CopyScaled(CSurface& source, const Rect& sourceRect, const Rect& destRect)
{
    // Sample from a copy in this surface's format when the formats differ.
    std::unique_ptr<CSurface> converted;
    CSurface* from = &source;
    if (!(source.format == format)) {
        converted = Create(source.Width(), source.Height(), format);
        if (!converted || !converted->CopyBitmap(source)) {
            return false;
        }
        if (source.colorKey) {
            converted->colorKey = PackRgb(format, 0, 0, 0);
        }
        from = converted.get();
    }
    const std::optional<uint32_t> key = from->colorKey;
    const int32_t bytes = format.BytesPerPixel();
    CSurfaceLock sourceLock = from->Lock();
    CSurfaceLock destLock = Lock();
    if (!sourceLock.IsLocked() || !destLock.IsLocked()) {
        return false;
    }
    const Rect sourceBounds{0, 0, from->Width(), from->Height()};
    std::vector<int32_t> columns(static_cast<size_t>(destRect.Width()));
    for (int32_t i = 0; i < destRect.Width(); ++i) {
        columns[static_cast<size_t>(i)] = sourceRect.left + NearestSample(i, sourceRect.Width(), destRect.Width());
    }
    for (const Rect& clip : EffectiveClip()) {
        const Rect area = Intersect(destRect, clip);
        for (int32_t y = area.top; y < area.bottom; ++y) {
            const int32_t sy = sourceRect.top + NearestSample(y - destRect.top, sourceRect.Height(), destRect.Height());
            if (sy < sourceBounds.top || sy >= sourceBounds.bottom) {
                continue;
            }
            const uint8_t* sourceRow = sourceLock.Pixels() + static_cast<ptrdiff_t>(sy) * sourceLock.Pitch();
            uint8_t* destRow = destLock.Pixels() + static_cast<ptrdiff_t>(y) * destLock.Pitch();
            for (int32_t x = area.left; x < area.right; ++x) {
                const int32_t sx = columns[static_cast<size_t>(x - destRect.left)];
                if (sx < sourceBounds.left || sx >= sourceBounds.right) {
                    continue;
                }
                const uint32_t value = ReadPixel(sourceRow + static_cast<ptrdiff_t>(sx) * bytes, bytes);
                if (key && value == *key) {
                    continue;
                }
                WritePixel(destRow + static_cast<ptrdiff_t>(x) * bytes, bytes, value);
            }
        }
    }
    return true;
}

bool CSurface::Fill(const Rect& rect, uint32_t raw)
{
    DropEncoding();
    SDL_Surface* surface = impl->surface.get();
    bool ok = true;
    for (const Rect& clip : EffectiveClip()) {
        const Rect area = Intersect(rect, clip);
        if (area.IsEmpty()) {
            continue;
        }
        const SDL_Rect sdlArea = ToSdl(area);
        ok = SDL_FillRect(surface, &sdlArea, raw) == 0 && ok;
    }
    return ok;
}

bool CSurface::CopyBitmap(CSurface& bitmap)
{
    DropEncoding();
    SDL_Surface* to = impl->surface.get();
    SDL_Surface* from = bitmap.impl->surface.get();
    const Rect covered = Intersect(Bounds(to), Bounds(from));
    if (covered.IsEmpty()) {
        return true;
    }
    const bool fromKeyed = bitmap.colorKey.has_value();
    SDL_SetColorKey(from, SDL_FALSE, 0);
    SDL_BlendMode fromBlend = SDL_BLENDMODE_NONE;
    SDL_GetSurfaceBlendMode(from, &fromBlend);
    SDL_SetSurfaceBlendMode(from, SDL_BLENDMODE_NONE);
    SDL_Rect fromRect = ToSdl(covered);
    SDL_Rect toRect = ToSdl(covered);
    const bool ok = SDL_BlitSurface(from, &fromRect, to, &toRect) == 0;
    SDL_SetSurfaceBlendMode(from, fromBlend);
    if (fromKeyed) {
        SDL_SetColorKey(from, SDL_TRUE, *bitmap.colorKey);
    }
    if (!ok) {
        return false;
    }
    // Conversions may set padding bits (XRGB8888 gets 0xFF in its top byte),
    // after which black would no longer match the key of 0.
    const uint32_t channels = format.redMask | format.greenMask | format.blueMask;
    const int32_t bytes = format.BytesPerPixel();
    CSurfaceLock lock = Lock(&covered);
    for (int32_t y = 0; y < covered.Height() && lock.IsLocked(); ++y) {
        uint8_t* row = lock.Pixels() + static_cast<ptrdiff_t>(y) * lock.Pitch();
        for (int32_t x = 0; x < covered.Width(); ++x) {
            uint8_t* at = row + static_cast<ptrdiff_t>(x) * bytes;
            WritePixel(at, bytes, ReadPixel(at, bytes) & channels);
        }
    }
    return true;
}

CSurfaceLock CSurface::Lock(const Rect* rect)
{
    SDL_Surface* surface = impl->surface.get();
    const Rect bounds = Bounds(surface);
    const Rect area = rect ? *rect : bounds;
    if (area.IsEmpty() || Intersect(area, bounds) != area) {
        return CSurfaceLock();
    }
    DropEncoding();
    if (SDL_LockSurface(surface) != 0) {
        return CSurfaceLock();
    }
    uint8_t* first = static_cast<uint8_t*>(surface->pixels) + static_cast<ptrdiff_t>(area.top) * surface->pitch
        + static_cast<ptrdiff_t>(area.left) * surface->format->BytesPerPixel;
    return CSurfaceLock(this, first, surface->pitch, format);
}

void CSurface::Unlock() { SDL_UnlockSurface(impl->surface.get()); }

uint32_t CSurface::GetPixel(int32_t x, int32_t y)
{
    const Rect one{x, y, x + 1, y + 1};
    CSurfaceLock lock = Lock(&one);
    if (!lock.IsLocked()) {
        return 0;
    }
    return ReadPixel(lock.Pixels(), format.BytesPerPixel());
}

void CSurface::SetPixel(int32_t x, int32_t y, uint32_t raw)
{
    const Rect one{x, y, x + 1, y + 1};
    CSurfaceLock lock = Lock(&one);
    if (lock.IsLocked()) {
        WritePixel(lock.Pixels(), format.BytesPerPixel(), raw);
    }
}

bool CSurface::IsEncoded() const { return (impl->surface->flags & SDL_RLEACCEL) != 0; }

} // namespace platform
