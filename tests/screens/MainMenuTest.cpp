// The main menu frame by frame: the music following the flag, a page
// button's click consumed, Exit ending the program, and a display switch.
// (Every page test clicks the five buttons where they belong.)
#include "PageRig.h"

#include "gui/TextButton.h"
#include "media/Sound.h"
#include "media/SoundSystem.h"

using page_test::CPageRig;

namespace {

// The tests run with SDL's silent audio driver, so the music has a mixer.
TEST(MainMenuTest, MusicFollowsTheFlagWithinAFrameAndAcrossADisplaySwitch)
{
    CPageRig rig;
    musicFlag = 1;
    rig.Start();
    ASSERT_NE(rig.menu->Cursor(), nullptr);
    ASSERT_NE(rig.menu->Music(), nullptr);
    ASSERT_NE(rig.framework.Sounds()->Mixer(), nullptr);
    EXPECT_TRUE(rig.menu->Music()->IsPlaying());
    musicFlag = 0;
    rig.Frames(1, 10, 10, false);
    EXPECT_FALSE(rig.menu->Music()->IsPlaying());
    musicFlag = 1;
    rig.Frames(1, 10, 10, false);
    EXPECT_TRUE(rig.menu->Music()->IsPlaying());

    rig.framework.SetWindowedMode(800, 600);
    EXPECT_NE(rig.menu->ButtonAt(CMainMenuScreen::kExit), nullptr);
    EXPECT_EQ(rig.menu->display, rig.framework.Display());
    ASSERT_NE(rig.menu->Music(), nullptr);
    EXPECT_TRUE(rig.menu->Music()->IsPlaying());
}

TEST(MainMenuTest, APageButtonsClickIsConsumedAndExitEndsTheProgram)
{
    CPageRig rig;
    rig.Start();
    // Options: press, hold past the report time, release.
    EXPECT_EQ(rig.Frames(20, 675, 300, true), 0);
    EXPECT_FALSE(rig.menu->ButtonAt(CMainMenuScreen::kOptions)->pressed);
    EXPECT_EQ(rig.Frames(2, 675, 300, false), 0);

    // Exit: the click completes after 250 ms and the frame ends the program.
    EXPECT_EQ(rig.Frames(12, 675, 532, true), 0); // 240 ms: not yet
    EXPECT_EQ(rig.Frames(3, 675, 532, true), -1);
}

} // namespace
