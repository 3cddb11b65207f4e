// Rasterises the glyph sheets. Each glyph is drawn once on a scratch canvas,
// its ink measured, and a window of columns around it is copied into the
// middle of its cell: that width is the glyph's advance, so the game's rule
// "draw the advance-wide columns in the middle of the cell" shows the glyph
// and nothing of its neighbours. Text fonts take the typeface's own advances;
// the display font is set upright and spaced by the shape of its letters.
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

constexpr std::array<SFontSheetFormat, kFontCount> kSpecs{{
    {"Graphics/Gui/Times Roman 10 Font.bmp", "Data/Times Roman 10 Font Metrics.dat", 256, 16, 16},
    {"Graphics/Gui/Times Roman 16 Font.bmp", "Data/Times Roman 16 Font Metrics.dat", 512, 32, 24},
    {"Graphics/Gui/Klang MT 20 Font.bmp", "Data/Klang MT 20 Font Metrics.dat", 512, 32, 32},
}};

constexpr uint8_t kNewlineCode = 10;
constexpr uint8_t kSpaceCode = 32;
constexpr uint8_t kNoBreakSpaceCode = 160;

// The display font's setting, found by eye on the button captions: the shear
// that stands the brush strokes up; the mean gap beside each letter's fill,
// measured at most kDisplayDepthPx into its hollows; the columns of rim a
// letter keeps beside its fill; and the word space.
constexpr double kDisplayUprightShear = 0.30;
constexpr double kDisplayDescenderTuck = 0.6;
constexpr double kDisplaySidePx = 1.5;
constexpr double kDisplayDepthPx = 3.0;
constexpr int kDisplayKeptRimPx = 1;
constexpr int kDisplaySpacePx = 6;

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

enum class ESpacing {
    // The typeface's advance, widened only where the fill would not fit; the
    // rim is cut at the window's edges, where the neighbour's rim continues it.
    Typographic,
    // The fill between side bearings that give every letter the same mean
    // gap beside it, the rim cut down to a column or so (see OpticalWindow).
    Optical,
};

// Optical spacing: the mean gap between a glyph's fill and the edge of its
// columns, taken over the rows of its zone (x-height for lower case, capital
// height otherwise) with every row's gap counted at most depthPx deep, is
// brought to sidePx by a side bearing of at least keptRimPx.
struct SOpticalSpacing {
    double sidePx = 0;
    double depthPx = 0;
    int keptRimPx = 0;
    int spacePx = 0; // advance of the space and the no-break space
};

