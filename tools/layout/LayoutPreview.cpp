// Drawing of the layout preview.
#include "LayoutPreview.h"

#include "LayoutCheck.h"
#include "board/BoardGeometry.h"

#include <algorithm>
#include <string>

namespace layout_tool {
namespace {

constexpr int kTileWidthPx = board::kTilePictureWidthPx;
constexpr int kTileHeightPx = board::kTilePictureHeightPx;
// The tile's thickness shows on its left and bottom, since every level lies
// further right and higher than the one below.
constexpr int kEdgePx = 5;

constexpr SRgb kBackground = {24, 70, 44};
constexpr SRgb kOutline = {30, 26, 22};
constexpr SRgb kPanel = {110, 72, 40};
constexpr SRgb kLimitLine = {200, 60, 60};

using SPiece = board::STilePiece;
constexpr const auto& kPieces = board::kTilePieces;

SRgb Darker(SRgb c, int percent)
{
    return {static_cast<uint8_t>(c.red * percent / 100), static_cast<uint8_t>(c.green * percent / 100),
        static_cast<uint8_t>(c.blue * percent / 100)};
}

// The pixel of a plain tile picture for a level: a face with an outline and
// a darker edge on the left and bottom.
SRgb TilePixel(int x, int y, int level)
{
    const SRgb face = LevelFaceColour(level);
    const bool inFace = x >= kEdgePx && y < kTileHeightPx - kEdgePx;
    if (!inFace) {
        return x == 0 || y == kTileHeightPx - 1 ? kOutline : Darker(face, 60);
    }
    const bool border = x == kEdgePx || x == kTileWidthPx - 1 || y == 0 || y == kTileHeightPx - kEdgePx - 1;
    return border ? kOutline : face;
}

void DrawPiece(CPreviewImage& image, const SPiece& piece, int x, int y, int level)
{
    for (int sy = piece.top; sy < piece.bottom; ++sy) {
        for (int sx = piece.left; sx < piece.right; ++sx) {
            image.Set(x + sx - piece.left, y + sy - piece.top, TilePixel(sx, sy, level));
        }
    }
}

void DrawFrame(CPreviewImage& image)
{
    const board::SPixelRect panel = board::kZandorPanelPx;
    image.FillRect(panel.left, panel.top, panel.right, panel.bottom, kPanel);
    const int limit = board::kBoardAreaPx.bottom;
    image.FillRect(0, limit, kPreviewWidthPx, limit + 1, kLimitLine);
}

bool FitsGrid(const board::SCellPosition& c)
{
    return board::IsInsideGrid(c) && c.column + 1 < board::kColumns && c.row + 1 < board::kRows;
}

} // namespace

CPreviewImage::CPreviewImage()
    : pixels(static_cast<size_t>(kPreviewWidthPx) * kPreviewHeightPx, kBackground)
{
}

void CPreviewImage::Set(int x, int y, SRgb colour)
{
    if (x >= 0 && y >= 0 && x < kPreviewWidthPx && y < kPreviewHeightPx) {
        pixels[y * kPreviewWidthPx + x] = colour;
    }
}

void CPreviewImage::FillRect(int left, int top, int right, int bottom, SRgb colour)
{
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            Set(x, y, colour);
        }
    }
}

std::vector<uint8_t> CPreviewImage::EncodePpm() const
{
    const std::string header
        = "P6\n" + std::to_string(kPreviewWidthPx) + " " + std::to_string(kPreviewHeightPx) + "\n255\n";
    std::vector<uint8_t> bytes(header.begin(), header.end());
    bytes.reserve(bytes.size() + pixels.size() * 3);
    for (const SRgb& p : pixels) {
        bytes.push_back(p.red);
        bytes.push_back(p.green);
        bytes.push_back(p.blue);
    }
    return bytes;
}

SRgb LevelFaceColour(int level)
{
    static constexpr SRgb kFaces[board::kLevels] = {
        {236, 228, 204},
        {214, 232, 240},
        {240, 214, 214},
        {216, 240, 208},
        {240, 232, 168},
        {222, 208, 244},
        {250, 200, 150},
        {190, 230, 230},
    };
    return kFaces[std::clamp(level, 0, board::kLevels - 1)];
}

CPreviewImage RenderPreview(const std::vector<board::SCellPosition>& topLefts)
{
    CPreviewImage image;
    DrawFrame(image);
    // Level by level, rows top to bottom, columns right to left, as the game
    // draws, so that overlaps come out the same.
    for (int z = 0; z < board::kLevels; ++z) {
        for (int r = 0; r < board::kRows; ++r) {
            for (int c = board::kColumns - 1; c >= 0; --c) {
                for (const auto& topLeft : topLefts) {
                    if (!FitsGrid(topLeft) || topLeft.level != z) {
                        continue;
                    }
                    const auto cells = board::TileCells(topLeft);
                    for (int k = 0; k < board::kCellsPerTile; ++k) {
                        if (cells[k].row != r || cells[k].column != c) {
                            continue;
                        }
                        const board::SPixelRect cell = board::TilePictureArea(cells[k]);
                        DrawPiece(image, kPieces[k], cell.left + kPieces[k].offsetX, cell.top + kPieces[k].offsetY, z);
                    }
                }
            }
        }
    }
    return image;
}

} // namespace layout_tool
