// The game's framework on fakes: start-up from the options file, the options
// rewrites of the windowed switch and the shut-down, the mouse sensitivity,
// and a display that cannot be set up.
#include "app/GameFramework.h"
#include "gui/FrameworkHarness.h"
#include "media/Display.h"
#include "media/Mouse.h"
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

TEST_F(GameFrameworkTest, AWindowedStartIsRecordedAsFullScreenAgainByTheOrderlyEnd)
{
    const SOptions stored{40, 70, 1, 0, "Slate Stone.bmp", "Red Lacquer"};
    WriteOptions(stored);
    {
        CGameFramework framework(&harness.desktop);
        ASSERT_TRUE(framework.Init());
        EXPECT_TRUE(framework.Display()->IsWindowed());
        EXPECT_EQ(musicFlag, 1);
        EXPECT_FLOAT_EQ(framework.Mouse()->sensitivity, 2.0f);
        EXPECT_EQ(framework.CurrentId(), 1);
        ASSERT_NE(framework.CurrentScreen(), nullptr);
        EXPECT_EQ(framework.RunFrame(), 0);
        // Going windowed wrote 0 into the fourth value, nothing else.
        SOptions windowedOptions = stored;
        windowedOptions.fullScreen = 0;
        EXPECT_EQ(OptionsOnDisk(), EncodeOptions(windowedOptions));
    }
    SOptions ended = stored;
    ended.fullScreen = 1;
    EXPECT_EQ(OptionsOnDisk(), EncodeOptions(ended));
}

TEST_F(GameFrameworkTest, F5WritesTheOptionsOnlyOnTheWayToTheWindow)
{
    WriteOptions(SOptions{10, 100, 0, 1, "Emerald Felt.bmp", "Ivory"});
    CGameFramework framework(&harness.desktop);
    ASSERT_TRUE(framework.Init());
    ASSERT_FALSE(framework.Display()->IsWindowed());
    EXPECT_FLOAT_EQ(framework.Mouse()->sensitivity, 1.0f); // 10 x 0.05 is raised to 1.0

    harness.SetKey(DIK_F5, true);
    framework.RunFrame();
    EXPECT_TRUE(framework.Display()->IsWindowed());
    EXPECT_EQ(OptionsOnDisk()[12], 0);

    // Back to full screen: the file keeps its 0 until the end.
    const auto beforeFullScreen = OptionsOnDisk();
    framework.RunFrame();
    EXPECT_FALSE(framework.Display()->IsWindowed());
    EXPECT_EQ(OptionsOnDisk(), beforeFullScreen);
    harness.SetKey(DIK_F5, false);

    // Losing the focus in full screen goes windowed and records it.
    framework.OnFocusLost();
    EXPECT_TRUE(framework.Display()->IsWindowed());
    EXPECT_EQ(OptionsOnDisk()[12], 0);
}

TEST_F(GameFrameworkTest, ShutDownWritesACompleteFileWhenNoneExisted)
{
    ASSERT_FALSE(std::filesystem::exists(harness.runFolder.File("Data/Options.dat")));
    {
        CGameFramework framework(&harness.desktop);
        ASSERT_TRUE(framework.Init()); // the presets: full screen, music off
        EXPECT_FALSE(framework.Display()->IsWindowed());
        EXPECT_EQ(musicFlag, 0);
        EXPECT_EQ(framework.bitsPerPixel, 32);
    }
    EXPECT_EQ(OptionsOnDisk(), EncodeOptions(SOptions{}));
}

TEST_F(GameFrameworkTest, FullScreenTakesTheDepthTheDisplayAccepted)
{
    harness.video.state.refusedDepths = {32};
    CGameFramework framework(&harness.desktop);
    ASSERT_TRUE(framework.Init());
    EXPECT_EQ(framework.bitsPerPixel, 16);
}

TEST_F(GameFrameworkTest, NoDisplayAtAllFailsTheStartUp)
{
    harness.video.state.refuseExclusive = true;
    harness.video.state.refuseNormal = true;
    CGameFramework framework(&harness.desktop);
    EXPECT_FALSE(framework.Init());
    EXPECT_EQ(framework.CurrentScreen(), nullptr);
}

} // namespace
