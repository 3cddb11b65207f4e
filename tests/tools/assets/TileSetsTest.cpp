// The generated tile sets: file names and format, the transparent outside,
// faces that differ, and pictures that fit together on the board without gaps.
#include "GeneratedTree.h"

#include "ContactSheet.h"
#include "StackedTiles.h"
#include "TileSets.h"

#include "board/TileSet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

namespace {

using assets::CImage;
using assets::SRgb;
using namespace gui_assets_test;

bool IsBlack(const SRgb& p) { return p == SRgb{}; }

std::string SetFolder(const std::string& set) { return GeneratedTree().dir.File("Graphics/Tile Sets/" + set); }

// The 42 pictures of every set, read back by the generator's own loader.
const std::map<std::string, std::vector<CImage>>& Pictures()
{
    static const std::map<std::string, std::vector<CImage>> pictures = [] {
        std::map<std::string, std::vector<CImage>> loaded;
        for (const std::string& set : assets::TileSetFolderNames()) {
            loaded[set] = assets::LoadTileSet(SetFolder(set)).value_or(std::vector<CImage>{});
        }
        return loaded;
    }();
    return pictures;
}

// The names the game loads each face by (pinned in the board tests).
TEST(TileSets, FileNamesAreTheOnesTheGameLoadsAndFolderNamesAreUsable)
{
    const std::vector<std::string> names = assets::TileFileNames();
    ASSERT_EQ(names.size(), size_t{board::kFaceCount});
    for (int face = 1; face <= board::kFaceCount; ++face) {
        EXPECT_EQ(names[static_cast<size_t>(face - 1)], board::TileFaceFileName(face)) << "face " << face;
    }
    // Listed by the game (not hidden) and short enough for the options file.
    const std::vector<std::string> sets = assets::TileSetFolderNames();
    ASSERT_GE(sets.size(), 2u);
    EXPECT_EQ(std::set(sets.begin(), sets.end()).size(), sets.size());
    for (const std::string& set : sets) {
        EXPECT_TRUE(!set.empty() && set[0] != '.' && set.size() < 256) << set;
        EXPECT_EQ(set.find_first_of("/\\:*?\"<>|"), std::string::npos) << set;
    }
}

// Every file is a plain 64 x 64 24-bit bitmap whose tile keeps to its shape:
// black (transparent) outside it, solid away from its rounded corners.
TEST(TileSets, EveryPictureIsTransparentOutsideTheShapeAndSolidInside)
{
    ASSERT_TRUE(GeneratedTree().written);
    for (const std::string& set : assets::TileSetFolderNames()) {
        for (const std::string& name : assets::TileFileNames()) {
            const std::optional<SBitmap> picture = LoadBmp(SetFolder(set) + "/" + name);
            ASSERT_TRUE(picture && picture->Width() == 64 && picture->Height() == 64) << set << "/" << name;
            int outsideShape = 0;
            int holes = 0;
            for (int y = 0; y < 64; ++y) {
                for (int x = 0; x < 64; ++x) {
                    const bool keyed = IsKey(picture->At(x, y));
                    // The shape is convex: a 7 x 7 square is inside when its corners are.
                    const bool deepInside = assets::IsInsideTileShape(x - 3, y - 3)
                        && assets::IsInsideTileShape(x + 3, y - 3) && assets::IsInsideTileShape(x - 3, y + 3)
                        && assets::IsInsideTileShape(x + 3, y + 3);
                    outsideShape += !keyed && !assets::IsInsideTileShape(x, y);
                    holes += keyed && deepInside;
                }
            }
            EXPECT_EQ(outsideShape, 0) << set << "/" << name;
            EXPECT_EQ(holes, 0) << set << "/" << name;
        }
    }
}

TEST(TileSets, TheShapeStaysInsideWhatTheBoardDraws)
{
    // The board shows (0,0)-(45,61) of a picture, but column 44 only from
    // row 29 on; the tile must not need any of what is cut off.
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            if (x >= 45 || y >= 61 || (x == 44 && y < 29)) {
                EXPECT_FALSE(assets::IsInsideTileShape(x, y)) << x << "," << y;
            }
        }
    }
    // Face corners and edge corners, with the 4-pixel edge at the lower left.
    const std::tuple<int, int, bool> cases[]
        = {{4, 0, true}, {43, 0, true}, {43, 55, true}, {0, 59, true}, {0, 4, true}, {39, 59, true}, {3, 0, false},
            {43, 56, false}, {40, 59, false}, {0, 3, false}, {44, 30, false}, {20, 60, false}};
    for (const auto& [x, y, inside] : cases) {
        EXPECT_EQ(assets::IsInsideTileShape(x, y), inside) << x << "," << y;
    }
}

// How many pixels of the face area differ clearly between two pictures.
int FaceDifference(const CImage& a, const CImage& b)
{
    int differing = 0;
    for (int y = 1; y < 55; ++y) {
        for (int x = 5; x < 43; ++x) {
            const SRgb& p = a.At(x, y);
            const SRgb& q = b.At(x, y);
            differing += std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b) > 90;
        }
    }
    return differing;
}

