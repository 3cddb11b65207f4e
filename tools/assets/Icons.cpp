// The game's icon: two tiles, one lying half on the other, the front one
// showing a single red-and-blue circle. Drawn as vector paths in a unit
// square, so the same drawing gives every bitmap size and the scalable file.
#include "Icons.h"

#include "Image.h"

#include <cairo-svg.h>
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace assets {
namespace {

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

// One tile with its face's top-left corner at (x, y): a green body seen
// below and to the left of the ivory face, as the board draws its tiles.
void DrawTile(cairo_t* cr, double x, double y, double shade)
{
    constexpr double kWidth = 0.50;
    constexpr double kHeight = 0.66;
    constexpr double kDepth = 0.07;
    constexpr double kRadius = 0.06;
    RoundedRect(cr, x - kDepth, y + kDepth, kWidth, kHeight, kRadius);
    cairo_set_source_rgb(cr, 0.10 * shade, 0.42 * shade, 0.24 * shade);
    cairo_fill(cr);
    cairo_pattern_t* face = cairo_pattern_create_linear(x, y, x + kWidth, y + kHeight);
    cairo_pattern_add_color_stop_rgb(face, 0, 1.00 * shade, 0.98 * shade, 0.90 * shade);
    cairo_pattern_add_color_stop_rgb(face, 1, 0.86 * shade, 0.80 * shade, 0.64 * shade);
    RoundedRect(cr, x, y, kWidth, kHeight, kRadius);
    cairo_set_source(cr, face);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(face);
    cairo_set_source_rgb(cr, 0.35 * shade, 0.28 * shade, 0.16 * shade);
    cairo_set_line_width(cr, 0.015);
    cairo_stroke(cr);
}

// The "one circle" face: a red ring around a blue disc with a light centre.
void DrawCircleFace(cairo_t* cr, double cx, double cy)
{
    cairo_arc(cr, cx, cy, 0.17, 0, 2 * M_PI);
    cairo_set_source_rgb(cr, 0.78, 0.12, 0.10);
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, 0.12, 0, 2 * M_PI);
    cairo_set_source_rgb(cr, 0.98, 0.95, 0.86);
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, 0.09, 0, 2 * M_PI);
    cairo_set_source_rgb(cr, 0.12, 0.28, 0.62);
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, 0.035, 0, 2 * M_PI);
    cairo_set_source_rgb(cr, 0.98, 0.95, 0.86);
    cairo_fill(cr);
}

bool WriteSvgIcon(const std::string& path)
{
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    constexpr double kSvgSizePt = 256;
    cairo_surface_t* surface = cairo_svg_surface_create(path.c_str(), kSvgSizePt, kSvgSizePt);
    cairo_t* cr = cairo_create(surface);
    DrawIcon(cr, kSvgSizePt);
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    const bool ok = cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return ok && std::filesystem::file_size(path, error) > 0;
}

} // namespace

void DrawIcon(cairo_t* cr, double sizePx)
{
    cairo_save(cr);
    cairo_scale(cr, sizePx, sizePx);
    DrawTile(cr, 0.42, 0.06, 0.82);
    DrawTile(cr, 0.14, 0.24, 1.0);
    DrawCircleFace(cr, 0.39, 0.57);
    cairo_restore(cr);
}

std::vector<uint32_t> DrawIconPixels(int sizePx)
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, sizePx, sizePx);
    cairo_t* cr = cairo_create(surface);
    DrawIcon(cr, sizePx);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    std::vector<uint32_t> pixels(static_cast<size_t>(sizePx) * sizePx);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < sizePx; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
        for (int x = 0; x < sizePx; ++x) {
            // Cairo keeps premultiplied colour; files want it straight.
            const uint32_t p = row[x];
            const uint32_t a = p >> 24;
            const auto straight = [a](uint32_t c) { return a == 0 ? 0u : std::min(255u, (c * 255 + a / 2) / a); };
            pixels[static_cast<size_t>(y) * sizePx + x] = (a << 24) | (straight((p >> 16) & 0xff) << 16)
                | (straight((p >> 8) & 0xff) << 8) | straight(p & 0xff);
        }
    }
    cairo_surface_destroy(surface);
    return pixels;
}

CImage DrawWindowIcon(int sizePx)
{
    // The game's bitmaps are 24-bit with black transparent, so the icon's
    // soft edge is cut at half cover, and nothing inside it may be black.
    const std::vector<uint32_t> pixels = DrawIconPixels(sizePx);
    CImage image(sizePx, sizePx);
    for (int y = 0; y < sizePx; ++y) {
        for (int x = 0; x < sizePx; ++x) {
            const uint32_t p = pixels[static_cast<size_t>(y) * sizePx + x];
            if ((p >> 24) < 128) {
                continue;
            }
            image.At(x, y) = {static_cast<uint8_t>(std::max<uint32_t>(8, (p >> 16) & 0xff)),
                static_cast<uint8_t>(std::max<uint32_t>(8, (p >> 8) & 0xff)),
                static_cast<uint8_t>(std::max<uint32_t>(8, p & 0xff))};
        }
    }
    return image;
}

bool WriteWindowIcon(const std::string& root)
{
    return WriteBmp(root + "/" + kWindowIconFile, DrawWindowIcon(kWindowIconSizePx));
}

bool WriteDesktopIcons(const std::string& folder)
{
    bool ok = true;
    for (const int size : kDesktopIconSizesPx) {
        const std::string dir = folder + "/hicolor/" + std::to_string(size) + "x" + std::to_string(size) + "/apps";
        std::error_code error;
        std::filesystem::create_directories(dir, error);
        cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
        cairo_t* cr = cairo_create(surface);
        DrawIcon(cr, size);
        cairo_destroy(cr);
        ok = cairo_surface_write_to_png(surface, (dir + "/" + kIconName + ".png").c_str()) == CAIRO_STATUS_SUCCESS
            && ok;
        cairo_surface_destroy(surface);
    }
    ok = WriteSvgIcon(folder + "/hicolor/scalable/apps/" + kIconName + ".svg") && ok;
    return ok;
}

} // namespace assets
