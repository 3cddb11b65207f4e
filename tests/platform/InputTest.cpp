// The SDL devices' acquisition rules, checked without a window: nothing has
// the keyboard focus, so the program is in the background.
#include "platform/Input.h"

#include <gtest/gtest.h>

using platform::InputResult;

TEST(InputTest, DevicesWithoutTheForegroundReportLostInputUntilReleased)
{
    auto system = platform::CreateSystemInput();
    auto mouse = system->CreateMouse(nullptr, platform::MouseAccess::Exclusive);
    auto keyboard = system->CreateKeyboard(nullptr);
    platform::MouseState state;
    state.dx = 7;
    state.buttons[0] = 0x80;
    platform::KeyState keys{};
    keys[0x1E] = 0x80;

    EXPECT_EQ(mouse->Read(state), InputResult::NotAcquired);
    EXPECT_EQ(keyboard->Read(keys), InputResult::NotAcquired);

    // Acquiring is refused in the background, but the wish to read stays, so
    // reads tell the poll to try again.
    EXPECT_EQ(mouse->Acquire(), InputResult::Denied);
    EXPECT_EQ(keyboard->Acquire(), InputResult::Denied);
    EXPECT_EQ(mouse->Read(state), InputResult::InputLost);
    EXPECT_EQ(keyboard->Read(keys), InputResult::InputLost);

    mouse->Unacquire();
    keyboard->Unacquire();
    EXPECT_EQ(mouse->Read(state), InputResult::NotAcquired);
    EXPECT_EQ(keyboard->Read(keys), InputResult::NotAcquired);

    // Failed reads leave the caller's record alone.
    EXPECT_EQ(state.dx, 7);
    EXPECT_EQ(state.buttons[0], 0x80);
    EXPECT_EQ(keys[0x1E], 0x80);
}
