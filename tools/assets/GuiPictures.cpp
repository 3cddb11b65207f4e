// Writes the interface pictures, the backdrops and the glyph sheets, and
// paints the text that pictures carry.
#include "GuiPictures.h"

#include "Backdrops.h"
#include "Generator.h"
#include "Tasks.h"

#include <cstdio>

namespace assets {

namespace gui {

STextLook GoldLook(double rimPx, double shadowPx)
{
    return {Rgb(255, 238, 172), Rgb(226, 160, 60), Rgb(44, 22, 8), rimPx, shadowPx};
}

STextLook IvoryLook(double rimPx, double shadowPx)
{
    return {Rgb(255, 250, 232), Rgb(236, 218, 178), Rgb(40, 22, 10), rimPx, shadowPx};
}

namespace {

// The glyphs of a line of text with its pen at (x, baselineY), laid out at
// scale 1 whatever the scale a picture is drawn at: hinted advances round to
// whole pixels at 1x and finer at larger scales, and the text of a picture
// must stand at the same place and take the same width in every version.
std::vector<cairo_glyph_t> LayOutAt1x(EFace face, double sizePx, const std::string& text, double x, double baselineY)
{
    std::vector<cairo_glyph_t> result;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
    cairo_t* measure = cairo_create(surface);
    if (UseFont(measure, face, sizePx)) {
        cairo_glyph_t* glyphs = nullptr;
        int count = 0;
        if (cairo_scaled_font_text_to_glyphs(cairo_get_scaled_font(measure), x, baselineY, text.c_str(), -1, &glyphs,
                &count, nullptr, nullptr, nullptr)
            == CAIRO_STATUS_SUCCESS) {
            result.assign(glyphs, glyphs + count);
        }
        cairo_glyph_free(glyphs);
    }
    cairo_destroy(measure);
    cairo_surface_destroy(surface);
    return result;
}

void GlyphPath(cairo_t* cr, std::vector<cairo_glyph_t> glyphs, double dx, double dy)
{
    for (cairo_glyph_t& glyph : glyphs) {
        glyph.x += dx;
        glyph.y += dy;
    }
    cairo_new_path(cr);
    cairo_glyph_path(cr, glyphs.data(), static_cast<int>(glyphs.size()));
}

} // namespace

double TextWidth(EFace face, double sizePx, const std::string& text)
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
    cairo_t* measure = cairo_create(surface);
    double width = 0;
    if (UseFont(measure, face, sizePx)) {
        cairo_text_extents_t extents;
        cairo_text_extents(measure, text.c_str(), &extents);
        width = extents.x_advance;
    }
    cairo_destroy(measure);
    cairo_surface_destroy(surface);
    return width;
}

bool PaintText(cairo_t* cr, EFace face, double sizePx, const std::string& text, double x, double baselineY,
    EAnchor anchor, const STextLook& look)
{
    cairo_save(cr);
    if (!UseFont(cr, face, sizePx)) {
        cairo_restore(cr);
        return false;
    }
    const double penX = anchor == EAnchor::Centre ? x - TextWidth(face, sizePx, text) / 2.0 : x;
    const std::vector<cairo_glyph_t> glyphs = LayOutAt1x(face, sizePx, text, penX, baselineY);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, 2.0 * look.rimPx);
    if (look.shadowPx > 0) {
        GlyphPath(cr, glyphs, look.shadowPx, look.shadowPx);
        cairo_set_source_rgba(cr, 0.08, 0.04, 0.01, 0.75);
        cairo_stroke_preserve(cr);
        cairo_fill(cr);
    }
    GlyphPath(cr, glyphs, 0, 0);
    SetSource(cr, look.rim);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, baselineY - 0.72 * sizePx, 0, baselineY);
    cairo_pattern_add_color_stop_rgb(fill, 0.0, look.fillTop.r, look.fillTop.g, look.fillTop.b);
    cairo_pattern_add_color_stop_rgb(fill, 1.0, look.fillBottom.r, look.fillBottom.g, look.fillBottom.b);
    cairo_set_source(cr, fill);
    cairo_fill(cr);
    cairo_pattern_destroy(fill);
    cairo_restore(cr);
    return true;
}

