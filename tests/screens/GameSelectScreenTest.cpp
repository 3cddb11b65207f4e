// The game selection page frame by frame inside the main menu: the type boxes
// from the stored type and by clicks, the layout list, the miniature's order
// and geometry, the start of a game and the stored file, byte for byte.
#include "PageRig.h"

#include "board/LayoutFile.h"
#include "gui/CheckBox.h"
#include "gui/SelectionList.h"
#include "media/Display.h"
#include "screens/GameSelectScreen.h"

#include "../platform/TestBitmaps.h"

using namespace page_test;
using testing_support::Rgb;

namespace {

constexpr int kMenuPlay = 0, kMenuOptions = 2;
constexpr int32_t kPlayX = 455, kPlayY = 557;

// A layout file: the given top-left cells first, the other tiles all on one
// square in the bottom right corner.
Bytes LayoutBytes(const std::vector<board::SCellPosition>& places = {})
{
    board::SLayoutData data;
    for (int t = 0; t < board::kTileCount; ++t) {
        const board::SCellPosition topLeft
            = static_cast<size_t>(t) < places.size() ? places[static_cast<size_t>(t)] : board::SCellPosition{30, 14, 0};
        data.cells[static_cast<size_t>(t)] = board::TileCells(topLeft);
    }
    return board::EncodeLayout(data);
}

struct GameSelectRig : CPageRig {
    explicit GameSelectRig(const Bytes& playGame, std::vector<std::string> layouts = {"Turtle"})
    {
        Write("Data/PlayGame.dat", playGame);
        for (const std::string& name : layouts) {
            Write("Layouts/" + name, LayoutBytes());
        }
    }
    CGameSelectScreen* Open() { return CPageRig::Open<CGameSelectScreen>(kMenuPlay); }
    std::array<bool, 3> Checked(CGameSelectScreen& page)
    {
        return {page.typeBoxes[0]->checked, page.typeBoxes[1]->checked, page.typeBoxes[2]->checked};
    }
};

} // namespace

TEST(GameSelectScreenTest, TheStoredTypeChecksItsBoxClicksMoveTheOneCheckAndADisplaySwitchKeepsIt)
{
    // Stored type, the boxes after the first frame, the type then.
    const std::tuple<int32_t, std::array<bool, 3>, int32_t> cases[] = {{1, {true, false, false}, 1},
        {2, {false, true, false}, 2}, {0, {false, false, true}, 3}, {7, {false, false, true}, 3}};
    for (const auto& [stored, boxes, type] : cases) {
        GameSelectRig rig(PlayGameBytes(stored, "Turtle"));
        CGameSelectScreen* page = rig.Open();
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(rig.Checked(*page), boxes) << stored;
        EXPECT_EQ(page->gameType, type) << stored;
        rig.ClickMenu(kMenuOptions);
        EXPECT_EQ(rig.Read("Data\\PlayGame.dat"), PlayGameBytes(type, "Turtle")) << stored;
    }

    GameSelectRig rig(PlayGameBytes(2, "Crab"), {"Crab", "Turtle"});
    CGameSelectScreen* page = rig.Open();
    // Box centre (page-relative x), boxes afterwards, type.
    const std::tuple<int32_t, std::array<bool, 3>, int32_t> clicks[] = {
        {430, {false, false, true}, 3}, // Zandor takes over from Vesk Style
        {430, {false, false, true}, 3}, // the checked box stays checked
        {110, {true, false, false}, 1},
        {270, {false, true, false}, 2},
    };
    for (const auto& [x, boxes, type] : clicks) {
        rig.ClickOnPage(x, 115);
        rig.Frames(15, x, 10, false); // the box's lock-out
        EXPECT_EQ(rig.Checked(*page), boxes) << x;
        EXPECT_EQ(page->gameType, type) << x;
    }

    // The choice is stored around a display switch and shown again after it.
    // (Storing when the program ends with a page open is the end-to-end
    // suite's, on the options page; every page stores as it is deleted.)
    rig.ClickOnPage(150, 267); // "Turtle"
    rig.framework.SetWindowedMode(800, 600);
    EXPECT_EQ(rig.Read("Data\\PlayGame.dat"), PlayGameBytes(2, "Turtle"));
    ASSERT_EQ(rig.OpenPage<CGameSelectScreen>(), page);
    EXPECT_EQ(page->display, rig.framework.Display());
    EXPECT_EQ(rig.Checked(*page), (std::array<bool, 3>{false, true, false}));
    EXPECT_EQ(page->layoutList->GetSelectedText(), "Turtle");
}

