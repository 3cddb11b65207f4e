// Drawing the board: per level from the lowest, the four pieces of every
// present tile cell by cell (rows top to bottom, columns right to left, tiles
// in table order), then the level's marks: the hint sprite whole, then the
// selection overlay blended at half strength. So higher tiles cover lower
// ones with their marks, and a tile further left or lower covers the
// overlapping edge of its neighbour.
#pragma once

#include "platform/VideoTypes.h"

#include <cstdint>

class CDisplay;
struct CSprite;

namespace board {

class CBoard;
class CTileSet;

// The source rectangle of the overlay that is blended over a selected tile.
inline constexpr platform::Rect kOverlaySourceRect = {0, 0, 44, 60};

// What the board is drawn onto: the display's back buffer in the game, a
// recorder in tests. Sprites may be null (nothing to draw).
class IBoardCanvas {
public:
    virtual ~IBoardCanvas() = default;
    // Keyed copy of `source` of the sprite with its top-left at (x, y).
    virtual void DrawSpritePart(CSprite* sprite, int32_t x, int32_t y, const platform::Rect& source) = 0;
    // Keyed copy of the whole sprite.
    virtual void DrawSprite(CSprite* sprite, int32_t x, int32_t y) = 0;
    // `source` of the sprite averaged with what lies under it, black left out.
    virtual void BlendSprite(CSprite* sprite, int32_t x, int32_t y, const platform::Rect& source) = 0;
};

class CDisplayCanvas final : public IBoardCanvas {
public:
    explicit CDisplayCanvas(CDisplay& target)
        : display(target)
    {
    }
    void DrawSpritePart(CSprite* sprite, int32_t x, int32_t y, const platform::Rect& source) override;
    void DrawSprite(CSprite* sprite, int32_t x, int32_t y) override;
    void BlendSprite(CSprite* sprite, int32_t x, int32_t y, const platform::Rect& source) override;

private:
    CDisplay& display;
};

struct SBoardPictures {
    const CTileSet* faces = nullptr;
    CSprite* overlay = nullptr; // "Graphics\Game\Tile Overlay.bmp"
    CSprite* hintMark = nullptr; // "Graphics\Game\Tile Hint.bmp"
};

// The board with its marks, the cell (0, 0) of level 0 at the origin. Costs
// one visit per cell of a placed tile, whatever the size of the grid.
void DrawBoard(
    IBoardCanvas& canvas, const CBoard& board, const SBoardPictures& pictures, int32_t originX, int32_t originY);
void DrawBoard(
    CDisplay& display, const CBoard& board, const SBoardPictures& pictures, int32_t originX, int32_t originY);

} // namespace board
