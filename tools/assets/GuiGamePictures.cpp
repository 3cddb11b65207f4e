// The pictures of "Graphics\Game\" (the bar under the board, the dialog
// panel, the selection overlay, the hint mark and the Zandor target panel)
// and the miniature tile of the game selection page, and the two colours of
// the keyboard focus frame.
#include "GuiPictures.h"

#include "TileSets.h"

namespace assets::gui {

namespace {

// The tile pictures' face: the rounded rectangle right of the edge, which
// runs along the tile's left and bottom.
constexpr double kFaceX = kTileEdgePx;
constexpr double kFaceY = 0;
constexpr double kFaceW = kTileFaceWidthPx;
constexpr double kFaceH = kTileFaceHeightPx;
constexpr double kFaceRadius = 3.5;

CImage GameBar(int scale)
{
    CCanvas canvas(800, 100, scale);
    cairo_t* cr = canvas.Cr();
    const auto wood = MakeWood(800, 100, Walnut(201), scale);
    PaintPlank(cr, *wood, 0, 0, 800, 100, 0, 4, EBevel::Raised);
    // The status line (texts at 10-34) sits in a leather strip; the five
    // buttons stand on the wood below it (45-90).
    const auto leather = MakeLeather(800, 100, ChocolateLight(), ChocolateDark(), 203, scale, {{8, 6, 784, 35}});
    RoundedRectangle(cr, 8, 6, 784, 35, 6);
    cairo_set_source_surface(cr, leather->Surface(), 0, 0);
    cairo_fill(cr);
    PaintInnerShadow(cr, 8, 6, 784, 35, 6, 7);
    PaintBevel(cr, 8, 6, 784, 35, 6, 2, EBevel::Sunken, 0.8);
    PaintGoldHairline(cr, 12, 10, 776, 27, 4, 0.3);
    return FinishPicture(canvas, EKeyMode::Threshold);
}

CImage GameDialog(int scale)
{
    CCanvas canvas(500, 250, scale);
    PaintLeatherPanel(canvas.Cr(), 500, 250, 0, 0, 500, 250, 8, 211);
    return FinishPicture(canvas, EKeyMode::Threshold);
}

// Averaged with the tile at half strength: a warm gold over the face, black
// (no change) over the edge and around the tile.
CImage TileOverlay(int scale)
{
    CCanvas canvas(64, 64, scale);
    cairo_t* cr = canvas.Cr();
    RoundedRectangle(cr, kFaceX, kFaceY, kFaceW, kFaceH, kFaceRadius);
    cairo_pattern_t* warm = cairo_pattern_create_linear(kFaceX, kFaceY, kFaceX + kFaceW, kFaceY + kFaceH);
    cairo_pattern_add_color_stop_rgb(warm, 0, 1.0, 0.86, 0.42);
    cairo_pattern_add_color_stop_rgb(warm, 1, 1.0, 0.62, 0.16);
    cairo_set_source(cr, warm);
    cairo_fill(cr);
    cairo_pattern_destroy(warm);
    return FinishPicture(canvas, EKeyMode::Threshold);
}

// Drawn keyed over a hinted tile: a glowing ring just inside the face's
// border, so the tile's motif stays readable.
CImage TileHint(int scale)
{
    CCanvas canvas(64, 64, scale);
    cairo_t* cr = canvas.Cr();
    cairo_set_line_width(cr, 3.0);
    RoundedRectangle(cr, kFaceX + 1.5, kFaceY + 1.5, kFaceW - 3, kFaceH - 3, kFaceRadius);
    cairo_set_source_rgb(cr, 0.1, 0.72, 0.95);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 1.0);
    RoundedRectangle(cr, kFaceX + 3.5, kFaceY + 3.5, kFaceW - 7, kFaceH - 7, kFaceRadius - 1);
    cairo_set_source_rgb(cr, 0.78, 0.96, 1.0);
    cairo_stroke(cr);
    return FinishPicture(canvas, EKeyMode::Threshold);
}

// The target panel at (725, 0): the target tile is drawn at (15, 12) and
// the countdown below it, centred, from y = 63.
CImage ZandorPanel(int scale)
{
    CCanvas canvas(75, 100, scale);
    cairo_t* cr = canvas.Cr();
    const auto wood = MakeWood(75, 100, Walnut(221, EGrain::Vertical), scale);
    PaintPlank(cr, *wood, 0, 0, 75, 100, 9, 4, EBevel::Raised);
    const auto leather = MakeLeather(75, 100, ChocolateLight(), ChocolateDark(), 223, scale);
    RoundedRectangle(cr, 7, 5, 61, 90, 6);
    cairo_set_source_surface(cr, leather->Surface(), 0, 0);
    cairo_fill(cr);
    PaintInnerShadow(cr, 7, 5, 61, 90, 6, 6);
    PaintBevel(cr, 7, 5, 61, 90, 6, 1.5, EBevel::Sunken, 0.8);
    // A pool of light where the tile lies.
    cairo_pattern_t* glow = cairo_pattern_create_radial(37.5, 42, 4, 37.5, 42, 36);
    cairo_pattern_add_color_stop_rgba(glow, 0, 1.0, 0.82, 0.45, 0.22);
    cairo_pattern_add_color_stop_rgba(glow, 1, 1.0, 0.82, 0.45, 0.0);
    cairo_set_source(cr, glow);
    RoundedRectangle(cr, 7, 5, 61, 90, 6);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
    PaintGoldHairline(cr, 10, 8, 55, 84, 4, 0.35);
    return FinishPicture(canvas, EKeyMode::Threshold);
}

// The miniature tile of the layout preview: its 11 x 15 top-left pixels are
// one tile on a grid of 5 x 7 pixels per half tile; the face is 10 x 14 with a
// one-pixel edge on its left and bottom (levels shift one pixel right and
// up), in the colours of the ivory tile set. At a larger scale every part
// keeps its picture pixels (the miniature is drawn in pieces on that grid);
// only the shading across the face runs along a finer diagonal.
CImage PreviewTile(int scale)
{
    CImage image(16 * scale, 16 * scale);
    const SRgb faceLight{250, 244, 226};
    const SRgb faceDark{230, 220, 192};
    const SRgb rim{150, 130, 92};
    const SRgb highlight{255, 253, 244};
    const SRgb edgeLeft{46, 140, 96};
    const SRgb edgeBottom{28, 100, 68};
    const auto colourAt = [&](int pixelX, int pixelY) -> SRgb {
        const int x = pixelX / scale;
        const int y = pixelY / scale;
        if (x == 0) {
            return y >= 1 && y <= 14 ? edgeLeft : SRgb{};
        }
        if (y == 14) {
            return x <= 9 ? edgeBottom : SRgb{};
        }
        if (x > 10 || y > 14) {
            return {};
        }
        if (x == 10 || y == 13) {
            return rim;
        }
        if (y == 0) {
            return x == 1 ? faceLight : highlight;
        }
        // The pixel's centre in picture units against the line x + y = 12.
        const double centreX = (pixelX + 0.5) / scale - 0.5;
        const double centreY = (pixelY + 0.5) / scale - 0.5;
        return centreX + centreY > 12.0 ? faceDark : faceLight;
    };
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            image.At(x, y) = colourAt(x, y);
        }
    }
    return image;
}

