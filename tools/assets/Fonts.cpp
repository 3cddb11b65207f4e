// Rasterises the glyph sheets. Each glyph is drawn once on a scratch canvas,
// its ink measured, and the union of its ink and its typographic advance is
// copied into the middle of its cell: that width is the glyph's advance, so
// the game's rule "draw the advance-wide columns in the middle of the cell"
// shows the whole glyph and nothing of its neighbours.
#include "Fonts.h"

#include "GuiPaint.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>

namespace assets::gui {

namespace {

constexpr std::array<SFontSheetSpec, kFontCount> kSpecs{{
    {"Graphics/Gui/Times Roman 10 Font.bmp", "Data/Times Roman 10 Font Metrics.dat", 256, 16, 16},
    {"Graphics/Gui/Times Roman 16 Font.bmp", "Data/Times Roman 16 Font Metrics.dat", 512, 32, 24},
    {"Graphics/Gui/Klang MT 20 Font.bmp", "Data/Klang MT 20 Font Metrics.dat", 512, 32, 32},
}};

constexpr uint8_t kNewlineCode = 10;
constexpr uint8_t kSpaceCode = 32;

// The character codes that carry a glyph: printable ASCII and the Latin-1
// letters and signs. Everything else is blank with no advance.
bool HasGlyph(int code) { return (code >= 32 && code <= 126) || code >= 160; }

enum class ERender {
    // Hinted glyph bitmaps with a drop shadow: crisp at the small size.
    Hinted,
    // Outline paths stroked for a dark rim and filled with a gradient.
    Outlined,
};

enum class EPlacement {
    // Baseline as low as the descenders allow (body text).
    Low,
    // Capitals centred on row 16 of the cell (captions placed 15 pixels
    // above a button's middle).
    CentredCapitals,
};

struct SGlyphStyle {
    EFace face;
    ERender render;
    EPlacement placement;
    double largestPx; // tried first; smaller sizes until every glyph fits
    double outlinePx; // rim outside the glyph's outline
    double shadowPx; // drop shadow offset, right and down
    int trackingPx; // added to the typographic advance
    SColour fillTop;
    SColour fillBottom;
    SColour rim;
    SColour shadow;
};

SGlyphStyle StyleOf(int index)
{
    const SColour rim = Rgb(36, 20, 9);
    switch (index) {
    case 1:
        return {EFace::SerifRegular, ERender::Hinted, EPlacement::Low, 12.0, 0.0, 1.0, 0, Rgb(252, 242, 218),
            Rgb(238, 220, 182), rim, Rgb(30, 16, 6)};
    case 2:
        return {EFace::SerifRegular, ERender::Outlined, EPlacement::Low, 17.5, 1.25, 0.0, 0, Rgb(255, 248, 228),
            Rgb(240, 222, 184), rim, Rgb(20, 10, 4)};
    default:
        return {EFace::Display, ERender::Outlined, EPlacement::CentredCapitals, 24.0, 1.5, 1.0, 0, Rgb(255, 236, 168),
            Rgb(228, 164, 66), Rgb(44, 22, 8), Rgb(22, 11, 4)};
    }
}

struct SFaceFile {
    const char* path;
    const char* package;
};

SFaceFile FaceFile(EFace face)
{
    switch (face) {
    case EFace::SerifRegular:
        return {"/usr/share/fonts/truetype/liberation/LiberationSerif-Regular.ttf", "fonts-liberation"};
    case EFace::SerifBold:
        return {"/usr/share/fonts/truetype/liberation/LiberationSerif-Bold.ttf", "fonts-liberation"};
    case EFace::Display:
        return {"/usr/share/fonts/opentype/kaushanscript/KaushanScript-Regular.otf", "fonts-kaushanscript"};
    }
    return {"", ""};
}

// FreeType and the loaded faces live for the whole run of the tool.
struct SFaceCache {
    FT_Library library = nullptr;
    std::map<EFace, cairo_font_face_t*> faces;
};

SFaceCache& Faces()
{
    static SFaceCache cache;
    return cache;
}

struct SInk {
    int left = 0; // columns [left, right) and rows [top, bottom) in scratch coordinates
    int right = 0;
    int top = 0;
    int bottom = 0;
    bool any = false;
};

// Columns and rows of a canvas that carry any ink at all.
SInk FindInk(const CCanvas& canvas)
{
    cairo_surface_flush(canvas.Surface());
    const unsigned char* data = cairo_image_surface_get_data(canvas.Surface());
    const int stride = cairo_image_surface_get_stride(canvas.Surface());
    SInk ink;
    ink.left = canvas.Width();
    ink.top = canvas.Height();
    for (int y = 0; y < canvas.Height(); ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
        for (int x = 0; x < canvas.Width(); ++x) {
            if ((row[x] >> 24) == 0) {
                continue;
            }
            ink.any = true;
            ink.left = std::min(ink.left, x);
            ink.right = std::max(ink.right, x + 1);
            ink.top = std::min(ink.top, y);
            ink.bottom = std::max(ink.bottom, y + 1);
        }
    }
    return ink;
}

// Draws glyph code with its pen at (penX, baselineY); the fill gradient runs
// from the capital height down to the baseline.
enum class EGlyphPart { FillOnly, Whole };

void DrawGlyph(
    cairo_t* cr, const SGlyphStyle& style, double size, uint8_t code, double penX, double baselineY, EGlyphPart part)
{
    const std::string text = Latin1ToUtf8(code);
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, baselineY - 0.7 * size, 0, baselineY);
    cairo_pattern_add_color_stop_rgb(fill, 0.0, style.fillTop.r, style.fillTop.g, style.fillTop.b);
    cairo_pattern_add_color_stop_rgb(fill, 1.0, style.fillBottom.r, style.fillBottom.g, style.fillBottom.b);
    if (part == EGlyphPart::FillOnly) {
        cairo_set_source(cr, fill);
        cairo_move_to(cr, penX, baselineY);
        cairo_show_text(cr, text.c_str());
    } else if (style.render == ERender::Hinted) {
        SetSource(cr, style.shadow);
        cairo_move_to(cr, penX + style.shadowPx, baselineY + style.shadowPx);
        cairo_show_text(cr, text.c_str());
        cairo_set_source(cr, fill);
        cairo_move_to(cr, penX, baselineY);
        cairo_show_text(cr, text.c_str());
    } else {
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_set_line_width(cr, 2.0 * style.outlinePx);
        if (style.shadowPx > 0) {
            cairo_new_path(cr);
            cairo_move_to(cr, penX + style.shadowPx, baselineY + style.shadowPx);
            cairo_text_path(cr, text.c_str());
            SetSource(cr, style.shadow, 0.85);
            cairo_stroke_preserve(cr);
            cairo_fill(cr);
        }
        cairo_new_path(cr);
        cairo_move_to(cr, penX, baselineY);
        cairo_text_path(cr, text.c_str());
        SetSource(cr, style.rim);
        cairo_stroke_preserve(cr);
        cairo_set_source(cr, fill);
        cairo_fill(cr);
    }
    cairo_pattern_destroy(fill);
}

double TypographicAdvance(cairo_t* cr, uint8_t code)
{
    const std::string text = Latin1ToUtf8(code);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    return extents.x_advance;
}

// A canvas to draw one glyph on, with room around the cell on every side.
struct SScratch {
    explicit SScratch(int cellPx)
        : canvas(4 * cellPx, 2 * cellPx)
        , penX(3 * cellPx / 2)
        , cellTop(cellPx / 2)
    {
    }
    void Clear() const
    {
        cairo_save(canvas.Cr());
        cairo_set_operator(canvas.Cr(), CAIRO_OPERATOR_CLEAR);
        cairo_paint(canvas.Cr());
        cairo_restore(canvas.Cr());
    }
    CCanvas canvas;
    int penX;
    int cellTop;
};

// Where a glyph's columns lie on the scratch canvas. The advance is the
// font's own, widened only where the fill itself would not fit; the rim is
// cut at the columns' edges, where the neighbour's rim continues it, so the
// letters stand as close together as the typeface sets them.
struct SGlyphWindow {
    int left = 0; // first column on the scratch canvas
    int advance = 0;
    SInk ink; // the whole glyph, rim and shadow included
};

SGlyphWindow PlaceGlyph(const SScratch& scratch, const SGlyphStyle& style, double size, uint8_t code, int baselineY)
{
    cairo_t* cr = scratch.canvas.Cr();
    const int typographic = static_cast<int>(std::lround(TypographicAdvance(cr, code))) + style.trackingPx;
    scratch.Clear();
    DrawGlyph(cr, style, size, code, scratch.penX, baselineY, EGlyphPart::FillOnly);
    const SInk fill = FindInk(scratch.canvas);
    scratch.Clear();
    DrawGlyph(cr, style, size, code, scratch.penX, baselineY, EGlyphPart::Whole);
    SGlyphWindow window;
    window.ink = FindInk(scratch.canvas);
    if (!fill.any) {
        window.left = scratch.penX;
        window.advance = std::max(0, typographic);
        return window;
    }
    const int fillWidth = fill.right - fill.left;
    window.advance = std::max(typographic, fillWidth);
    const bool fillInsideBox = fill.left >= scratch.penX && fill.right <= scratch.penX + window.advance;
    window.left = fillInsideBox ? scratch.penX : fill.left - (window.advance - fillWidth) / 2;
    return window;
}

struct SVerticalFit {
    int ascentPx = 0; // ink rows above the baseline
    int descentPx = 0; // ink rows from the baseline down
    int widestPx = 0; // the widest glyph (ink and advance together)
    int capitalCentreFromBaseline = 0;
};

// Measures every glyph at one size.
SVerticalFit Measure(const SGlyphStyle& style, double size, int cellPx)
{
    SScratch scratch(cellPx);
    cairo_t* cr = scratch.canvas.Cr();
    UseFont(cr, style.face, size);
    const int baselineY = scratch.cellTop + cellPx - 1;
    SVerticalFit fit;
    for (int code = 0; code < kGlyphCount; ++code) {
        if (!HasGlyph(code)) {
            continue;
        }
        const auto c = static_cast<uint8_t>(code);
        const SGlyphWindow window = PlaceGlyph(scratch, style, size, c, baselineY);
        const SInk& ink = window.ink;
        fit.widestPx = std::max(fit.widestPx, window.advance);
        if (!ink.any) {
            continue;
        }
        fit.ascentPx = std::max(fit.ascentPx, baselineY - ink.top);
        fit.descentPx = std::max(fit.descentPx, ink.bottom - baselineY);
        if (c == 'H') {
            fit.capitalCentreFromBaseline = (ink.top + ink.bottom) / 2 - baselineY;
        }
    }
    return fit;
}

// The baseline row for a measured size, or nothing when the glyphs cannot
// stay inside the line height there.
std::optional<int> ChooseBaseline(const SGlyphStyle& style, const SVerticalFit& fit, const SFontSheetSpec& spec)
{
    if (fit.widestPx > spec.cellPx || fit.ascentPx + fit.descentPx > spec.lineHeightPx) {
        return std::nullopt;
    }
    const int lowest = spec.lineHeightPx - fit.descentPx;
    const int highest = fit.ascentPx;
    if (style.placement == EPlacement::Low) {
        return lowest;
    }
    return std::clamp(spec.cellPx / 2 - fit.capitalCentreFromBaseline, highest, lowest);
}

std::unique_ptr<SFontSheet> BuildSheet(int index)
{
    const SFontSheetSpec& spec = FontSheetSpec(index);
    const SGlyphStyle style = StyleOf(index);
    if (!FontFace(style.face)) {
        return nullptr;
    }
    double size = style.largestPx;
    std::optional<int> baseline;
    for (; size >= 6.0; size -= 0.5) {
        baseline = ChooseBaseline(style, Measure(style, size, spec.cellPx), spec);
        if (baseline) {
            break;
        }
    }
    if (!baseline) {
        std::fprintf(stderr, "velmora-assets: the glyphs of font %d fit no size\n", index);
        return nullptr;
    }

    auto result = std::make_unique<SFontSheet>();
    result->baselineRow = *baseline;
    CCanvas sheet(spec.sheetPx, spec.sheetPx);
    SScratch scratch(spec.cellPx);
    cairo_t* cr = scratch.canvas.Cr();
    UseFont(cr, style.face, size);
    const int baselineY = scratch.cellTop + *baseline;
    for (int code = 0; code < kGlyphCount; ++code) {
        const auto c = static_cast<uint8_t>(code);
        if (!HasGlyph(code)) {
            result->advances[c] = 0;
            continue;
        }
        const SGlyphWindow window = PlaceGlyph(scratch, style, size, c, baselineY);
        const int advance = window.advance;
        const int left = window.left;
        result->advances[c] = static_cast<int8_t>(advance);
        if (!window.ink.any || c == kSpaceCode) {
            continue;
        }
        const int cellX = (code % kSheetColumns) * spec.cellPx;
        const int cellY = (code / kSheetColumns) * spec.cellPx;
        const int destX = cellX + (spec.cellPx - advance) / 2;
        cairo_t* out = sheet.Cr();
        cairo_save(out);
        cairo_rectangle(out, destX, cellY, advance, spec.lineHeightPx);
        cairo_clip(out);
        cairo_set_source_surface(out, scratch.canvas.Surface(), destX - left, cellY - scratch.cellTop);
        cairo_paint(out);
        cairo_restore(out);
    }
    result->advances[kNewlineCode] = 0;
    result->sheet = FinishPicture(sheet, EKeyMode::Blend);
    return result;
}

} // namespace

