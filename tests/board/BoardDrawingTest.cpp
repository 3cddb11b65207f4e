// The tile set, the board drawing and the tile pick: the indexed drawing and
// pick against the plain scans on many boards (a dealt block, random and
// overlapping ones, with tiles removed, shuffled, selected and hinted), and
// the drawing's pixels on the fake display.
#include "BoardScan.h"
#include "BoardTestLayouts.h"

#include "board/BoardDrawing.h"
#include "board/TilePick.h"
#include "board/TileSet.h"
#include "media/Display.h"
#include "platform/Clock.h"
#include "platform/FakeVideoBackend.h"
#include "platform/Files.h"
#include "support/TempDir.h"

#include "../platform/TestBitmaps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <random>
#include <set>
#include <tuple>

namespace {

using board::CBoard;
using board::SCellPosition;
using testing_support::Rgb;

// Each draw call as the canvas received it: the kind (Part, Whole, Blend),
// the sprite, where, and the source rectangle.
using SDrawCall = std::tuple<char, const CSprite*, int32_t, int32_t, int, int, int, int>;

class CRecordingCanvas final : public board::IBoardCanvas {
public:
    void DrawSpritePart(CSprite* sprite, int32_t x, int32_t y, const platform::Rect& s) override
    {
        calls.emplace_back('P', sprite, x, y, s.left, s.top, s.right, s.bottom);
    }
    void DrawSprite(CSprite* sprite, int32_t x, int32_t y) override { calls.emplace_back('W', sprite, x, y, 0, 0, 0, 0); }
    void BlendSprite(CSprite* sprite, int32_t x, int32_t y, const platform::Rect& s) override
    {
        calls.emplace_back('B', sprite, x, y, s.left, s.top, s.right, s.bottom);
    }
    std::vector<SDrawCall> calls;
};

// A distinct, never black colour for each face's picture pixel.
Rgb FacePixel(int face, int x, int y)
{
    return {static_cast<uint8_t>(40 + 5 * face), static_cast<uint8_t>(1 + 3 * x), static_cast<uint8_t>(1 + 3 * y)};
}

std::vector<uint8_t> Picture(int width, int height, Rgb (*pixel)(int, int, int), int face)
{
    std::vector<Rgb> pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels.push_back(pixel(face, x, y));
        }
    }
    return testing_support::MakeBmp(width, height, pixels);
}

// A fake full-screen display at 32 bits in a folder of its own, with tile
// sets written there.
class BoardDrawingTest : public testing::Test {
protected:
    testing_support::CTempDir dir;
    testing_support::CScopedCurrentDir inDir{dir.Path()};
    platform::FakeVideoState video;
    std::unique_ptr<CDisplay> display;
    board::CTileSet tiles;

    void SetUp() override
    {
        video.desktop = platform::DisplayMode{800, 600, 32};
        display = std::make_unique<CDisplay>();
        ASSERT_TRUE(display->Create(nullptr, std::make_unique<platform::CFakeVideoBackend>(video)));
        ASSERT_TRUE(display->SetFullScreen(800, 600, 32));
    }
    void TearDown() override { tiles.Release(); }

    void WriteTileSet(const std::string& set, const std::set<int>& missing = {})
    {
        for (int face = 1; face <= board::kFaceCount; ++face) {
            if (!missing.contains(face)) {
                dir.Write(platform::NativePath(std::string(board::kTileSetFolder) + "\\" + set + "\\"
                              + board::TileFaceFileName(face)),
                    Picture(64, 64, FacePixel, face));
            }
        }
    }

    platform::CSurface& Back() { return *display->BackBuffer()->surface; }
    uint32_t Raw(const Rgb& c) { return platform::PackRgb(Back().Format(), c.red, c.green, c.blue); }
};

// ---- Tile sets

TEST(TileSetTest, FaceFileNamesByFamilyAndNumber)
{
    const std::tuple<int, const char*> cases[] = {{1, "Bamboo 1.bmp"}, {9, "Bamboo 9.bmp"}, {10, "Crak 1.bmp"},
        {12, "Crak 3.bmp"}, {27, "Dot 9.bmp"}, {28, "Dragon 1.bmp"}, {30, "Dragon 3.bmp"}, {31, "Direction 1.bmp"},
        {34, "Direction 4.bmp"}, {35, "Flower 1.bmp"}, {38, "Flower 4.bmp"}, {39, "Season 1.bmp"}, {42, "Season 4.bmp"},
        {0, ""}, {43, ""}, {-1, ""}};
    for (const auto& [face, name] : cases) {
        EXPECT_EQ(board::TileFaceFileName(face), name) << face;
    }
}

