// The main menu frame by frame: its five buttons where they belong, the music
// following the flag, a page button's click consumed, and Exit ending the
// program.
#include "gui/DXFramework.h"
#include "gui/FrameworkHarness.h"
#include "gui/TextButton.h"
#include "media/Mouse.h"
#include "media/Sound.h"
#include "media/SoundSystem.h"
#include "screens/MainMenuScreen.h"
#include "screens/SharedValues.h"

#include <gtest/gtest.h>

using testing_support::CFrameworkHarness;

namespace {

class MainMenuTest : public testing::Test {
protected:
    MainMenuTest()
    {
        harness.CopyRunData("Graphics/Gui");
        harness.CopyRunData("Sounds");
        harness.CopyRunData("Data");
        framework.SetFullScreenMode(800, 600, 32);
        menu = new CMainMenuScreen(&framework);
        menu->SetId(1);
        framework.AddScreen(menu);
    }
    ~MainMenuTest() override { musicFlag = 0; }

    // Frames of 20 ms with the mouse at (x, y) and the left button as given.
    int32_t Frames(int count, int32_t x, int32_t y, bool down)
    {
        int32_t result = 0;
        for (int i = 0; i < count && result == 0; ++i) {
            framework.Mouse()->x = x;
            framework.Mouse()->y = y;
            harness.SetLeftButton(down);
            result = framework.RunFrame();
            harness.clock->Advance(20);
        }
        return result;
    }

    CFrameworkHarness harness;
    CDXFramework framework{&harness.desktop};
    CMainMenuScreen* menu = nullptr;
};

TEST_F(MainMenuTest, OpensWithItsFiveButtonsAndTheCursor)
{
    ASSERT_TRUE(framework.SwitchToScreen(1));
    EXPECT_EQ(menu->layer, 2);
    EXPECT_EQ(menu->right, 800);
    EXPECT_EQ(menu->bottom, 600);
    ASSERT_NE(menu->Cursor(), nullptr);
    const int32_t tops[] = {23, 139, 255, 371, 487};
    for (int i = 0; i < CMainMenuScreen::kButtonCount; ++i) {
        CTextButton* button = menu->ButtonAt(static_cast<CMainMenuScreen::Button>(i));
        ASSERT_NE(button, nullptr);
        // Strictly inside the 200 x 90 rectangle at (575, top).
        EXPECT_TRUE(button->Contains(576, tops[i] + 1));
        EXPECT_TRUE(button->Contains(774, tops[i] + 89));
        EXPECT_FALSE(button->Contains(575, tops[i] + 45));
        EXPECT_FALSE(button->Contains(676, tops[i] + 90));
    }
}

TEST_F(MainMenuTest, MusicFollowsTheFlagWithinAFrame)
{
    musicFlag = 1;
    ASSERT_TRUE(framework.SwitchToScreen(1));
    if (!menu->Music() || !framework.Sounds()->Mixer()) {
        GTEST_SKIP() << "no sound output";
    }
    EXPECT_TRUE(menu->Music()->IsPlaying());
    musicFlag = 0;
    Frames(1, 10, 10, false);
    EXPECT_FALSE(menu->Music()->IsPlaying());
    musicFlag = 1;
    Frames(1, 10, 10, false);
    EXPECT_TRUE(menu->Music()->IsPlaying());
}

TEST_F(MainMenuTest, APageButtonsClickIsConsumedAndExitEndsTheProgram)
{
    ASSERT_TRUE(framework.SwitchToScreen(1));
    // Options: press, hold past the report time, release.
    EXPECT_EQ(Frames(20, 675, 300, true), 0);
    CTextButton* options = menu->ButtonAt(CMainMenuScreen::kOptions);
    EXPECT_FALSE(options->pressed);
    EXPECT_EQ(Frames(2, 675, 300, false), 0);

    // Exit: the click completes after 250 ms and the frame ends the program.
    EXPECT_EQ(Frames(12, 675, 532, true), 0); // 240 ms: not yet
    EXPECT_EQ(Frames(3, 675, 532, true), -1);
}

TEST_F(MainMenuTest, ADisplaySwitchReloadsTheMenu)
{
    musicFlag = 1;
    ASSERT_TRUE(framework.SwitchToScreen(1));
    framework.SetWindowedMode(800, 600);
    EXPECT_NE(menu->ButtonAt(CMainMenuScreen::kExit), nullptr);
    EXPECT_EQ(menu->display, framework.Display());
    if (menu->Music() && framework.Sounds()->Mixer()) {
        EXPECT_TRUE(menu->Music()->IsPlaying());
    }
}

} // namespace

