// The load game page frame by frame: the saved games listed, and "Load Game"
// handing the chosen file to the screen of its type, or doing nothing.
#include "PageRig.h"

#include "gui/SelectionList.h"
#include "screens/LoadGameScreen.h"

using namespace page_test;

namespace {

constexpr int kMenuLoad = 1;
constexpr int32_t kLoadX = 272, kLoadY = 450;

struct LoadRig : CPageRig {
    // The page reads only the type, the first number.
    LoadRig()
    {
        Write("Saves/a1", Bytes{3, 0, 0, 0});
        Write("Saves/Z", Bytes{2, 0, 0, 0});
        Write("Saves/odd.type", Bytes{9, 0, 0, 0});
        Write("Saves/short", Bytes{1, 0});
        harness.runFolder.MakeFolder("Saves/folder");
    }
    CLoadGameScreen* Open() { return CPageRig::Open<CLoadGameScreen>(kMenuLoad); }
    // Row r of the list (page rows from y 130, 25 pixels each), then the button.
    void LoadRow(int32_t row)
    {
        ClickOnPage(260, 142 + 25 * row);
        Click(kLoadX, kLoadY);
    }
    int TotalActivations() { return games[0]->activations + games[1]->activations + games[2]->activations; }
};

} // namespace

// Row of the sorted list (the folder left out), whether the game's reader
// takes the file, the screen started (-1 none) with the path it was handed.
// A file too short for a type is taken as Traditional; an unknown type or a
// refused file leaves the page open.
TEST(LoadGameScreenTest, LoadGameStartsTheScreenOfTheSavedTypeOrNothing)
{
    const std::tuple<int32_t, bool, int, const char*> cases[] = {{0, true, 1, "Saves\\Z"}, {1, true, 2, "Saves\\a1"},
        {3, true, 0, "Saves\\short"}, {2, true, -1, "type 9"}, {1, false, -1, "refused"}};
    for (const auto& [row, accepted, game, path] : cases) {
        LoadRig rig;
        savedGameCheck = [accepted = accepted](const std::string&) { return accepted; };
        CLoadGameScreen* page = rig.Open();
        rig.LoadRow(row);
        EXPECT_EQ(rig.TotalActivations(), game < 0 ? 0 : 1) << path;
        if (game < 0) {
            EXPECT_EQ(rig.OpenPage<CLoadGameScreen>(), page) << path;
            EXPECT_EQ(pendingLoadPath, "");
        } else {
            EXPECT_EQ(rig.games[static_cast<size_t>(game)]->pendingSeen, path);
            EXPECT_EQ(rig.menu->OpenPage(), nullptr);
        }
    }
    // No saved game at all.
    CPageRig rig;
    CLoadGameScreen* page = rig.Open<CLoadGameScreen>(kMenuLoad);
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(page->savedGames->Entries().empty());
    rig.Click(kLoadX, kLoadY);
    EXPECT_EQ(rig.OpenPage<CLoadGameScreen>(), page);
}
