// The three suits: bamboo sticks (with the bird on the one), circles, and the
// characters (a numeral over the sign for ten thousand).
#include "TileFacesKit.h"

#include <array>
#include <cmath>
#include <vector>

namespace assets::faces {

namespace {

// ---- Circles ----

struct SDot {
    double x;
    double y;
    double radius;
    EInk ring;
    EInk centre;
};

// A circle as the old tiles paint it: a coloured ring, a light ring, a
// coloured centre and a light pip.
void DrawDot(cairo_t* cr, const STilePalette& palette, const SDot& dot)
{
    SetColour(cr, Mix(palette.Ink(dot.ring), palette.Ink(EInk::Shade), 0.35));
    FillCircle(cr, dot.x, dot.y, dot.radius + 0.6);
    SetInk(cr, palette, dot.ring);
    FillCircle(cr, dot.x, dot.y, dot.radius);
    SetInk(cr, palette, EInk::Paper);
    FillCircle(cr, dot.x, dot.y, dot.radius * 0.7);
    SetInk(cr, palette, dot.centre);
    FillCircle(cr, dot.x, dot.y, dot.radius * 0.5);
    SetInk(cr, palette, EInk::Paper);
    FillCircle(cr, dot.x, dot.y, dot.radius * 0.17);
}

// The one circle: a large medallion with a ring of pearls.
void DrawGrandDot(cairo_t* cr, const STilePalette& palette)
{
    constexpr double cx = kFaceCentreX;
    constexpr double cy = kFaceCentreY;
    SetColour(cr, Mix(palette.Ink(EInk::Green), palette.Ink(EInk::Shade), 0.4));
    FillCircle(cr, cx, cy, 16.2);
    SetInk(cr, palette, EInk::Green);
    FillCircle(cr, cx, cy, 15.5);
    SetInk(cr, palette, EInk::Paper);
    FillCircle(cr, cx, cy, 13.2);
    SetInk(cr, palette, EInk::Blue);
    constexpr int kPearls = 16;
    for (int i = 0; i < kPearls; ++i) {
        const double angle = 2 * M_PI * i / kPearls;
        FillCircle(cr, cx + 11.0 * std::cos(angle), cy + 11.0 * std::sin(angle), 1.55);
    }
    SetInk(cr, palette, EInk::Red);
    FillCircle(cr, cx, cy, 8.4);
    SetInk(cr, palette, EInk::Paper);
    FillCircle(cr, cx, cy, 6.2);
    SetInk(cr, palette, EInk::Blue);
    FillCircle(cr, cx, cy, 4.6);
    SetInk(cr, palette, EInk::Paper);
    constexpr int kPetals = 8;
    for (int i = 0; i < kPetals; ++i) {
        const double angle = 2 * M_PI * (i + 0.5) / kPetals;
        FillCircle(cr, cx + 3.0 * std::cos(angle), cy + 3.0 * std::sin(angle), 0.8);
    }
    FillCircle(cr, cx, cy, 1.3);
}

std::vector<SDot> DotArrangement(int number)
{
    constexpr EInk B = EInk::Blue;
    constexpr EInk G = EInk::Green;
    constexpr EInk R = EInk::Red;
    constexpr double cx = kFaceCentreX;
    constexpr double cy = kFaceCentreY;
    switch (number) {
    case 2:
        return {{cx, 15, 9.5, G, B}, {cx, 41, 9.5, B, G}};
    case 3:
        return {{13.5, 11, 7.5, B, R}, {cx, cy, 7.5, R, G}, {34.5, 45, 7.5, G, B}};
    case 4:
        return {{14.5, 15.5, 7.6, B, G}, {33.5, 15.5, 7.6, G, B}, {14.5, 40.5, 7.6, G, B}, {33.5, 40.5, 7.6, B, G}};
    case 5:
        return {{13.5, 11.5, 7, B, G}, {34.5, 11.5, 7, G, B}, {cx, cy, 7, R, B}, {13.5, 44.5, 7, G, B},
            {34.5, 44.5, 7, B, G}};
    case 6:
        return {{15, 9.5, 6.4, G, B}, {33, 9.5, 6.4, G, B}, {15, 29.5, 6.4, R, B}, {33, 29.5, 6.4, R, B},
            {15, 45.5, 6.4, R, B}, {33, 45.5, 6.4, R, B}};
    case 7:
        return {{12, 7.5, 5.3, G, B}, {cx, 13.5, 5.3, G, B}, {36, 19.5, 5.3, G, B}, {15.5, 33, 6, R, B},
            {32.5, 33, 6, R, B}, {15.5, 46.5, 6, R, B}, {32.5, 46.5, 6, R, B}};
    case 8:
        return {{15.5, 8.5, 5.9, B, G}, {32.5, 8.5, 5.9, B, G}, {15.5, 21.5, 5.9, B, G}, {32.5, 21.5, 5.9, B, G},
            {15.5, 34.5, 5.9, B, G}, {32.5, 34.5, 5.9, B, G}, {15.5, 47.5, 5.9, B, G}, {32.5, 47.5, 5.9, B, G}};
    case 9: {
        std::vector<SDot> dots;
        const std::array<EInk, 3> rows = {B, R, G};
        for (int row = 0; row < 3; ++row) {
            for (int column = 0; column < 3; ++column) {
                dots.push_back({12.0 + 12 * column, 10.5 + 17.5 * row, 5.1, rows[row], rows[(row + 1) % 3]});
            }
        }
        return dots;
    }
    default:
        return {};
    }
}

// ---- Bamboo ----

struct SStick {
    double x;
    double y;
    double length;
    double angle; // radians, clockwise from upright
    EInk ink;
};

// One bamboo stick: a rounded culm with swollen ends and a node in the
// middle, shaded on its right.
void DrawStick(cairo_t* cr, const STilePalette& palette, const SStick& stick)
{
    const double width = 5.4;
    const double half = stick.length / 2;
    const SColour body = palette.Ink(stick.ink);
    const SColour edge = Mix(body, palette.Ink(EInk::Shade), 0.55);
    const SColour light = Mix(body, SColour{1, 1, 1}, 0.5);
    cairo_save(cr);
    cairo_translate(cr, stick.x, stick.y);
    cairo_rotate(cr, stick.angle);

    RoundedRectPath(cr, -width / 2, -half, width, stick.length, 1.6);
    SetColour(cr, body);
    cairo_fill_preserve(cr);
    SetColour(cr, edge);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);