#include "PageRig.h"
#include "gui/CheckBox.h"
#include "gui/Slider.h"

namespace {

// The kinds of the ring's stops: Button, Check box, List, Slider, Picture
// selector, Text area.
std::string RingKinds(CMainMenuScreen& menu)
{
    std::string kinds;
    for (const gui::SFocusStop& s : menu.FocusRing()) {
        kinds += s.button ? 'B' : s.checkBox ? 'C' : s.list ? 'L' : s.slider ? 'S' : s.selector ? 'P' : 'T';
    }
    return kinds;
}

// Each page opened by Tab and Enter alone: the focus goes to its first
// widget, Tab runs through the page in reading order and round to "Play
// Game", Shift+Tab goes back, and the keys act on the focused widget.
TEST(MenuFocusTest, TabRunsRoundTheButtonsAndEachPageInReadingOrder)
{
    using page_test::CPageRig;
    const std::pair<int, std::string> pages[] = {{0, "BBBBBCCCLB"}, {1, "BBBBBLB"}, {3, "BBBBBT"}, {2, "BBBBBSSCCPP"}};
    CPageRig rig;
    rig.Start();
    EXPECT_FALSE(rig.menu->IsFocusShown());
    rig.Key(DIK_TAB);
    EXPECT_TRUE(rig.menu->IsFocusShown());
    EXPECT_EQ(rig.menu->FocusIndex(), 0) << "the first Tab shows \"Play Game\"";
    for (const auto& [button, kinds] : pages) {
        for (int i = 0; i < 20 && rig.menu->FocusIndex() != button; ++i) {
            rig.Key(DIK_TAB);
        }
        rig.Key(DIK_RETURN);
        rig.Frames(10, 700, 10, false);
        ASSERT_NE(rig.menu->OpenPage(), nullptr);
        EXPECT_EQ(RingKinds(*rig.menu), kinds);
        const int32_t count = static_cast<int32_t>(kinds.size());
        EXPECT_EQ(rig.menu->FocusIndex(), CMainMenuScreen::kButtonCount) << "the page's first widget";
        rig.Key(DIK_TAB, true);
        EXPECT_EQ(rig.menu->FocusIndex(), CMainMenuScreen::kButtonCount - 1);
        for (int32_t i = CMainMenuScreen::kButtonCount - 1; i < count; ++i) {
            rig.Key(DIK_TAB);
        }
        EXPECT_EQ(rig.menu->FocusIndex(), 0) << "wraps";
    }

    // The keys act on the focused widget of the open page (the options).
    const auto focusOn = [&](char kind) {
        const std::string kinds = RingKinds(*rig.menu);
        for (int i = 0; i < 20 && kinds[static_cast<size_t>(rig.menu->FocusIndex())] != kind; ++i) {
            rig.Key(DIK_TAB);
        }
        EXPECT_EQ(kinds[static_cast<size_t>(rig.menu->FocusIndex())], kind);
        return rig.menu->FocusRing()[static_cast<size_t>(rig.menu->FocusIndex())];
    };
    rig.Frames(30, 700, 10, false);
    const gui::SFocusStop slider = focusOn('S');
    const int32_t before = slider.slider->Position();
    rig.Key(DIK_RIGHT);
    EXPECT_GT(slider.slider->Position(), before);
    const gui::SFocusStop box = focusOn('C');
    const bool checked = box.checkBox->checked;
    rig.Key(DIK_SPACE);
    EXPECT_NE(box.checkBox->checked, checked);
}

} // namespace