// The stored layout, the files, the list (sorted by unsigned bytes, case
// sensitive), and the entry selected, previewed and stored when the page
// closes (a stored layout that is gone gives the first listed one). With no
// layout there is nothing to preview or start and the stored name is kept.
TEST(GameSelectScreenTest, TheListHoldsThePlainFilesSortedWithTheStoredOneSelected)
{
    const std::tuple<const char*, std::vector<std::string>, std::vector<std::string>, const char*> cases[] = {
        {"b.lay", {"b.lay", "Zeta", "\xE9t", "alpha", "Turtle"}, {"Turtle", "Zeta", "alpha", "b.lay", "\xE9t"},
            "b.lay"},
        {"Gone", {"Crab", "Arena"}, {"Arena", "Crab"}, "Arena"},
        {"Gone", {}, {}, ""},
    };
    for (const auto& [stored, files, listed, selected] : cases) {
        GameSelectRig rig(PlayGameBytes(2, stored), files);
        rig.harness.runFolder.MakeFolder("Layouts/Folder");
        CGameSelectScreen* page = rig.Open();
        EXPECT_EQ(page->layoutList->Entries(), listed);
        EXPECT_EQ(page->layoutList->GetSelectedText().value_or(""), selected);
        EXPECT_EQ(page->PreviewedLayout(), selected);
        if (listed.empty()) {
            rig.Click(kPlayX, kPlayY);
            EXPECT_EQ(rig.OpenPage<CGameSelectScreen>(), page);
            EXPECT_EQ(rig.games[1]->activations, 0);
        }
        rig.ClickMenu(kMenuOptions);
        EXPECT_EQ(rig.Read("Data\\PlayGame.dat"), PlayGameBytes(2, *selected ? selected : stored));
    }
}

// Quarters coloured apart: the source rectangles, the 5 x 7 cells, the level
// shift and the painting order show in which quarter wins an overlap.
TEST(GameSelectScreenTest, TheMiniatureIsPaintedLevelByLevelRowByRowFromTheRight)
{
    // The quarters top left, top right, bottom left and bottom right, read
    // back as a, b, c and d.
    const Rgb quarters[] = {{200, 40, 40}, {40, 200, 40}, {40, 40, 200}, {200, 200, 40}};
    // A tile on its own; a left and a right neighbour; a tile below the left
    // one; a tile with another on top of it.
    const std::vector<board::SCellPosition> places
        = {{10, 10, 0}, {4, 2, 0}, {6, 2, 0}, {4, 4, 0}, {16, 10, 0}, {16, 10, 1}};
    GameSelectRig rig(PlayGameBytes(1, "Shapes"), {});
    rig.Write("Layouts/Shapes", LayoutBytes(places));
    std::vector<Rgb> tile;
    for (int32_t i = 0; i < 16 * 16; ++i) {
        tile.push_back(quarters[(i / 16 < 7 ? 0 : 2) + (i % 16 < 5 ? 0 : 1)]);
    }
    rig.Write("Graphics/Gui/Preview Mahjongg Tile.bmp", testing_support::MakeBmp(16, 16, tile));
    ASSERT_NE(rig.Open(), nullptr);
    rig.Frames(1, 700, 10, false);
    platform::CSurface& back = *rig.framework.Display()->BackBuffer()->surface;
    auto at = [&](std::initializer_list<std::pair<int32_t, int32_t>> points) {
        std::string read;
        for (const auto& [x, y] : points) {
            read += '-';
            for (int q = 0; q < 4; ++q) {
                const Rgb& c = quarters[q];
                if (back.GetPixel(320 + x, 365 + y) == platform::PackRgb(back.Format(), c.red, c.green, c.blue)) {
                    read.back() = static_cast<char>('a' + q);
                }
            }
        }
        return read;
    };
    // The lone tile at column 10, row 10: 11 x 15 pixels from (50, 70).
    EXPECT_EQ(at({{50, 70}, {54, 76}, {55, 70}, {60, 76}, {50, 77}, {54, 84}, {55, 77}, {60, 84}}), "aabbccdd");
    EXPECT_EQ(at({{49, 70}, {61, 70}, {50, 69}, {50, 85}}), "----");
    // Column 6 is painted before column 5: the left tile's right quarter
    // covers the right tile's first column. Row 4 is painted after row 3: the
    // lower tile's top covers the upper tile's last row. Level 1, a pixel
    // right and up, is painted over all of level 0.
    EXPECT_EQ(at({{30, 17}, {31, 17}}), "ba");
    EXPECT_EQ(at({{22, 28}}), "a");
    EXPECT_EQ(at({{85, 71}, {80, 76}, {81, 76}, {91, 69}}), "aacb");
}

// The miniature is built again only when the selection changes. The stand-in
// game screens see the file as the page stored it on its way out, and no
// saved game to load.
TEST(GameSelectScreenTest, PlayGameStartsTheCheckedTypeAfterStoringTheChoice)
{
    for (int32_t type = 1; type <= 3; ++type) {
        GameSelectRig rig(PlayGameBytes(type, "Crab"), {"Crab", "Turtle"});
        CGameSelectScreen* page = rig.Open();
        rig.Frames(10, 700, 10, false);
        EXPECT_EQ(page->PreviewBuilds(), 1);
        for (int click = 0; click < 2; ++click) {
            rig.ClickOnPage(150, 267); // "Turtle", the second row
            EXPECT_EQ(page->PreviewBuilds(), 2);
        }
        EXPECT_EQ(page->PreviewedLayout(), "Turtle");
        pendingLoadPath = "Saves\\stale";
        rig.Click(kPlayX, kPlayY);
        CStandInGame& game = *rig.games[static_cast<size_t>(type - 1)];
        EXPECT_EQ(game.activations, 1) << type;
        EXPECT_EQ(game.playGameSeen, PlayGameBytes(type, "Turtle")) << type;
        EXPECT_EQ(game.pendingSeen, "") << type;
        EXPECT_EQ(rig.framework.CurrentId(), type + 1);
        EXPECT_EQ(rig.menu->OpenPage(), nullptr);
    }
}
