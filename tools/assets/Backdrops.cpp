// Felt, walnut planks, slate, a night sky, teal linen, rice paper, plum velvet
// and sandstone: each a quiet surface that lets the tiles of every set stand
// out, with a soft light in the middle of the board.
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

// Linen woven of teal threads: warp and weft alternate over and under in a
// plain weave, each thread a little uneven in tone.
CImage TealCloth(int scale)
{
    CCanvas canvas(kWidth, kHeight, scale);
    const SColour light = Rgb(52, 132, 136);
    const SColour dark = Rgb(12, 60, 66);
    constexpr double kThreadPx = 3.0;
    ShadePixels(canvas, [&](double x, double y) {
        const int column = static_cast<int>(std::floor(x / kThreadPx));
        const int row = static_cast<int>(std::floor(y / kThreadPx));
        const bool warpOnTop = (column + row) % 2 == 0;
        // Across a thread its middle is lit and its sides fall into shadow.
        const double across = warpOnTop ? x / kThreadPx - column : y / kThreadPx - row;
        const double round = std::sin(across * std::numbers::pi);
        const double thread = warpOnTop ? Hash01(column, 0, 341) : Hash01(0, row, 343);
        const double mottle = Fbm(x * 0.008, y * 0.008, 345, 4);
        const double tone = 0.42 * mottle + 0.16 * thread + 0.30 * round + 0.06 * (warpOnTop ? 1 : 0);
        return Scale(Mix(dark, light, tone), Lamp(x, y));
    });
    return FinishPicture(canvas, EKeyMode::Threshold);
}

// Handmade paper: a warm cream ground, clouded where the pulp lay thicker,
// with long pale fibres and a few darker ones laid into it.
CImage RicePaper(int scale)
{
    CCanvas canvas(kWidth, kHeight, scale);
    const SColour light = Rgb(246, 238, 216);
    const SColour dark = Rgb(216, 202, 170);
    ShadePixels(canvas, [&](double x, double y) {
        const double cloud = Fbm(x * 0.01, y * 0.01, 351, 5);
        const double grain = Hash01(PixelOf(x), PixelOf(y), 353);
        const double tone = 0.75 * cloud + 0.25 * grain;
        // A lighter lamp than on the dark surfaces: the corners stay paper.
        return Scale(Mix(dark, light, tone), 0.86 + 0.14 * Lamp(x, y));
    });
    cairo_t* cr = canvas.Cr();
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    CScatter scatter(357);
    for (int i = 0; i < 900; ++i) {
        const double x = scatter.Unit() * kWidth;
        const double y = scatter.Unit() * kHeight;
        const double angle = scatter.Unit() * std::numbers::pi;
        const double length = 8 + 30 * scatter.Unit();
        const double bend = (scatter.Unit() - 0.5) * 10;
        const bool darkFibre = scatter.Unit() < 0.15;
        const double dx = std::cos(angle) * length / 2;
        const double dy = std::sin(angle) * length / 2;
        cairo_move_to(cr, x - dx, y - dy);
        cairo_curve_to(cr, x - dx / 3 + bend, y - dy / 3, x + dx / 3, y + dy / 3 - bend, x + dx, y + dy);
        if (darkFibre) {
            cairo_set_source_rgba(cr, 0.55, 0.45, 0.30, 0.35);
        } else {
            cairo_set_source_rgba(cr, 1.0, 0.99, 0.95, 0.7);
        }
        cairo_set_line_width(cr, 0.5 + 0.6 * scatter.Unit());
        cairo_stroke(cr);
    }
    return FinishPicture(canvas, EKeyMode::Threshold);
}

// Crushed velvet in deep plum: the pile lies in patches, and where it is
// pressed flat it catches the light in broad soft streaks.
CImage PlumVelvet(int scale)
{
    CCanvas canvas(kWidth, kHeight, scale);
    const SColour light = Rgb(112, 44, 90);
    const SColour dark = Rgb(46, 12, 38);
    ShadePixels(canvas, [&](double x, double y) {
        const double warp = Fbm(x * 0.003, y * 0.003, 361, 3);
        const double crush = Fbm(x * 0.005 + 2.0 * warp, y * 0.008 - 1.5 * warp, 363, 4);
        // The sheen is brightest where the crushed field passes one level.
        const double sheen = std::exp(-std::pow((crush - 0.55) / 0.12, 2.0));
        const double pile = Hash01(PixelOf(x), PixelOf(y), 365);
        const double tone = 0.5 * crush + 0.2 * sheen + 0.08 * pile;
        return Scale(Mix(dark, light, std::clamp(tone, 0.0, 1.0)), Lamp(x, y));
    });
    return FinishPicture(canvas, EKeyMode::Threshold);
}

// Red sandstone cut across its beds: broad bands of rust and salmon that
// wander and swell, fine laminae slanting one way in one bed and the other
// way in the next, sand grains and a few dark pebbles.
CImage Sandstone(int scale)
{
    CCanvas canvas(kWidth, kHeight, scale);
    const SColour salmon = Rgb(176, 110, 78);
    const SColour rust = Rgb(118, 62, 42);
    const SColour grit = Rgb(70, 40, 30);
    ShadePixels(canvas, [&](double x, double y) {
        const double wander = Fbm(x * 0.002, y * 0.004, 371, 4);
        const double depth = (y + 260.0 * wander + 0.1 * x) / 95.0;
        const double bed = 0.5 + 0.5 * std::sin(depth * std::numbers::pi);
        const double slant = static_cast<int>(std::floor(depth)) % 2 == 0 ? 0.45 : -0.3;
        const double laminae = 0.5 + 0.5 * std::sin((y + slant * x + 40.0 * wander) * 0.5);
        const double cloud = Fbm(x * 0.01, y * 0.01, 375, 3);
        const double grain = Hash01(PixelOf(x), PixelOf(y), 373);
        const double pebble = ValueNoise(x * 0.25, y * 0.25, 377) > 0.93 ? 0.6 : 0.0;
        const SColour bedded = Mix(rust, salmon, 0.48 * bed + 0.06 * laminae + 0.36 * cloud);
        return Scale(Mix(bedded, grit, 0.2 * grain + pebble), Lamp(x, y));
    });
    return FinishPicture(canvas, EKeyMode::Threshold);
}

struct SBackdrop {
    const char* fileName;
    CImage (*paint)(int scale);
};

constexpr SBackdrop kBackdrops[] = {
    {"Emerald Felt.bmp", Felt},
    {"Midnight Sky.bmp", NightSky},
    {"Plum Velvet.bmp", PlumVelvet},
    {"Rice Paper.bmp", RicePaper},
    {"Sandstone.bmp", Sandstone},
    {"Slate Stone.bmp", Slate},
    {"Teal Cloth.bmp", TealCloth},
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
