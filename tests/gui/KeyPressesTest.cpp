// A held arrow repeats after its delay, and only a key pressed while the
// screen watched it does.
#include "gui/KeyPresses.h"

#include <gtest/gtest.h>

namespace {

TEST(KeyPressesTest, AHeldKeyRepeatsAfterItsDelayButNotOneHeldAcrossAReset)
{
    platform::CScopedFakeClock clock(1000);
    CKeyboard keyboard;
    gui::CKeyPresses presses;
    presses.Reset(&keyboard);
    keyboard.keys[DIK_DOWN] = platform::kKeyDown;
    std::vector<uint32_t> fired;
    for (uint32_t t = 0; t <= 600; t += 10) {
        presses.Update(&keyboard);
        if (presses.WasPressedOrRepeated(DIK_DOWN)) {
            fired.push_back(t);
        }
        EXPECT_EQ(presses.WasPressed(DIK_DOWN), t == 0) << t;
        clock->Advance(10);
    }
    EXPECT_EQ(fired, (std::vector<uint32_t>{0, 400, 480, 560}));

    presses.Reset(&keyboard); // held into a new screen: neither a press nor a repeat
    for (int frame = 0; frame < 100; ++frame, clock->Advance(10)) {
        presses.Update(&keyboard);
        EXPECT_FALSE(presses.WasPressedOrRepeated(DIK_DOWN));
    }
    keyboard.keys[DIK_DOWN] = 0;
    presses.Update(&keyboard);
    keyboard.keys[DIK_DOWN] = platform::kKeyDown;
    presses.Update(&keyboard);
    EXPECT_TRUE(presses.WasPressedOrRepeated(DIK_DOWN));
}

} // namespace
