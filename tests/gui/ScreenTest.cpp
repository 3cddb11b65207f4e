// The widget container: the input box's focus, a slider's drag, and the
// dialog keys.
#include "gui/FrameworkHarness.h"
#include "gui/InputBox.h"
#include "gui/MessageDialog.h"
#include "gui/Slider.h"
#include "gui/TextButton.h"
#include "media/Display.h"
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

    void Frame(int32_t x, int32_t y, bool down) { harness.Frame(framework, x, y, down); }

    CFrameworkHarness harness;
    CDXFramework framework{&harness.desktop};
    CScreen page;
};

// Only a press moves the focus, and a press elsewhere on the screen takes it
// away. (Typing with the mouse anywhere is the name dialogs' test.)
TEST_F(ScreenTest, InputBoxFocusChangesOnlyOnAPress)
{
    CInputBox* box = page.AddInputBox(std::make_unique<CInputBox>(
        10, 10, 90, 40, 15, 15, 85, 35, framework.Display()->CreateSprite("none.bmp", 10, 10), ""));
    // Pointer, button, focus afterwards.
    const std::tuple<int32_t, int32_t, bool, bool> steps[]
        = {{150, 225, false, false}, {150, 225, true, true}, {150, 225, false, true}, {250, 350, true, false}};
    for (const auto& [x, y, down, focused] : steps) {
        Frame(x, y, down);
        EXPECT_EQ(box->focused, focused) << x << (down ? " down" : " up");
    }
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

// Enter (either key) and Escape push the message dialog's one button at
// once, wherever the mouse is; it reports as a click would. (Its place on
// the screen is the game screens' test, with the introduction.)
TEST_F(ScreenTest, EnterAndEscapePushTheMessageDialogsButton)
{
    CMessageDialog dialog(&framework, "Text");
    framework.AttachScreen(&dialog);
    dialog.Activate();
    for (const uint8_t key : {DIK_RETURN, DIK_NUMPADENTER, DIK_ESCAPE}) {
        harness.SetKey(key, true);
        Frame(5, 5, false);
        harness.SetKey(key, false);
        EXPECT_TRUE(dialog.okButton->pressed) << int{key};
        harness.clock->Advance(CTextButton::kLockOutMs);
        EXPECT_TRUE(dialog.okButton->TakeClick());
    }
    framework.DetachScreen(&dialog);
}

} // namespace
