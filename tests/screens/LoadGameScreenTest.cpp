// The load game page frame by frame: the saved games listed, and "Load Game"
// handing the chosen file to the screen of its type, or doing nothing.
#include "PageRig.h"

#include "gui/SelectionList.h"
#include "gui/TextButton.h"
#include "screens/LoadGameScreen.h"

using namespace page_test;

namespace {

constexpr int kMenuLoad = 1;
constexpr int32_t kLoadX = 272, kLoadY = 450;

// The page reads only the type, the first number.
Bytes SavedGame(uint8_t type)
{
    Bytes bytes(64, 0);
    bytes[0] = type;
    return bytes;
}

struct LoadRig : CPageRig {
    LoadRig()
    {
        Write("Saves/a1", SavedGame(3));
        Write("Saves/Z", SavedGame(2));
        Write("Saves/odd.type", SavedGame(9));
        Write("Saves/short", Bytes{1, 0});
        harness.runFolder.MakeFolder("Saves/folder");
    }
    CLoadGameScreen* Open()
    {
        Start();
        ClickMenu(kMenuLoad);
        return OpenPage<CLoadGameScreen>();
    }
    // Row r of the list (page rows from y 130, 25 pixels each), then the button.
    void LoadRow(int32_t row)
    {
        ClickOnPage(260, 142 + 25 * row);
        Click(kLoadX, kLoadY);
    }
    int TotalActivations() { return games[0]->activations + games[1]->activations + games[2]->activations; }
};

} // namespace

TEST(LoadGameScreenTest, TheListHoldsTheSavedGamesSortedFirstOneSelected)
{
    LoadRig rig;
    CLoadGameScreen* page = rig.Open();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->savedGames->Entries(), (std::vector<std::string>{"Z", "a1", "odd.type", "short"}));
    EXPECT_EQ(page->savedGames->GetSelectedText(), "Z");
    // The page stores nothing.
    const Bytes options = rig.Read("Data\\Options.dat"), playGame = rig.Read("Data\\PlayGame.dat");
    rig.ClickMenu(3);
    EXPECT_EQ(rig.Read("Data\\Options.dat"), options);
    EXPECT_EQ(rig.Read("Data\\PlayGame.dat"), playGame);
}

// Row, the screen started ("" none), the path it was handed.
TEST(LoadGameScreenTest, LoadGameStartsTheScreenOfTheSavedType)
{
    const std::tuple<int32_t, int, const char*> cases[]
        = {{0, 1, "Saves\\Z"}, {1, 2, "Saves\\a1"}, {3, 0, "Saves\\short"}};
    for (const auto& [row, game, path] : cases) {
        LoadRig rig;
        ASSERT_NE(rig.Open(), nullptr);
        rig.LoadRow(row);
        EXPECT_EQ(rig.games[static_cast<size_t>(game)]->activations, 1) << path;
        EXPECT_EQ(rig.games[static_cast<size_t>(game)]->pendingSeen, path);
        EXPECT_EQ(rig.menu->OpenPage(), nullptr);
    }
}

TEST(LoadGameScreenTest, AnUnknownTypeARefusedFileOrAnEmptyListStartsNothing)
{
    {
        LoadRig rig;
        CLoadGameScreen* page = rig.Open();
        rig.LoadRow(2); // type 9
        EXPECT_EQ(rig.TotalActivations(), 0);
        EXPECT_EQ(rig.OpenPage<CLoadGameScreen>(), page);
        EXPECT_EQ(pendingLoadPath, "");
        EXPECT_FALSE(page->loadButton->pressed);
    }
    {
        // The game's reader refuses the file: the page stays open.
        LoadRig rig;
        std::string asked;
        savedGameCheck = [&](const std::string& path) {
            asked = path;
            return false;
        };
        CLoadGameScreen* page = rig.Open();
        rig.LoadRow(1);
        EXPECT_EQ(asked, "Saves\\a1");
        EXPECT_EQ(rig.TotalActivations(), 0);
        EXPECT_EQ(rig.OpenPage<CLoadGameScreen>(), page);
        savedGameCheck = [](const std::string&) { return true; };
        rig.Frames(10, kLoadX, kLoadY, false); // the button's lock-out
        rig.Click(kLoadX, kLoadY);
        EXPECT_EQ(rig.games[2]->pendingSeen, "Saves\\a1");
    }
    CPageRig rig;
    rig.Start();
    rig.ClickMenu(kMenuLoad);
    CLoadGameScreen* page = rig.OpenPage<CLoadGameScreen>();
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(page->savedGames->Entries().empty());
    rig.Click(kLoadX, kLoadY);
    EXPECT_EQ(rig.OpenPage<CLoadGameScreen>(), page);
    EXPECT_EQ(rig.framework.CurrentId(), kMainMenuScreenId);
}