void PaintGoldHairline(cairo_t* cr, double x, double y, double w, double h, double radius, double alpha)
{
    cairo_save(cr);
    cairo_new_path(cr);
    RoundedRectangle(cr, x + 0.5, y + 0.5, w - 1, h - 1, radius);
    cairo_set_line_width(cr, 1.0);
    cairo_set_source_rgba(cr, 0.93, 0.74, 0.36, alpha);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void PaintLeatherPanel(cairo_t* cr, int width, int height, double frameX, double frameY, double frameW, double frameH,
    double frameInset, uint32_t seed)
{
    const auto wood = MakeWood(width, height, Walnut(seed), ScaleOf(cr), {{frameX, frameY, frameW, frameH}});
    PaintPlank(cr, *wood, frameX, frameY, frameW, frameH, 12, 5, EBevel::Raised);
    const double x = frameX + frameInset;
    const double y = frameY + frameInset;
    const double w = frameW - 2 * frameInset;
    const double h = frameH - 2 * frameInset;
    const auto leather
        = MakeLeather(width, height, ChocolateLight(), ChocolateDark(), seed + 1, ScaleOf(cr), {{x, y, w, h}});
    cairo_save(cr);
    RoundedRectangle(cr, x, y, w, h, 7);
    cairo_set_source_surface(cr, leather->Surface(), 0, 0);
    cairo_fill(cr);
    cairo_restore(cr);
    PaintInnerShadow(cr, x, y, w, h, 7, 9);
    PaintBevel(cr, x, y, w, h, 7, 2, EBevel::Sunken, 0.8);
    PaintGoldHairline(cr, x + 5, y + 5, w - 10, h - 10, 4, 0.38);
}

} // namespace gui

bool WriteGuiPictures(const std::string& root)
{
    std::vector<gui::SPictureJob> jobs = gui::WidgetPictureJobs();
    for (auto* more : {&gui::MenuPictureJobs, &gui::GamePictureJobs, &gui::BackdropJobs}) {
        std::vector<gui::SPictureJob> list = more();
        jobs.insert(jobs.end(), list.begin(), list.end());
    }
    // The fonts and the 1x sheets are loaded once here, before the threads
    // share them; every task then only reads them.
    for (const gui::EFace face : {gui::EFace::SerifRegular, gui::EFace::SerifBold, gui::EFace::Display}) {
        gui::FontFace(face);
    }
    for (int index = 1; index <= gui::kFontCount; ++index) {
        gui::FontSheet(index);
    }
    // The largest scales first, so that no long task is left for the end.
    std::vector<FTask> tasks;
    for (int scale = kLargestScale; scale >= 1; --scale) {
        for (const gui::SPictureJob& job : jobs) {
            if (scale > job.largestScale) {
                continue;
            }
            tasks.push_back([&root, &job, scale] {
                const std::optional<CImage> image = job.paint(scale);
                const std::string path = root + "/" + ScaledPath(job.path, scale);
                if (!image || !(scale == 1 ? WriteBmp(path, *image) : WritePng(path, *image))) {
                    std::fprintf(stderr, "velmora-assets: could not make %s at scale %d\n", job.path.c_str(), scale);
                    return false;
                }
                return true;
            });
        }
        for (int index = 1; index <= gui::kFontCount; ++index) {
            tasks.push_back([&root, index, scale] {
                const std::optional<CImage> sheet = gui::FontSheetAtScale(index, scale);
                const std::string path = root + "/" + ScaledPath(gui::FontSheetFormat(index).sheetFile, scale);
                if (!sheet || !(scale == 1 ? WriteBmp(path, *sheet) : WritePng(path, *sheet))) {
                    std::fprintf(stderr, "velmora-assets: could not make font sheet %d at scale %d\n", index, scale);
                    return false;
                }
                return true;
            });
        }
    }
    return RunTasks(tasks);
}

} // namespace assets