// The keyboard focus is drawn as a frame of three lines, dark, gold and dark,
// each a stretched one-colour picture, so that it shows on pale tiles and
// dark felt alike.
CImage SolidPicture(SRgb colour, int scale)
{
    CImage image(4 * scale, 4 * scale);
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            image.At(x, y) = colour;
        }
    }
    return image;
}

SPictureJob Job(std::string path, std::function<CImage(int scale)> paint)
{
    return {std::move(path), [paint = std::move(paint)](int scale) -> std::optional<CImage> { return paint(scale); }};
}

} // namespace

std::vector<SPictureJob> GamePictureJobs()
{
    return {
        Job("Graphics/Game/Game Background Bar.bmp", GameBar),
        Job("Graphics/Game/Dialog Background.bmp", GameDialog),
        Job("Graphics/Game/Tile Overlay.bmp", TileOverlay),
        Job("Graphics/Game/Tile Hint.bmp", TileHint),
        Job("Graphics/Game/Zandor Tile Background.bmp", ZandorPanel),
        Job("Graphics/Gui/Preview Mahjongg Tile.bmp", PreviewTile),
        Job("Graphics/Gui/Focus Light.bmp",
            [](int scale) { return SolidPicture({255, 214, 40}, scale); }),
        Job("Graphics/Gui/Focus Dark.bmp",
            [](int scale) { return SolidPicture({24, 16, 40}, scale); }),
    };
}

} // namespace assets::gui
