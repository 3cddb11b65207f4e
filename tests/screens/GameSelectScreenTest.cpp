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

constexpr int kMenuPlay = 0, kMenuOptions = 2, kMenuExit = 4;
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
    CGameSelectScreen* Open()
    {
        Start();
        ClickMenu(kMenuPlay);
        return OpenPage<CGameSelectScreen>();
    }
    std::array<bool, 3> Checked(CGameSelectScreen& page)
    {
        return {page.typeBoxes[0]->checked, page.typeBoxes[1]->checked, page.typeBoxes[2]->checked};
    }
};

} // namespace

TEST(GameSelectScreenTest, TheStoredTypeChecksItsBoxAndClicksMoveTheOneCheck)
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

    GameSelectRig rig(PlayGameBytes(2, "Turtle"));
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
}

TEST(GameSelectScreenTest, TheListHoldsThePlainFilesSortedWithTheStoredOneSelected)
{
    {
        GameSelectRig rig(PlayGameBytes(1, "b.lay"), {"b.lay", "Zeta", "alpha", "Turtle"});
        rig.harness.runFolder.MakeFolder("Layouts/Folder");
        CGameSelectScreen* page = rig.Open();
        EXPECT_EQ(page->layoutList->Entries(), (std::vector<std::string>{"Turtle", "Zeta", "alpha", "b.lay"}));
        EXPECT_EQ(page->layoutList->GetSelectedText(), "b.lay");
        EXPECT_EQ(page->PreviewedLayout(), "b.lay");
    }
    {
        std::vector<std::string> many;
        for (int i = 0; i < 12; ++i) {
            many.push_back("L" + std::to_string(10 + i));
        }
        GameSelectRig rig(PlayGameBytes(1, "L21"), many);
        CGameSelectScreen* page = rig.Open();
        EXPECT_EQ(page->layoutList->GetSelectedText(), "L21");
        EXPECT_EQ(page->layoutList->TopIndex(), 7u) << "the last entry in the last of five rows";
    }
    {
        // A stored layout that is gone: the first listed one is selected,
        // previewed and stored.
        GameSelectRig rig(PlayGameBytes(2, "Gone"), {"Crab", "Arena"});
        CGameSelectScreen* page = rig.Open();
        EXPECT_EQ(page->layoutList->GetSelectedText(), "Arena");
        EXPECT_EQ(page->PreviewedLayout(), "Arena");
        EXPECT_EQ(page->PreviewBuilds(), 1);
        rig.ClickMenu(kMenuOptions);
        EXPECT_EQ(rig.Read("Data\\PlayGame.dat"), PlayGameBytes(2, "Arena"));
    }
    {
        // No layout at all: nothing to preview or start, the stored name kept.
        GameSelectRig rig(PlayGameBytes(3, "Gone"), {});
        CGameSelectScreen* page = rig.Open();
        EXPECT_TRUE(page->layoutList->Entries().empty());
        EXPECT_EQ(page->PreviewedLayout(), "");
        rig.Click(kPlayX, kPlayY);
        EXPECT_EQ(rig.OpenPage<CGameSelectScreen>(), page);
        EXPECT_EQ(rig.games[2]->activations, 0);
        rig.ClickMenu(kMenuOptions);
        EXPECT_EQ(rig.Read("Data\\PlayGame.dat"), PlayGameBytes(3, "Gone"));
    }
}

