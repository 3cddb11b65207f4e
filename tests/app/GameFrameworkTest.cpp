// The game's framework on fakes: start-up from the options file with the game
// screens under their ids, the options rewrites of the windowed switch and
// the shut-down, the mouse sensitivity, and a display that cannot be set up.
#include "app/GameFramework.h"
#include "game/GameScreen.h"
#include "game/SavedGame.h"
#include "gui/FrameworkHarness.h"
#include "media/Display.h"
#include "platform/InputKeyCodes.h"
#include "screens/SettingsFiles.h"
#include "screens/SharedValues.h"

#include <gtest/gtest.h>

#include <filesystem>

using testing_support::CFrameworkHarness;

namespace {

class GameFrameworkTest : public testing::Test {
protected:
    void WriteOptions(const SOptions& options) { harness.runFolder.Write("Data/Options.dat", EncodeOptions(options)); }
    std::vector<uint8_t> OptionsOnDisk()
    {
        return *platform::ReadWholeFile(harness.runFolder.File("Data/Options.dat"));
    }

    CFrameworkHarness harness;
};

// Every way to the window (F5, a lost focus) writes 0 into the fourth value
// and nothing else; the way back to full screen writes nothing; the orderly
// end writes 1. (A windowed start is the end-to-end suite's.)
TEST_F(GameFrameworkTest, TheWayToTheWindowWritesAZeroAndTheOrderlyEndAOne)
{
    const SOptions stored{40, 70, 1, 1, "Slate Stone.bmp", "Red Lacquer"};
    SOptions windowed = stored;
    windowed.fullScreen = 0;
    WriteOptions(stored);
    {
        CGameFramework framework(&harness.desktop);
        ASSERT_TRUE(framework.Init());
        EXPECT_FALSE(framework.Display()->IsWindowed());
        EXPECT_EQ(musicFlag, 1);
        EXPECT_FLOAT_EQ(framework.Mouse()->sensitivity, 2.0f);
        EXPECT_EQ(framework.CurrentId(), 1);
        harness.SetKey(DIK_F5, true);
        framework.RunFrame();
        EXPECT_TRUE(framework.Display()->IsWindowed());
        EXPECT_EQ(OptionsOnDisk(), EncodeOptions(windowed));
        WriteOptions(stored);
        framework.RunFrame();
        harness.SetKey(DIK_F5, false);
        EXPECT_FALSE(framework.Display()->IsWindowed());
        EXPECT_EQ(OptionsOnDisk(), EncodeOptions(stored));
        framework.OnFocusLost();
        EXPECT_TRUE(framework.Display()->IsWindowed());
        EXPECT_EQ(OptionsOnDisk(), EncodeOptions(windowed));
    }
    EXPECT_EQ(OptionsOnDisk(), EncodeOptions(stored));
}

// Ids 2 to 4 are the game types, and the load page asks the game whether a
// file is usable: a file whose first field names a type but whose layout is
// gone passes a look at the type alone, not the game's check.
TEST_F(GameFrameworkTest, AStartWithoutAFileRegistersTheGamesAndTheShutDownWritesACompleteFile)
{
    ASSERT_FALSE(std::filesystem::exists(harness.runFolder.File("Data/Options.dat")));
    savedGameCheck = nullptr;
    {
        CGameFramework framework(&harness.desktop);
        ASSERT_TRUE(framework.Init()); // the presets: full screen, music off
        EXPECT_FALSE(framework.Display()->IsWindowed());
        EXPECT_EQ(musicFlag, 0);
        EXPECT_EQ(framework.bitsPerPixel, 32);
        EXPECT_EQ(framework.StateScreenCount(), 4);
        const CStateScreen* screens[] = {framework.traditionalGame, framework.veskStyleGame, framework.zandorGame};
        for (int i = 0; i < 3; ++i) {
            const auto* game = dynamic_cast<const CGameScreen*>(screens[i]);
            ASSERT_NE(game, nullptr);
            EXPECT_EQ(game->GetId(), i + 2);
            EXPECT_EQ(game->GameType(), i + 1);
        }
        ASSERT_TRUE(savedGameCheck);
        game::SSavedGame saved;
        saved.layoutPath = "Layouts\\Gone";
        ASSERT_TRUE(game::WriteSavedGame("gone", saved));
        EXPECT_FALSE(savedGameCheck("Saves\\gone"));
        savedGameCheck = nullptr;
    }
    EXPECT_EQ(OptionsOnDisk(), EncodeOptions(SOptions{}));
}

// Full screen takes the depth the display accepted; no display at all fails
// the start-up.
TEST_F(GameFrameworkTest, TheStartUpTakesTheDisplayThatCouldBeSetUp)
{
    harness.video.state.refusedDepths = {32};
    for (const bool none : {false, true}) {
        harness.video.state.refuseExclusive = harness.video.state.refuseNormal = none;
        CGameFramework framework(&harness.desktop);
        EXPECT_EQ(framework.Init(), !none);
        EXPECT_EQ(framework.bitsPerPixel, none ? 32 : 16);
        EXPECT_EQ(framework.CurrentScreen() == nullptr, none);
    }
}

} // namespace
