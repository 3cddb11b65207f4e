// Noise, textures and the bevelled shapes every wooden picture is made of.
#include "GuiPaint.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace assets::gui {

namespace {

double Smooth(double t) { return t * t * (3.0 - 2.0 * t); }

uint8_t ToByte(double v) { return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0)); }

void AddClockwiseRoundedRectangle(cairo_t* cr, double x, double y, double w, double h, double radius)
{
    const double r = std::max(0.0, std::min(radius, std::min(w, h) / 2.0));
    const double half = std::numbers::pi / 2.0;
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -half, 0.0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0.0, half);
    cairo_arc(cr, x + r, y + h - r, r, half, 2.0 * half);
    cairo_arc(cr, x + r, y + r, r, 2.0 * half, 3.0 * half);
    cairo_close_path(cr);
}

void FillQuad(cairo_t* cr, double x0, double y0, double x1, double y1, double x2, double y2, double x3, double y3)
{
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    cairo_line_to(cr, x2, y2);
    cairo_line_to(cr, x3, y3);
    cairo_close_path(cr);
    cairo_fill(cr);
}

} // namespace

SColour Rgb(int r, int g, int b) { return {r / 255.0, g / 255.0, b / 255.0}; }

SColour Mix(const SColour& a, const SColour& b, double t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

SColour Scale(const SColour& c, double factor) { return {c.r * factor, c.g * factor, c.b * factor}; }

void SetSource(cairo_t* cr, const SColour& c, double alpha) { cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha); }

double Hash01(int x, int y, uint32_t seed)
{
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return static_cast<double>(h & 0xFFFFFFu) / 16777216.0;
}

double ValueNoise(double x, double y, uint32_t seed)
{
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const int ix = static_cast<int>(fx);
    const int iy = static_cast<int>(fy);
    const double tx = Smooth(x - fx);
    const double ty = Smooth(y - fy);
    const double top = Hash01(ix, iy, seed) + (Hash01(ix + 1, iy, seed) - Hash01(ix, iy, seed)) * tx;
    const double bottom = Hash01(ix, iy + 1, seed) + (Hash01(ix + 1, iy + 1, seed) - Hash01(ix, iy + 1, seed)) * tx;
    return top + (bottom - top) * ty;
}

double Fbm(double x, double y, uint32_t seed, int octaves)
{
    double sum = 0.0;
    double amplitude = 0.5;
    double total = 0.0;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * ValueNoise(x, y, seed + static_cast<uint32_t>(i) * 101u);
        total += amplitude;
        x *= 2.0;
        y *= 2.0;
        amplitude *= 0.5;
    }
    return sum / total;
}

