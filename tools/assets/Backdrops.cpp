// Felt, walnut planks, slate and a night sky: each a quiet surface that lets
// the ivory tiles stand out, with a soft light in the middle of the board.
#include "Backdrops.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace assets::gui {

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

// Written at 1x only: the options page offers every file of the backdrop
// folder as a choice, so a "@2x.png" there would be offered as a backdrop of
// its own. The game enlarges these soft surfaces smoothly. Drawn at 2 they
// do look finer (round stars, finer grain); raise this to 2 once the listing
// leaves the scaled versions out.
constexpr int kBackdropLargestScale = 1;

// The light of a lamp above the middle of the board: 1 in the middle, lower
// toward the corners.
double Lamp(double x, double y)
{
    const double dx = (x - kWidth * 0.5) / (kWidth * 0.62);
    const double dy = (y - kHeight * 0.42) / (kHeight * 0.75);
    return 1.0 - 0.42 * std::min(1.0, dx * dx + dy * dy);
}

CImage Felt(int scale)
{
    CCanvas canvas(kWidth, kHeight, scale);
    const SColour light = Rgb(44, 128, 80);
    const SColour dark = Rgb(14, 62, 36);
    ShadePixels(canvas, [&](double x, double y) {
        const double mottle = Fbm(x * 0.012, y * 0.012, 301, 4);
        const double nap = ValueNoise(x * 0.35, y * 0.9, 303);
        const double fibre = Hash01(PixelOf(x), PixelOf(y), 305);
        const double tone = 0.5 * mottle + 0.22 * nap + 0.28 * fibre;
        return Scale(Mix(dark, light, 0.35 + 0.5 * tone), Lamp(x, y));
    });
    return FinishPicture(canvas, EKeyMode::Threshold);
}

CImage WalnutTable(int scale)
{
    CCanvas canvas(kWidth, kHeight, scale);
    cairo_t* cr = canvas.Cr();
    const SWoodStyle style{Rgb(150, 98, 58), Rgb(84, 48, 26), EGrain::Horizontal, 13.0, 1.6, 311};
    const auto wood = MakeWood(kWidth, kHeight, style, scale);
    cairo_set_source_surface(cr, wood->Surface(), 0, 0);
    cairo_paint(cr);
    // Planks 150 pixels wide, their butt joints staggered.
    constexpr int kPlankPx = 150;
    for (int plank = 0; plank * kPlankPx < kHeight; ++plank) {
        const double top = plank * kPlankPx;
        cairo_set_source_rgba(cr, 0.08, 0.04, 0.02, 0.75);
        cairo_rectangle(cr, 0, top, kWidth, 2);
        cairo_fill(cr);
        cairo_set_source_rgba(cr, 1.0, 0.9, 0.7, 0.12);
        cairo_rectangle(cr, 0, top + 2, kWidth, 1);
        cairo_fill(cr);
        const double joint = (plank % 2 == 0) ? 260 : 610;
        cairo_set_source_rgba(cr, 0.08, 0.04, 0.02, 0.6);
        cairo_rectangle(cr, joint, top, 2, kPlankPx);
        cairo_fill(cr);
    }
    cairo_pattern_t* lamp = cairo_pattern_create_radial(400, 250, 60, 400, 250, 560);
    cairo_pattern_add_color_stop_rgba(lamp, 0, 1.0, 0.85, 0.6, 0.10);
    cairo_pattern_add_color_stop_rgba(lamp, 1, 0.0, 0.0, 0.0, 0.45);
    cairo_set_source(cr, lamp);
    cairo_paint(cr);
    cairo_pattern_destroy(lamp);
    return FinishPicture(canvas, EKeyMode::Threshold);
}

