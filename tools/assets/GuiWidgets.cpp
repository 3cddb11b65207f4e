// The widget pictures of "Graphics\Gui\": buttons, check boxes, the parts of
// the selection list and scroll bar, the slider, the arrows, the input box,
// the preview grounds and the cursor.
#include "GuiPictures.h"

#include <cmath>
#include <numbers>

namespace assets::gui {

namespace {

CImage Keyed(const CCanvas& canvas) { return FinishPicture(canvas, EKeyMode::Threshold); }

// An engraved line: a dark stroke with a light one a pixel below and right.
void Groove(cairo_t* cr, double x, double y, double w, double h, double radius)
{
    cairo_save(cr);
    cairo_set_line_width(cr, 1.0);
    cairo_new_path(cr);
    RoundedRectangle(cr, x + 1.5, y + 1.5, w, h, radius);
    cairo_set_source_rgba(cr, 1.0, 0.9, 0.7, 0.22);
    cairo_stroke(cr);
    RoundedRectangle(cr, x + 0.5, y + 0.5, w, h, radius);
    cairo_set_source_rgba(cr, 0.1, 0.05, 0.0, 0.42);
    cairo_stroke(cr);
    cairo_restore(cr);
}

// A recessed field of dark leather with a shadow along its upper left.
void Well(cairo_t* cr, double x, double y, double w, double h, double radius, uint32_t seed)
{
    const auto leather = MakeLeather(
        static_cast<int>(x + w) + 1, static_cast<int>(y + h) + 1, ChocolateLight(), ChocolateDark(), seed, ScaleOf(cr));
    cairo_save(cr);
    cairo_new_path(cr);
    RoundedRectangle(cr, x, y, w, h, radius);
    cairo_set_source_surface(cr, leather->Surface(), 0, 0);
    cairo_fill(cr);
    cairo_restore(cr);
    PaintInnerShadow(cr, x, y, w, h, radius, std::min(6.0, std::min(w, h) / 3.0));
    PaintBevel(cr, x, y, w, h, radius, 1.5, EBevel::Sunken, 0.8);
}

CImage TextButton(int width, int height, double radius, double bevelPx, double grooveInset, uint32_t seed, int scale)
{
    CCanvas canvas(width, height, scale);
    const auto wood = MakeWood(width, height, HoneyOak(seed), scale);
    cairo_t* cr = canvas.Cr();
    PaintPlank(cr, *wood, 0, 0, width, height, radius, bevelPx, EBevel::Raised);
    // A soft darker middle so that the light caption stands out.
    cairo_pattern_t* shade
        = cairo_pattern_create_radial(width / 2.0, height / 2.0, 0, width / 2.0, height / 2.0, width / 2.0);
    cairo_pattern_add_color_stop_rgba(shade, 0.0, 0.18, 0.08, 0.02, 0.30);
    cairo_pattern_add_color_stop_rgba(shade, 1.0, 0.18, 0.08, 0.02, 0.0);
    cairo_save(cr);
    RoundedRectangle(cr, bevelPx, bevelPx, width - 2 * bevelPx, height - 2 * bevelPx, radius - bevelPx);
    cairo_set_source(cr, shade);
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_pattern_destroy(shade);
    Groove(cr, grooveInset, grooveInset, width - 2 * grooveInset - 1, height - 2 * grooveInset - 1,
        std::max(2.0, radius - grooveInset));
    return Keyed(canvas);
}

void CheckMark(cairo_t* cr, double scale, double dx, double dy)
{
    cairo_save(cr);
    cairo_translate(cr, dx, dy);
    cairo_scale(cr, scale, scale);
    cairo_new_path(cr);
    cairo_move_to(cr, 8.5, 16.5);
    cairo_line_to(cr, 14, 22.5);
    cairo_line_to(cr, 25, 8.5);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, 6.0);
    cairo_set_source_rgb(cr, 0.16, 0.08, 0.02);
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, 3.2);
    cairo_pattern_t* gold = cairo_pattern_create_linear(0, 8, 0, 23);
    cairo_pattern_add_color_stop_rgb(gold, 0, 1.0, 0.93, 0.62);
    cairo_pattern_add_color_stop_rgb(gold, 1, 0.9, 0.6, 0.2);
    cairo_set_source(cr, gold);
    cairo_stroke(cr);
    cairo_pattern_destroy(gold);
    cairo_restore(cr);
}

