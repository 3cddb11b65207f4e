// An RGB picture in memory, drawn with cairo and written as the game's
// ordinary uncompressed 24-bit .bmp files.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace assets {

struct SRgb {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    bool operator==(const SRgb&) const = default;
};

// Owns a cairo image surface (ARGB32) and a context on it.
class CCanvas {
public:
    CCanvas(int width, int height);
    ~CCanvas();
    CCanvas(const CCanvas&) = delete;
    CCanvas& operator=(const CCanvas&) = delete;

    cairo_t* Cr() const { return cr; }
    cairo_surface_t* Surface() const { return surface; }
    int Width() const { return width; }
    int Height() const { return height; }

private:
    int width;
    int height;
    cairo_surface_t* surface;
    cairo_t* cr;
};

class CImage {
public:
    CImage(int w, int h)
        : width(w)
        , height(h)
        , pixels(static_cast<size_t>(w) * h)
    {
    }

    // The canvas's pixels composited over black (alpha is dropped).
    static CImage FromCanvas(const CCanvas& canvas);

    int Width() const { return width; }
    int Height() const { return height; }
    SRgb& At(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
    const SRgb& At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }

    // Raises every pixel that is not pure black but darker than the 16- and
    // 15-bit displays can show to the nearest colour they still draw, so that
    // nothing visible turns transparent at low depths: a pixel keeps pure
    // black only when it is exactly (0, 0, 0).
    void KeepNearBlackVisible();

    // The whole file of an uncompressed 24-bit bottom-up .bmp.
    std::vector<uint8_t> EncodeBmp() const;

private:
    int width;
    int height;
    std::vector<SRgb> pixels;
};

// Reads an uncompressed 24-bit .bmp (bottom-up or top-down); nothing for any
// other kind of file or one cut short.
std::optional<CImage> DecodeBmp(const std::vector<uint8_t>& bytes);

// Creates parent folders as needed; returns false on failure.
bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
bool WriteBmp(const std::string& path, const CImage& image);

} // namespace assets