struct SGlyphStyle {
    EFace face;
    ERender render;
    EPlacement placement;
    ESpacing spacing;
    double largestPx; // tried first; smaller sizes until every glyph fits
    double outlinePx; // rim outside the glyph's outline
    double shadowPx; // drop shadow offset, right and down
    // Horizontal shear of the outlines in ems per em of height: a positive
    // value moves the tops of the letters left, uprighting a slanted face.
    double uprightShear;
    // How much of a descender's sideways reach beyond the letter's body is
    // taken back (see SDescenderTuck); 0 draws the typeface's own.
    double descenderTuck;
    SOpticalSpacing optical;
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
        return {EFace::SerifRegular, ERender::Hinted, EPlacement::Low, ESpacing::Typographic, 12.0, 0.0, 1.0, 0.0, 0.0,
            {}, Rgb(252, 242, 218), Rgb(238, 220, 182), rim, Rgb(30, 16, 6)};
    case 2:
        return {EFace::SerifRegular, ERender::Outlined, EPlacement::Low, ESpacing::Typographic, 17.5, 1.25, 0.0, 0.0,
            0.0, {}, Rgb(255, 248, 228), Rgb(240, 222, 184), rim, Rgb(20, 10, 4)};
    default:
        // The brush script leans so far that its ascenders and swashes reach
        // over the neighbouring letters; set nearly upright, every letter
        // keeps to its own columns and the words space evenly.
        return {EFace::Display, ERender::Outlined, EPlacement::CentredCapitals, ESpacing::Optical, 24.0, 1.5, 1.0,
            kDisplayUprightShear, kDisplayDescenderTuck,
            {kDisplaySidePx, kDisplayDepthPx, kDisplayKeptRimPx, kDisplaySpacePx}, Rgb(255, 236, 168),
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

// Draws a descender that reaches sideways beyond the letter's body (the
// hooks of j, g and f) shorter: below the baseline, each outline point left
// of bodyLeft or right of bodyRight comes closer to that column by amount of
// its distance at descentPx below the baseline, and in proportion above.
struct SDescenderTuck {
    double bodyLeft = 0;
    double bodyRight = 0;
    double baselineY = 0;
    double descentPx = 1;
    double amount = 0;
};

void TuckPoint(const SDescenderTuck& tuck, double& x, double y)
{
    if (y <= tuck.baselineY) {
        return;
    }
    const double keep = 1.0 - tuck.amount * std::min(1.0, (y - tuck.baselineY) / tuck.descentPx);
    if (x < tuck.bodyLeft) {
        x = tuck.bodyLeft - (tuck.bodyLeft - x) * keep;
    } else if (x > tuck.bodyRight) {
        x = tuck.bodyRight + (x - tuck.bodyRight) * keep;
    }
}

// The outline of a glyph with its pen at (penX, baselineY), its descender
// tucked in when tuck is given. The caller destroys the path.
cairo_path_t* GlyphOutline(
    cairo_t* cr, const std::string& text, double penX, double baselineY, const SDescenderTuck* tuck)
{
    cairo_new_path(cr);
    cairo_move_to(cr, penX, baselineY);
    cairo_text_path(cr, text.c_str());
    cairo_path_t* path = cairo_copy_path(cr);
    cairo_new_path(cr);
    if (tuck && tuck->amount > 0) {
        for (int i = 0; i < path->num_data; i += path->data[i].header.length) {
            cairo_path_data_t* element = &path->data[i];
            for (int point = 1; point < element->header.length; ++point) {
                TuckPoint(*tuck, element[point].point.x, element[point].point.y);
            }
        }
    }
    return path;
}

// Draws glyph code with its pen at (penX, baselineY); the fill gradient runs
// from the capital height down to the baseline.
enum class EGlyphPart { FillOnly, Whole };

void DrawGlyph(cairo_t* cr, const SGlyphStyle& style, double size, uint8_t code, double penX, double baselineY,
    EGlyphPart part, const SDescenderTuck* tuck = nullptr)
{
    const std::string text = Latin1ToUtf8(code);
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, baselineY - 0.7 * size, 0, baselineY);
    cairo_pattern_add_color_stop_rgb(fill, 0.0, style.fillTop.r, style.fillTop.g, style.fillTop.b);
    cairo_pattern_add_color_stop_rgb(fill, 1.0, style.fillBottom.r, style.fillBottom.g, style.fillBottom.b);
    if (style.render == ERender::Hinted) {
        if (part == EGlyphPart::Whole) {
            SetSource(cr, style.shadow);
            cairo_move_to(cr, penX + style.shadowPx, baselineY + style.shadowPx);
            cairo_show_text(cr, text.c_str());
        }
        cairo_set_source(cr, fill);
        cairo_move_to(cr, penX, baselineY);
        cairo_show_text(cr, text.c_str());
        cairo_pattern_destroy(fill);
        return;
    }
    cairo_path_t* outline = GlyphOutline(cr, text, penX, baselineY, tuck);
    if (part == EGlyphPart::Whole) {
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_set_line_width(cr, 2.0 * style.outlinePx);
        if (style.shadowPx > 0) {
            cairo_save(cr);
            cairo_translate(cr, style.shadowPx, style.shadowPx);
            cairo_append_path(cr, outline);
            SetSource(cr, style.shadow, 0.85);
            cairo_stroke_preserve(cr);
            cairo_fill(cr);
            cairo_restore(cr);
        }
        cairo_append_path(cr, outline);
        SetSource(cr, style.rim);
        cairo_stroke_preserve(cr);
    } else {
        cairo_append_path(cr, outline);
    }
    cairo_set_source(cr, fill);
    cairo_fill(cr);
    cairo_path_destroy(outline);
    cairo_pattern_destroy(fill);
}

double TypographicAdvance(cairo_t* cr, uint8_t code)
{
    const std::string text = Latin1ToUtf8(code);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    return extents.x_advance;
}

// Selects the face for a sheet: the rendering options of UseFont, and the
// style's upright shear.
bool UseSheetFont(cairo_t* cr, const SGlyphStyle& style, double size)
{
    if (!UseFont(cr, style.face, size)) {
        return false;
    }
    if (style.uprightShear != 0.0) {
        cairo_matrix_t matrix;
        cairo_matrix_init(&matrix, size, 0.0, style.uprightShear * size, size, 0.0, 0.0);
        cairo_set_font_matrix(cr, &matrix);
    }
    return true;
}

// A canvas to draw one glyph on, with room around the cell on every side.
struct SScratch {
    explicit SScratch(int cellPx, int scale = 1)
        : canvas(4 * cellPx, 2 * cellPx, scale)
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

// Rows of the scratch canvas over which the gaps beside a glyph are weighed:
// lower case from the x-height down to the baseline, everything else from
// the capital height.
struct SZones {
    int xHeightTop = 0;
    int capitalTop = 0;
    int baselineY = 0;
    int descentPx = 1; // how far the descender of p reaches below the baseline
};

SZones MeasureZones(const SScratch& scratch, const SGlyphStyle& style, double size, int baselineY)
{
    const auto inkOf = [&](uint8_t code) {
        scratch.Clear();
        DrawGlyph(scratch.canvas.Cr(), style, size, code, scratch.penX, baselineY, EGlyphPart::FillOnly);
        return FindInk(scratch.canvas);
    };
    SZones zones;
    zones.baselineY = baselineY;
    const SInk x = inkOf('x');
    const SInk capital = inkOf('H');
    const SInk descender = inkOf('p');
    zones.xHeightTop = x.any ? x.top : baselineY;
    zones.capitalTop = capital.any ? capital.top : baselineY;
    zones.descentPx = descender.any ? std::max(1, descender.bottom - baselineY) : 1;
    return zones;
}

// The Latin-1 lower-case letters: a-z, sharp s and the accented ones.
bool IsLowerCase(uint8_t code) { return (code >= 'a' && code <= 'z') || (code >= 223 && code != 247); }

// The first row of the zone a glyph is measured in; the zone ends at the
// baseline.
int ZoneTop(const SZones& zones, uint8_t code) { return IsLowerCase(code) ? zones.xHeightTop : zones.capitalTop; }

// The first and last inked column of row y between columns [left, right);
// first > last when the row has no ink there.
struct SRowSpan {
    int first = 0;
    int last = -1;
};

SRowSpan InkInRow(const CCanvas& canvas, int y, int left, int right)
{
    const auto* row = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(canvas.Surface())
        + static_cast<size_t>(y) * cairo_image_surface_get_stride(canvas.Surface()));
    SRowSpan span{right, left - 1};
    for (int x = left; x < right; ++x) {
        if ((row[x] >> 24) != 0) {
            span.first = std::min(span.first, x);
            span.last = x;
        }
    }
    return span;
}

struct SSideGaps {
    double left = 0;
    double right = 0;
};

// The mean gap between the ink and either side of its box over the rows
// [top, bottom), each row's gap counted at most depthPx deep and a row
// without ink as depthPx.
SSideGaps MeanSideGaps(const CCanvas& canvas, const SInk& ink, int top, int bottom, double depthPx)
{
    cairo_surface_flush(canvas.Surface());
    top = std::max(top, 0);
    bottom = std::min(bottom, canvas.Height());
    if (bottom <= top) {
        return {depthPx, depthPx};
    }
    SSideGaps sum;
    for (int y = top; y < bottom; ++y) {
        const SRowSpan span = InkInRow(canvas, y, ink.left, ink.right);
        const bool empty = span.last < span.first;
        sum.left += empty ? depthPx : std::min(depthPx, static_cast<double>(span.first - ink.left));
        sum.right += empty ? depthPx : std::min(depthPx, static_cast<double>(ink.right - 1 - span.last));
    }
    const double rows = bottom - top;
    return {sum.left / rows, sum.right / rows};
}

// The tuck for a glyph drawn (fill only, untucked) on the canvas: its body
// is the columns its ink spans in its zone. Nothing for a glyph without ink
// there.
std::optional<SDescenderTuck> TuckFor(
    const CCanvas& canvas, const SInk& fill, const SZones& zones, uint8_t code, double amount)
{
    cairo_surface_flush(canvas.Surface());
    SRowSpan body{fill.right, fill.left - 1};
    for (int y = std::max(ZoneTop(zones, code), 0); y < zones.baselineY; ++y) {
        const SRowSpan span = InkInRow(canvas, y, fill.left, fill.right);
        body.first = std::min(body.first, span.first);
        body.last = std::max(body.last, span.last);
    }
    if (body.last < body.first) {
        return std::nullopt;
    }
    return SDescenderTuck{static_cast<double>(body.first), static_cast<double>(body.last + 1),
        static_cast<double>(zones.baselineY), static_cast<double>(zones.descentPx), amount};
}

// Where a glyph's columns lie on the scratch canvas.
struct SGlyphWindow {
    int left = 0; // first column on the scratch canvas
    int advance = 0;
    SInk ink; // the whole glyph, rim and shadow included
    std::optional<SDescenderTuck> tuck;
};

// The typeface's advance, widened only where the fill itself would not fit;
// the rim is cut at the columns' edges, where the neighbour's rim continues
// it, so the letters stand as close together as the typeface sets them.
void TypographicWindow(cairo_t* cr, uint8_t code, const SInk& fill, int penX, SGlyphWindow& window)
{
    const int typographic = static_cast<int>(std::lround(TypographicAdvance(cr, code)));
    if (!fill.any) {
        window.left = penX;
        window.advance = std::max(0, typographic);
        return;
    }
    const int fillWidth = fill.right - fill.left;
    window.advance = std::max(typographic, fillWidth);
    const bool fillInsideBox = fill.left >= penX && fill.right <= penX + window.advance;
    window.left = fillInsideBox ? penX : fill.left - (window.advance - fillWidth) / 2;
}

// Side bearings around the fill that bring the mean gap beside it to the
// same width for every letter: a straight stem gets the full bearing, a
// round or open side less, so that the spaces between letters look alike
// however their shapes meet. The rim and shadow beyond a bearing are cut at
// the window's edge, where the neighbour's rim continues them; keptRimPx
// columns of rim always stay, so a letter at the end of a word keeps its
// outline. The scratch canvas holds the fill alone.
void OpticalWindow(const SScratch& scratch, const SGlyphStyle& style, const SZones& zones, uint8_t code,
    const SInk& fill, SGlyphWindow& window)
{
    const SOpticalSpacing& optical = style.optical;
    if (!fill.any) {
        const bool space = code == kSpaceCode || code == kNoBreakSpaceCode;
        window.left = scratch.penX;
        window.advance = space ? optical.spacePx : 0;
        return;
    }
    const SSideGaps gaps = MeanSideGaps(scratch.canvas, fill, ZoneTop(zones, code), zones.baselineY, optical.depthPx);
    const auto bearing
        = [&](double gap) { return std::max(optical.keptRimPx, static_cast<int>(std::lround(optical.sidePx - gap))); };
    const int leftBearing = bearing(gaps.left);
    window.left = fill.left - leftBearing;
    window.advance = leftBearing + (fill.right - fill.left) + bearing(gaps.right);
}

// Measures the glyph and leaves it drawn whole on the scratch canvas for the
// copy into the sheet.
SGlyphWindow PlaceGlyph(
    const SScratch& scratch, const SGlyphStyle& style, double size, const SZones& zones, uint8_t code)
{
    cairo_t* cr = scratch.canvas.Cr();
    scratch.Clear();
    DrawGlyph(cr, style, size, code, scratch.penX, zones.baselineY, EGlyphPart::FillOnly);
    SInk fill = FindInk(scratch.canvas);
    std::optional<SDescenderTuck> tuck;
    if (style.descenderTuck > 0 && fill.any) {
        tuck = TuckFor(scratch.canvas, fill, zones, code, style.descenderTuck);
        scratch.Clear();
        DrawGlyph(cr, style, size, code, scratch.penX, zones.baselineY, EGlyphPart::FillOnly, tuck ? &*tuck : nullptr);
        fill = FindInk(scratch.canvas);
    }
    SGlyphWindow window;
    window.tuck = tuck;
    if (style.spacing == ESpacing::Optical) {
        OpticalWindow(scratch, style, zones, code, fill, window);
    } else {
        TypographicWindow(cr, code, fill, scratch.penX, window);
    }
    scratch.Clear();
    DrawGlyph(cr, style, size, code, scratch.penX, zones.baselineY, EGlyphPart::Whole, tuck ? &*tuck : nullptr);
    window.ink = FindInk(scratch.canvas);
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
    UseSheetFont(cr, style, size);
    const int baselineY = scratch.cellTop + cellPx - 1;
    const SZones zones = MeasureZones(scratch, style, size, baselineY);
    SVerticalFit fit;
    for (int code = 0; code < kGlyphCount; ++code) {
        if (!HasGlyph(code)) {
            continue;
        }
        const auto c = static_cast<uint8_t>(code);
        const SGlyphWindow window = PlaceGlyph(scratch, style, size, zones, c);
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
std::optional<int> ChooseBaseline(
    const SGlyphStyle& style, const SVerticalFit& fit, const SFontSheetFormat& sheetFormat)
{
    if (fit.widestPx > sheetFormat.cellPx || fit.ascentPx + fit.descentPx > sheetFormat.lineHeightPx) {
        return std::nullopt;
    }
    const int lowest = sheetFormat.lineHeightPx - fit.descentPx;
    const int highest = fit.ascentPx;
    if (style.placement == EPlacement::Low) {
        return lowest;
    }
    return std::clamp(sheetFormat.cellPx / 2 - fit.capitalCentreFromBaseline, highest, lowest);
}

// Copies the glyph drawn whole on the scratch canvas into its cell: the
// advance-wide columns of its window into the middle of the cell, the top
// lineHeightPx rows. Both canvases are in picture units at the same scale.
void CopyIntoCell(const CCanvas& sheet, const SScratch& scratch, const SFontSheetFormat& sheetFormat, uint8_t code,
    int windowLeft, int advance)
{
    const int cellX = (code % kSheetColumns) * sheetFormat.cellPx;
    const int cellY = (code / kSheetColumns) * sheetFormat.cellPx;
    const int destX = cellX + (sheetFormat.cellPx - advance) / 2;
    cairo_t* out = sheet.Cr();
    cairo_save(out);
    cairo_rectangle(out, destX, cellY, advance, sheetFormat.lineHeightPx);
    cairo_clip(out);
    cairo_set_source_surface(out, scratch.canvas.Surface(), destX - windowLeft, cellY - scratch.cellTop);
    cairo_paint(out);
    cairo_restore(out);
}

} // namespace

// The size and baseline chosen at 1x and where each glyph was cut: a finer
// sheet draws the same outlines at the same places, only at more pixels.
struct SSheetRecipe {
    int index = 1;
    double sizePx = 0;
    int baselineY = 0; // on the scratch canvas
    struct SCut {
        bool drawn = false;
        int left = 0;
        int advance = 0;
        std::optional<SDescenderTuck> tuck;
    };
    std::array<SCut, kGlyphCount> cuts{};
};

namespace {

std::unique_ptr<SFontSheet> BuildSheet(int index)
{
    const SFontSheetFormat& sheetFormat = FontSheetFormat(index);
    const SGlyphStyle style = StyleOf(index);
    if (!FontFace(style.face)) {
        return nullptr;
    }
    double size = style.largestPx;
    std::optional<int> baseline;
    for (; size >= 6.0; size -= 0.5) {
        baseline = ChooseBaseline(style, Measure(style, size, sheetFormat.cellPx), sheetFormat);
        if (baseline) {
            break;
        }
    }
    if (!baseline) {
        std::fprintf(stderr, "velmora-assets: the glyphs of font %d fit no size\n", index);
        return nullptr;
    }

    auto result = std::make_unique<SFontSheet>();
    auto recipe = std::make_shared<SSheetRecipe>();
    result->baselineRow = *baseline;
    CCanvas sheet(sheetFormat.sheetPx, sheetFormat.sheetPx);
    SScratch scratch(sheetFormat.cellPx);
    cairo_t* cr = scratch.canvas.Cr();
    UseSheetFont(cr, style, size);
    recipe->index = index;
    recipe->sizePx = size;
    recipe->baselineY = scratch.cellTop + *baseline;
    const SZones zones = MeasureZones(scratch, style, size, recipe->baselineY);
    for (int code = 0; code < kGlyphCount; ++code) {
        const auto c = static_cast<uint8_t>(code);
        if (!HasGlyph(code)) {
            result->advances[c] = 0;
            continue;
        }
        const SGlyphWindow window = PlaceGlyph(scratch, style, size, zones, c);
        result->advances[c] = static_cast<int8_t>(window.advance);
        if (!window.ink.any || c == kSpaceCode) {
            continue;
        }
        recipe->cuts[c] = {true, window.left, window.advance, window.tuck};
        CopyIntoCell(sheet, scratch, sheetFormat, c, window.left, window.advance);
    }
    result->advances[kNewlineCode] = 0;
    result->sheet = FinishPicture(sheet, EKeyMode::Blend);
    result->recipe = std::move(recipe);
    return result;
}

} // namespace

const SFontSheetFormat& FontSheetFormat(int index) { return kSpecs.at(static_cast<size_t>(index - 1)); }

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

std::optional<CImage> FontSheetAtScale(int index, int scale)
{
    const SFontSheet* base = FontSheet(index);
    if (!base) {
        return std::nullopt;
    }
    if (scale == 1) {
        return base->sheet;
    }
    const SSheetRecipe& recipe = *base->recipe;
    const SFontSheetFormat& sheetFormat = FontSheetFormat(index);
    const SGlyphStyle style = StyleOf(index);
    CCanvas sheet(sheetFormat.sheetPx, sheetFormat.sheetPx, scale);
    SScratch scratch(sheetFormat.cellPx, scale);
    cairo_t* cr = scratch.canvas.Cr();
    UseSheetFont(cr, style, recipe.sizePx);
    for (int code = 0; code < kGlyphCount; ++code) {
        const SSheetRecipe::SCut& cut = recipe.cuts[static_cast<size_t>(code)];
        if (!cut.drawn) {
            continue;
        }
        const auto c = static_cast<uint8_t>(code);
        scratch.Clear();
        DrawGlyph(cr, style, recipe.sizePx, c, scratch.penX, recipe.baselineY, EGlyphPart::Whole,
            cut.tuck ? &*cut.tuck : nullptr);
        CopyIntoCell(sheet, scratch, sheetFormat, c, cut.left, cut.advance);
    }
    return FinishPicture(sheet, EKeyMode::Blend);
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
