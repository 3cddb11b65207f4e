// The large print faces. A suit, flower or season tile shows a large numeral
// in its upper left, the emblem of its suit or group in its upper right and
// as many pips of that shape below as its number, laid out as on dice; the
// flowers and seasons are framed besides. The winds carry a large letter and
// an arrow, the dragons each a bold shape. Every face differs from every
// other in the layout of dark and light, so none needs colour to be told
// apart; the colours only repeat what the marks say.
#include "TileFacesKit.h"

#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace assets::faces {

namespace {

constexpr double kCornerNumeralX = 16;
constexpr double kEmblemX = 34;
constexpr double kCornerY = 13.5;
constexpr double kMarkCentreY = 41.5;

// The shapes of the pips and emblems, one per numbered family.
enum class EMark { Cane, Bar, Disc, Blossom, Leaf };

// The pips of 1..9 on a 3 x 3 grid (column, row), each count its own pattern.
std::vector<std::pair<int, int>> PipCells(int number)
{
    switch (number) {
    case 1:
        return {{1, 1}};
    case 2:
        return {{0, 0}, {2, 2}};
    case 3:
        return {{0, 0}, {1, 1}, {2, 2}};
    case 4:
        return {{0, 0}, {2, 0}, {0, 2}, {2, 2}};
    case 5:
        return {{0, 0}, {2, 0}, {1, 1}, {0, 2}, {2, 2}};
    case 6:
        return {{0, 0}, {2, 0}, {0, 1}, {2, 1}, {0, 2}, {2, 2}};
    case 7:
        return {{0, 0}, {2, 0}, {0, 1}, {1, 1}, {2, 1}, {0, 2}, {2, 2}};
    case 8:
        return {{0, 0}, {1, 0}, {2, 0}, {0, 1}, {2, 1}, {0, 2}, {1, 2}, {2, 2}};
    default:
        return {{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}, {2, 1}, {0, 2}, {1, 2}, {2, 2}};
    }
}

// One pip centred on (x, y), size times its size in a full grid: a disc for
// the dots, an upright cane for the bamboo, a level bar (the stroke of the
// written one) for the characters, a blossom or a leaf for the bonus tiles.
void DrawPip(cairo_t* cr, EMark mark, double x, double y, double size)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, size, size);
    switch (mark) {
    case EMark::Disc:
        FillCircle(cr, 0, 0, 3.7);
        break;
    case EMark::Cane:
        RoundedRectPath(cr, -2.2, -3.7, 4.4, 7.4, 1.5);
        cairo_fill(cr);
        break;
    case EMark::Bar:
        RoundedRectPath(cr, -4.6, -1.7, 9.2, 3.4, 1.2);
        cairo_fill(cr);
        break;
    case EMark::Blossom:
        for (int i = 0; i < 5; ++i) {
            const double a = -M_PI / 2 + 2 * M_PI * i / 5;
            FillCircle(cr, 2.2 * std::cos(a), 2.2 * std::sin(a), 1.9);
        }
        break;
    case EMark::Leaf:
        cairo_rotate(cr, -0.7);
        cairo_scale(cr, 4.6, 2.3);
        FillCircle(cr, 0, 0, 1);
        break;
    }
    cairo_restore(cr);
}

// The emblem in the upper right: a thick ring, a cane cut at its node, the
// sign for ten thousand, or a large blossom or leaf.
void DrawEmblem(cairo_t* cr, const STilePalette& palette, EMark mark)
{
    switch (mark) {
    case EMark::Disc:
        cairo_set_line_width(cr, 3.2);
        cairo_new_sub_path(cr);
        cairo_arc(cr, kEmblemX, kCornerY, 6.2, 0, 2 * M_PI);
        cairo_stroke(cr);
        FillCircle(cr, kEmblemX, kCornerY, 1.8);
        break;
    case EMark::Cane:
        RoundedRectPath(cr, kEmblemX - 3.2, kCornerY - 10.5, 6.4, 21, 2);
        cairo_fill(cr);
        SetInk(cr, palette, EInk::Paper);
        cairo_rectangle(cr, kEmblemX - 4, kCornerY - 0.7, 8, 1.4);
        cairo_fill(cr);
        break;
    case EMark::Bar:
        DrawTextFitted(cr, EFont::Kai, "萬", 16, 21, kEmblemX, kCornerY, 1.1);
        break;
    case EMark::Blossom:
    case EMark::Leaf:
        DrawPip(cr, mark, kEmblemX - 0.5, kCornerY + 0.5, 1.6);
        break;
    }
}

// The bonus tiles carry a heavy border: solid round the flowers, dashed
// round the seasons.
void DrawBonusBorder(cairo_t* cr, const STilePalette& palette, bool dashed)
{
    SetInk(cr, palette, EInk::Dark);
    cairo_set_line_width(cr, 1.6);
    if (dashed) {
        const std::array<double, 2> dashes = {4.0, 3.0};
        cairo_set_dash(cr, dashes.data(), static_cast<int>(dashes.size()), 0);
    }
    RoundedRectPath(cr, kFaceLeft + 1.5, kFaceTop + 1.5, kFaceRight - kFaceLeft - 3, kFaceBottom - kFaceTop - 3, 2.5);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
}

