// The generated tile sets: file names and format, the transparent outside,
// pixels that survive low colour depths, faces that differ, and pictures
// that fit together on the board without gaps.
#include "TileSets.h"
#include "Generator.h"
#include "StackedTiles.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

namespace {

using assets::CImage;
using assets::SRgb;

std::vector<uint8_t> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

uint32_t Le(const std::vector<uint8_t>& b, size_t at, int bytes)
{
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        value = value << 8 | b[at + static_cast<size_t>(i)];
    }
    return value;
}

bool IsBlack(const SRgb& p) { return p == SRgb{}; }

// Every set is written once for the whole suite; the pictures are decoded
// from the files, so the tests see what the game will load.
class TileSetsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder = new testing_support::CTempDir;
        written = assets::WriteTileSets(folder->Path());
        for (const std::string& set : assets::TileSetFolderNames()) {
            pictures[set] = assets::LoadTileSet(SetPath(set)).value_or(std::vector<CImage>{});
        }
    }
    static void TearDownTestSuite()
    {
        pictures.clear();
        delete folder;
    }
    static std::string SetPath(const std::string& set) { return folder->Path() + "/Graphics/Tile Sets/" + set; }

    static inline testing_support::CTempDir* folder = nullptr;
    static inline bool written = false;
    static inline std::map<std::string, std::vector<CImage>> pictures;
};

TEST_F(TileSetsTest, FileNamesFollowTheFaceOrder)
{
    const std::vector<std::string> names = assets::TileFileNames();
    ASSERT_EQ(names.size(), 42u);
    const std::vector<std::pair<int, std::string>> cases = {
        {1, "Bamboo 1.bmp"},
        {9, "Bamboo 9.bmp"},
        {12, "Crak 3.bmp"},
        {19, "Dot 1.bmp"},
        {28, "Dragon 1.bmp"},
        {30, "Dragon 3.bmp"},
        {31, "Direction 1.bmp"},
        {35, "Flower 1.bmp"},
        {39, "Season 1.bmp"},
        {42, "Season 4.bmp"},
    };
    for (const auto& [face, name] : cases) {
        EXPECT_EQ(names[static_cast<size_t>(face - 1)], name) << "face " << face;
    }
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size());
}

TEST_F(TileSetsTest, AtLeastTwoSetsWithUsableFolderNames)
{
    const std::vector<std::string> sets = assets::TileSetFolderNames();
    ASSERT_GE(sets.size(), 2u);
    EXPECT_EQ(std::set<std::string>(sets.begin(), sets.end()).size(), sets.size());
    for (const std::string& set : sets) {
        EXPECT_FALSE(set.empty());
        EXPECT_LT(set.size(), 256u) << "must fit the options file's name field";
        EXPECT_EQ(set.find_first_of("/\\:*?\"<>|"), std::string::npos) << set;
        EXPECT_NE(set[0], '.') << "hidden folders are not listed";
    }
}

TEST_F(TileSetsTest, EveryFileIsAnUncompressed24BitBitmapOf64By64)
{
    ASSERT_TRUE(written);
    for (const std::string& set : assets::TileSetFolderNames()) {
        for (const std::string& name : assets::TileFileNames()) {
            SCOPED_TRACE(set + "/" + name);
            const std::vector<uint8_t> b = ReadBytes(SetPath(set) + "/" + name);
            ASSERT_EQ(b.size(), 54u + 64 * 64 * 3);
            EXPECT_EQ(b[0], 'B');
            EXPECT_EQ(b[1], 'M');
            EXPECT_EQ(Le(b, 2, 4), b.size());
            EXPECT_EQ(Le(b, 10, 4), 54u);
            EXPECT_EQ(Le(b, 14, 4), 40u);
            EXPECT_EQ(Le(b, 18, 4), 64u);
            EXPECT_EQ(Le(b, 22, 4), 64u);
            EXPECT_EQ(Le(b, 26, 2), 1u);
            EXPECT_EQ(Le(b, 28, 2), 24u);
            EXPECT_EQ(Le(b, 30, 4), 0u);
        }
    }
}