CImage CheckBox(bool checked, int scale)
{
    CCanvas canvas(32, 32, scale);
    const auto wood = MakeWood(32, 32, HoneyOak(checked ? 23 : 21), scale);
    cairo_t* cr = canvas.Cr();
    PaintPlank(cr, *wood, 0, 0, 32, 32, 5, 3, checked ? EBevel::Sunken : EBevel::Raised);
    Well(cr, 8, 8, 16, 16, 3, 29);
    if (checked) {
        CheckMark(cr, 1.0, 0, 0);
    }
    return Keyed(canvas);
}

// The filled triangle of an arrow, pale ivory or, pushed, gold.
void ArrowHead(cairo_t* cr, double x0, double y0, double x1, double y1, double x2, double y2, bool pushed)
{
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    cairo_line_to(cr, x2, y2);
    cairo_close_path(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, 2.0);
    cairo_set_source_rgb(cr, 0.16, 0.08, 0.03);
    cairo_stroke_preserve(cr);
    const STextLook look = pushed ? GoldLook(1, 0) : IvoryLook(1, 0);
    const double top = std::min({y0, y1, y2});
    const double bottom = std::max({y0, y1, y2});
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, top, 0, bottom);
    cairo_pattern_add_color_stop_rgb(fill, 0, look.fillTop.r, look.fillTop.g, look.fillTop.b);
    cairo_pattern_add_color_stop_rgb(fill, 1, look.fillBottom.r, look.fillBottom.g, look.fillBottom.b);
    cairo_set_source(cr, fill);
    cairo_fill(cr);
    cairo_pattern_destroy(fill);
    cairo_restore(cr);
}

CImage SelectionArrow(bool up, bool pushed, int scale)
{
    CCanvas canvas(25, 25, scale);
    const auto wood = MakeWood(25, 25, HoneyOak(up ? 31 : 33, EGrain::Vertical), scale);
    cairo_t* cr = canvas.Cr();
    PaintPlank(cr, *wood, 0, 0, 25, 25, 4, 3, pushed ? EBevel::Sunken : EBevel::Raised);
    if (pushed) {
        cairo_set_source_rgba(cr, 0.1, 0.04, 0.0, 0.18);
        RoundedRectangle(cr, 1, 1, 23, 23, 3);
        cairo_fill(cr);
    }
    const double shift = pushed ? 1.0 : 0.0;
    if (up) {
        ArrowHead(cr, 12.5 + shift, 7 + shift, 18.5 + shift, 16 + shift, 6.5 + shift, 16 + shift, pushed);
    } else {
        ArrowHead(cr, 6.5 + shift, 9 + shift, 18.5 + shift, 9 + shift, 12.5 + shift, 18 + shift, pushed);
    }
    return Keyed(canvas);
}

