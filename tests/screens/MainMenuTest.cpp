// The main menu frame by frame: the music following the flag and a display
// switch, and the focus ring of the keyboard. (Every page test clicks the
// five buttons where they belong.)
#include "PageRig.h"

#include "gui/CheckBox.h"
#include "gui/Slider.h"
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

    // The keys act on the focused widget of the open page, the options: the
    // first slider (the ring's sixth stop), then the first check box.
    rig.Frames(30, 700, 10, false);
    const std::vector<gui::SFocusStop> ring = rig.menu->FocusRing();
    for (int i = 0; i < 5; ++i) {
        rig.Key(DIK_TAB);
    }
    const int32_t before = ring[5].slider->Position();
    rig.Key(DIK_RIGHT);
    EXPECT_GT(ring[5].slider->Position(), before);
    rig.Key(DIK_TAB);
    rig.Key(DIK_TAB);
    const bool checked = ring[7].checkBox->checked;
    rig.Key(DIK_SPACE);
    EXPECT_NE(ring[7].checkBox->checked, checked);
}

} // namespace