    // Highlight down the left of the culm.
    SetColour(cr, light);
    cairo_rectangle(cr, -width / 2 + 0.9, -half + 2, 1.0, stick.length - 4);
    cairo_fill(cr);

    // Swollen node rings at both ends and in the middle.
    SetColour(cr, edge);
    for (const double y : {-half + 1.2, 0.0, half - 1.2}) {
        RoundedRectPath(cr, -width / 2 - 0.7, y - 0.75, width + 1.4, 1.5, 0.7);
        cairo_fill(cr);
    }
    SetColour(cr, light);
    cairo_rectangle(cr, -width / 2 + 0.4, -0.25, width - 0.8, 0.5);
    cairo_fill(cr);
    cairo_restore(cr);
}

std::vector<SStick> StickArrangement(int number)
{
    constexpr EInk G = EInk::Green;
    constexpr EInk B = EInk::Blue;
    constexpr EInk R = EInk::Red;
    constexpr double cx = kFaceCentreX;
    constexpr double top = 15.5;
    constexpr double bottom = 40.5;
    constexpr double tall = 22;
    switch (number) {
    case 2:
        return {{cx, top, tall, 0, G}, {cx, bottom, tall, 0, B}};
    case 3:
        return {{cx, top, tall, 0, G}, {15, bottom, tall, 0, B}, {33, bottom, tall, 0, B}};
    case 4:
        return {{15, top, tall, 0, G}, {33, top, tall, 0, B}, {15, bottom, tall, 0, B}, {33, bottom, tall, 0, G}};
    case 5:
        return {{12.5, top, tall, 0, G}, {35.5, top, tall, 0, B}, {cx, kFaceCentreY, tall, 0, R},
            {12.5, bottom, tall, 0, B}, {35.5, bottom, tall, 0, G}};
    case 6:
        return {{12.5, top, tall, 0, G}, {cx, top, tall, 0, G}, {35.5, top, tall, 0, G}, {12.5, bottom, tall, 0, B},
            {cx, bottom, tall, 0, B}, {35.5, bottom, tall, 0, B}};
    case 7: {
        std::vector<SStick> sticks = {{cx, 9.5, 15, 0, R}};
        for (const double y : {27.5, 45.5}) {
            for (const double x : {12.5, cx, 35.5}) {
                sticks.push_back({x, y, 15, 0, y < 30 ? G : B});
            }
        }
        return sticks;
    }
    case 8: {
        constexpr double lean = 0.36;
        return {{10.5, top, tall, 0, G}, {19.5, top, tall, lean, B}, {28.5, top, tall, -lean, B},
            {37.5, top, tall, 0, G}, {10.5, bottom, tall, 0, G}, {19.5, bottom, tall, -lean, B},
            {28.5, bottom, tall, lean, B}, {37.5, bottom, tall, 0, G}};
    }
    case 9: {
        std::vector<SStick> sticks;
        const std::array<EInk, 3> columns = {G, R, B};
        for (int row = 0; row < 3; ++row) {
            for (int column = 0; column < 3; ++column) {
                sticks.push_back({12.5 + 11.5 * column, 9.5 + 18 * row, 15, 0, columns[column]});
            }
        }
        return sticks;
    }
    default:
        return {};
    }
}

// The one of bamboo: a bird with a fanned tail perched on a bamboo shoot.
void DrawBird(cairo_t* cr, const STilePalette& palette)
{
    const SColour dark = palette.Ink(EInk::Shade);
    const SColour green = palette.Ink(EInk::Green);
    const SColour blue = palette.Ink(EInk::Blue);
    const SColour red = palette.Ink(EInk::Red);
    const SColour gold = palette.Ink(EInk::Gold);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);

