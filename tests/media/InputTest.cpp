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

    MouseRig(float sensitivity = 1.0f, int32_t x = 0, int32_t y = 0)
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

TEST(InputTest, CreatesAcquiresAndReleasesTheDevicesPerDisplayMode)
{
    for (const auto access : {platform::MouseAccess::Exclusive, platform::MouseAccess::Shared}) {
        auto system = std::make_unique<platform::CFakeInputSystem>();
        auto mouseControl = system->mouse;
        auto keyboardControl = system->keyboard;
        mouseControl->foreground = false; // the focus arrives after creation
        {
            CInput input;
            CMouse mouse;
            CKeyboard keyboard;
            EXPECT_FALSE(input.CreateKeyboard(&keyboard)) << "no input system yet";
            ASSERT_TRUE(input.Create(nullptr, std::move(system)));
            ASSERT_TRUE(input.CreateMouse(&mouse, nullptr, access));
            ASSERT_TRUE(input.CreateKeyboard(&keyboard));
            EXPECT_EQ(mouseControl->access, access);
            EXPECT_FALSE(mouseControl->acquired);
            EXPECT_TRUE(keyboardControl->acquired);
            mouseControl->foreground = true;
            mouseControl->Move(30, 40);
            mouseControl->SetButton(1, true);
            keyboardControl->SetKey(DIK_F5, true);
            mouse.Poll();
            keyboard.Poll();
            EXPECT_EQ(mouse.x, 30);
            EXPECT_EQ(mouse.y, 40);
            EXPECT_TRUE(mouse.IsButtonDown(1));
            EXPECT_TRUE(keyboard.IsKeyDown(DIK_F5));
        }
        EXPECT_TRUE(mouseControl->released && keyboardControl->released);
        EXPECT_FALSE(mouseControl->acquired || keyboardControl->acquired);
    }
}

TEST(MouseTest, MotionIsScaledTruncatedAndClampedToThePictureInclusive)
{
    struct Case {
        float sensitivity;
        int32_t startX, startY, dx, dy, x, y;
    } cases[] = {
        {1.0f, 10, 10, -7, 7, 3, 17},
        {1.5f, 10, 10, 1, -1, 11, 9},
        {1.5f, 10, 10, 3, -3, 14, 6},
        {1.35f, 100, 100, 10, -10, 113, 87},
        {1.35f, 100, 100, 3, -3, 104, 96},
        {5.0f, 500, 500, -1, 1, 495, 505},
        {5.0f, 0, 0, 200, 200, 799, 599},
        {2.0f, 797, 597, 1, 1, 799, 599},
        {2.0f, 799, 599, 5, 5, 799, 599},
        {2.0f, 1, 1, -1, -1, 0, 0},
        {1.0f, 3, 3, -7, -7, 0, 0},
    };
    for (const Case& c : cases) {
        MouseRig rig(c.sensitivity, c.startX, c.startY);
        rig.control->Move(c.dx, c.dy);
        EXPECT_TRUE(rig.mouse.Poll());
        EXPECT_EQ((std::pair{rig.mouse.x, rig.mouse.y}), (std::pair{c.x, c.y}))
            << "sensitivity " << c.sensitivity << " by " << c.dx << "," << c.dy << " from " << c.startX << ","
            << c.startY;
        EXPECT_EQ((std::pair{rig.mouse.dx, rig.mouse.dy}), (std::pair{c.dx, c.dy}));
    }
    // The fraction is dropped at every poll, never carried.
    MouseRig rig(1.5f);
    for (int poll = 0; poll < 10; ++poll) {
        rig.control->Move(1, 0);
        rig.mouse.Poll();
    }
    EXPECT_EQ(rig.mouse.x, 10);
    // A one-pixel picture holds the cursor at 0.
    rig.mouse.SetBounds(1, 1);
    rig.control->Move(5, 5);
    rig.mouse.Poll();
    EXPECT_EQ((std::pair{rig.mouse.x, rig.mouse.y}), (std::pair{0, 0}));
}

TEST(MouseTest, ExtremeMotionAndSensitivityStayInBounds)
{
    const float sensitivities[]
        = {5.0f, 1.0e30f, std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN()};
    const int32_t motions[] = {std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::min(), 1, -1};
    for (const float sensitivity : sensitivities) {
        for (const int32_t motion : motions) {
            MouseRig rig(sensitivity, 400, 300);
            rig.control->Move(motion, motion);
            rig.mouse.Poll();
            EXPECT_TRUE(rig.mouse.x >= 0 && rig.mouse.x <= 799 && rig.mouse.y >= 0 && rig.mouse.y <= 599)
                << sensitivity << " x " << motion << ": " << rig.mouse.x << "," << rig.mouse.y;
        }
    }
}

