// The SDL devices' acquisition rules, checked without a window: nothing has
// the keyboard focus, so the program is in the background.
#include "platform/Input.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>

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

    using Both = std::pair<InputResult, InputResult>;
    const auto read = [&] { return Both(mouse->Read(state), keyboard->Read(keys)); };
    EXPECT_EQ(read(), Both(InputResult::NotAcquired, InputResult::NotAcquired));
    // Acquiring is refused in the background, but the wish to read stays, so
    // reads tell the poll to try again.
    EXPECT_EQ(Both(mouse->Acquire(), keyboard->Acquire()), Both(InputResult::Denied, InputResult::Denied));
    EXPECT_EQ(read(), Both(InputResult::InputLost, InputResult::InputLost));
    mouse->Unacquire();
    keyboard->Unacquire();
    EXPECT_EQ(read(), Both(InputResult::NotAcquired, InputResult::NotAcquired));
    // Failed reads leave the caller's record alone.
    EXPECT_EQ(std::tuple(state.dx, state.buttons[0], keys[0x1E]), std::tuple(7, 0x80, 0x80));
}