    // The perch: a short leaning shoot under the bird.
    DrawStick(cr, palette, {16, 47, 18, 1.15, EInk::Green});

    // Tail feathers fanning out to the lower left, each with an eye.
    const std::array<double, 5> tailAngles = {1.95, 2.25, 2.55, 2.85, 3.15};
    for (size_t i = 0; i < tailAngles.size(); ++i) {
        const double a = tailAngles[i];
        const double length = 17.5 - std::abs(static_cast<double>(i) - 2.0) * 1.5;
        const double x0 = 22;
        const double y0 = 34;
        const double x1 = x0 + length * std::cos(a);
        const double y1 = y0 + length * std::sin(a) * 0.95;
        cairo_move_to(cr, x0, y0);
        cairo_curve_to(cr, x0 + (x1 - x0) * 0.4, y0 + (y1 - y0) * 0.2 + 2, x1 - 1, y1 - 1, x1, y1);
        SetColour(cr, Mix(green, dark, 0.35));
        cairo_set_line_width(cr, 2.6);
        cairo_stroke_preserve(cr);
        SetColour(cr, green);
        cairo_set_line_width(cr, 1.4);
        cairo_stroke(cr);
        SetColour(cr, Mix(blue, dark, 0.3));
        FillCircle(cr, x1, y1, 2.5);
        SetColour(cr, gold);
        FillCircle(cr, x1, y1, 1.5);
        SetColour(cr, blue);
        FillCircle(cr, x1, y1, 0.8);
    }

    // Body: green back, red breast.
    cairo_save(cr);
    cairo_translate(cr, 27, 28);
    cairo_rotate(cr, -0.5);
    cairo_scale(cr, 7.5, 11);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    SetColour(cr, Mix(green, dark, 0.45));
    cairo_set_line_width(cr, 1.0);
    cairo_stroke_preserve(cr);
    SetColour(cr, green);
    cairo_fill(cr);

