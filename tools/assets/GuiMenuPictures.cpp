// The main menu's background with the painted title, the menu pages' panel
// and the three picture check boxes of the game types.
#include "GuiPictures.h"

#include <cmath>
#include <numbers>

namespace assets::gui {

namespace {

constexpr double kPi = std::numbers::pi;

// One blank tile lying face up, face at (x, y), its edge to the lower left,
// in the colours of the ivory tile set.
void LyingTile(cairo_t* cr, double x, double y, double w, double h, double edge)
{
    for (double d = edge; d >= 1; d -= 1) {
        RoundedRectangle(cr, x - d, y + d, w, h, 4);
        const bool back = d > edge / 2;
        cairo_set_source_rgb(cr, back ? 0.16 : 0.85, back ? 0.5 : 0.8, back ? 0.34 : 0.68);
        cairo_fill(cr);
    }
    cairo_pattern_t* face = cairo_pattern_create_linear(x, y, x + w, y + h);
    cairo_pattern_add_color_stop_rgb(face, 0, 1.0, 0.985, 0.93);
    cairo_pattern_add_color_stop_rgb(face, 1, 0.91, 0.87, 0.77);
    RoundedRectangle(cr, x, y, w, h, 4);
    cairo_set_source(cr, face);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(face);
    cairo_set_source_rgba(cr, 0.45, 0.38, 0.26, 0.8);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
}

// Simple motifs of our own for the decorative tiles: a ringed circle, three
// bamboo sticks, a lacquered square.
void TileMotif(cairo_t* cr, int kind, double cx, double cy, double scale)
{
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, scale, scale);
    switch (kind) {
    case 0:
        cairo_arc(cr, 0, 0, 13, 0, 2 * kPi);
        cairo_set_source_rgb(cr, 0.1, 0.42, 0.3);
        cairo_set_line_width(cr, 3);
        cairo_stroke(cr);
        cairo_arc(cr, 0, 0, 8, 0, 2 * kPi);
        cairo_set_source_rgb(cr, 0.75, 0.12, 0.1);
        cairo_fill(cr);
        cairo_arc(cr, 0, 0, 3.5, 0, 2 * kPi);
        cairo_set_source_rgb(cr, 1.0, 0.97, 0.9);
        cairo_fill(cr);
        break;
    case 1:
        for (int i = -1; i <= 1; ++i) {
            RoundedRectangle(cr, i * 9 - 2.5, -16, 5, 32, 2.5);
            cairo_set_source_rgb(cr, 0.1, 0.5, 0.25);
            cairo_fill(cr);
            for (const double y : {-6.0, 5.0}) {
                cairo_rectangle(cr, i * 9 - 3.5, y, 7, 1.6);
                cairo_set_source_rgb(cr, 0.05, 0.3, 0.15);
                cairo_fill(cr);
            }
        }
        break;
    default:
        RoundedRectangle(cr, -12, -15, 24, 30, 3);
        cairo_set_source_rgb(cr, 0.72, 0.1, 0.08);
        cairo_set_line_width(cr, 3);
        cairo_stroke(cr);
        RoundedRectangle(cr, -5, -7, 10, 14, 1.5);
        cairo_set_source_rgb(cr, 0.1, 0.22, 0.55);
        cairo_fill(cr);
        break;
    }
    cairo_restore(cr);
}

// The fret border, a medallion and three fanned tiles that fill the page
// area of the main menu while no page is open.
void MenuOrnament(cairo_t* cr, double x, double y, double w, double h)
{
    cairo_save(cr);
    cairo_set_line_width(cr, 1.5);
    cairo_set_source_rgba(cr, 0.9, 0.7, 0.34, 0.26);
    // A key fret along the top and bottom.
    const double step = 18;
    for (const double baseY : {y + 14, y + h - 28}) {
        for (double fx = x + 18; fx + step <= x + w - 18; fx += step) {
            cairo_move_to(cr, fx, baseY + 14);
            cairo_line_to(cr, fx, baseY);
            cairo_line_to(cr, fx + 12, baseY);
            cairo_line_to(cr, fx + 12, baseY + 9);
            cairo_line_to(cr, fx + 5, baseY + 9);
            cairo_line_to(cr, fx + 5, baseY + 5);
            cairo_move_to(cr, fx, baseY + 14);
            cairo_line_to(cr, fx + step, baseY + 14);
        }
        cairo_stroke(cr);
    }
    const double cx = x + w / 2;
    const double cy = y + h / 2;
    for (const double radius : {150.0, 142.0, 96.0}) {
        cairo_new_path(cr);
        cairo_arc(cr, cx, cy, radius, 0, 2 * kPi);
        cairo_stroke(cr);
    }
    for (int i = 0; i < 16; ++i) {
        const double angle = i * kPi / 8;
        cairo_move_to(cr, cx + std::cos(angle) * 100, cy + std::sin(angle) * 100);
        cairo_line_to(cr, cx + std::cos(angle) * 138, cy + std::sin(angle) * 138);
    }
    cairo_stroke(cr);
    // A soft pool of light under the tiles.
    cairo_pattern_t* glow = cairo_pattern_create_radial(cx, cy, 10, cx, cy, 140);
    cairo_pattern_add_color_stop_rgba(glow, 0, 1.0, 0.8, 0.5, 0.16);
    cairo_pattern_add_color_stop_rgba(glow, 1, 1.0, 0.8, 0.5, 0.0);
    cairo_set_source(cr, glow);
    cairo_arc(cr, cx, cy, 140, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
    cairo_restore(cr);
    for (int i = 0; i < 3; ++i) {
        cairo_save(cr);
        cairo_translate(cr, cx, cy + 70);
        cairo_rotate(cr, (i - 1) * 0.32);
        // Shadow, then the tile.
        RoundedRectangle(cr, -30, -134, 62, 86, 5);
        cairo_set_source_rgba(cr, 0.0, 0.0, 0.0, 0.35);
        cairo_fill(cr);
        LyingTile(cr, -28, -140, 56, 78, 7);
        TileMotif(cr, i, 0, -101, 1.15);
        cairo_restore(cr);
    }
}

CImage MainMenuBackground(int scale)
{
    CCanvas canvas(800, 600, scale);
    cairo_t* cr = canvas.Cr();
    // The two leather panels cover most of the wood: it is shaded only
    // where it shows, around them and in their rounded corners.
    const auto wood = MakeWood(
        800, 600, Walnut(101), scale, {{0, 0, 800, 139}, {0, 575, 800, 25}, {536, 0, 41, 600}, {773, 0, 27, 600}});
    cairo_set_source_surface(cr, wood->Surface(), 0, 0);
    cairo_paint(cr);
    PaintVignette(cr, 800, 600, 0.55);

    // The title above the page area.
    const std::string title = "Velmora Mahjongg";
    double size = 66;
    while (size > 30 && TextWidth(EFace::Display, size, title) > 510) {
        size -= 1;
    }
    PaintText(cr, EFace::Display, size, title, 26, 80, EAnchor::Left, GoldLook(2.6, 3.5));
    cairo_pattern_t* rule = cairo_pattern_create_linear(26, 0, 536, 0);
    cairo_pattern_add_color_stop_rgba(rule, 0.0, 0.93, 0.74, 0.36, 0.9);
    cairo_pattern_add_color_stop_rgba(rule, 1.0, 0.93, 0.74, 0.36, 0.0);
    cairo_set_source(cr, rule);
    cairo_rectangle(cr, 26, 104, 510, 1.5);
    cairo_fill(cr);
    cairo_pattern_destroy(rule);

    // The page area (0, 125)-(550, 600): a leather panel with an ornament.
    PaintLeatherPanel(cr, 800, 600, 0, 125, 550, 475, 8, 103);
    MenuOrnament(cr, 8, 133, 534, 459);

    // The rail behind the column of buttons at x 575-775.
    PaintLeatherPanel(cr, 800, 600, 562, 10, 226, 580, 6, 107);
    return FinishPicture(canvas, EKeyMode::Threshold);
}

CImage MenuPageBackground(int scale)
{
    CCanvas canvas(550, 475, scale);
    PaintLeatherPanel(canvas.Cr(), 550, 475, 0, 0, 550, 475, 8, 111);
    return FinishPicture(canvas, EKeyMode::Threshold);
}

enum class EGameEmblem { Traditional, VeskStyle, Zandor };

void SmallTile(cairo_t* cr, double x, double y, double w, double h, bool selected)
{
    LyingTile(cr, x, y, w, h, 3);
    if (selected) {
        RoundedRectangle(cr, x + 3, y + 3, w - 6, h - 6, 2);
        cairo_set_source_rgba(cr, 0.75, 0.12, 0.1, 0.9);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    }
}

void Emblem(cairo_t* cr, EGameEmblem emblem, bool pushed)
{
    const double glow = pushed ? 1.0 : 0.85;
    switch (emblem) {
    case EGameEmblem::Traditional:
        SmallTile(cr, 30, 30, 19, 26, false);
        SmallTile(cr, 51, 30, 19, 26, false);
        SmallTile(cr, 42, 18, 19, 26, true);
        break;
    case EGameEmblem::VeskStyle: {
        // An hourglass with golden sand.
        cairo_save(cr);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_new_path(cr);
        cairo_move_to(cr, 37, 19);
        cairo_line_to(cr, 63, 19);
        cairo_curve_to(cr, 63, 32, 53, 35, 52, 38);
        cairo_curve_to(cr, 53, 41, 63, 44, 63, 57);
        cairo_line_to(cr, 37, 57);
        cairo_curve_to(cr, 37, 44, 47, 41, 48, 38);
        cairo_curve_to(cr, 47, 35, 37, 32, 37, 19);
        cairo_close_path(cr);
        cairo_set_source_rgba(cr, 0.95, 0.93, 0.86, 0.9 * glow);
        cairo_fill_preserve(cr);
        cairo_set_source_rgb(cr, 0.2, 0.1, 0.04);
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
        cairo_move_to(cr, 42, 27);
        cairo_line_to(cr, 58, 27);
        cairo_line_to(cr, 50, 36);
        cairo_close_path(cr);
        cairo_move_to(cr, 50, 44);
        cairo_line_to(cr, 59, 55);
        cairo_line_to(cr, 41, 55);
        cairo_close_path(cr);
        cairo_set_source_rgb(cr, 0.93 * glow, 0.66 * glow, 0.2);
        cairo_fill(cr);
        for (const double y : {15.5, 57.5}) {
            RoundedRectangle(cr, 32, y, 36, 5, 2);
            cairo_set_source_rgb(cr, 0.42, 0.22, 0.1);
            cairo_fill_preserve(cr);
            cairo_set_source_rgb(cr, 0.18, 0.09, 0.03);
            cairo_set_line_width(cr, 1);
            cairo_stroke(cr);
        }
        cairo_restore(cr);
        break;
    }
    case EGameEmblem::Zandor:
        // One tile in the cross hairs of a target.
        cairo_save(cr);
        cairo_arc(cr, 50, 38, 22, 0, 2 * kPi);
        cairo_set_source_rgba(cr, 0.75, 0.13, 0.1, glow);
        cairo_set_line_width(cr, 3);
        cairo_stroke(cr);
        for (int i = 0; i < 4; ++i) {
            const double angle = i * kPi / 2;
            cairo_move_to(cr, 50 + std::cos(angle) * 17, 38 + std::sin(angle) * 17);
            cairo_line_to(cr, 50 + std::cos(angle) * 27, 38 + std::sin(angle) * 27);
        }
        cairo_set_line_width(cr, 2.5);
        cairo_stroke(cr);
        cairo_restore(cr);
        SmallTile(cr, 42, 26, 18, 24, false);
        cairo_arc(cr, 51, 38, 5, 0, 2 * kPi);
        cairo_set_source_rgb(cr, 0.1, 0.42, 0.3);
        cairo_fill(cr);
        break;
    }
}

std::optional<CImage> GameTypeBox(EGameEmblem emblem, const std::string& name, bool pushed, int scale)
{
    CCanvas canvas(100, 100, scale);
    cairo_t* cr = canvas.Cr();
    const auto wood = MakeWood(100, 100, HoneyOak(120 + static_cast<uint32_t>(emblem)), scale);
    PaintPlank(cr, *wood, 1, 1, 98, 98, 13, 5, pushed ? EBevel::Sunken : EBevel::Raised);
    if (pushed) {
        // Pressed in, lit from inside and ringed with gold: the chosen type.
        RoundedRectangle(cr, 5, 5, 90, 90, 9);
        cairo_set_source_rgba(cr, 0.12, 0.05, 0.0, 0.25);
        cairo_fill(cr);
        cairo_pattern_t* glow = cairo_pattern_create_radial(50, 45, 5, 50, 45, 50);
        cairo_pattern_add_color_stop_rgba(glow, 0, 1.0, 0.85, 0.45, 0.35);
        cairo_pattern_add_color_stop_rgba(glow, 1, 1.0, 0.85, 0.45, 0.0);
        cairo_set_source(cr, glow);
        cairo_paint(cr);
        cairo_pattern_destroy(glow);
        RoundedRectangle(cr, 4.5, 4.5, 91, 91, 10);
        cairo_set_line_width(cr, 3);
        cairo_set_source_rgb(cr, 1.0, 0.8, 0.3);
        cairo_stroke(cr);
        RoundedRectangle(cr, 2.5, 2.5, 95, 95, 12);
        cairo_set_line_width(cr, 1);
        cairo_set_source_rgb(cr, 0.35, 0.18, 0.04);
        cairo_stroke(cr);
    }
    cairo_save(cr);
    if (pushed) {
        cairo_translate(cr, 1, 1);
    }
    Emblem(cr, emblem, pushed);
    // The slanted script and its rim reach past the measured advance: keep
    // clear of the frame.
    double size = 19;
    while (size > 10 && TextWidth(EFace::Display, size, name) > 76) {
        size -= 0.5;
    }
    const bool ok = PaintText(
        cr, EFace::Display, size, name, 50, 84, EAnchor::Centre, pushed ? GoldLook(1.6, 1) : IvoryLook(1.5, 1));
    cairo_restore(cr);
    if (!ok) {
        return std::nullopt;
    }
    return FinishPicture(canvas, EKeyMode::Threshold);
}

} // namespace

std::vector<SPictureJob> MenuPictureJobs()
{
    std::vector<SPictureJob> jobs = {
        {"Graphics/Gui/Main Menu Background.bmp",
            [](int scale) -> std::optional<CImage> { return MainMenuBackground(scale); }},
        {"Graphics/Gui/Dialog Background.bmp",
            [](int scale) -> std::optional<CImage> { return MenuPageBackground(scale); }},
    };
    struct SType {
        const char* fileStem;
        const char* name;
        EGameEmblem emblem;
    };
    const SType types[] = {
        {"Traditional", "Traditional", EGameEmblem::Traditional},
        {"Vesk Style", "Vesk Style", EGameEmblem::VeskStyle},
        {"Zandor", "Zandor", EGameEmblem::Zandor},
    };
    for (const SType& type : types) {
        for (const bool pushed : {false, true}) {
            const std::string path
                = std::string("Graphics/Gui/Wood ") + type.fileStem + " Check Box" + (pushed ? " Pushed" : "") + ".bmp";
            jobs.push_back(
                {path, [type, pushed](int scale) { return GameTypeBox(type.emblem, type.name, pushed, scale); }});
        }
    }
    return jobs;
}

} // namespace assets::gui