TEST_F(TileSetsTest, PixelsAreTransparentOutsideTheTileAndVisibleInside)
{
    for (const auto& [set, faces] : pictures) {
        ASSERT_EQ(faces.size(), 42u) << set;
        for (size_t f = 0; f < faces.size(); ++f) {
            const CImage& picture = faces[f];
            int tooDark = 0;
            int outsideShape = 0;
            int holes = 0;
            for (int y = 0; y < 64; ++y) {
                for (int x = 0; x < 64; ++x) {
                    const SRgb& p = picture.At(x, y);
                    // A pixel darker than 8 in every channel is black on a
                    // 15- or 16-bit display, where black is transparent.
                    tooDark += !IsBlack(p) && p.r < 8 && p.g < 8 && p.b < 8;
                    outsideShape += !IsBlack(p) && !assets::IsInsideTileShape(x, y);
                    // Away from the rounded corners the tile is solid.
                    bool deepInside = true;
                    for (int dy = -3; dy <= 3; ++dy) {
                        for (int dx = -3; dx <= 3; ++dx) {
                            deepInside = deepInside && assets::IsInsideTileShape(x + dx, y + dy);
                        }
                    }
                    holes += deepInside && IsBlack(p);
                }
            }
            EXPECT_EQ(tooDark, 0) << set << " face " << f + 1;
            EXPECT_EQ(outsideShape, 0) << set << " face " << f + 1;
            EXPECT_EQ(holes, 0) << set << " face " << f + 1;
        }
    }
}

TEST_F(TileSetsTest, TheShapeStaysInsideWhatTheBoardDraws)
{
    // The board shows (0,0)-(45,61) of a picture, but column 44 only from
    // row 29 on; the tile must not need any of what is cut off.
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            const bool shown = x < 45 && y < 61 && (x < 44 || y >= 29);
            if (!shown) {
                EXPECT_FALSE(assets::IsInsideTileShape(x, y)) << x << "," << y;
            }
        }
    }
    // Face corners and edge corners, with the 4-pixel edge at the lower left.
    const std::vector<std::tuple<int, int, bool>> cases = {
        {4, 0, true},
        {43, 0, true},
        {43, 55, true},
        {0, 59, true},
        {0, 4, true},
        {39, 59, true},
        {3, 0, false},
        {43, 56, false},
        {40, 59, false},
        {0, 3, false},
        {44, 30, false},
        {20, 60, false},
    };
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

TEST_F(TileSetsTest, EveryFaceLooksDifferentFromEveryOtherFace)
{
    // A motif drawn nowhere or twice would leave two faces alike; a real pair
    // of different faces differs in well over 40 of the 2,052 face pixels.
    constexpr int kMinDifferingPixels = 40;
    for (const auto& [set, faces] : pictures) {
        ASSERT_EQ(faces.size(), 42u);
        for (size_t i = 0; i < faces.size(); ++i) {
            for (size_t j = i + 1; j < faces.size(); ++j) {
                EXPECT_GE(FaceDifference(faces[i], faces[j]), kMinDifferingPixels)
                    << set << ": faces " << i + 1 << " and " << j + 1;
            }
        }
    }
}

TEST_F(TileSetsTest, SetsDifferInCharacter)
{
    const std::vector<std::string> sets = assets::TileSetFolderNames();
    ASSERT_GE(sets.size(), 2u);
    const std::vector<CImage>& first = pictures[sets[0]];
    const std::vector<CImage>& second = pictures[sets[1]];
    ASSERT_EQ(first.size(), 42u);
    ASSERT_EQ(second.size(), 42u);
    for (size_t f = 0; f < first.size(); ++f) {
        EXPECT_GE(FaceDifference(first[f], second[f]), 500) << "face " << f + 1;
    }
}

TEST_F(TileSetsTest, WritingTwiceGivesTheSameBytes)
{
    testing_support::CTempDir again;
    ASSERT_TRUE(assets::WriteTileSets(again.Path()));
    for (const std::string& set : assets::TileSetFolderNames()) {
        for (const std::string& name : assets::TileFileNames()) {
            const std::string relative = "/Graphics/Tile Sets/" + set + "/" + name;
            EXPECT_EQ(ReadBytes(folder->Path() + relative), ReadBytes(again.Path() + relative)) << relative;
        }
    }
}

TEST_F(TileSetsTest, TheFourPiecesRebuildTheWholePicture)
{
    for (const auto& [set, faces] : pictures) {
        ASSERT_EQ(faces.size(), 42u);
        for (const int face : {1, 21, 42}) {
            const CImage& picture = faces[static_cast<size_t>(face - 1)];
            CImage board(64, 64);
            assets::DrawStackedTiles(board, 0, 0, {{0, 0, 0, face}}, faces);
            for (int y = 0; y < 64; ++y) {
                for (int x = 0; x < 64; ++x) {
                    ASSERT_EQ(board.At(x, y), picture.At(x, y)) << set << " face " << face << " at " << x << "," << y;
                }
            }
        }
    }
}