// The track of the scroll bars. It is drawn stretched to any height, so it is
// shaded by columns only and looks the same at every stretch.
CImage SelectionBar(int scale)
{
    CCanvas canvas(25, 100, scale);
    const auto wood = MakeWood(25, 100, Walnut(41, EGrain::Vertical), scale);
    cairo_t* cr = canvas.Cr();
    cairo_set_source_surface(cr, wood->Surface(), 0, 0);
    cairo_paint(cr);
    const auto leather = MakeLeather(25, 100, ChocolateLight(), ChocolateDark(), 43, scale);
    cairo_set_source_surface(cr, leather->Surface(), 0, 0);
    cairo_rectangle(cr, 6, 0, 13, 100);
    cairo_fill(cr);
    struct SColumn {
        double x;
        double r, g, b, a;
    };
    const SColumn columns[] = {
        {0, 0.12, 0.07, 0.03, 0.95},
        {1, 1.0, 0.9, 0.7, 0.30},
        {2, 1.0, 0.9, 0.7, 0.15},
        {5, 0.05, 0.02, 0.0, 0.55},
        {6, 0.05, 0.02, 0.0, 0.45},
        {7, 0.05, 0.02, 0.0, 0.25},
        {18, 1.0, 0.9, 0.7, 0.12},
        {19, 1.0, 0.9, 0.7, 0.22},
        {22, 0.05, 0.02, 0.0, 0.25},
        {23, 0.05, 0.02, 0.0, 0.40},
        {24, 0.12, 0.07, 0.03, 0.95},
    };
    for (const SColumn& column : columns) {
        cairo_set_source_rgba(cr, column.r, column.g, column.b, column.a);
        cairo_rectangle(cr, column.x, 0, 1, 100);
        cairo_fill(cr);
    }
    return Keyed(canvas);
}

CImage SelectionThumb(int scale)
{
    CCanvas canvas(25, 25, scale);
    const auto wood = MakeWood(25, 25, HoneyOak(47, EGrain::Vertical), scale);
    cairo_t* cr = canvas.Cr();
    PaintPlank(cr, *wood, 1, 0, 23, 25, 4, 3, EBevel::Raised);
    cairo_set_line_width(cr, 1.0);
    for (const double y : {9.5, 12.5, 15.5}) {
        cairo_set_source_rgba(cr, 0.12, 0.06, 0.01, 0.55);
        cairo_move_to(cr, 7, y);
        cairo_line_to(cr, 18, y);
        cairo_stroke(cr);
        cairo_set_source_rgba(cr, 1.0, 0.92, 0.75, 0.35);
        cairo_move_to(cr, 7, y + 1);
        cairo_line_to(cr, 18, y + 1);
        cairo_stroke(cr);
    }
    return Keyed(canvas);
}

CImage SelectionBox(int scale)
{
    CCanvas canvas(200, 150, scale);
    const auto wood = MakeWood(200, 150, Walnut(51), scale);
    cairo_t* cr = canvas.Cr();
    PaintPlank(cr, *wood, 0, 0, 200, 150, 8, 4, EBevel::Raised);
    Well(cr, 7, 7, 186, 136, 4, 53);
    return Keyed(canvas);
}

CImage SliderBar(int scale)
{
    CCanvas canvas(200, 25, scale);
    const auto wood = MakeWood(200, 25, Walnut(61), scale);
    cairo_t* cr = canvas.Cr();
    PaintPlank(cr, *wood, 0, 5, 200, 15, 7.5, 2.5, EBevel::Raised);
    Well(cr, 7, 10, 186, 5, 2.5, 63);
    // Ticks under the travel of the knob's middle, every tenth of the range.
    for (int i = 0; i <= 10; ++i) {
        const double x = std::round(12.5 + 17.5 * i) - 0.5;
        const double length = i % 5 == 0 ? 4.0 : 2.5;
        cairo_set_line_width(cr, 1.0);
        cairo_set_source_rgb(cr, 0.93, 0.84, 0.62);
        cairo_move_to(cr, x, 20.5);
        cairo_line_to(cr, x, 20.5 + length);
        cairo_stroke(cr);
    }
    return Keyed(canvas);
}

