// Puts tile pictures together the way the game's board drawing does (four
// colour-keyed pieces per tile, level by level, rows top to bottom, columns
// right to left), so that a tile set can be judged, and checked, in place.
#pragma once

#include "Image.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace assets {

// A tile on the board grid: its top-left cell (level, row in 28-pixel
// cells, column in 20-pixel cells) and its face 1..42.
struct SPlacedTile {
    int level = 0;
    int row = 0;
    int column = 0;
    int face = 1;
};

// Draws the tiles into the target with the board origin (originX, originY).
// facePictures holds the 64 x 64 picture of face f at element f - 1; a tile
// whose face has no picture draws nothing.
void DrawStackedTiles(CImage& target, int originX, int originY, const std::vector<SPlacedTile>& tiles,
    const std::vector<CImage>& facePictures);

// A small three-level pile with half-row offsets and a mix of faces.
std::vector<SPlacedTile> SamplePile();

// The 42 pictures of the tile set folder (a native path), in face order;
// nothing when a file is missing or not a 64 x 64 24-bit bitmap.
std::optional<std::vector<CImage>> LoadTileSet(const std::string& folder);

// One panel per tile set folder below "Graphics/Tile Sets" of the data root,
// each showing the sample pile on a backdrop-like ground. Nothing when no
// tile set could be loaded.
std::optional<CImage> DrawTileSetPanels(const std::string& dataRoot);

} // namespace assets