// The numeral, the emblem and the pips; a few pips are drawn larger, so that
// the low numbers of different suits differ in more than their emblems.
template <EMark mark, EInk ink> void DrawNumbered(cairo_t* cr, const STilePalette& palette, int number)
{
    if (mark == EMark::Blossom || mark == EMark::Leaf) {
        DrawBonusBorder(cr, palette, mark == EMark::Leaf);
    }
    SetInk(cr, palette, EInk::Dark);
    DrawTextFitted(cr, EFont::Sans, std::to_string(number), 17, 24, kCornerNumeralX, kCornerY + 0.5, 0.9);
    SetInk(cr, palette, ink);
    const double size = number == 1 ? 1.9 : number <= 3 ? 1.15 : 1.0;
    for (const auto& [column, row] : PipCells(number)) {
        DrawPip(cr, mark, 13 + 11 * column, 31.5 + 9 * row, size);
    }
    DrawEmblem(cr, palette, mark);
}

// A bold arrow from the face's middle towards a side: up for north, right
// for east, and so on (degrees clockwise from up).
void DrawArrow(cairo_t* cr, const STilePalette& palette, double degrees)
{
    cairo_save(cr);
    cairo_translate(cr, kFaceCentreX, kMarkCentreY + 1);
    cairo_rotate(cr, degrees * M_PI / 180);
    cairo_move_to(cr, 0, -11);
    cairo_line_to(cr, 8, -2);
    cairo_line_to(cr, 2.5, -2);
    cairo_line_to(cr, 2.5, 10);
    cairo_line_to(cr, -2.5, 10);
    cairo_line_to(cr, -2.5, -2);
    cairo_line_to(cr, -8, -2);
    cairo_close_path(cr);
    cairo_restore(cr);
    SetInk(cr, palette, EInk::Dark);
    cairo_fill(cr);
}

void DrawLargeWind(cairo_t* cr, const STilePalette& palette, int number)
{
    static const std::array<const char*, 4> kLetters = {"E", "S", "W", "N"};
    static const std::array<double, 4> kArrowDegrees = {90, 180, 270, 0};
    const auto i = static_cast<size_t>(number - 1);
    SetInk(cr, palette, EInk::Dark);
    DrawTextFitted(cr, EFont::Sans, kLetters[i], 30, 26, kFaceCentreX, 15, 0.8);
    DrawArrow(cr, palette, kArrowDegrees[i]);
}

// The red dragon a solid disc and the green one a solid diamond, each with
// its character cut out of it; the white dragon an empty double frame.
void DrawLargeDragon(cairo_t* cr, const STilePalette& palette, int number)
{
    constexpr double cy = kFaceCentreY;
    switch (number) {
    case 1:
        SetInk(cr, palette, EInk::Red);
        FillCircle(cr, kFaceCentreX, cy, 17);
        SetInk(cr, palette, EInk::Paper);
        DrawTextFitted(cr, EFont::Kai, "中", 18, 24, kFaceCentreX, cy, 1.2);
        break;
    case 2:
        SetInk(cr, palette, EInk::Green);
        cairo_move_to(cr, kFaceCentreX, cy - 25);
        cairo_line_to(cr, kFaceCentreX + 18, cy);
        cairo_line_to(cr, kFaceCentreX, cy + 25);
        cairo_line_to(cr, kFaceCentreX - 18, cy);
        cairo_close_path(cr);
        cairo_fill(cr);
        SetInk(cr, palette, EInk::Paper);
        DrawTextFitted(cr, EFont::Kai, "發", 18, 20, kFaceCentreX, cy, 0.8);
        break;
    default:
        SetInk(cr, palette, EInk::Blue);
        cairo_set_line_width(cr, 4.5);
        cairo_rectangle(cr, kFaceLeft + 5, kFaceTop + 5, kFaceRight - kFaceLeft - 10, kFaceBottom - kFaceTop - 10);
        cairo_stroke(cr);
        cairo_set_line_width(cr, 2.0);
        cairo_rectangle(cr, kFaceLeft + 11, kFaceTop + 11, kFaceRight - kFaceLeft - 22, kFaceBottom - kFaceTop - 22);
        cairo_stroke(cr);
        break;
    }
}

} // namespace

} // namespace assets::faces

namespace assets {

bool DrawLargePrintFace(cairo_t* cr, const STilePalette& palette, int face)
{
    if (!faces::FontsAvailable()) {
        return false;
    }
    using faces::EMark;
    static constexpr SFamilyPainters kPainters
        = {faces::DrawNumbered<EMark::Cane, EInk::Green>, faces::DrawNumbered<EMark::Bar, EInk::Red>,
            faces::DrawNumbered<EMark::Disc, EInk::Blue>, faces::DrawLargeDragon, faces::DrawLargeWind,
            faces::DrawNumbered<EMark::Blossom, EInk::Pink>, faces::DrawNumbered<EMark::Leaf, EInk::Orange>};
    return PaintFamilyFace(cr, palette, face, kPainters);
}

} // namespace assets
