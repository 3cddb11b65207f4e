// Mouse and keyboard through fake devices: device creation and release, the
// cursor arithmetic, the button and key bytes, and the recovery from lost input.
#include "media/Input.h"
#include "media/Keyboard.h"
#include "media/Mouse.h"
#include "platform/InputFake.h"

#include <gtest/gtest.h>

#include <limits>

using R = platform::InputResult;

namespace {

struct MouseRig {
    std::shared_ptr<platform::FakeMouseControl> control = std::make_shared<platform::FakeMouseControl>();
    CMouse mouse;

    MouseRig(float sensitivity, int32_t x, int32_t y)
    {
        mouse.SetDevice(std::make_unique<platform::CFakeMouseDevice>(control));
        mouse.Acquire();
        mouse.SetBounds(800, 600);
        mouse.sensitivity = sensitivity;
        mouse.x = x;
        mouse.y = y;
    }
};

} // namespace

// (Which access the mouse is created with in each display mode is the
// framework's test.)
TEST(InputTest, CreatesAcquiresAndReleasesTheDevices)
{
    auto system = std::make_unique<platform::CFakeInputSystem>();
    auto mouseControl = system->mouse;
    auto keyboardControl = system->keyboard;
    {
        CInput input;
        CMouse mouse;
        CKeyboard keyboard;
        ASSERT_TRUE(input.Create(nullptr, std::move(system)));
        ASSERT_TRUE(input.CreateMouse(&mouse, nullptr, platform::MouseAccess::Exclusive));
        ASSERT_TRUE(input.CreateKeyboard(&keyboard));
        EXPECT_TRUE(mouseControl->acquired && keyboardControl->acquired);
    }
    EXPECT_TRUE(mouseControl->released && keyboardControl->released);
    EXPECT_FALSE(mouseControl->acquired || keyboardControl->acquired);
}

TEST(MouseTest, MotionIsScaledTruncatedAndClampedToThePictureInclusive)
{
    // Options value (sensitivity value x 0.05, at least 1), start, motion per poll, polls, where the cursor ends.
    const std::tuple<int32_t, int32_t, int32_t, int32_t, int32_t, int, int32_t, int32_t> cases[] = {
        {0, 10, 10, -7, 7, 1, 3, 17},
        {20, 10, 10, 3, -3, 1, 13, 7},
        {19, 10, 10, 3, -3, 1, 13, 7},
        {30, 10, 10, 1, -1, 1, 11, 9}, // 1.5
        {30, 0, 10, 1, 0, 10, 10, 10}, // the fraction is dropped at every poll, never carried
        {27, 100, 100, 10, -10, 1, 113, 87}, // 1.35
        {100, 500, 500, -1, 1, 1, 495, 505}, // 5.0
        {100, 0, 0, 200, 200, 1, 799, 599},
        {40, 797, 597, 1, 1, 1, 799, 599},
        {40, 1, 1, -1, -1, 1, 0, 0},
        // The largest factor an options file gives (about 1e8): the step is cut before it turns
        // into an integer, either way.
        {std::numeric_limits<int32_t>::max(), 400, 300, 100, -100, 1, 799, 0},
    };
    for (const auto& [option, startX, startY, dx, dy, polls, x, y] : cases) {
        MouseRig rig(CMouse::SensitivityFromOption(option), startX, startY);
        for (int poll = 0; poll < polls; ++poll) {
            rig.control->Move(dx, dy);
            EXPECT_TRUE(rig.mouse.Poll());
        }
        EXPECT_EQ((std::pair{rig.mouse.x, rig.mouse.y}), (std::pair{x, y}))
            << "option " << option << " from " << startX << "," << startY;
    }
}

TEST(MouseTest, LostInputIsAcquiredAgainAndFailedReadsLeaveEverythingUp)
{
    // Forced read and acquire results; acquire and read calls made; whether the state arrived.
    const std::tuple<std::deque<R>, std::deque<R>, int, int, bool> cases[] = {
        {{}, {}, 0, 1, true}, // read at once
        {{R::InputLost}, {R::Ok}, 1, 2, true}, // acquired and read again
        {{R::InputLost}, {R::InputLost, R::InputLost, R::Ok}, 3, 2, true},
        {{R::InputLost, R::InputLost}, {R::Denied}, 1, 2, false},
        {{R::InputLost, R::NotAcquired}, {R::Ok}, 1, 2, false},
        {{R::NotAcquired}, {}, 0, 1, false}, // only lost input is acquired again
        {{R::InputLost, R::InputLost}, std::deque<R>(100, R::InputLost), 16, 2, false}, // gives up
    };
    const std::array<uint8_t, 4> held = {0x80, 0x80, 0, 0x80};
    int row = 0;
    for (const auto& [reads, acquires, acquireCalls, readCalls, delivered] : cases) {
        MouseRig rig(1.0f, 50, 0);
        rig.control->acquireCalls = 0;
        rig.control->forcedReads = reads;
        rig.control->forcedAcquires = acquires;
        rig.control->Move(5, 6);
        for (size_t button = 0; button < 4; ++button) {
            rig.control->SetButton(button, held[button] != 0);
        }
        rig.mouse.Poll();
        const bool down = rig.mouse.IsButtonDown(1) && !rig.mouse.IsButtonDown(2) && !rig.mouse.IsButtonDown(4);
        EXPECT_EQ(std::tuple(rig.control->acquireCalls, rig.control->readCalls, rig.mouse.buttons, down, rig.mouse.x),
            std::tuple(
                acquireCalls, readCalls, delivered ? held : std::array<uint8_t, 4>{}, delivered, delivered ? 55 : 50))
            << "row " << row++;
    }
}

TEST(KeyboardTest, KeysAreDownWhileTheHighBitIsSetAndUpWhenReadsFail)
{
    // Forced read results, acquire calls made, whether the keys arrived.
    const std::tuple<std::deque<R>, int, bool> cases[] = {
        {{}, 0, true},
        {{R::InputLost}, 1, true},
        {{R::NotAcquired}, 0, true}, // read again without acquiring
        {{R::InputLost, R::InputLost}, 1, false},
        {{R::NotAcquired, R::NotAcquired}, 0, false},
    };
    int row = 0;
    for (const auto& [reads, acquireCalls, delivered] : cases) {
        auto control = std::make_shared<platform::FakeKeyboardControl>();
        CKeyboard keyboard;
        keyboard.SetDevice(std::make_unique<platform::CFakeKeyboardDevice>(control));
        keyboard.Acquire();
        control->SetKey(DIK_F12, true);
        control->SetKey(DIK_SPACE, true);
        keyboard.Poll(); // both held when the trouble starts
        control->SetKey(DIK_F12, false);
        control->keys[DIK_A] = 0x7F; // no high bit: not down
        control->acquireCalls = 0;
        control->forcedReads = reads;
        keyboard.Poll();
        // Released, without the high bit, or outside 0..255: not down.
        const bool othersUp = !keyboard.IsKeyDown(DIK_F12) && !keyboard.IsKeyDown(DIK_A) && !keyboard.IsKeyDown(-1)
            && !keyboard.IsKeyDown(256) && !keyboard.IsKeyDown(100000);
        EXPECT_EQ(std::tuple(control->acquireCalls, keyboard.IsKeyDown(DIK_SPACE), othersUp),
            std::tuple(acquireCalls, delivered, true))
            << "row " << row++;
    }
}
