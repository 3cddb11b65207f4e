// The honours and bonus tiles: dragons, winds, flowers and seasons, and the
// choice of motif for each of the 42 faces.
#include "TileFacesKit.h"

#include <array>
#include <cmath>

namespace assets::faces {

namespace {

constexpr double kStroke = 0.9;

// The thin frame that sets the bonus tiles apart: red for flowers, blue
// for seasons.
void DrawBonusFrame(cairo_t* cr, const STilePalette& palette, EInk ink)
{
    SetInk(cr, palette, ink);
    cairo_set_line_width(cr, 1.0);
    RoundedRectPath(cr, kFaceLeft + 1.5, kFaceTop + 1.5, kFaceRight - kFaceLeft - 3, kFaceBottom - kFaceTop - 3, 2.5);
    cairo_stroke(cr);
}

// The picture's caption: its character under the picture.
void DrawCaption(cairo_t* cr, const STilePalette& palette, const char* text, EInk ink)
{
    SetInk(cr, palette, ink);
    DrawTextFitted(cr, EFont::Kai, text, 13, 12, kFaceCentreX + 7, 47.5, 0.6);
}

void Blossom(cairo_t* cr, const STilePalette& palette, double x, double y, double radius, EInk petals, double turn)
{
    const SColour rim = Mix(palette.Ink(petals), palette.Ink(EInk::Shade), 0.35);
    for (int pass = 0; pass < 2; ++pass) {
        SetColour(cr, pass == 0 ? rim : palette.Ink(petals));
        for (int i = 0; i < 5; ++i) {
            const double a = turn + 2 * M_PI * i / 5;
            FillCircle(cr, x + radius * 0.55 * std::cos(a), y + radius * 0.55 * std::sin(a),
                radius * 0.5 + (pass == 0 ? 0.5 : 0));
        }
    }
    SetInk(cr, palette, EInk::Gold);
    FillCircle(cr, x, y, radius * 0.3);
}

void Leaf(cairo_t* cr, const STilePalette& palette, double x0, double y0, double x1, double y1, double bulge)
{
    const double mx = (x0 + x1) / 2;
    const double my = (y0 + y1) / 2;
    const double nx = -(y1 - y0);
    const double ny = x1 - x0;
    cairo_move_to(cr, x0, y0);
    cairo_curve_to(cr, mx + nx * bulge, my + ny * bulge, mx + nx * bulge, my + ny * bulge, x1, y1);
    cairo_curve_to(
        cr, mx - nx * bulge * 0.4, my - ny * bulge * 0.4, mx - nx * bulge * 0.4, my - ny * bulge * 0.4, x0, y0);
    cairo_close_path(cr);
    SetColour(cr, Mix(palette.Ink(EInk::Leaf), palette.Ink(EInk::Shade), 0.4));
    cairo_set_line_width(cr, 0.7);
    cairo_stroke_preserve(cr);
    SetInk(cr, palette, EInk::Leaf);
    cairo_fill(cr);
}

void Branch(cairo_t* cr, const STilePalette& palette, double width)
{
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    SetColour(cr, Mix(palette.Ink(EInk::Orange), palette.Ink(EInk::Shade), 0.6));
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

void DrawPlum(cairo_t* cr, const STilePalette& palette)
{
    // A gnarled branch rising to the upper right, with a side twig.
    cairo_move_to(cr, 9, 43);
    cairo_curve_to(cr, 13, 36, 18, 33, 22, 26);
    cairo_curve_to(cr, 25, 20, 31, 16, 37, 6);
    Branch(cr, palette, 2.4);
    cairo_move_to(cr, 21, 28);
    cairo_curve_to(cr, 17, 24, 13, 21, 11, 15);
    Branch(cr, palette, 1.4);
    Blossom(cr, palette, 28.5, 18, 8, EInk::Pink, 0.9);
    Blossom(cr, palette, 14.5, 31.5, 7, EInk::Pink, 0.3);
    Blossom(cr, palette, 36, 7, 5.5, EInk::Pink, 0.1);
    SetInk(cr, palette, EInk::Pink);
    FillCircle(cr, 11, 14.5, 1.8);
    FillCircle(cr, 24, 9, 1.6);
    FillCircle(cr, 34.5, 27, 1.6);
}

void DrawOrchid(cairo_t* cr, const STilePalette& palette)
{
    Leaf(cr, palette, 22, 42, 9, 8, 0.10);
    Leaf(cr, palette, 23, 42, 38, 14, -0.09);
    Leaf(cr, palette, 24, 42, 14, 24, -0.12);
    const SColour violet = palette.Ink(EInk::Violet);
    const SColour rim = Mix(violet, palette.Ink(EInk::Shade), 0.4);
    for (const auto& [x, y] : std::array<std::pair<double, double>, 2>{{{29.5, 25.5}, {20, 13.5}}}) {
        for (int pass = 0; pass < 2; ++pass) {
            SetColour(cr, pass == 0 ? rim : violet);
            for (int i = 0; i < 3; ++i) {
                const double a = -M_PI / 2 + 2 * M_PI * i / 3;
                cairo_save(cr);
                cairo_translate(cr, x + 3.4 * std::cos(a), y + 3.4 * std::sin(a));
                cairo_rotate(cr, a);
                cairo_scale(cr, 3.8 + (pass == 0 ? 0.5 : 0), 2.4 + (pass == 0 ? 0.5 : 0));
                cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
                cairo_restore(cr);
                cairo_fill(cr);
            }
        }
        SetInk(cr, palette, EInk::Gold);
        FillCircle(cr, x, y, 1.5);
        SetInk(cr, palette, EInk::Red);
        FillCircle(cr, x, y + 1.2, 0.8);
    }
}

void DrawChrysanthemum(cairo_t* cr, const STilePalette& palette)
{
    cairo_move_to(cr, 24, 42);
    cairo_curve_to(cr, 24, 36, 23, 32, 24, 26);
    Branch(cr, palette, 1.6);
    Leaf(cr, palette, 23.5, 38, 11, 33, 0.25);
    Leaf(cr, palette, 24.5, 36, 37, 31, -0.25);
    const double cx = kFaceCentreX;
    const double cy = 17;
    const SColour gold = palette.Ink(EInk::Gold);
    const SColour orange = palette.Ink(EInk::Orange);
    const SColour rim = Mix(orange, palette.Ink(EInk::Shade), 0.45);
    constexpr int kPetals = 18;
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int layer = 0; layer < 2; ++layer) {
        const double length = layer == 0 ? 12.5 : 8.0;
        for (int i = 0; i < kPetals; ++i) {
            const double a = 2 * M_PI * (i + 0.5 * layer) / kPetals;
            cairo_move_to(cr, cx, cy);
            cairo_line_to(cr, cx + length * std::cos(a), cy + length * std::sin(a));
        }
        SetColour(cr, rim);
        cairo_set_line_width(cr, 3.0);
        cairo_stroke_preserve(cr);
        SetColour(cr, layer == 0 ? orange : gold);
        cairo_set_line_width(cr, 1.9);
        cairo_stroke(cr);
    }
    SetColour(cr, rim);
    FillCircle(cr, cx, cy, 3.2);
    SetColour(cr, gold);
    FillCircle(cr, cx, cy, 2.4);
}

void DrawBambooSpray(cairo_t* cr, const STilePalette& palette)
{
    // A slender culm with two sprays of pointed leaves.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    const SColour green = palette.Ink(EInk::Green);
    for (int pass = 0; pass < 2; ++pass) {
        cairo_move_to(cr, 17, 43);
        cairo_line_to(cr, 21, 5);
        SetColour(cr, pass == 0 ? Mix(green, palette.Ink(EInk::Shade), 0.45) : green);
        cairo_set_line_width(cr, pass == 0 ? 4.0 : 2.6);
        cairo_stroke(cr);
    }
    SetColour(cr, Mix(green, palette.Ink(EInk::Shade), 0.45));
    for (const double y : {14.0, 26.0, 37.0}) {
        cairo_move_to(cr, 16.5 + (43 - y) * 0.105 - 2.2, y);
        cairo_line_to(cr, 16.5 + (43 - y) * 0.105 + 2.4, y);
        cairo_set_line_width(cr, 1.0);
        cairo_stroke(cr);
    }
    Leaf(cr, palette, 20, 14, 37, 6, 0.16);
    Leaf(cr, palette, 20, 14, 38, 17, -0.16);
    Leaf(cr, palette, 20, 15, 31, 25, -0.18);
    Leaf(cr, palette, 18.5, 27, 8, 20, -0.18);
    Leaf(cr, palette, 18.5, 27, 7, 33, 0.16);
}

void DrawSprout(cairo_t* cr, const STilePalette& palette)
{
    // Spring: a willow twig bursting into fresh leaves and a pink bud.
    cairo_move_to(cr, 24, 43);
    cairo_curve_to(cr, 22, 34, 27, 24, 24, 8);
    Branch(cr, palette, 1.8);
    Leaf(cr, palette, 24, 36, 10, 29, 0.22);
    Leaf(cr, palette, 24.5, 31, 38, 24, -0.22);
    Leaf(cr, palette, 25, 22, 12, 15, 0.22);
    Leaf(cr, palette, 25, 18, 36, 10, -0.22);
    Blossom(cr, palette, 24, 7.5, 6.5, EInk::Pink, 0.6);
}

void DrawSun(cairo_t* cr, const STilePalette& palette)
{
    // Summer: a blazing sun over waves.
    const double cx = kFaceCentreX;
    const double cy = 17;
    const SColour red = palette.Ink(EInk::Red);
    const SColour orange = palette.Ink(EInk::Orange);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    constexpr int kRays = 12;
    for (int i = 0; i < kRays; ++i) {
        const double a = 2 * M_PI * i / kRays;
        const double inner = 10;
        const double outer = i % 2 == 0 ? 14.5 : 12.5;
        cairo_move_to(cr, cx + inner * std::cos(a), cy + inner * std::sin(a));
        cairo_line_to(cr, cx + outer * std::cos(a), cy + outer * std::sin(a));
    }
    SetColour(cr, orange);
    cairo_set_line_width(cr, 1.8);
    cairo_stroke(cr);
    SetColour(cr, Mix(red, palette.Ink(EInk::Shade), 0.35));
    FillCircle(cr, cx, cy, 8.6);
    SetColour(cr, red);
    FillCircle(cr, cx, cy, 7.8);
    SetColour(cr, orange);
    FillCircle(cr, cx - 1.5, cy - 1.5, 4.0);
    SetInk(cr, palette, EInk::Blue);
    cairo_set_line_width(cr, 1.6);
    for (const double y : {35.0, 40.0}) {
        cairo_move_to(cr, 9, y);
        for (int i = 0; i < 4; ++i) {
            const double x = 9 + 7.5 * i;
            cairo_curve_to(cr, x + 2, y - 3, x + 5.5, y - 3, x + 7.5, y);
        }
        cairo_stroke(cr);
    }
}

void DrawMapleLeaf(cairo_t* cr, const STilePalette& palette)
{
    // Autumn: a maple leaf. Its outline alternates between the tips of five
    // lobes and the notches between them.
    const double cx = kFaceCentreX;
    const double cy = 21;
    const std::array<double, 5> lobeAngles = {-90, -35, 20, 160, 215};
    const std::array<double, 5> lobeLengths = {16, 14, 10, 10, 14};
    cairo_move_to(cr, cx, cy + 3);
    for (size_t i = 0; i < lobeAngles.size(); ++i) {
        const double a = (lobeAngles[i] - 0) * M_PI / 180;
        const double side = 0.32;
        const double length = lobeLengths[i];
        cairo_line_to(cr, cx + length * 0.45 * std::cos(a - side), cy + length * 0.45 * std::sin(a - side));
        cairo_line_to(cr, cx + length * 0.75 * std::cos(a - side * 0.6), cy + length * 0.75 * std::sin(a - side * 0.6));
        cairo_line_to(cr, cx + length * std::cos(a), cy + length * std::sin(a));
        cairo_line_to(cr, cx + length * 0.75 * std::cos(a + side * 0.6), cy + length * 0.75 * std::sin(a + side * 0.6));
        cairo_line_to(cr, cx + length * 0.45 * std::cos(a + side), cy + length * 0.45 * std::sin(a + side));
        cairo_line_to(cr, cx + 3 * std::cos(a + 0.6), cy + 3 * std::sin(a + 0.6));
    }
    cairo_close_path(cr);
    const SColour red = palette.Ink(EInk::Red);
    const SColour gold = palette.Ink(EInk::Gold);
    SetColour(cr, Mix(red, palette.Ink(EInk::Shade), 0.4));
    cairo_set_line_width(cr, 1.2);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* fill = cairo_pattern_create_linear(cx, cy - 16, cx, cy + 10);
    cairo_pattern_add_color_stop_rgb(fill, 0, gold.r, gold.g, gold.b);
    cairo_pattern_add_color_stop_rgb(fill, 1, red.r, red.g, red.b);
    cairo_set_source(cr, fill);
    cairo_fill(cr);
    cairo_pattern_destroy(fill);
    // Veins and the stalk.
    SetColour(cr, Mix(red, palette.Ink(EInk::Shade), 0.5));
    cairo_set_line_width(cr, 0.7);
    for (const double angle : lobeAngles) {
        const double a = angle * M_PI / 180;
        cairo_move_to(cr, cx, cy + 2);
        cairo_line_to(cr, cx + 8 * std::cos(a), cy + 8 * std::sin(a));
    }
    cairo_stroke(cr);
    cairo_set_line_width(cr, 1.4);
    cairo_move_to(cr, cx, cy + 2);
    cairo_curve_to(cr, cx, cy + 10, cx - 2, cy + 15, cx - 5, cy + 20);
    cairo_stroke(cr);
}

void DrawSnowflake(cairo_t* cr, const STilePalette& palette)
{
    // Winter: a six-armed snow crystal.
    const double cx = kFaceCentreX;
    const double cy = 21;
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < 6; ++i) {
            const double a = M_PI / 2 + M_PI * i / 3;
            const double dx = std::cos(a);
            const double dy = std::sin(a);
            cairo_move_to(cr, cx, cy);
            cairo_line_to(cr, cx + 15 * dx, cy + 15 * dy);
            for (const double along : {6.5, 11.0}) {
                const double spur = along < 8 ? 4.5 : 3.5;
                for (const double side : {-0.8, 0.8}) {
                    cairo_move_to(cr, cx + along * dx, cy + along * dy);
                    cairo_line_to(
                        cr, cx + along * dx + spur * std::cos(a + side), cy + along * dy + spur * std::sin(a + side));
                }
            }
        }
        SetColour(
            cr, pass == 0 ? Mix(palette.Ink(EInk::Blue), palette.Ink(EInk::Shade), 0.45) : palette.Ink(EInk::Blue));
        cairo_set_line_width(cr, pass == 0 ? 2.8 : 1.5);
        cairo_stroke(cr);
    }
    SetInk(cr, palette, EInk::Paper);
    FillCircle(cr, cx, cy, 1.6);
}