CImage SliderKnob(int scale)
{
    CCanvas canvas(25, 25, scale);
    const auto wood = MakeWood(25, 25, HoneyOak(67), scale);
    cairo_t* cr = canvas.Cr();
    cairo_arc(cr, 12.5, 12.5, 11.5, 0, 2 * std::numbers::pi);
    cairo_set_source_surface(cr, wood->Surface(), 0, 0);
    cairo_fill_preserve(cr);
    cairo_pattern_t* light = cairo_pattern_create_radial(9, 8, 1, 12.5, 12.5, 12);
    cairo_pattern_add_color_stop_rgba(light, 0.0, 1.0, 0.95, 0.8, 0.45);
    cairo_pattern_add_color_stop_rgba(light, 0.6, 1.0, 0.95, 0.8, 0.0);
    cairo_pattern_add_color_stop_rgba(light, 1.0, 0.1, 0.04, 0.0, 0.45);
    cairo_set_source(cr, light);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(light);
    cairo_set_line_width(cr, 1.2);
    cairo_set_source_rgb(cr, 0.13, 0.07, 0.02);
    cairo_stroke(cr);
    cairo_arc(cr, 12.5, 12.5, 5, 0, 2 * std::numbers::pi);
    cairo_set_source_rgba(cr, 0.12, 0.05, 0.0, 0.55);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    cairo_arc(cr, 12.5, 12.5, 2.2, 0, 2 * std::numbers::pi);
    cairo_set_source_rgb(cr, 0.96, 0.86, 0.6);
    cairo_fill(cr);
    return Keyed(canvas);
}

CImage Triangle(bool pointsLeft, int scale)
{
    CCanvas canvas(50, 50, scale);
    const auto wood = MakeWood(50, 50, HoneyOak(pointsLeft ? 71 : 73), scale);
    cairo_t* cr = canvas.Cr();
    const double tipX = pointsLeft ? 5 : 45;
    const double baseX = pointsLeft ? 43 : 7;
    auto path = [&](double inset) {
        const double dir = pointsLeft ? 1.0 : -1.0;
        cairo_new_path(cr);
        cairo_move_to(cr, tipX + dir * inset * 2.0, 25);
        cairo_line_to(cr, baseX - dir * inset, 5 + inset * 2.0);
        cairo_line_to(cr, baseX - dir * inset, 45 - inset * 2.0);
        cairo_close_path(cr);
    };
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    path(0);
    cairo_set_source_surface(cr, wood->Surface(), 0, 0);
    cairo_set_line_width(cr, 4.0);
    cairo_stroke_preserve(cr);
    cairo_fill(cr);
    // Light from the upper left across the whole arrow.
    path(-1);
    cairo_pattern_t* light = cairo_pattern_create_linear(5, 5, 45, 45);
    cairo_pattern_add_color_stop_rgba(light, 0.0, 1.0, 0.93, 0.75, 0.40);
    cairo_pattern_add_color_stop_rgba(light, 0.5, 1.0, 0.93, 0.75, 0.0);
    cairo_pattern_add_color_stop_rgba(light, 1.0, 0.08, 0.03, 0.0, 0.45);
    cairo_set_source(cr, light);
    cairo_fill(cr);
    cairo_pattern_destroy(light);
    path(4.5);
    cairo_set_line_width(cr, 1.0);
    cairo_set_source_rgba(cr, 0.1, 0.05, 0.0, 0.45);
    cairo_stroke(cr);
    path(-1.2);
    cairo_set_line_width(cr, 1.5);
    cairo_set_source_rgb(cr, 0.13, 0.07, 0.02);
    cairo_stroke(cr);
    return Keyed(canvas);
}

CImage InputBox(int scale)
{
    CCanvas canvas(200, 40, scale);
    const auto wood = MakeWood(200, 40, Walnut(81), scale);
    cairo_t* cr = canvas.Cr();
    PaintPlank(cr, *wood, 0, 0, 200, 40, 7, 3, EBevel::Raised);
    Well(cr, 5, 5, 190, 30, 4, 83);
    return Keyed(canvas);
}

CImage BackdropPreview(int scale)
{
    CCanvas canvas(100, 100, scale);
    const auto wood = MakeWood(100, 100, Walnut(91), scale);
    PaintPlank(canvas.Cr(), *wood, 0, 0, 100, 100, 0, 3, EBevel::Raised);
    return Keyed(canvas);
}

