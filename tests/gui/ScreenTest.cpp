// The widget container: the strict inside test of widgets against the
// inclusive one of screens, overlapping buttons, input box focus and keys in
// both passes, hidden screens, and the message dialog's button.
#include "gui/CheckBox.h"
#include "gui/DXFramework.h"
#include "gui/FrameworkHarness.h"
#include "gui/InputBox.h"
#include "gui/MessageDialog.h"
#include "gui/Slider.h"
#include "gui/TextButton.h"
#include "media/Display.h"
#include "media/Keyboard.h"
#include "media/Mouse.h"
#include "media/Sound.h"
#include "platform/InputKeyCodes.h"

#include <gtest/gtest.h>

using testing_support::CFrameworkHarness;

namespace {

class ScreenTest : public testing::Test {
protected:
    ScreenTest()
    {
        framework.SetFullScreenMode(800, 600, 32);
        page.SetRect(100, 200, 300, 400);
        page.layer = 0;
        page.Show();
        framework.AttachScreen(&page);
    }
    ~ScreenTest() override { framework.DetachScreen(&page); }

    CTextButton* AddButton(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
    {
        return page.AddTextButton(std::make_unique<CTextButton>(x1, y1, x2, y2,
            framework.Display()->CreateSprite("none.bmp", 10, 10), std::make_unique<CSound>(), "B", true));
    }
    CInputBox* AddInputBox(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
    {
        return page.AddInputBox(std::make_unique<CInputBox>(
            x1, y1, x2, y2, x1 + 5, y1 + 5, x2 - 5, y2 - 5, framework.Display()->CreateSprite("none.bmp", 10, 10), ""));
    }
    // One frame with the mouse at picture (x, y).
    void Frame(int32_t x, int32_t y, bool down)
    {
        framework.Mouse()->x = x;
        framework.Mouse()->y = y;
        harness.SetLeftButton(down);
        framework.RunFrame();
        harness.clock->Advance(20);
    }

    CFrameworkHarness harness;
    CDXFramework framework{&harness.desktop};
    CScreen page;
};

// Buttons at (100, 200)-(150, 250), (140, 240)-(200, 300) and (130, 230)-(160,
// 260) on the picture.
TEST_F(ScreenTest, APressReachesEveryWidgetStrictlyUnderItOnAShownScreen)
{
    CTextButton* first = AddButton(0, 0, 50, 50);
    CTextButton* second = AddButton(40, 40, 100, 100);
    CTextButton* third = AddButton(30, 30, 60, 60);
    // The screen's corner and the first button's right edge: the screen
    // takes them, no button does.
    for (const auto& [x, y] : {std::pair{100, 200}, {150, 225}}) {
        Frame(x, y, true);
        EXPECT_FALSE(first->pressed || second->pressed || third->pressed) << x << ", " << y;
    }
    Frame(101, 201, true);
    EXPECT_TRUE(first->pressed && !second->pressed && !third->pressed);
    Frame(145, 245, true); // under all three
    EXPECT_TRUE(second->pressed && third->pressed);

    page.Hide();
    CTextButton* hidden = AddButton(0, 0, 60, 60);
    Frame(120, 220, true);
    EXPECT_FALSE(hidden->pressed) << "a hidden screen gets no input";
}

TEST_F(ScreenTest, InputBoxFocusChangesOnlyOnAPressAndKeysArriveInBothPasses)
{
    CInputBox* first = AddInputBox(10, 10, 90, 40);
    CInputBox* second = AddInputBox(10, 60, 90, 90);
    Frame(150, 225, false); // over the first box without a press
    EXPECT_FALSE(first->focused);
    Frame(150, 225, true);
    EXPECT_TRUE(first->focused);
    EXPECT_FALSE(second->focused);
    Frame(150, 275, true);
    EXPECT_FALSE(first->focused);
    EXPECT_TRUE(second->focused);
    Frame(150, 275, false); // releasing keeps the focus
    EXPECT_TRUE(second->focused);

    // Typing reaches the focused box even with the mouse off its screen,
    // through the drawing pass; the 200 ms block stops a second letter.
    harness.SetKey(DIK_K, true);
    Frame(700, 50, false);
    harness.SetKey(DIK_K, false);
    EXPECT_EQ(second->text, "k");
    EXPECT_EQ(first->text, "");

    // A press elsewhere on the screen takes the focus away.
    harness.clock->Advance(300);
    Frame(250, 350, true);
    EXPECT_FALSE(second->focused);
    harness.SetKey(DIK_K, true);
    Frame(250, 350, false);
    EXPECT_EQ(second->text, "k");
}

TEST_F(ScreenTest, ASliderHearsTheButtonBothDownAndUp)
{
    CDisplay* display = framework.Display();
    CSlider* slider = page.AddSlider(std::make_unique<CSlider>(
        10, 10, 170, 40, display->CreateSprite("none.bmp", 150, 20), display->CreateSprite("none.bmp", 10, 20)));
    ASSERT_EQ(slider->Position(), CSlider::kStartPositionPx); // the knob spans x 20 to 30 on the page
    Frame(125, 215, true); // on the knob: the drag starts
    Frame(180, 215, true);
    EXPECT_EQ(slider->Position(), 70);
    Frame(180, 215, false); // released over the slider: the drag ends
    Frame(200, 215, true); // down beside the knob moves nothing
    EXPECT_EQ(slider->Position(), 70);
}

TEST_F(ScreenTest, TheMessageDialogShowsItsTextAndReportsItsButton)
{
    CMessageDialog dialog(&framework, std::string(5000, 'x'));
    framework.AttachScreen(&dialog);
    dialog.Activate();
    ASSERT_NE(dialog.okButton, nullptr);
    // The button lies at (330, 180)-(475, 230) inside the dialog.
    Frame(150 + 331, 175 + 181, true);
    EXPECT_TRUE(dialog.okButton->pressed);
    harness.clock->Advance(260);
    EXPECT_TRUE(dialog.okButton->TakeClick());
    // Enter (either key) and Escape push it at once and it reports 250 ms
    // later, as a click would, once the lock-out has passed.
    for (const uint8_t key : {DIK_RETURN, DIK_NUMPADENTER, DIK_ESCAPE}) {
        harness.clock->Advance(CTextButton::kLockOutMs);
        harness.SetKey(key, true);
        Frame(5, 5, false);
        harness.SetKey(key, false);
        EXPECT_TRUE(dialog.okButton->pressed);
        EXPECT_FALSE(dialog.okButton->TakeClick());
        harness.clock->Advance(260);
        EXPECT_TRUE(dialog.okButton->TakeClick());
    }
    dialog.Deactivate();
    EXPECT_EQ(dialog.okButton, nullptr);
    framework.DetachScreen(&dialog);
}

} // namespace