void DrawWhiteDragon(cairo_t* cr, const STilePalette& palette)
{
    // A blue double frame with square notches at the corners.
    const double left = kFaceLeft + 4;
    const double top = kFaceTop + 4;
    const double width = kFaceRight - kFaceLeft - 8;
    const double height = kFaceBottom - kFaceTop - 8;
    const SColour blue = palette.Ink(EInk::Blue);
    SetColour(cr, Mix(blue, palette.Ink(EInk::Shade), 0.35));
    cairo_set_line_width(cr, 4.0);
    cairo_rectangle(cr, left + 1, top + 1, width - 2, height - 2);
    cairo_stroke(cr);
    SetColour(cr, blue);
    cairo_set_line_width(cr, 3.0);
    cairo_rectangle(cr, left + 1, top + 1, width - 2, height - 2);
    cairo_stroke(cr);
    SetInk(cr, palette, EInk::Paper);
    for (const double x : {left + 1, left + width - 1}) {
        for (const double y : {top + 1, top + height - 1}) {
            cairo_rectangle(cr, x - 1, y - 1, 2, 2);
        }
    }
    cairo_fill(cr);
    SetColour(cr, blue);
    cairo_set_line_width(cr, 1.0);
    cairo_rectangle(cr, left + 5.5, top + 5.5, width - 11, height - 11);
    cairo_stroke(cr);
}

} // namespace

