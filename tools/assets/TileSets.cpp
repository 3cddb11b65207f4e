// The tile sets: their palettes, the tile body (face, two-layer edge and
// outline) and the writing of the 42 pictures of every set.
#include "TileSets.h"

#include "Generator.h"
#include "Tasks.h"
#include "TileFacesKit.h"

namespace assets {

namespace {

constexpr SColour Rgb(int r, int g, int b) { return {r / 255.0, g / 255.0, b / 255.0}; }

constexpr std::size_t Ink(EInk ink) { return static_cast<std::size_t>(ink); }

// Traditional ivory faces on a jade-green back, painted in black, red,
// green and blue inks.
STilePalette IvoryPalette()
{
    STilePalette p;
    p.faceTop = Rgb(255, 251, 238);
    p.faceBottom = Rgb(236, 226, 198);
    p.faceRim = Rgb(196, 184, 150);
    p.lipLeft = Rgb(226, 214, 182);
    p.lipBottom = Rgb(196, 182, 146);
    p.backLeft = Rgb(46, 140, 96);
    p.backBottom = Rgb(28, 100, 68);
    p.outline = Rgb(38, 30, 22);
    p.inks[Ink(EInk::Dark)] = Rgb(28, 26, 34);
    p.inks[Ink(EInk::Red)] = Rgb(200, 28, 28);
    p.inks[Ink(EInk::Green)] = Rgb(16, 128, 64);
    p.inks[Ink(EInk::Blue)] = Rgb(28, 66, 160);
    p.inks[Ink(EInk::Gold)] = Rgb(222, 160, 30);
    p.inks[Ink(EInk::Pink)] = Rgb(236, 118, 150);
    p.inks[Ink(EInk::Violet)] = Rgb(134, 70, 178);
    p.inks[Ink(EInk::Orange)] = Rgb(236, 116, 24);
    p.inks[Ink(EInk::Leaf)] = Rgb(76, 150, 50);
    p.inks[Ink(EInk::Paper)] = Rgb(255, 252, 240);
    p.inks[Ink(EInk::Shade)] = Rgb(40, 30, 30);
    return p;
}

// Dark red lacquer faces with a gold lip on a black back; the inks are
// bright so that they stand out on the dark ground.
STilePalette LacquerPalette()
{
    STilePalette p;
    p.faceTop = Rgb(84, 22, 20);
    p.faceBottom = Rgb(42, 10, 10);
    p.faceRim = Rgb(150, 104, 40);
    // Bright enough that the edge outlines the dark tile on the brown and
    // green backdrops too.
    p.lipLeft = Rgb(240, 194, 100);
    p.lipBottom = Rgb(200, 152, 62);
    p.backLeft = Rgb(44, 24, 20);
    p.backBottom = Rgb(28, 14, 12);
    p.outline = Rgb(14, 8, 8);
    p.inks[Ink(EInk::Dark)] = Rgb(250, 226, 150);
    p.inks[Ink(EInk::Red)] = Rgb(255, 96, 70);
    p.inks[Ink(EInk::Green)] = Rgb(80, 214, 128);
    p.inks[Ink(EInk::Blue)] = Rgb(110, 178, 255);
    p.inks[Ink(EInk::Gold)] = Rgb(255, 204, 80);
    p.inks[Ink(EInk::Pink)] = Rgb(255, 160, 190);
    p.inks[Ink(EInk::Violet)] = Rgb(200, 150, 255);
    p.inks[Ink(EInk::Orange)] = Rgb(255, 156, 52);
    p.inks[Ink(EInk::Leaf)] = Rgb(120, 206, 90);
    p.inks[Ink(EInk::Paper)] = Rgb(58, 14, 12);
    p.inks[Ink(EInk::Shade)] = Rgb(22, 8, 8);
    return p;
}

// Large print: a plain white face with near-black numerals and marks, and a
// dark back so that the tile's outline stands out on any backdrop. The suit
// colours only repeat what the marks say; each is dark enough to read on
// white at a contrast of 7:1 or more.
STilePalette LargePrintPalette()
{
    STilePalette p;
    p.faceTop = Rgb(255, 255, 252);
    p.faceBottom = Rgb(242, 242, 236);
    p.faceRim = Rgb(150, 150, 146);
    p.lipLeft = Rgb(222, 222, 216);
    p.lipBottom = Rgb(186, 186, 180);
    p.backLeft = Rgb(58, 60, 70);
    p.backBottom = Rgb(34, 36, 44);
    p.outline = Rgb(10, 10, 14);
    p.inks[Ink(EInk::Dark)] = Rgb(14, 14, 20);
    p.inks[Ink(EInk::Red)] = Rgb(136, 0, 12);
    p.inks[Ink(EInk::Green)] = Rgb(0, 76, 38);
    p.inks[Ink(EInk::Blue)] = Rgb(14, 36, 128);
    p.inks[Ink(EInk::Gold)] = Rgb(120, 78, 0);
    p.inks[Ink(EInk::Pink)] = Rgb(128, 10, 80);
    p.inks[Ink(EInk::Violet)] = Rgb(80, 30, 130);
    p.inks[Ink(EInk::Orange)] = Rgb(128, 54, 0);
    p.inks[Ink(EInk::Leaf)] = Rgb(0, 90, 44);
    p.inks[Ink(EInk::Paper)] = Rgb(255, 255, 252);
    p.inks[Ink(EInk::Shade)] = Rgb(14, 14, 20);
    return p;
}

// Night jade: polished dark green stone with a pale celadon lip, its motifs
// inked in on the stone in two light tones only -- a bone white and a warm
// gold where the other sets paint red -- instead of the full colours of the
// ivory and lacquer sets.
STilePalette NightJadePalette()
{
    STilePalette p;
    p.faceTop = Rgb(34, 92, 76);
    p.faceBottom = Rgb(14, 50, 42);
    p.faceRim = Rgb(120, 190, 160);
    p.lipLeft = Rgb(168, 214, 190);
    p.lipBottom = Rgb(120, 172, 148);
    p.backLeft = Rgb(40, 44, 48);
    p.backBottom = Rgb(24, 26, 30);
    p.outline = Rgb(6, 12, 10);
    const SColour bone = Rgb(236, 240, 226);
    const SColour celadon = Rgb(176, 226, 196);
    const SColour gold = Rgb(240, 198, 104);
    p.inks[Ink(EInk::Dark)] = bone;
    p.inks[Ink(EInk::Red)] = gold;
    p.inks[Ink(EInk::Green)] = celadon;
    p.inks[Ink(EInk::Blue)] = bone;
    p.inks[Ink(EInk::Gold)] = gold;
    p.inks[Ink(EInk::Pink)] = bone;
    p.inks[Ink(EInk::Violet)] = bone;
    p.inks[Ink(EInk::Orange)] = gold;
    p.inks[Ink(EInk::Leaf)] = celadon;
    p.inks[Ink(EInk::Paper)] = Rgb(20, 62, 52);
    p.inks[Ink(EInk::Shade)] = Rgb(6, 24, 20);
    return p;
}

// The rounded face rectangle moved by `depth` pixels towards the lower left
// (depth 0 is the face itself) and shrunk by `inset` on every side.
void LayerPath(cairo_t* cr, int depth, double inset)
{
    constexpr double kCornerRadiusPx = 3.5;
    faces::RoundedRectPath(cr, kTileEdgePx - depth + inset, depth + inset, kTileFaceWidthPx - 2 * inset,
        kTileFaceHeightPx - 2 * inset, kCornerRadiusPx - inset);
}

// Fills the current path twice, left of the diagonal through the face's
// lower left corner with one colour and below it with another, so that the
// left and bottom sides of the edge are shaded apart.
void FillSides(cairo_t* cr, const SColour& left, const SColour& bottom)
{
    cairo_path_t* path = cairo_copy_path(cr);
    for (int side = 0; side < 2; ++side) {
        cairo_save(cr);
        cairo_new_path(cr);
        // The diagonal x + y = kTileHeightPx runs through the face's lower
        // left corner (kTileEdgePx, kTileFaceHeightPx) and (0, kTileHeightPx);
        // each side is a large triangle with one edge on it.
        constexpr double kFar = 200;
        cairo_move_to(cr, kTileHeightPx + kFar, -kFar);
        cairo_line_to(cr, side == 0 ? -kFar : kTileHeightPx + kFar, side == 0 ? -kFar : kTileHeightPx + kFar);
        cairo_line_to(cr, -kFar, kTileHeightPx + kFar);
        cairo_close_path(cr);
        cairo_clip(cr);
        cairo_append_path(cr, path);
        faces::SetColour(cr, side == 0 ? left : bottom);
        cairo_fill(cr);
        cairo_restore(cr);
    }
    cairo_path_destroy(path);
    cairo_new_path(cr);
}

void DrawBody(cairo_t* cr, const STilePalette& palette)
{
    // The outline: the whole silhouette, later covered one pixel inside.
    faces::SetColour(cr, palette.outline);
    for (int depth = kTileEdgePx; depth >= 0; --depth) {
        LayerPath(cr, depth, 0);
        cairo_fill(cr);
    }
    // The edge, deepest layer first: two layers of the back, then two of
    // the face material, each a little lighter towards the face.
    for (int depth = kTileEdgePx; depth >= 1; --depth) {
        const bool isBack = depth > kTileEdgePx / 2;
        const double towardsFace = (depth % 2 == 1) ? 0.18 : 0.0;
        const SColour left = faces::Mix(isBack ? palette.backLeft : palette.lipLeft, palette.faceTop, towardsFace);
        const SColour bottom
            = faces::Mix(isBack ? palette.backBottom : palette.lipBottom, palette.faceTop, towardsFace);
        LayerPath(cr, depth, 1);
        FillSides(cr, left, bottom);
    }
    // The face, lit from the upper left.
    cairo_pattern_t* gradient = cairo_pattern_create_linear(kTileEdgePx, 0, kTileWidthPx, kTileFaceHeightPx);
    cairo_pattern_add_color_stop_rgb(gradient, 0, palette.faceTop.r, palette.faceTop.g, palette.faceTop.b);
    cairo_pattern_add_color_stop_rgb(gradient, 1, palette.faceBottom.r, palette.faceBottom.g, palette.faceBottom.b);
    LayerPath(cr, 0, 1);
    cairo_set_source(cr, gradient);
    cairo_fill(cr);
    cairo_pattern_destroy(gradient);
    // A soft rim just inside the face's border.
    LayerPath(cr, 0, 1.5);
    faces::SetColour(cr, faces::Mix(palette.faceRim, palette.faceBottom, 0.5));
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
}

} // namespace

const std::vector<STileSetStyle>& TileSetStyles()
{
    static const std::vector<STileSetStyle> styles = {
        {"Ivory", IvoryPalette()},
        {"Large Print", LargePrintPalette(), EFaceStyle::LargePrint},
        {"Night Jade", NightJadePalette()},
        {"Red Lacquer", LacquerPalette()},
    };
    return styles;
}

std::vector<std::string> TileSetFolderNames()
{
    std::vector<std::string> names;
    for (const STileSetStyle& style : TileSetStyles()) {
        names.push_back(style.folderName);
    }
    return names;
}

std::vector<std::string> TileFileNames()
{
    std::vector<std::string> names;
    for (const SFaceFamily& family : kFaceFamilies) {
        for (int number = 1; number <= family.count; ++number) {
            names.push_back(std::string(family.name) + " " + std::to_string(number) + ".bmp");
        }
    }
    return names;
}

bool IsInsideTileShape(int x, int y)
{
    for (int depth = 0; depth <= kTileEdgePx; ++depth) {
        const bool insideColumns = x >= kTileEdgePx - depth && x < kTileWidthPx - depth;
        const bool insideRows = y >= depth && y < kTileFaceHeightPx + depth;
        if (insideColumns && insideRows) {
            return true;
        }
    }
    return false;
}

std::optional<CImage> DrawTile(const STileSetStyle& style, int face, int scale)
{
    CCanvas canvas(kTilePictureSizePx, kTilePictureSizePx, scale);
    cairo_t* cr = canvas.Cr();
    DrawBody(cr, style.palette);
    cairo_save(cr);
    LayerPath(cr, 0, 1);
    cairo_clip(cr);
    const bool drawn = style.faces == EFaceStyle::LargePrint ? DrawLargePrintFace(cr, style.palette, face)
                                                             : DrawFaceMotif(cr, style.palette, face);
    cairo_restore(cr);
    if (!drawn) {
        return std::nullopt;
    }
    CImage image = CImage::FromCanvas(canvas);
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            if (!IsInsideTileShape(x / scale, y / scale)) {
                image.At(x, y) = {};
            }
        }
    }
    image.KeepNearBlackVisible();
    return image;
}

bool WriteTileSets(const std::string& root)
{
    const std::vector<std::string> fileNames = TileFileNames();
    // Loaded before the threads share them.
    faces::FontsAvailable();
    std::vector<FTask> tasks;
    for (int scale = kLargestScale; scale >= 1; --scale) {
        for (const STileSetStyle& style : TileSetStyles()) {
            const std::string folder = root + "/Graphics/Tile Sets/" + style.folderName + "/";
            for (int face = 1; face <= kTileFaceCount; ++face) {
                const std::string path = folder + ScaledPath(fileNames[static_cast<size_t>(face - 1)], scale);
                tasks.push_back([&style, face, scale, path] {
                    const std::optional<CImage> tile = DrawTile(style, face, scale);
                    return tile && (scale == 1 ? WriteBmp(path, *tile) : WritePng(path, *tile));
                });
            }
        }
    }
    return RunTasks(tasks);
}

} // namespace assets
