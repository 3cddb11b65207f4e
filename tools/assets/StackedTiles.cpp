// Board-style assembly of tile pictures and the panels of velmora-tilestack.
#include "StackedTiles.h"

#include "TileSets.h"
#include "board/BoardGeometry.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace assets {

namespace {

using board::kColumns;
using board::kLevels;
using board::kRows;

// The tile's cells, in the order of the board's pieces, as offsets from its
// top-left cell.
constexpr int kPieceRowOffset[] = {0, 0, 1, 1};
constexpr int kPieceColumnOffset[] = {0, 1, 0, 1};

// Colour-keyed copy: pure black source pixels leave the target unchanged.
void CopyKeyed(CImage& target, const CImage& source, const board::STilePiece& piece, int x, int y)
{
    for (int sy = piece.top; sy < piece.bottom; ++sy) {
        for (int sx = piece.left; sx < piece.right; ++sx) {
            const int tx = x + sx - piece.left;
            const int ty = y + sy - piece.top;
            const SRgb& pixel = source.At(sx, sy);
            if (pixel == SRgb{} || tx < 0 || ty < 0 || tx >= target.Width() || ty >= target.Height()) {
                continue;
            }
            target.At(tx, ty) = pixel;
        }
    }
}

std::optional<std::vector<uint8_t>> ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void FillGround(CImage& image)
{
    // A felt-green ground, lighter in the middle, like the game's backdrops.
    const double cx = image.Width() / 2.0;
    const double cy = image.Height() / 2.0;
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            const double dx = (x - cx) / cx;
            const double dy = (y - cy) / cy;
            const double light = std::max(0.0, 1.0 - 0.45 * (dx * dx + dy * dy));
            image.At(x, y) = {static_cast<uint8_t>(24 + 20 * light), static_cast<uint8_t>(70 + 50 * light),
                static_cast<uint8_t>(52 + 34 * light)};
        }
    }
}

} // namespace

void DrawStackedTiles(CImage& target, int originX, int originY, const std::vector<SPlacedTile>& tiles,
    const std::vector<CImage>& facePictures)
{
    for (int level = 0; level < kLevels; ++level) {
        for (int row = 0; row < kRows; ++row) {
            for (int column = kColumns - 1; column >= 0; --column) {
                const auto [x, y] = board::CellPixel({column, row, level}, originX, originY);
                for (const SPlacedTile& tile : tiles) {
                    if (tile.level != level || tile.face < 1 || static_cast<size_t>(tile.face) > facePictures.size()) {
                        continue;
                    }
                    for (size_t k = 0; k < board::kTilePieces.size(); ++k) {
                        if (tile.row + kPieceRowOffset[k] == row && tile.column + kPieceColumnOffset[k] == column) {
                            const board::STilePiece& piece = board::kTilePieces[k];
                            CopyKeyed(target, facePictures[static_cast<size_t>(tile.face - 1)], piece,
                                x + piece.offsetX, y + piece.offsetY);
                        }
                    }
                }
            }
        }
    }
}

std::vector<SPlacedTile> SamplePile()
{
    std::vector<SPlacedTile> tiles;
    // Faces chosen to show every family side by side.
    const std::array<int, 20> faces = {1, 19, 10, 28, 31, 5, 23, 14, 35, 39, 29, 32, 9, 27, 18, 30, 33, 37, 41, 21};
    size_t next = 0;
    auto add = [&](int level, int row, int column) {
        tiles.push_back({level, row, column, faces[next++ % faces.size()]});
    };
    for (int row = 0; row <= 4; row += 2) {
        for (int column = 2; column <= 8; column += 2) {
            add(0, row, column);
        }
    }
    add(0, 3, 0); // half a row lower than its neighbours, as at the ends of a pile
    add(0, 1, 10);
    add(0, 3, 10);
    for (int row = 1; row <= 3; row += 2) {
        for (int column = 4; column <= 6; column += 2) {
            add(1, row, column);
        }
    }
    add(2, 2, 5);
    return tiles;
}

std::optional<std::vector<CImage>> LoadTileSet(const std::string& folder)
{
    std::vector<CImage> pictures;
    for (const std::string& name : TileFileNames()) {
        const std::optional<std::vector<uint8_t>> bytes = ReadFileBytes(folder + "/" + name);
        std::optional<CImage> picture = bytes ? DecodeBmp(*bytes) : std::nullopt;
        if (!picture || picture->Width() != kTilePictureSizePx || picture->Height() != kTilePictureSizePx) {
            return std::nullopt;
        }
        pictures.push_back(std::move(*picture));
    }
    return pictures;
}

std::optional<CImage> DrawTileSetPanels(const std::string& dataRoot)
{
    constexpr int kPanelWidthPx = 300;
    constexpr int kPanelHeightPx = 230;
    constexpr int kOriginX = 24;
    constexpr int kOriginY = 28;
    std::vector<std::string> folders;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(dataRoot + "/Graphics/Tile Sets", error)) {
        if (entry.is_directory()) {
            folders.push_back(entry.path().string());
        }
    }
    std::sort(folders.begin(), folders.end());
    std::vector<std::vector<CImage>> sets;
    for (const std::string& folder : folders) {
        if (std::optional<std::vector<CImage>> pictures = LoadTileSet(folder)) {
            sets.push_back(std::move(*pictures));
        }
    }
    if (sets.empty()) {
        return std::nullopt;
    }
    CImage image(kPanelWidthPx * static_cast<int>(sets.size()), kPanelHeightPx);
    FillGround(image);
    for (size_t i = 0; i < sets.size(); ++i) {
        DrawStackedTiles(image, kOriginX + kPanelWidthPx * static_cast<int>(i), kOriginY, SamplePile(), sets[i]);
    }
    return image;
}

} // namespace assets