const SFontSheetSpec& FontSheetSpec(int index) { return kSpecs.at(static_cast<size_t>(index - 1)); }

const SFontSheet* FontSheet(int index)
{
    static std::array<std::unique_ptr<SFontSheet>, kFontCount> sheets;
    static std::array<bool, kFontCount> tried{};
    const auto slot = static_cast<size_t>(index - 1);
    if (!tried.at(slot)) {
        tried[slot] = true;
        sheets[slot] = BuildSheet(index);
    }
    return sheets[slot].get();
}

std::array<uint8_t, kGlyphCount> EncodeMetrics(const SFontSheet& sheet)
{
    std::array<uint8_t, kGlyphCount> bytes{};
    for (size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<uint8_t>(sheet.advances[i]);
    }
    return bytes;
}

std::string FontFilePath(EFace face) { return FaceFile(face).path; }

const char* FontPackage(EFace face) { return FaceFile(face).package; }

cairo_font_face_t* FontFace(EFace face)
{
    SFaceCache& cache = Faces();
    if (auto found = cache.faces.find(face); found != cache.faces.end()) {
        return found->second;
    }
    const SFaceFile file = FaceFile(face);
    cairo_font_face_t* result = nullptr;
    if (!std::filesystem::exists(file.path)) {
        std::fprintf(
            stderr, "velmora-assets: missing font %s (install the Debian package %s)\n", file.path, file.package);
    } else if (cache.library || FT_Init_FreeType(&cache.library) == 0) {
        FT_Face ftFace = nullptr;
        if (FT_New_Face(cache.library, file.path, 0, &ftFace) == 0) {
            result = cairo_ft_font_face_create_for_ft_face(ftFace, 0);
        } else {
            std::fprintf(stderr, "velmora-assets: FreeType cannot read %s\n", file.path);
        }
    }
    cache.faces[face] = result;
    return result;
}

bool UseFont(cairo_t* cr, EFace face, double pixelSize)
{
    cairo_font_face_t* fontFace = FontFace(face);
    if (!fontFace) {
        return false;
    }
    cairo_set_font_face(cr, fontFace);
    cairo_set_font_size(cr, pixelSize);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    cairo_font_options_set_subpixel_order(options, CAIRO_SUBPIXEL_ORDER_DEFAULT);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
    return true;
}

std::string Latin1ToUtf8(uint8_t code)
{
    if (code < 0x80) {
        return std::string(1, static_cast<char>(code));
    }
    std::string text;
    text += static_cast<char>(0xC0 | (code >> 6));
    text += static_cast<char>(0x80 | (code & 0x3F));
    return text;
}

} // namespace assets::gui