TEST_F(TileSetsTest, NeighboursAndUpperLevelsLeaveNoGaps)
{
    const SRgb ground{255, 0, 255};
    for (const auto& [set, faces] : pictures) {
        ASSERT_EQ(faces.size(), 42u);
        // A 2 x 2 block, a neighbour half a row lower on its right, and a
        // tile on level 1 over the middle of the block.
        const std::vector<assets::SPlacedTile> tiles
            = {{0, 0, 0, 5}, {0, 0, 2, 14}, {0, 2, 0, 23}, {0, 2, 2, 29}, {0, 1, 4, 33}, {1, 1, 1, 40}};
        CImage board(160, 160);
        for (int y = 0; y < 160; ++y) {
            for (int x = 0; x < 160; ++x) {
                board.At(x, y) = ground;
            }
        }
        constexpr int kOrigin = 20;
        assets::DrawStackedTiles(board, kOrigin, kOrigin, tiles, faces);
        // The faces of level 0 cover (4, 0)-(84, 112) of the block and the
        // half-row neighbour (84, 28)-(124, 84); the whole span is tile, but
        // for the rounded corners of the faces.
        auto nearFaceCorner = [&](int x, int y) {
            for (const assets::SPlacedTile& tile : tiles) {
                const int left = 20 * tile.column + 4;
                const int top = 28 * tile.row;
                for (const int cx : {left, left + 39}) {
                    for (const int cy : {top, top + 55}) {
                        if (tile.level == 0 && std::abs(x - cx) <= 2 && std::abs(y - cy) <= 2) {
                            return true;
                        }
                    }
                }
            }
            return false;
        };
        int gaps = 0;
        auto countGaps = [&](int left, int top, int right, int bottom) {
            for (int y = top; y < bottom; ++y) {
                for (int x = left; x < right; ++x) {
                    gaps += board.At(kOrigin + x, kOrigin + y) == ground && !nearFaceCorner(x, y);
                }
            }
        };
        countGaps(4, 0, 84, 112);
        countGaps(84, 28, 124, 84);
        EXPECT_EQ(gaps, 0) << set;
        // The upper tile's face, 4 pixels right of and above its cell, is
        // drawn over everything below it.
        const CImage& upper = faces[39];
        for (int y = 0; y < 56; ++y) {
            for (int x = 4; x < 44; ++x) {
                if (IsBlack(upper.At(x, y))) {
                    continue;
                }
                ASSERT_EQ(board.At(kOrigin + 20 + 4 + x, kOrigin + 28 - 4 + y), upper.At(x, y))
                    << set << " at " << x << "," << y;
            }
        }
    }
}

TEST(StackedTilesTest, DecodesOnlyUncompressed24BitBitmaps)
{
    CImage image(3, 2);
    image.At(0, 0) = {1, 2, 3};
    image.At(2, 1) = {250, 128, 7};
    const std::vector<uint8_t> good = image.EncodeBmp();
    const std::optional<CImage> decoded = assets::DecodeBmp24(good);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->Width(), 3);
    EXPECT_EQ(decoded->Height(), 2);
    EXPECT_EQ(decoded->At(0, 0), (SRgb{1, 2, 3}));
    EXPECT_EQ(decoded->At(2, 1), (SRgb{250, 128, 7}));

    struct SCase {
        const char* what;
        size_t at;
        uint8_t value;
        size_t keepBytes;
    };
    const std::vector<SCase> cases = {
        {"wrong magic", 0, 'X', good.size()},
        {"32 bits per pixel", 28, 32, good.size()},
        {"compressed", 30, 1, good.size()},
        {"zero width", 18, 0, good.size()},
        {"pixels cut short", 0, 'B', good.size() - 1},
        {"header cut short", 0, 'B', 40},
    };
    for (const SCase& c : cases) {
        std::vector<uint8_t> bytes = good;
        bytes[c.at] = c.value;
        bytes.resize(c.keepBytes);
        EXPECT_FALSE(assets::DecodeBmp24(bytes)) << c.what;
    }
}

} // namespace