// A motif drawn nowhere or twice leaves two faces alike; two different faces
// differ in well over 40 of the 2,052 face pixels, and a face of one set from
// the same face of another in over 500.
TEST(TileSets, EveryFaceLooksDifferentAndSetsDifferInCharacter)
{
    const std::vector<CImage>& first = Pictures().begin()->second;
    for (const auto& [set, faces] : Pictures()) {
        ASSERT_EQ(faces.size(), 42u) << set;
        for (size_t i = 0; i < faces.size(); ++i) {
            for (size_t j = i + 1; j < faces.size(); ++j) {
                EXPECT_GE(FaceDifference(faces[i], faces[j]), 40) << set << ": faces " << i + 1 << " and " << j + 1;
            }
            if (&faces != &first) {
                EXPECT_GE(FaceDifference(first[i], faces[i]), 500) << set << ": face " << i + 1;
            }
        }
    }
}

TEST(TileSets, TheFourPiecesRebuildTheWholePicture)
{
    for (const auto& [set, faces] : Pictures()) {
        ASSERT_EQ(faces.size(), 42u);
        for (const int face : {1, 21, 42}) {
            CImage board(64, 64);
            assets::DrawStackedTiles(board, 0, 0, {{0, 0, 0, face}}, faces);
            for (int y = 0; y < 64; ++y) {
                for (int x = 0; x < 64; ++x) {
                    ASSERT_EQ(board.At(x, y), faces[face - 1].At(x, y))
                        << set << " face " << face << " " << x << "," << y;
                }
            }
        }
    }
}

// A 2 x 2 block, a neighbour half a row lower on its right and a tile on
// level 1 over the middle of the block. Tile pictures are never black inside,
// so black on the board is a gap.
TEST(TileSets, NeighboursAndUpperLevelsLeaveNoGaps)
{
    const std::vector<assets::SPlacedTile> tiles
        = {{0, 0, 0, 5}, {0, 0, 2, 14}, {0, 2, 0, 23}, {0, 2, 2, 29}, {0, 1, 4, 33}, {1, 1, 1, 40}};
    constexpr int kOrigin = 20;
    // Within 2 pixels of a rounded corner of a level-0 face.
    const auto nearFaceCorner = [&](int x, int y) {
        return std::ranges::any_of(tiles, [&](const assets::SPlacedTile& t) {
            const int dx = std::min(std::abs(x - (20 * t.column + 4)), std::abs(x - (20 * t.column + 43)));
            const int dy = std::min(std::abs(y - 28 * t.row), std::abs(y - (28 * t.row + 55)));
            return t.level == 0 && dx <= 2 && dy <= 2;
        });
    };
    for (const auto& [set, faces] : Pictures()) {
        ASSERT_EQ(faces.size(), 42u);
        CImage board(160, 160);
        assets::DrawStackedTiles(board, kOrigin, kOrigin, tiles, faces);
        // The faces of level 0 cover (4, 0)-(84, 112) of the block and the
        // neighbour (84, 28)-(124, 84): all tile but for the rounded corners.
        int gaps = 0;
        for (int y = 0; y < 112; ++y) {
            for (int x = 4; x < 124; ++x) {
                const bool covered = x < 84 || (y >= 28 && y < 84);
                gaps += covered && IsBlack(board.At(kOrigin + x, kOrigin + y)) && !nearFaceCorner(x, y);
            }
        }
        EXPECT_EQ(gaps, 0) << set;
        // The upper tile, 4 pixels right of and above its cell, is drawn over
        // everything below it.
        for (int y = 0; y < 56; ++y) {
            for (int x = 4; x < 44; ++x) {
                if (!IsBlack(faces[39].At(x, y))) {
                    ASSERT_EQ(board.At(kOrigin + 24 + x, kOrigin + 24 + y), faces[39].At(x, y))
                        << set << " " << x << "," << y;
                }
            }
        }
    }
}

// Both readers of the generator's bitmaps (the tile loader and the contact
// sheet) read back what the encoder wrote, row padding included, and refuse
// anything else.
TEST(BmpReaders, ReadWhatTheEncoderWroteAndRefuseOtherFiles)
{
    for (const int width : {1, 2, 3, 4, 5, 17}) {
        CImage image(width, 3);
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < width; ++x) {
                image.At(x, y) = {static_cast<uint8_t>(x * 10), static_cast<uint8_t>(y * 40), 200};
            }
        }
        const std::vector<uint8_t> good = image.EncodeBmp();
        for (const auto& decoded : {assets::DecodeBmp(good)}) {
            ASSERT_TRUE(decoded && decoded->Width() == width && decoded->Height() == 3) << width;
            for (int y = 0; y < 3; ++y) {
                for (int x = 0; x < width; ++x) {
                    EXPECT_EQ(decoded->At(x, y), image.At(x, y)) << width << ": " << x << "," << y;
                }
            }
        }
        const std::tuple<const char*, size_t, uint8_t, size_t> spoilers[]
            = {{"wrong magic", 0, 'X', good.size()}, {"32 bits per pixel", 28, 32, good.size()},
                {"compressed", 30, 1, good.size()}, {"zero width", 18, 0, good.size()},
                {"pixels cut short", 0, 'B', good.size() - 1}, {"header cut short", 0, 'B', 40}};
        for (const auto& [what, at, value, keepBytes] : spoilers) {
            std::vector<uint8_t> bytes = good;
            bytes[at] = value;
            bytes.resize(keepBytes);
            EXPECT_FALSE(assets::DecodeBmp(bytes)) << what;
        }
    }
}

} // namespace