// The ground of a tile set preview: the tile is copied into (10, 0)-(50, 60)
// with its transparent corners, so only a shadow to its lower right shows.
CImage TilePreview(int scale)
{
    CCanvas canvas(64, 64, scale);
    cairo_t* cr = canvas.Cr();
    RoundedRectangle(cr, 13, 4, 40, 60, 4);
    cairo_rectangle(cr, 10, 0, 40, 60);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_set_source_rgb(cr, 0.13, 0.08, 0.05);
    cairo_fill(cr);
    return Keyed(canvas);
}

// An arrow whose tip is the top-left pixel.
CImage Cursor(int scale)
{
    CCanvas canvas(32, 32, scale);
    cairo_t* cr = canvas.Cr();
    cairo_translate(cr, 0.9, 0.9);
    cairo_new_path(cr);
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, 0, 22);
    cairo_line_to(cr, 5.5, 17);
    cairo_line_to(cr, 9.5, 26);
    cairo_line_to(cr, 13.5, 24.2);
    cairo_line_to(cr, 9.6, 15.6);
    cairo_line_to(cr, 16.5, 15.6);
    cairo_close_path(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, 2.0);
    cairo_set_source_rgb(cr, 0.16, 0.08, 0.03);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, 0, 12, 24);
    cairo_pattern_add_color_stop_rgb(fill, 0, 1.0, 0.97, 0.86);
    cairo_pattern_add_color_stop_rgb(fill, 1, 0.93, 0.72, 0.34);
    cairo_set_source(cr, fill);
    cairo_fill(cr);
    cairo_pattern_destroy(fill);
    CImage image = Keyed(canvas);
    // The hot spot is the tip: it must be drawn.
    image.At(0, 0) = {40, 20, 8};
    return image;
}

SPictureJob Job(std::string name, std::function<CImage(int scale)> paint)
{
    return {"Graphics/Gui/" + std::move(name),
        [paint = std::move(paint)](int scale) -> std::optional<CImage> { return paint(scale); }};
}

} // namespace

std::vector<SPictureJob> WidgetPictureJobs()
{
    return {
        Job("Cursor.bmp", Cursor),
        Job("Wood Button Large.bmp", [](int scale) { return TextButton(200, 90, 14, 6, 11, 11, scale); }),
        Job("Wood Button Small.bmp", [](int scale) { return TextButton(150, 45, 9, 4, 7, 13, scale); }),
        Job("Wood Check Box Up.bmp", [](int scale) { return CheckBox(false, scale); }),
        Job("Wood Check Box Down.bmp", [](int scale) { return CheckBox(true, scale); }),
        Job("Wood Selection Box.bmp", SelectionBox),
        Job("Wood Selection Bar.bmp", SelectionBar),
        Job("Wood Selection Bar Button.bmp", SelectionThumb),
        Job("Wood Selection Arrow Up.bmp", [](int scale) { return SelectionArrow(true, false, scale); }),
        Job("Wood Selection Arrow Down.bmp", [](int scale) { return SelectionArrow(false, false, scale); }),
        Job("Wood Selection Arrow Up Pushed.bmp", [](int scale) { return SelectionArrow(true, true, scale); }),
        Job("Wood Selection Arrow Down Pushed.bmp", [](int scale) { return SelectionArrow(false, true, scale); }),
        Job("Wood Slider Bar.bmp", SliderBar),
        Job("Wood Slider Button.bmp", SliderKnob),
        Job("Wood Triangle Left.bmp", [](int scale) { return Triangle(true, scale); }),
        Job("Wood Triangle Right.bmp", [](int scale) { return Triangle(false, scale); }),
        Job("Input Box.bmp", InputBox),
        Job("Backdrop Preview.bmp", BackdropPreview),
        Job("Tile Preview.bmp", TilePreview),
    };
}

} // namespace assets::gui