void DrawDragon(cairo_t* cr, const STilePalette& palette, int number)
{
    switch (number) {
    case 1:
        SetInk(cr, palette, EInk::Red);
        DrawTextFitted(cr, EFont::Kai, "中", 30, 44, kFaceCentreX, kFaceCentreY, 1.2);
        break;
    case 2:
        SetInk(cr, palette, EInk::Green);
        DrawTextFitted(cr, EFont::Kai, "發", 34, 44, kFaceCentreX, kFaceCentreY, 1.0);
        break;
    case 3:
        DrawWhiteDragon(cr, palette);
        break;
    default:
        break;
    }
}

void DrawWind(cairo_t* cr, const STilePalette& palette, int number)
{
    static const std::array<const char*, 4> kWinds = {"東", "南", "西", "北"};
    static const std::array<const char*, 4> kLetters = {"E", "S", "W", "N"};
    if (number < 1 || number > 4) {
        return;
    }
    const auto i = static_cast<size_t>(number - 1);
    SetInk(cr, palette, EInk::Dark);
    DrawTextFitted(cr, EFont::Kai, kWinds[i], 32, 40, kFaceCentreX + 1, kFaceCentreY + 3, 1.1);
    DrawIndex(cr, palette, kLetters[i], EInk::Red);
}

