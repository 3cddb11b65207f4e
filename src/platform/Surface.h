// An off-screen picture in one of the display's pixel formats: keyed and
// stretched copies, colour fills, clip rectangles, direct pixel access and
// .bmp decoding. The SDL surface behind it never shows in this header.
#pragma once

#include "platform/VideoTypes.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

class CSurface;

// Direct access to a rectangle of a surface's pixels until destruction.
// A lock that failed (rectangle outside the surface) has no pixels.
class CSurfaceLock {
public:
    CSurfaceLock() = default;
    ~CSurfaceLock();
    CSurfaceLock(CSurfaceLock&& other) noexcept;
    CSurfaceLock& operator=(CSurfaceLock&& other) noexcept;
    CSurfaceLock(const CSurfaceLock&) = delete;
    CSurfaceLock& operator=(const CSurfaceLock&) = delete;

    bool IsLocked() const { return pixels != nullptr; }
    // Address of the locked rectangle's top-left pixel.
    uint8_t* Pixels() const { return pixels; }
    // Bytes from one row to the next.
    int32_t Pitch() const { return pitch; }
    const PixelFormat& Format() const { return format; }

private:
    friend class CSurface;
    CSurfaceLock(CSurface* owner, uint8_t* firstPixel, int32_t rowPitch, const PixelFormat& pixelFormat);
    void Release();

    CSurface* surface = nullptr;
    uint8_t* pixels = nullptr;
    int32_t pitch = 0;
    PixelFormat format;
};

class CSurface {
public:
    // A surface of width x height in the given format, every pixel 0. Null
    // when the size is not positive or memory runs out.
    static std::unique_ptr<CSurface> Create(int32_t width, int32_t height, const PixelFormat& format);
    // Decodes an ordinary .bmp file into a surface in the file's own format.
    // Null when the file is missing, not a bitmap SDL can read, or claims a
    // picture larger than 8,192 pixels on a side or 4,096 x 4,096 in all (or
    // more rows than an uncompressed file holds).
    static std::unique_ptr<CSurface> LoadBmp(const std::string& path);

    ~CSurface();
    CSurface(const CSurface&) = delete;
    CSurface& operator=(const CSurface&) = delete;

    int32_t Width() const;
    int32_t Height() const;
    const PixelFormat& Format() const { return format; }

    // The raw value of pure black in this format (0 in every RGB layout).
    uint32_t BlackPixel() const { return 0; }

    // Copies that use this surface as their source skip the pixels whose raw
    // value equals `raw`. Keyed surfaces are run-length encoded, which makes
    // keyed copies several times faster; the first lock drops the encoding.
    void SetColorKey(uint32_t raw);
    std::optional<uint32_t> ColorKey() const { return colorKey; }

    // Copies and fills into this surface touch only pixels inside these
    // rectangles (which must not overlap; an empty list lets nothing through).
    // Rectangles are cut to the surface. Without a list (the start, or after
    // ClearClipRects) the whole surface is open.
    void SetClipRects(const std::vector<Rect>& rects);
    void ClearClipRects();
    // The rectangles copies and fills are confined to.
    const std::vector<Rect>& EffectiveClip() const { return clipRects; }

    // Copies sourceRect of `source` into destRect of this surface, nearest
    // neighbour (sampled at pixel centres) when the sizes differ, skipping
    // the source's key if it has one, clipped to this surface's clip
    // rectangles. Converts between formats. False when SDL refused.
    bool Blit(CSurface& source, const Rect& sourceRect, const Rect& destRect);

    // Fills the rectangle (clipped like Blit) with one raw pixel value.
    bool Fill(const Rect& rect, uint32_t raw);

    // Copies the top-left pixels of `bitmap` one to one onto this surface,
    // converting them to this format. Any key and blending of `bitmap` are
    // ignored and the padding byte of 32-bit pixels is cleared, so that black
    // stays raw 0. Pixels the bitmap does not cover are left as they are.
    bool CopyBitmap(CSurface& bitmap);

    // Locks `rect` (the whole surface when null). The lock fails when the
    // rectangle is empty or not wholly inside the surface.
    CSurfaceLock Lock(const Rect* rect = nullptr);

    // Raw pixel access for tests and tools: the value at (x, y), 0 outside.
    uint32_t GetPixel(int32_t x, int32_t y);
    void SetPixel(int32_t x, int32_t y, uint32_t raw);

    // Whether the pixels are held run-length encoded right now.
    bool IsEncoded() const;

    // Implementation object (SDL); reachable only inside the platform layer.
    struct Impl;
    Impl& Internal() { return *impl; }

private:
    friend class CSurfaceLock;
    CSurface(std::unique_ptr<Impl> implementation, const PixelFormat& pixelFormat);
    void Unlock();
    void DropEncoding();
    bool CopySameSize(CSurface& source, const Rect& sourceRect, const Rect& destRect);
    bool CopyScaled(CSurface& source, const Rect& sourceRect, const Rect& destRect);

    std::unique_ptr<Impl> impl;
    PixelFormat format;
    std::optional<uint32_t> colorKey;
    std::vector<Rect> clipRects; // the effective list: the whole surface without one
};

// Packs red, green and blue (each 0..255) into the raw value of `format`,
// keeping the high bits of each channel. Used by tests and tools.
uint32_t PackRgb(const PixelFormat& format, uint8_t red, uint8_t green, uint8_t blue);

} // namespace platform
