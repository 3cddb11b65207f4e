// The input box fed by a keyboard on a fake device, frame by frame on a fake
// clock: which keys type what, the 14-character limit, Backspace, the 200 ms
// repeat, and the blinking cursor on the back buffer.
#include "gui/InputBox.h"
#include "media/Keyboard.h"
#include "platform/InputFake.h"

#include "WidgetRig.h"

using namespace platform;
using namespace widget_test;

namespace {

struct KeyboardRig : CWidgetRig {
    std::shared_ptr<FakeKeyboardControl> control = std::make_shared<FakeKeyboardControl>();
    CKeyboard keyboard;
    CInputBox box{150, 95, 350, 135, 160, 105, 340, 125, Solid(200, 40, {90, 60, 30}), ""};

    KeyboardRig()
    {
        keyboard.SetDevice(std::make_unique<CFakeKeyboardDevice>(control));
        keyboard.Acquire();
        box.focused = true;
    }

    void Hold(const std::vector<uint8_t>& keys, bool down)
    {
        for (const uint8_t key : keys) {
            control->SetKey(key, down);
        }
        keyboard.Poll();
    }

    // Keys down for one frame, read by the input and the draw pass, then up.
    void Stroke(const std::vector<uint8_t>& keys)
    {
        Hold(keys, true);
        box.HandleKeys(&keyboard, 0, 0);
        box.HandleKeys(&keyboard, 0, 0);
        Hold(keys, false);
        clock->Advance(CInputBox::kKeyRepeatMs);
    }
};

} // namespace

TEST(InputBoxTest, KeysTypeLettersDigitsAndSpacesOnlyOncePerTwoHundredMilliseconds)
{
    // Keys held together, Caps Lock, the text before and after.
    const std::tuple<std::vector<uint8_t>, bool, const char*, const char*> cases[] = {
        {{DIK_Q}, false, "", "q"},
        {{DIK_Q, DIK_RSHIFT}, false, "", "Q"},
        {{DIK_Q}, true, "", "Q"},
        {{DIK_Q, DIK_LSHIFT}, true, "", "q"}, // Shift undoes Caps Lock
        {{DIK_A, DIK_M}, false, "", "m"}, // the last letter in the alphabet wins
        {{DIK_Z, DIK_5}, false, "", "5"},
        {{DIK_9, DIK_NUMPAD0}, false, "", "0"},
        {{DIK_SPACE}, false, "ab", "ab "},
        {{DIK_BACK}, false, "", ""},
        {{DIK_X, DIK_BACK}, false, "abc", "abc"}, // added and removed at once
        {{DIK_X}, false, "abcdefghijklmn", "abcdefghijklmn"}, // a fifteenth character
        {{DIK_MINUS, DIK_EQUALS, DIK_COMMA, DIK_PERIOD, DIK_SLASH, DIK_SEMICOLON, DIK_APOSTROPHE, DIK_GRAVE,
             DIK_BACKSLASH, DIK_LBRACKET, DIK_RETURN, DIK_TAB, DIK_MULTIPLY, DIK_SUBTRACT, DIK_ADD, DIK_DECIMAL,
             DIK_DIVIDE, DIK_NUMPADENTER},
            true, "", ""},
    };
    for (const auto& [keys, caps, before, after] : cases) {
        KeyboardRig rig;
        rig.control->capsLock = caps;
        rig.box.text = before;
        rig.Stroke(keys);
        EXPECT_EQ(rig.box.text, after) << "from \"" << before << "\"";
    }
    KeyboardRig rig;
    rig.box.text = "9";
    rig.box.focused = false;
    rig.Stroke({DIK_B});
    EXPECT_EQ(rig.box.text, "9") << "an unfocused box takes no keys";

    // A key held for a second, in 10 ms frames read twice: one character per
    // 200 ms.
    rig.box.focused = true;
    rig.box.text.clear();
    rig.Hold({DIK_A}, true);
    for (int t = 0; t < 1000; t += 10, rig.clock->Advance(10)) {
        rig.box.HandleKeys(&rig.keyboard, 0, 0);
        rig.box.HandleKeys(&rig.keyboard, 0, 0);
    }
    EXPECT_EQ(rig.box.text, "aaaaa");
}

// "ab" on a dialog at (150, 175): font 2 glyphs are 12 wide, the text starts
// at (310, 275). The box gains the focus long after it was made and is drawn
// every millisecond from then on.
TEST(InputBoxTest, TheCursorIsAbsentForHalfASecondAfterTheFocusThenBlinksAtOneHertz)
{
    KeyboardRig rig;
    rig.box.focused = false;
    rig.box.text = "ab";
    rig.box.Draw(rig.display.get(), rig.fonts.get(), 150, 175);
    EXPECT_EQ(rig.BoundsOf(GlyphColour('a')), (SBounds{310, 275, 322, 307}));
    rig.clock->Advance(7000);
    rig.box.focused = true;
    std::vector<uint32_t> changes; // when the cursor appears or goes
    bool shown = false;
    for (uint32_t t = 0; t <= 3100; ++t, rig.clock->Advance(1)) {
        rig.box.Draw(rig.display.get(), rig.fonts.get(), 150, 175);
        if ((rig.Pixel(310 + 24 + 6, 285) == rig.Raw(GlyphColour('-'))) != shown) {
            changes.push_back(t);
            shown = !shown;
        }
    }
    EXPECT_EQ(changes, (std::vector<uint32_t>{501, 1001, 1502, 2002, 2503, 3003}));
}