CImage Slate(int scale)
{
    CCanvas canvas(kWidth, kHeight, scale);
    const SColour light = Rgb(104, 114, 126);
    const SColour dark = Rgb(44, 50, 60);
    ShadePixels(canvas, [&](double x, double y) {
        const double cloud = Fbm(x * 0.006, y * 0.006, 321, 5);
        const double warp = Fbm(x * 0.004 + 7.0, y * 0.004, 323, 3);
        // Faint veins where the warped field crosses a few levels only.
        const double vein = std::pow(std::abs(std::sin((x * 0.002 + y * 0.003 + 2.5 * warp) * 5.0)), 40.0);
        const double grain = Hash01(PixelOf(x), PixelOf(y), 325);
        const double flecks = ValueNoise(x * 0.2, y * 0.2, 327);
        const double tone = 0.62 * cloud + 0.10 * grain + 0.10 * flecks - 0.10 * vein;
        return Scale(Mix(dark, light, std::clamp(tone, 0.0, 1.0)), Lamp(x, y));
    });
    return FinishPicture(canvas, EKeyMode::Threshold);
}

CImage NightSky(int scale)
{
    CCanvas canvas(kWidth, kHeight, scale);
    const SColour zenith = Rgb(10, 16, 44);
    const SColour horizon = Rgb(36, 44, 92);
    const SColour haze = Rgb(70, 52, 110);
    ShadePixels(canvas, [&](double x, double y) {
        const double height = y / kHeight;
        const double veil = Fbm(x * 0.005, y * 0.008, 331, 5);
        const double band = std::exp(-std::pow((y - 0.8 * x * 0.45 - 120.0) / 140.0, 2.0));
        const SColour sky = Mix(zenith, horizon, height * height);
        return Mix(sky, haze, std::clamp(band * veil * 0.8, 0.0, 0.6));
    });
    cairo_t* cr = canvas.Cr();
    CScatter scatter(337);
    for (int i = 0; i < 520; ++i) {
        const double x = scatter.Unit() * kWidth;
        const double y = scatter.Unit() * kHeight;
        const double brightness = std::pow(scatter.Unit(), 3.0);
        const double radius = 0.45 + 1.1 * brightness;
        const double warmth = scatter.Unit();
        cairo_set_source_rgba(cr, 0.85 + 0.15 * warmth, 0.88, 1.0 - 0.2 * warmth, 0.35 + 0.65 * brightness);
        cairo_arc(cr, x, y, radius, 0, 2 * std::numbers::pi);
        cairo_fill(cr);
        if (brightness > 0.45) {
            cairo_pattern_t* glow = cairo_pattern_create_radial(x, y, 0, x, y, radius * 5);
            cairo_pattern_add_color_stop_rgba(glow, 0, 0.8, 0.85, 1.0, 0.35);
            cairo_pattern_add_color_stop_rgba(glow, 1, 0.8, 0.85, 1.0, 0.0);
            cairo_set_source(cr, glow);
            cairo_arc(cr, x, y, radius * 5, 0, 2 * std::numbers::pi);
            cairo_fill(cr);
            cairo_pattern_destroy(glow);
        }
    }
    return FinishPicture(canvas, EKeyMode::Threshold);
}

struct SBackdrop {
    const char* fileName;
    CImage (*paint)(int scale);
};

constexpr SBackdrop kBackdrops[] = {
    {"Emerald Felt.bmp", Felt},
    {"Midnight Sky.bmp", NightSky},
    {"Slate Stone.bmp", Slate},
    {"Walnut Table.bmp", WalnutTable},
};

} // namespace

std::vector<std::string> BackdropFileNames()
{
    std::vector<std::string> names;
    for (const SBackdrop& backdrop : kBackdrops) {
        names.emplace_back(backdrop.fileName);
    }
    return names;
}

std::vector<SPictureJob> BackdropJobs()
{
    std::vector<SPictureJob> jobs;
    for (const SBackdrop& backdrop : kBackdrops) {
        jobs.push_back({std::string("Graphics/Backdrops/") + backdrop.fileName,
            [paint = backdrop.paint](int scale) -> std::optional<CImage> { return paint(scale); },
            kBackdropLargestScale});
    }
    return jobs;
}

} // namespace assets::gui