TEST_F(BoardDrawingTest, TileSetLoadsEachFaceFromItsFileAndReleasesBeforeReloading)
{
    WriteTileSet("Jade", {7});
    WriteTileSet("Ivory");
    tiles.Load(*display, "Jade");
    std::vector<std::weak_ptr<platform::CSurface>> first;
    for (int face = 1; face <= board::kFaceCount; ++face) {
        CSprite* sprite = tiles.Face(face);
        ASSERT_TRUE(sprite && sprite->surface) << face;
        const Rgb want = face == 7 ? Rgb{} : FacePixel(face, 44, 60);
        EXPECT_EQ(sprite->surface->GetPixel(44, 60), Raw(want)) << face;
        first.push_back(sprite->surface);
    }
    EXPECT_EQ(tiles.Face(0), nullptr);
    EXPECT_EQ(tiles.Face(43), nullptr);

    tiles.Load(*display, "Ivory");
    for (int face = 1; face <= board::kFaceCount; ++face) {
        EXPECT_TRUE(first[face - 1].expired()) << "face " << face << " of the first set is still held";
        EXPECT_EQ(tiles.Face(face)->surface->GetPixel(3, 4), Raw(FacePixel(face, 3, 4)));
    }
    tiles.Release();
    for (int face = 1; face <= board::kFaceCount; ++face) {
        EXPECT_EQ(tiles.Face(face), nullptr);
    }
}

// ---- Drawing on the back buffer

Rgb HintPixel(int, int x, int y) { return (x + y) % 2 ? Rgb{250, 10, 10} : Rgb{}; }
Rgb OverlayPixel(int, int x, int y) { return y < 10 ? Rgb{} : Rgb{10, 250, static_cast<uint8_t>(120 + x)}; }

TEST_F(BoardDrawingTest, PiecesCoverTheirNeighboursAndMarksLieOverTheirTile)
{
    constexpr uint32_t kBackground = 0x00303030;
    WriteTileSet("Ivory", {5});
    dir.Write(platform::NativePath("Graphics\\Game\\Tile Hint.bmp"), Picture(64, 64, HintPixel, 0));
    dir.Write(platform::NativePath("Graphics\\Game\\Tile Overlay.bmp"), Picture(64, 64, OverlayPixel, 0));
    tiles.Load(*display, "Ivory");
    SpritePtr hint = display->CreateSprite("Graphics\\Game\\Tile Hint.bmp", 64, 64);
    SpritePtr overlay = display->CreateSprite("Graphics\\Game\\Tile Overlay.bmp", 64, 64);

    // Tiles 0 and 1 side by side, tile 2 on level 1 centred over both; tile 3
    // hinted and selected; tile 4's picture is missing; tile 5 was removed.
    auto board = board_test::BoardWithTiles({{2, 2, 0}, {4, 2, 0}, {3, 2, 1}, {10, 6, 0}, {14, 6, 0}, {18, 6, 0}});
    for (int t = 0; t < 6; ++t) {
        board->SetTileIdentity(t, t, t + 1, t + 1);
    }
    board->Tile(3).hinted = board->Tile(3).selected = 1;
    board->Tile(5).present = 0;
    Back().Fill({0, 0, 800, 600}, kBackground);
    board::DrawBoard(*display, *board, {&tiles, overlay.get(), hint.get()}, 65, 25);

    const auto at = [&](int x, int y) { return Back().GetPixel(x, y); };
    // Tile 0 at (105, 81), tile 1 at (145, 81): the left one is drawn last
    // over the seam (below tile 2, which ends at row 137). The order and the
    // pieces are the scan test's; these pixels show the display draws them.
    EXPECT_EQ(at(149, 140), Raw(FacePixel(1, 44, 59)));
    EXPECT_EQ(at(150, 140), Raw(FacePixel(2, 5, 59)));
    EXPECT_EQ(at(189, 100), kBackground); // the picture's column 44 shows only in the lower pieces
    // Tile 2 lies 4 pixels right of and above its cell on level 0.
    EXPECT_EQ(at(129, 77), Raw(FacePixel(3, 0, 0)));
    EXPECT_EQ(at(128, 77), kBackground);
    // Tile 3 at (265, 193): the hint mark whole, then the overlay blended
    // over (0, 0)-(44, 60) of it, black parts of either left out.
    const auto half = [](const Rgb& a, const Rgb& b) {
        return Rgb{static_cast<uint8_t>(a.red / 2 + b.red / 2), static_cast<uint8_t>(a.green / 2 + b.green / 2),
            static_cast<uint8_t>(a.blue / 2 + b.blue / 2)};
    };
    EXPECT_EQ(at(265 + 1, 193 + 20), Raw(half(HintPixel(0, 1, 20), OverlayPixel(0, 1, 20))));
    EXPECT_EQ(at(265 + 2, 193 + 20), Raw(half(FacePixel(4, 2, 20), OverlayPixel(0, 2, 20))));
    EXPECT_EQ(at(265 + 1, 193 + 2), Raw(HintPixel(0, 1, 2)));
    EXPECT_EQ(at(265 + 44, 193 + 58), Raw(FacePixel(4, 44, 58)));
    EXPECT_EQ(at(265 + 43, 193 + 60), Raw(HintPixel(0, 43, 60)));
    // The hint mark is drawn whole, beyond the tile's picture.
    EXPECT_EQ(at(265 + 50, 193 + 51), Raw(HintPixel(0, 50, 51)));
    // A missing picture and a removed tile leave the background.
    for (const auto& [x, y] : {std::pair{345 + 10, 193 + 10}, {345 + 44, 193 + 60}, {425 + 10, 193 + 10}}) {
        EXPECT_EQ(at(x, y), kBackground) << x << ", " << y;
    }
}