// Quarters coloured apart: the source rectangles, the 5 x 7 cells, the level
// shift and the painting order show in which quarter wins an overlap.
TEST(GameSelectScreenTest, TheMiniatureIsPaintedLevelByLevelRowByRowFromTheRight)
{
    constexpr Rgb kTopLeft{200, 40, 40}, kTopRight{40, 200, 40}, kBottomLeft{40, 40, 200}, kBottomRight{200, 200, 40};
    // A tile on its own; a left and a right neighbour; a tile below the left
    // one; a tile with another on top of it.
    const std::vector<board::SCellPosition> places
        = {{10, 10, 0}, {4, 2, 0}, {6, 2, 0}, {4, 4, 0}, {16, 10, 0}, {16, 10, 1}};
    GameSelectRig rig(PlayGameBytes(1, "Shapes"), {});
    rig.Write("Layouts/Shapes", LayoutBytes(places));
    std::vector<Rgb> tile;
    for (int32_t i = 0; i < 16 * 16; ++i) {
        const int32_t x = i % 16, y = i / 16;
        tile.push_back(y < 7 ? (x < 5 ? kTopLeft : kTopRight) : (x < 5 ? kBottomLeft : kBottomRight));
    }
    rig.Write("Graphics/Gui/Preview Mahjongg Tile.bmp", testing_support::MakeBmp(16, 16, tile));
    ASSERT_NE(rig.Open(), nullptr);
    rig.Frames(1, 700, 10, false);
    platform::CSurface& back = *rig.framework.Display()->BackBuffer()->surface;
    auto at = [&](int32_t x, int32_t y) {
        const uint32_t raw = back.GetPixel(320 + x, 365 + y);
        for (const auto& [colour, name] :
            {std::pair{kTopLeft, "TL"}, {kTopRight, "TR"}, {kBottomLeft, "BL"}, {kBottomRight, "BR"}}) {
            if (raw == platform::PackRgb(back.Format(), colour.red, colour.green, colour.blue)) {
                return std::string(name);
            }
        }
        return std::string("-");
    };
    // The lone tile at column 10, row 10: 11 x 15 pixels from (50, 70).
    EXPECT_EQ(at(50, 70) + at(54, 76) + at(55, 70) + at(60, 76), "TLTLTRTR");
    EXPECT_EQ(at(50, 77) + at(54, 84) + at(55, 77) + at(60, 84), "BLBLBRBR");
    EXPECT_EQ(at(49, 70) + at(61, 70) + at(50, 69) + at(50, 85), "----");
    // Column 6 is painted before column 5: the left tile's right quarter
    // covers the right tile's first column.
    EXPECT_EQ(at(30, 14 + 3), "TR");
    EXPECT_EQ(at(31, 14 + 3), "TL");
    // Row 4 is painted after row 3: the lower tile's top covers the upper
    // tile's last row.
    EXPECT_EQ(at(22, 28), "TL");
    // Level 1, a pixel right and up, is painted over all of level 0.
    EXPECT_EQ(at(85, 71), "TL");
    EXPECT_EQ(at(80, 76) + at(81, 76), "TLBL");
    EXPECT_EQ(at(91, 69), "TR");
}

TEST(GameSelectScreenTest, TheMiniatureIsRebuiltOnlyWhenTheSelectionChanges)
{
    GameSelectRig rig(PlayGameBytes(1, "Crab"), {"Arena", "Crab", "Turtle"});
    CGameSelectScreen* page = rig.Open();
    EXPECT_EQ(page->PreviewBuilds(), 1);
    rig.Frames(10, 700, 10, false);
    EXPECT_EQ(page->PreviewBuilds(), 1);
    // Rows of the list at page y 230 + 25 r.
    rig.ClickOnPage(150, 292);
    EXPECT_EQ(page->PreviewedLayout(), "Turtle");
    EXPECT_EQ(page->PreviewBuilds(), 2);
    rig.ClickOnPage(150, 292);
    EXPECT_EQ(page->PreviewBuilds(), 2);
    rig.ClickOnPage(150, 242);
    EXPECT_EQ(page->PreviewedLayout(), "Arena");
    EXPECT_EQ(page->PreviewBuilds(), 3);
}

// The stand-in game screens see the file as the page stored it on its way
// out, and no saved game to load.
TEST(GameSelectScreenTest, PlayGameStartsTheCheckedTypeAfterStoringTheChoice)
{
    for (int32_t type = 1; type <= 3; ++type) {
        GameSelectRig rig(PlayGameBytes(type, "Crab"), {"Crab", "Turtle"});
        ASSERT_NE(rig.Open(), nullptr);
        rig.ClickOnPage(150, 267); // "Turtle"
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

TEST(GameSelectScreenTest, TheChoiceIsStoredByExitAndAroundADisplaySwitch)
{
    {
        GameSelectRig rig(PlayGameBytes(1, "Crab"), {"Crab", "Turtle"});
        ASSERT_NE(rig.Open(), nullptr);
        rig.ClickOnPage(270, 115); // Vesk Style
        EXPECT_EQ(rig.ClickMenu(kMenuExit), -1);
        EXPECT_EQ(rig.Read("Data\\PlayGame.dat"), PlayGameBytes(1, "Crab")) << "not before the page closes";
        rig.framework.Shutdown();
        EXPECT_EQ(rig.Read("Data\\PlayGame.dat"), PlayGameBytes(2, "Crab"));
    }
    GameSelectRig rig(PlayGameBytes(1, "Crab"), {"Crab", "Turtle"});
    CGameSelectScreen* page = rig.Open();
    rig.ClickOnPage(430, 115); // Zandor
    rig.ClickOnPage(150, 267); // "Turtle"
    rig.framework.SetWindowedMode(800, 600);
    EXPECT_EQ(rig.Read("Data\\PlayGame.dat"), PlayGameBytes(3, "Turtle"));
    ASSERT_EQ(rig.OpenPage<CGameSelectScreen>(), page);
    EXPECT_EQ(page->display, rig.framework.Display());
    EXPECT_EQ(page->gameType, 3);
    EXPECT_TRUE(page->typeBoxes[2]->checked);
    EXPECT_EQ(page->layoutList->GetSelectedText(), "Turtle");
}