    cairo_save(cr);
    cairo_translate(cr, 30.5, 27);
    cairo_rotate(cr, -0.45);
    cairo_scale(cr, 4.2, 8);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    SetColour(cr, red);
    cairo_fill(cr);

    // Wing: a blue crescent over the back with two feather lines.
    cairo_move_to(cr, 31, 21);
    cairo_curve_to(cr, 22, 21, 18, 29, 20, 38);
    cairo_curve_to(cr, 23, 33, 27, 27, 31, 21);
    SetColour(cr, Mix(blue, dark, 0.35));
    cairo_set_line_width(cr, 0.8);
    cairo_stroke_preserve(cr);
    SetColour(cr, blue);
    cairo_fill(cr);
    SetInk(cr, palette, EInk::Paper);
    cairo_set_line_width(cr, 0.6);
    cairo_move_to(cr, 27, 24);
    cairo_curve_to(cr, 24, 27, 22.5, 30, 22, 33);
    cairo_stroke(cr);

    // Head, crest, eye and beak.
    SetColour(cr, Mix(green, dark, 0.45));
    FillCircle(cr, 33, 13.5, 5.6);
    SetColour(cr, green);
    FillCircle(cr, 33, 13.5, 4.8);
    SetColour(cr, Mix(green, dark, 0.3));
    cairo_set_line_width(cr, 0.9);
    for (const double dx : {-2.5, 0.0, 2.5}) {
        cairo_move_to(cr, 33 + dx * 0.6, 9);
        cairo_line_to(cr, 33 + dx * 1.3, 4.5);
        cairo_stroke(cr);
    }
    SetColour(cr, red);
    for (const double dx : {-2.5, 0.0, 2.5}) {
        FillCircle(cr, 33 + dx * 1.3, 4.3, 1.1);
    }
    SetColour(cr, gold);
    cairo_move_to(cr, 37.2, 11.8);
    cairo_line_to(cr, 42, 14.5);
    cairo_line_to(cr, 37.2, 15.8);
    cairo_close_path(cr);
    cairo_fill_preserve(cr);
    SetColour(cr, Mix(gold, dark, 0.5));
    cairo_set_line_width(cr, 0.6);
    cairo_stroke(cr);
    SetInk(cr, palette, EInk::Paper);
    FillCircle(cr, 34.3, 12.6, 1.7);
    SetColour(cr, dark);
    FillCircle(cr, 34.6, 12.6, 0.95);

    // Legs down to the perch.
    SetColour(cr, Mix(gold, dark, 0.4));
    cairo_set_line_width(cr, 0.9);
    cairo_move_to(cr, 27, 37);
    cairo_line_to(cr, 24.5, 44);
    cairo_move_to(cr, 30, 36);
    cairo_line_to(cr, 28.5, 42);
    cairo_stroke(cr);
}

} // namespace

void DrawDots(cairo_t* cr, const STilePalette& palette, int number)
{
    if (number == 1) {
        DrawGrandDot(cr, palette);
        return;
    }
    for (const SDot& dot : DotArrangement(number)) {
        DrawDot(cr, palette, dot);
    }
}

void DrawBamboo(cairo_t* cr, const STilePalette& palette, int number)
{
    if (number == 1) {
        DrawBird(cr, palette);
        return;
    }
    for (const SStick& stick : StickArrangement(number)) {
        DrawStick(cr, palette, stick);
    }
}

void DrawCrak(cairo_t* cr, const STilePalette& palette, int number)
{
    static const std::array<const char*, 9> kNumerals = {"一", "二", "三", "四", "五", "六", "七", "八", "九"};
    if (number < 1 || number > 9) {
        return;
    }
    SetInk(cr, palette, EInk::Dark);
    DrawTextCentred(cr, EFont::Kai, kNumerals[static_cast<size_t>(number - 1)], 25, kFaceCentreX + 2, 13.5, 1.1);
    SetInk(cr, palette, EInk::Red);
    DrawTextFitted(cr, EFont::Kai, "萬", 32, 28, kFaceCentreX, 41, 0.8);
    DrawIndex(cr, palette, std::to_string(number), EInk::Blue);
}

} // namespace assets::faces