void DrawFlower(cairo_t* cr, const STilePalette& palette, int number)
{
    static const std::array<const char*, 4> kCaptions = {"梅", "蘭", "菊", "竹"};
    if (number < 1 || number > 4) {
        return;
    }
    DrawBonusFrame(cr, palette, EInk::Red);
    switch (number) {
    case 1:
        DrawPlum(cr, palette);
        break;
    case 2:
        DrawOrchid(cr, palette);
        break;
    case 3:
        DrawChrysanthemum(cr, palette);
        break;
    default:
        DrawBambooSpray(cr, palette);
        break;
    }
    DrawCaption(cr, palette, kCaptions[static_cast<size_t>(number - 1)], EInk::Red);
    DrawIndex(cr, palette, std::to_string(number), EInk::Red);
}

void DrawSeason(cairo_t* cr, const STilePalette& palette, int number)
{
    static const std::array<const char*, 4> kCaptions = {"春", "夏", "秋", "冬"};
    if (number < 1 || number > 4) {
        return;
    }
    DrawBonusFrame(cr, palette, EInk::Blue);
    switch (number) {
    case 1:
        DrawSprout(cr, palette);
        break;
    case 2:
        DrawSun(cr, palette);
        break;
    case 3:
        DrawMapleLeaf(cr, palette);
        break;
    default:
        DrawSnowflake(cr, palette);
        break;
    }
    DrawCaption(cr, palette, kCaptions[static_cast<size_t>(number - 1)], EInk::Blue);
    DrawIndex(cr, palette, std::to_string(number), EInk::Blue);
}

} // namespace assets::faces

namespace assets {

bool DrawFaceMotif(cairo_t* cr, const STilePalette& palette, int face)
{
    if (!faces::FontsAvailable()) {
        return false;
    }
    static constexpr SFamilyPainters kPainters = {faces::DrawBamboo, faces::DrawCrak,
        faces::DrawDots, faces::DrawDragon, faces::DrawWind, faces::DrawFlower, faces::DrawSeason};
    return PaintFamilyFace(cr, palette, face, kPainters);
}

} // namespace assets
