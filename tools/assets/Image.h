// An RGB picture in memory, drawn with cairo and written as the game's
// ordinary uncompressed 24-bit .bmp files, or, for the versions drawn at a
// display scale, as 8-bit RGB .png files.
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

// The display scales the game composes at: every sharp picture is also drawn
// at 2, 3 and 4 times its resolution.
inline constexpr int kLargestScale = 4;

// Owns a cairo image surface (ARGB32) and a context on it. The canvas is
// width x height picture units and scale x scale pixels a unit: the surface's
// device scale makes every path, text and source surface (a texture made at
// the same scale) land in picture units, so painting code never sees the
// scale.
class CCanvas {
public:
    CCanvas(int width, int height, int scale = 1);
    ~CCanvas();
    CCanvas(const CCanvas&) = delete;
    CCanvas& operator=(const CCanvas&) = delete;

    cairo_t* Cr() const { return cr; }
    cairo_surface_t* Surface() const { return surface; }
    int Width() const { return width; }
    int Height() const { return height; }
    int Scale() const { return scale; }
    int PixelWidth() const { return width * scale; }
    int PixelHeight() const { return height * scale; }

private:
    int width;
    int height;
    int scale;
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
    // The whole file of an 8-bit RGB .png (no alpha channel).
    std::vector<uint8_t> EncodePng() const;

private:
    int width;
    int height;
    std::vector<SRgb> pixels;
};

// Reads an uncompressed 24-bit .bmp (bottom-up or top-down); nothing for any
// other kind of file or one cut short.
std::optional<CImage> DecodeBmp(const std::vector<uint8_t>& bytes);

// Reads an 8-bit RGB or RGBA .png (alpha ignored); nothing for anything else.
std::optional<CImage> DecodePng(const std::vector<uint8_t>& bytes);

// Creates parent folders as needed; returns false on failure.
bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
bool WriteBmp(const std::string& path, const CImage& image);
bool WritePng(const std::string& path, const CImage& image);

// The display scale of the surface a context draws on (1 for an ordinary one).
int ScaleOf(cairo_t* cr);

// "Graphics/Gui/Cursor.bmp" at scale 2 is "Graphics/Gui/Cursor@2x.png"; the
// 1x path is the name itself.
std::string ScaledPath(const std::string& bmpPath, int scale);

} // namespace assets