TEST(MouseTest, LostInputIsAcquiredAgainAndFailedReadsLeaveEverythingUp)
{
    struct Case {
        const char* name;
        std::deque<R> reads, acquires;
        int acquireCalls, readCalls;
        bool delivered;
    } cases[] = {
        {"plain read", {}, {}, 0, 1, true},
        {"lost, acquired, read again", {R::InputLost}, {R::Ok}, 1, 2, true},
        {"acquire reports lost twice", {R::InputLost}, {R::InputLost, R::InputLost, R::Ok}, 3, 2, true},
        {"acquire refused", {R::InputLost, R::InputLost}, {R::Denied}, 1, 2, false},
        {"second read fails", {R::InputLost, R::NotAcquired}, {R::Ok}, 1, 2, false},
        {"not acquired is not retried", {R::NotAcquired}, {}, 0, 1, false},
        {"acquire lost forever gives up", {R::InputLost, R::InputLost}, std::deque<R>(100, R::InputLost), 16, 2, false},
    };
    for (const Case& c : cases) {
        MouseRig rig(1.0f, 50);
        rig.control->acquireCalls = 0;
        rig.control->forcedReads = c.reads;
        rig.control->forcedAcquires = c.acquires;
        rig.control->Move(5, 6);
        for (size_t button = 0; button < 4; ++button) {
            rig.control->SetButton(button, button != 2);
        }
        rig.mouse.Poll();
        EXPECT_EQ(rig.control->acquireCalls, c.acquireCalls) << c.name;
        EXPECT_EQ(rig.control->readCalls, c.readCalls) << c.name;
        const std::array<uint8_t, 4> held = {0x80, 0x80, 0, 0x80};
        EXPECT_EQ(rig.mouse.buttons, (c.delivered ? held : std::array<uint8_t, 4>{})) << c.name;
        EXPECT_EQ(rig.mouse.IsButtonDown(1), c.delivered) << c.name;
        EXPECT_FALSE(rig.mouse.IsButtonDown(2) || rig.mouse.IsButtonDown(4)) << c.name;
        EXPECT_EQ(rig.mouse.x, c.delivered ? 55 : 50) << c.name;
    }
}

TEST(MouseTest, SensitivityFromTheOptionsValue)
{
    const std::pair<int32_t, float> cases[]
        = {{0, 1.0f}, {19, 1.0f}, {20, 1.0f}, {27, 1.35f}, {40, 2.0f}, {100, 5.0f}, {-5, 1.0f}};
    for (const auto& [value, factor] : cases) {
        EXPECT_FLOAT_EQ(CMouse::SensitivityFromOption(value), factor) << value;
    }
}

TEST(KeyboardTest, KeysAreDownWhileTheHighBitIsSetAndUpWhenReadsFail)
{
    struct Case {
        const char* name;
        std::deque<R> reads;
        int acquireCalls, readCalls;
        bool delivered;
    } cases[] = {
        {"plain read", {}, 0, 1, true},
        {"lost, acquired, read again", {R::InputLost}, 1, 2, true},
        {"other failure read again without acquiring", {R::NotAcquired}, 0, 2, true},
        {"both reads fail", {R::InputLost, R::InputLost}, 1, 2, false},
        {"both reads fail, not acquired", {R::NotAcquired, R::NotAcquired}, 0, 2, false},
    };
    for (const Case& c : cases) {
        auto control = std::make_shared<platform::FakeKeyboardControl>();
        CKeyboard keyboard;
        keyboard.SetDevice(std::make_unique<platform::CFakeKeyboardDevice>(control));
        keyboard.Acquire();
        control->SetKey(DIK_F12, true);
        control->SetKey(DIK_SPACE, true);
        keyboard.Poll(); // both held when the trouble starts
        control->SetKey(DIK_F12, false);
        control->SetKey(DIK_LSHIFT, true);
        control->keys[DIK_A] = 0x7F; // no high bit: not down
        control->acquireCalls = 0;
        control->readCalls = 0;
        control->forcedReads = c.reads;
        keyboard.Poll();
        EXPECT_EQ(control->acquireCalls, c.acquireCalls) << c.name;
        EXPECT_EQ(control->readCalls, c.readCalls) << c.name;
        EXPECT_EQ(keyboard.IsKeyDown(DIK_SPACE), c.delivered) << c.name;
        EXPECT_EQ(keyboard.IsKeyDown(DIK_LSHIFT), c.delivered) << c.name;
        for (const int code : {int{DIK_F12}, int{DIK_A}, -1, 256, 100000}) {
            EXPECT_FALSE(keyboard.IsKeyDown(code)) << c.name << ": " << code;
        }
    }
}
