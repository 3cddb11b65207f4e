// Fonts, colours and shape helpers of the face motifs.
#include "TileFacesKit.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>

namespace assets::faces {

namespace {

constexpr const char* kKaiFontPath = "/usr/share/fonts/truetype/arphic/ukai.ttc";
// The collection holds CN, HK, TW and TW MBE faces; the TW face draws the
// traditional forms (萬, 發, 東) the tiles carry.
constexpr long kKaiFaceIndex = 2;
constexpr const char* kSansFontPath = "/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf";

// The fonts live for the whole run of the generator: cairo keeps using the
// FreeType faces as long as its font faces exist.
struct SFonts {
    bool loaded = false;
    FT_Library library = nullptr;
    cairo_font_face_t* kai = nullptr;
    cairo_font_face_t* sans = nullptr;
};

cairo_font_face_t* LoadFace(FT_Library library, const char* path, long index)
{
    FT_Face face = nullptr;
    if (FT_New_Face(library, path, index, &face) != 0) {
        return nullptr;
    }
    return cairo_ft_font_face_create_for_ft_face(face, FT_LOAD_NO_HINTING);
}

SFonts& Fonts()
{
    static SFonts fonts;
    if (!fonts.loaded) {
        fonts.loaded = true;
        if (FT_Init_FreeType(&fonts.library) == 0) {
            fonts.kai = LoadFace(fonts.library, kKaiFontPath, kKaiFaceIndex);
            fonts.sans = LoadFace(fonts.library, kSansFontPath, 0);
        }
    }
    return fonts;
}

void SelectFont(cairo_t* cr, EFont font, double sizePx)
{
    SFonts& fonts = Fonts();
    cairo_set_font_face(cr, font == EFont::Kai ? fonts.kai : fonts.sans);
    cairo_set_font_size(cr, sizePx);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

} // namespace

bool FontsAvailable()
{
    const SFonts& fonts = Fonts();
    return fonts.kai != nullptr && fonts.sans != nullptr;
}

void SetColour(cairo_t* cr, const SColour& colour) { cairo_set_source_rgb(cr, colour.r, colour.g, colour.b); }

void SetInk(cairo_t* cr, const STilePalette& palette, EInk ink) { SetColour(cr, palette.Ink(ink)); }

SColour Mix(const SColour& a, const SColour& b, double t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

void DrawTextCentred(
    cairo_t* cr, EFont font, const std::string& text, double sizePx, double cx, double cy, double boldenPx)
{
    cairo_save(cr);
    SelectFont(cr, font, sizePx);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    // The ink box grows by half the stroke on every side; centring the ink
    // box itself keeps that growth symmetric.
    const double x = cx - extents.x_bearing - extents.width / 2;
    const double y = cy - extents.y_bearing - extents.height / 2;
    cairo_move_to(cr, x, y);
    cairo_text_path(cr, text.c_str());
    if (boldenPx > 0) {
        cairo_set_line_width(cr, boldenPx);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_fill_preserve(cr);
        cairo_stroke(cr);
    } else {
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

void DrawTextFitted(cairo_t* cr, EFont font, const std::string& text, double maxWidth, double maxHeight, double cx,
    double cy, double boldenPx)
{
    constexpr double kProbeSizePx = 100;
    cairo_save(cr);
    SelectFont(cr, font, kProbeSizePx);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    cairo_restore(cr);
    const double inkWidth = std::max(extents.width, 1.0);
    const double inkHeight = std::max(extents.height, 1.0);
    const double scale = std::min((maxWidth - boldenPx) / inkWidth, (maxHeight - boldenPx) / inkHeight);
    DrawTextCentred(cr, font, text, kProbeSizePx * scale, cx, cy, boldenPx);
}

void DrawIndex(cairo_t* cr, const STilePalette& palette, const std::string& text, EInk ink)
{
    constexpr double kIndexX = kFaceLeft + 3.5;
    constexpr double kIndexY = kFaceTop + 4.5;
    constexpr double kIndexSizePx = 9.5;
    cairo_save(cr);
    SelectFont(cr, EFont::Sans, kIndexSizePx);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    const double x = std::round(kIndexX - extents.x_bearing - extents.width / 2);
    const double y = std::round(kIndexY - extents.y_bearing - extents.height / 2);
    cairo_move_to(cr, x, y);
    cairo_text_path(cr, text.c_str());
    SetInk(cr, palette, EInk::Paper);
    cairo_set_line_width(cr, 2.0);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    SetInk(cr, palette, ink);
    cairo_fill(cr);
    cairo_restore(cr);
}

void FillCircle(cairo_t* cr, double cx, double cy, double radius)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy, radius, 0, 2 * M_PI);
    cairo_fill(cr);
}

void RoundedRectPath(cairo_t* cr, double x, double y, double w, double h, double radius)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - radius, y + radius, radius, -M_PI / 2, 0);
    cairo_arc(cr, x + w - radius, y + h - radius, radius, 0, M_PI / 2);
    cairo_arc(cr, x + radius, y + h - radius, radius, M_PI / 2, M_PI);
    cairo_arc(cr, x + radius, y + radius, radius, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

} // namespace assets::faces

namespace assets {

bool PaintFamilyFace(cairo_t* cr, const STilePalette& palette, int face, const SFamilyPainters& painters)
{
    for (size_t i = 0; i < kFaceFamilies.size(); ++i) {
        const SFaceFamily& family = kFaceFamilies[i];
        if (face >= family.firstFace && face < family.firstFace + family.count) {
            cairo_save(cr);
            painters[i](cr, palette, face - family.firstFace + 1);
            cairo_restore(cr);
            return true;
        }
    }
    return false;
}

} // namespace assets
