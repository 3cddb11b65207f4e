// The board drawn level by level from the cell index.
#include "board/BoardDrawing.h"

#include "board/Board.h"
#include "board/BoardGeometry.h"
#include "board/TileSet.h"
#include "media/Blend.h"
#include "media/Display.h"

namespace board {
namespace {

SPixelPoint EntryPixel(const SCellEntry& entry, int32_t originX, int32_t originY)
{
    return CellPixel({entry.column, entry.row, entry.level}, originX, originY);
}

void DrawPieces(IBoardCanvas& canvas, const CBoard& board, std::span<const SCellEntry> level, const CTileSet* faces,
    int32_t originX, int32_t originY)
{
    for (const SCellEntry& entry : level) {
        const CTile& tile = board.Tile(entry.tile);
        if (!tile.present) {
            continue;
        }
        const STilePiece& piece = kTilePieces[entry.corner];
        const SPixelPoint at = EntryPixel(entry, originX, originY);
        canvas.DrawSpritePart(faces ? faces->Face(tile.face) : nullptr, at.x + piece.offsetX, at.y + piece.offsetY,
            {piece.left, piece.top, piece.right, piece.bottom});
    }
}

// Marks go at each tile's top-left cell, so a tile is visited once.
void DrawMarks(IBoardCanvas& canvas, const CBoard& board, std::span<const SCellEntry> level,
    const SBoardPictures& pictures, int32_t originX, int32_t originY)
{
    for (const SCellEntry& entry : level) {
        const CTile& tile = board.Tile(entry.tile);
        if (entry.corner != 0 || !tile.present || !(tile.hinted || tile.selected)) {
            continue;
        }
        const SPixelPoint at = EntryPixel(entry, originX, originY);
        if (tile.hinted) {
            canvas.DrawSprite(pictures.hintMark, at.x, at.y);
        }
        if (tile.selected) {
            canvas.BlendSprite(pictures.overlay, at.x, at.y, kOverlaySourceRect);
        }
    }
}

} // namespace

void CDisplayCanvas::DrawSpritePart(CSprite* sprite, int32_t x, int32_t y, const platform::Rect& source)
{
    display.DrawSpritePart(sprite, x, y, source.left, source.top, source.right, source.bottom);
}

void CDisplayCanvas::DrawSprite(CSprite* sprite, int32_t x, int32_t y) { display.DrawSprite(sprite, x, y); }

void CDisplayCanvas::BlendSprite(CSprite* sprite, int32_t x, int32_t y, const platform::Rect& source)
{
    display.BlendSprite(sprite, x, y, source);
}

void DrawBoard(
    IBoardCanvas& canvas, const CBoard& board, const SBoardPictures& pictures, int32_t originX, int32_t originY)
{
    const CCellIndex& index = board.CellIndex();
    for (int z = 0; z < kLevels; ++z) {
        const std::span<const SCellEntry> level = index.Level(z);
        DrawPieces(canvas, board, level, pictures.faces, originX, originY);
        DrawMarks(canvas, board, level, pictures, originX, originY);
    }
}

void DrawBoard(CDisplay& display, const CBoard& board, const SBoardPictures& pictures, int32_t originX, int32_t originY)
{
    CDisplayCanvas canvas(display);
    DrawBoard(canvas, board, pictures, originX, originY);
}

} // namespace board