uint32_t CScatter::Next()
{
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

double CScatter::Unit() { return static_cast<double>(Next() >> 8) / 16777216.0; }

SWoodStyle HoneyOak(uint32_t seed, EGrain grain)
{
    return {Rgb(200, 142, 78), Rgb(128, 78, 38), grain, 8.0, 1.0, seed};
}

SWoodStyle Walnut(uint32_t seed, EGrain grain) { return {Rgb(122, 74, 42), Rgb(62, 34, 18), grain, 11.0, 1.3, seed}; }

SColour ChocolateLight() { return Rgb(74, 46, 30); }
SColour ChocolateDark() { return Rgb(44, 26, 17); }

void ShadePixels(
    CCanvas& canvas, const std::function<SColour(double x, double y)>& shade, const std::vector<SArea>& areas)
{
    cairo_surface_flush(canvas.Surface());
    unsigned char* data = cairo_image_surface_get_data(canvas.Surface());
    const int stride = cairo_image_surface_get_stride(canvas.Surface());
    const double scale = canvas.Scale();
    // Each area's pixels with a margin of one picture pixel, inside the canvas.
    const auto first = [&](double at) { return std::max(0, static_cast<int>(std::floor((at - 1) * scale))); };
    const auto end
        = [&](double at, int size) { return static_cast<int>(std::min<double>(size, std::ceil((at + 1) * scale))); };
    for (const SArea& area : areas) {
        const int left = first(area.x);
        const int right = end(area.x + area.w, canvas.PixelWidth());
        for (int y = first(area.y); y < end(area.y + area.h, canvas.PixelHeight()); ++y) {
            auto* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
            const double pictureY = (y + 0.5) / scale - 0.5;
            for (int x = left; x < right; ++x) {
                const SColour c = shade((x + 0.5) / scale - 0.5, pictureY);
                row[x] = 0xFF000000u | (static_cast<uint32_t>(ToByte(c.r)) << 16)
                    | (static_cast<uint32_t>(ToByte(c.g)) << 8) | ToByte(c.b);
            }
        }
    }
    cairo_surface_mark_dirty(canvas.Surface());
}

int PixelOf(double position) { return static_cast<int>(std::floor(position + 0.5)); }

std::unique_ptr<CCanvas> MakeWood(
    int width, int height, const SWoodStyle& style, int scale, const std::vector<SArea>& areas)
{
    auto canvas = std::make_unique<CCanvas>(width, height, scale);
    const uint32_t seed = style.seed;
    ShadePixels(
        *canvas,
        [&](double x, double y) {
            // u runs along the grain, v across it.
            const double u = style.grain == EGrain::Horizontal ? x : y;
            const double v = style.grain == EGrain::Horizontal ? y : x;
            const double wander = Fbm(u * 0.004, v * 0.02, seed, 4) - 0.5;
            const double sway = ValueNoise(u * 0.011, v * 0.004, seed + 3) - 0.5;
            const double t = (v + style.figure * 38.0 * wander + 22.0 * sway) / style.ringSpacingPx;
            const double ring = std::pow(0.5 + 0.5 * std::sin(2.0 * std::numbers::pi * t), 2.2);
            const double fibre = ValueNoise(u * 0.07, v * 1.1, seed + 7);
            // Pores two pixels long along the grain.
            const double pores = Hash01(PixelOf(u) / 2, PixelOf(v), seed + 11);
            const double cloud = Fbm(u * 0.006, v * 0.03, seed + 13, 3);
            const double tone = 0.46 * ring + 0.26 * fibre + 0.08 * pores + 0.20 * cloud;
            return Mix(style.light, style.dark, std::clamp(tone, 0.0, 1.0));
        },
        areas);
    return canvas;
}

std::unique_ptr<CCanvas> MakeLeather(int width, int height, const SColour& light, const SColour& dark, uint32_t seed,
    int scale, const std::vector<SArea>& areas)
{
    auto canvas = std::make_unique<CCanvas>(width, height, scale);
    ShadePixels(
        *canvas,
        [&](double x, double y) {
            const double mottle = Fbm(x * 0.03, y * 0.03, seed, 4);
            const double pebble = ValueNoise(x * 0.45, y * 0.45, seed + 5);
            // Equal to the lattice's own value at whole positions, smooth between.
            const double speck = ValueNoise(x, y, seed + 9);
            const double tone = 0.55 * mottle + 0.30 * pebble + 0.15 * speck;
            return Mix(light, dark, std::clamp(tone * 1.2 - 0.1, 0.0, 1.0));
        },
        areas);
    return canvas;
}

void RoundedRectangle(cairo_t* cr, double x, double y, double w, double h, double radius)
{
    AddClockwiseRoundedRectangle(cr, x, y, w, h, radius);
}

void PaintBevel(
    cairo_t* cr, double x, double y, double w, double h, double radius, double bevelPx, EBevel bevel, double strength)
{
    cairo_save(cr);
    cairo_new_path(cr);
    AddClockwiseRoundedRectangle(cr, x, y, w, h, radius);
    AddClockwiseRoundedRectangle(
        cr, x + bevelPx, y + bevelPx, w - 2 * bevelPx, h - 2 * bevelPx, std::max(0.0, radius - bevelPx));
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_clip(cr);
    const bool raised = bevel == EBevel::Raised;
    const double b = bevelPx;
    // Top and left catch the light of a raised edge, bottom and right fall
    // into shadow; a sunken edge is the other way round.
    const double lightTop = 0.50 * strength;
    const double lightLeft = 0.32 * strength;
    const double darkBottom = 0.50 * strength;
    const double darkRight = 0.38 * strength;
    cairo_set_source_rgba(
        cr, raised ? 1.0 : 0.0, raised ? 0.92 : 0.0, raised ? 0.75 : 0.0, raised ? lightTop : darkBottom);
    FillQuad(cr, x, y, x + w, y, x + w - b, y + b, x + b, y + b);
    cairo_set_source_rgba(
        cr, raised ? 1.0 : 0.0, raised ? 0.92 : 0.0, raised ? 0.75 : 0.0, raised ? lightLeft : darkRight);
    FillQuad(cr, x, y, x + b, y + b, x + b, y + h - b, x, y + h);
    cairo_set_source_rgba(
        cr, raised ? 0.0 : 1.0, raised ? 0.0 : 0.92, raised ? 0.0 : 0.75, raised ? darkBottom : lightTop * 0.6);
    FillQuad(cr, x, y + h, x + b, y + h - b, x + w - b, y + h - b, x + w, y + h);
    cairo_set_source_rgba(
        cr, raised ? 0.0 : 1.0, raised ? 0.0 : 0.92, raised ? 0.0 : 0.75, raised ? darkRight : lightLeft * 0.6);
    FillQuad(cr, x + w, y, x + w, y + h, x + w - b, y + h - b, x + w - b, y + b);
    cairo_restore(cr);
}

void PaintPlank(cairo_t* cr, const CCanvas& texture, double x, double y, double w, double h, double radius,
    double bevelPx, EBevel bevel)
{
    cairo_save(cr);
    cairo_new_path(cr);
    AddClockwiseRoundedRectangle(cr, x, y, w, h, radius);
    cairo_set_source_surface(cr, texture.Surface(), 0, 0);
    cairo_fill(cr);
    PaintBevel(cr, x, y, w, h, radius, bevelPx, bevel);
    cairo_new_path(cr);
    AddClockwiseRoundedRectangle(cr, x + 0.5, y + 0.5, w - 1.0, h - 1.0, std::max(0.0, radius - 0.5));
    cairo_set_source_rgba(cr, 0.12, 0.07, 0.03, 0.9);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void PaintInnerShadow(cairo_t* cr, double x, double y, double w, double h, double radius, double depthPx)
{
    cairo_save(cr);
    cairo_new_path(cr);
    AddClockwiseRoundedRectangle(cr, x, y, w, h, radius);
    cairo_clip(cr);
    cairo_pattern_t* top = cairo_pattern_create_linear(0, y, 0, y + depthPx);
    cairo_pattern_add_color_stop_rgba(top, 0.0, 0, 0, 0, 0.55);
    cairo_pattern_add_color_stop_rgba(top, 1.0, 0, 0, 0, 0.0);
    cairo_set_source(cr, top);
    cairo_rectangle(cr, x, y, w, depthPx);
    cairo_fill(cr);
    cairo_pattern_destroy(top);
    cairo_pattern_t* left = cairo_pattern_create_linear(x, 0, x + depthPx, 0);
    cairo_pattern_add_color_stop_rgba(left, 0.0, 0, 0, 0, 0.40);
    cairo_pattern_add_color_stop_rgba(left, 1.0, 0, 0, 0, 0.0);
    cairo_set_source(cr, left);
    cairo_rectangle(cr, x, y, depthPx, h);
    cairo_fill(cr);
    cairo_pattern_destroy(left);
    cairo_restore(cr);
}

void PaintVignette(cairo_t* cr, double w, double h, double strength)
{
    cairo_save(cr);
    const double radius = std::hypot(w, h) / 2.0;
    cairo_pattern_t* glow = cairo_pattern_create_radial(w / 2, h / 2, radius * 0.35, w / 2, h / 2, radius);
    cairo_pattern_add_color_stop_rgba(glow, 0.0, 0, 0, 0, 0.0);
    cairo_pattern_add_color_stop_rgba(glow, 1.0, 0, 0, 0, strength);
    cairo_set_source(cr, glow);
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
    cairo_restore(cr);
}

CImage FinishPicture(const CCanvas& canvas, EKeyMode mode)
{
    CImage image = CImage::FromCanvas(canvas);
    cairo_surface_flush(canvas.Surface());
    const unsigned char* data = cairo_image_surface_get_data(canvas.Surface());
    const int stride = cairo_image_surface_get_stride(canvas.Surface());
    for (int y = 0; y < canvas.PixelHeight(); ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
        for (int x = 0; x < canvas.PixelWidth(); ++x) {
            const uint32_t p = row[x];
            const uint32_t alpha = p >> 24;
            SRgb& out = image.At(x, y);
            if (mode == EKeyMode::Threshold) {
                if (alpha < 128) {
                    out = SRgb{};
                    continue;
                }
                // Premultiplied channels back to full strength, rounded.
                auto full = [alpha](uint32_t c) {
                    return static_cast<uint8_t>(std::min<uint32_t>(255u, (c * 255u + alpha / 2u) / alpha));
                };
                out = {full((p >> 16) & 0xFF), full((p >> 8) & 0xFF), full(p & 0xFF)};
            }
            // A mostly covered pixel that came out pure black would turn into
            // a hole: keep it the darkest visible grey instead.
            if (alpha >= 128 && out == SRgb{}) {
                out = {8, 8, 8};
            }
        }
    }
    image.KeepNearBlackVisible();
    return image;
}

} // namespace assets::gui
