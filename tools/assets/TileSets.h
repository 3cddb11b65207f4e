// The tile sets under "Graphics\Tile Sets\": their folder names, the 42 file
// names in face order, and the drawing of one tile picture (body and face).
#pragma once

#include "Image.h"
#include "TileFaces.h"

#include <optional>
#include <string>
#include <vector>

namespace assets {

inline constexpr int kTileFaceCount = 42;
inline constexpr int kTilePictureSizePx = 64;

// Geometry of a tile picture. The face is the 40 x 56 rectangle at
// (kTileEdgePx, 0); the tile's thickness shows as an edge of kTileEdgePx
// pixels along its left and bottom sides, the same 4 pixels by which each
// level is drawn right of and above the one below. Everything else of the
// 64 x 64 bitmap is black (transparent), including column 44 and row 60,
// which the board draws only partly.
inline constexpr int kTileEdgePx = 4;
inline constexpr int kTileFaceWidthPx = 40;
inline constexpr int kTileFaceHeightPx = 56;
inline constexpr int kTileWidthPx = kTileFaceWidthPx + kTileEdgePx;
inline constexpr int kTileHeightPx = kTileFaceHeightPx + kTileEdgePx;

// How a set paints its faces: the traditional motifs, or large numerals,
// letters and bold suit marks that tell every face apart by lightness alone
// (for players with low vision or colour blindness).
enum class EFaceStyle { Traditional, LargePrint };

struct STileSetStyle {
    std::string folderName;
    STilePalette palette;
    EFaceStyle faces = EFaceStyle::Traditional;
};

// Every tile set the generator writes; the first is the preset choice.
const std::vector<STileSetStyle>& TileSetStyles();
std::vector<std::string> TileSetFolderNames();

// "Bamboo 1.bmp" ... "Season 4.bmp": element f - 1 is the file of face f.
std::vector<std::string> TileFileNames();

// Whether the pixel belongs to the tile's outline shape: the face and the
// edge swept from it towards the lower left.
bool IsInsideTileShape(int x, int y);

// The 64 x 64 picture of face 1..42 in the given style, ready to be written
// (no visible pixel so dark that it would turn transparent), drawn at a
// display scale (scale x scale pixels a picture pixel; the outline shape
// keeps to whole picture pixels, as the board's pieces do). Nothing when a
// font is missing or the face is out of range.
std::optional<CImage> DrawTile(const STileSetStyle& style, int face, int scale = 1);

} // namespace assets