// ---- The indexed drawing and pick against the scans

// Tiles at random places on the whole grid, crowded into a box of random
// size so that neighbours sit half a row or column apart and some overlap;
// some tile numbers are left unplaced.
std::unique_ptr<CBoard> RandomBoard(std::mt19937& random)
{
    auto board = std::make_unique<CBoard>();
    const int width = std::uniform_int_distribution(4, 31)(random);
    const int height = std::uniform_int_distribution(2, 15)(random);
    const int levels = std::uniform_int_distribution(1, 8)(random);
    const int left = std::uniform_int_distribution(0, 31 - width)(random);
    const int top = std::uniform_int_distribution(0, 15 - height)(random);
    for (int t = 0; t < board::kTileCount; ++t) {
        if (random() % 8 == 0) {
            continue;
        }
        const SCellPosition at{left + static_cast<int>(random() % width), top + static_cast<int>(random() % height),
            static_cast<int>(random() % levels)};
        const int face = 1 + static_cast<int>(random() % 42);
        board->PlaceTile(t, at, t, board::MatchGroupOfFace(face), face);
    }
    return board;
}

// Some pairs removed, a shuffle, marks and a few faces without a picture.
void Disturb(CBoard& board, std::mt19937& random)
{
    if (random() % 2) {
        board::Shuffle(board);
    }
    const int removals = static_cast<int>(random() % 60);
    for (int i = 0; i < removals; ++i) {
        board::RemovePair(board, static_cast<int>(random() % 144), static_cast<int>(random() % 144));
    }
    for (int t = 0; t < board::kTileCount; ++t) {
        board::CTile& tile = board.Tile(t);
        tile.hinted = random() % 10 == 0;
        tile.selected = random() % 12 == 0;
        if (random() % 30 == 0) {
            tile.face = random() % 2 ? 0 : 43;
        }
    }
}

// The block dealt as a new game, then random boards, each in a few states.
template <typename Check> void ForManyBoards(int randomBoards, int statesPerBoard, Check check)
{
    platform::CScopedFakeClock clock(1234);
    std::mt19937 random(20261207);
    for (int i = 0; i <= randomBoards; ++i) {
        auto board = i == 0 ? board_test::BlockBoard() : RandomBoard(random);
        ASSERT_TRUE(i > 0 || board::DealNewGame(*board));
        for (int state = 0; state < statesPerBoard; ++state) {
            SCOPED_TRACE("board " + std::to_string(i) + ", state " + std::to_string(state));
            if (state > 0) {
                clock->Advance(777);
                Disturb(*board, random);
            }
            check(*board);
            if (testing::Test::HasFatalFailure()) {
                return;
            }
        }
    }
}

TEST_F(BoardDrawingTest, DrawsTheSameCallsAsTheScanOnManyBoards)
{
    WriteTileSet("Ivory");
    tiles.Load(*display, "Ivory");
    CSprite overlay;
    CSprite hint;
    const board::SBoardPictures pictures{&tiles, &overlay, &hint};
    ForManyBoards(60, 3, [&](const CBoard& board) {
        for (const auto& [x0, y0] : {std::pair{65, 25}, {-7, 300}}) {
            CRecordingCanvas scanned;
            CRecordingCanvas indexed;
            board_test::ScanDrawBoard(scanned, board, pictures, x0, y0);
            board::DrawBoard(indexed, board, pictures, x0, y0);
            ASSERT_EQ(indexed.calls.size(), scanned.calls.size());
            for (size_t i = 0; i < scanned.calls.size(); ++i) {
                ASSERT_EQ(indexed.calls[i], scanned.calls[i]) << "call " << i;
            }
        }
    });
}

// Pixels of the board area (the picture above the button bar) at random,
// each against the scan.
TEST(TilePickTest, PicksTheSameTileAsTheScan)
{
    std::mt19937 random(99);
    ForManyBoards(12, 2, [&](const CBoard& board) {
        const std::vector<board_test::SScanStep> steps = board_test::PickScanOrder(board);
        int picked = 0;
        for (int i = 0; i < 20000; ++i) {
            const int x = static_cast<int>(random() % 800);
            const int y = static_cast<int>(random() % 500);
            const int tile = board::PickTile(board, x, y);
            ASSERT_EQ(tile, board_test::ScanPickTile(steps, x, y)) << x << ", " << y;
            picked += tile >= 0;
        }
        EXPECT_GT(picked, 0);
    });
    // Far outside the picture nothing is picked.
    auto board = board_test::BlockBoard();
    for (const auto& [x, y] : {std::pair{-100000, 50}, {100000, 50}, {300, -100000}, {300, 100000}}) {
        EXPECT_EQ(board::PickTile(*board, x, y), -1);
    }
}

} // namespace
