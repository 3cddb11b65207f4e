// The cursor arithmetic (scaled, truncated, clamped motion), the button bytes
// and the recovery from lost input, driven through a fake device.
#include "media/Mouse.h"
#include "platform/InputFake.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <memory>

using platform::InputResult;

namespace {

struct MouseRig {
    std::shared_ptr<platform::FakeMouseControl> control = std::make_shared<platform::FakeMouseControl>();
    CMouse mouse;

    MouseRig()
    {
        mouse.SetDevice(std::make_unique<platform::CFakeMouseDevice>(control));
        mouse.Acquire();
        mouse.SetBounds(800, 600);
    }
};

} // namespace

TEST(MouseTest, MotionIsScaledTruncatedTowardZeroAndClampedToThePicture)
{
    struct Case {
        float sensitivity;
        int32_t startX, startY;
        int32_t dx, dy;
        int32_t x, y;
    } cases[] = {
        {1.0f, 10, 10, -7, 7, 3, 17},
        {1.0f, 3, 3, -7, -7, 0, 0},
        {1.5f, 10, 10, 1, -1, 11, 9},
        {1.5f, 10, 10, 3, -3, 14, 6},
        {1.35f, 100, 100, 10, -10, 113, 87},
        {1.35f, 100, 100, 1, -1, 101, 99},
        {1.35f, 100, 100, 3, -3, 104, 96},
        {5.0f, 500, 500, -1, 1, 495, 505},
        {5.0f, 0, 0, 200, 200, 799, 599},
        {2.0f, 799, 599, 5, 5, 799, 599},
        {2.0f, 797, 597, 1, 1, 799, 599},
        {2.0f, 1, 1, -1, -1, 0, 0},
        {1.0f, 0, 0, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        MouseRig rig;
        rig.mouse.sensitivity = c.sensitivity;
        rig.mouse.x = c.startX;
        rig.mouse.y = c.startY;
        rig.control->Move(c.dx, c.dy);
        EXPECT_TRUE(rig.mouse.Poll());
        EXPECT_EQ(rig.mouse.x, c.x) << "sensitivity " << c.sensitivity << " dx " << c.dx << " from " << c.startX;
        EXPECT_EQ(rig.mouse.y, c.y) << "sensitivity " << c.sensitivity << " dy " << c.dy << " from " << c.startY;
        EXPECT_EQ(rig.mouse.dx, c.dx);
        EXPECT_EQ(rig.mouse.dy, c.dy);
    }
}

TEST(MouseTest, FractionsAreDroppedAtEveryPollNotCarried)
{
    MouseRig rig;
    rig.mouse.sensitivity = 1.5f;
    for (int poll = 0; poll < 10; ++poll) {
        rig.control->Move(1, 0);
        rig.mouse.Poll();
    }
    EXPECT_EQ(rig.mouse.x, 10);
}

TEST(MouseTest, MotionIsConsumedOnceWhenTheFramePollsTwice)
{
    MouseRig rig;
    rig.control->Move(12, 5);
    rig.mouse.Poll();
    rig.mouse.Poll();
    EXPECT_EQ(rig.mouse.x, 12);
    EXPECT_EQ(rig.mouse.y, 5);
    EXPECT_EQ(rig.mouse.dx, 0);
}

TEST(MouseTest, BoundsAreInclusive)
{
    struct Case {
        int32_t width, height;
        int32_t maxX, maxY;
    } cases[] = {{800, 600, 799, 599}, {1, 1, 0, 0}, {640, 480, 639, 479}};
    for (const Case& c : cases) {
        MouseRig rig;
        rig.mouse.SetBounds(c.width, c.height);
        rig.control->Move(100000, 100000);
        rig.mouse.Poll();
        EXPECT_EQ(rig.mouse.x, c.maxX);
        EXPECT_EQ(rig.mouse.y, c.maxY);
        rig.control->Move(-100000, -100000);
        rig.mouse.Poll();
        EXPECT_EQ(rig.mouse.x, 0);
        EXPECT_EQ(rig.mouse.y, 0);
    }
    // A fresh mouse, before the application gives it the picture's size.
    CMouse fresh;
    fresh.SetDevice(std::make_unique<platform::CFakeMouseDevice>(std::make_shared<platform::FakeMouseControl>()));
    EXPECT_EQ(fresh.MaxX(), 1000);
    EXPECT_EQ(fresh.MaxY(), 1000);
    EXPECT_EQ(fresh.x, 0);
    EXPECT_EQ(fresh.sensitivity, 1.0f);
}

TEST(MouseTest, ExtremeMotionAndSensitivityStayInBounds)
{
    const float sensitivities[]
        = {5.0f, 1.0e30f, std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN()};
    const int32_t motions[] = {std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::min(), 1, -1};
    for (float sensitivity : sensitivities) {
        for (int32_t motion : motions) {
            MouseRig rig;
            rig.mouse.x = 400;
            rig.mouse.y = 300;
            rig.mouse.sensitivity = sensitivity;
            rig.control->Move(motion, motion);
            rig.mouse.Poll();
            EXPECT_GE(rig.mouse.x, 0);
            EXPECT_LE(rig.mouse.x, 799);
            EXPECT_GE(rig.mouse.y, 0);
            EXPECT_LE(rig.mouse.y, 599);
        }
    }
}

TEST(MouseTest, ButtonBytesFollowTheDevice)
{
    struct Case {
        bool left, right, middle, fourth;
    } cases[] = {{false, false, false, false}, {true, false, false, false}, {false, true, false, false},
        {false, false, true, true}, {true, true, true, true}};
    for (const Case& c : cases) {
        MouseRig rig;
        const bool held[4] = {c.left, c.right, c.middle, c.fourth};
        for (size_t i = 0; i < 4; ++i) {
            rig.control->SetButton(i, held[i]);
        }
        rig.mouse.Poll();
        for (size_t i = 0; i < 4; ++i) {
            EXPECT_EQ(rig.mouse.buttons[i], held[i] ? 0x80 : 0) << "button " << i;
            EXPECT_EQ(rig.mouse.IsButtonDown(i), held[i]) << "button " << i;
        }
        EXPECT_FALSE(rig.mouse.IsButtonDown(4));
    }
}

TEST(MouseTest, LostInputIsAcquiredAgainAndFailedReadsLeaveEverythingUp)
{
    using R = InputResult;
    struct Case {
        const char* name;
        std::deque<R> reads;
        std::deque<R> acquires;
        int acquireCalls;
        int readCalls;
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
        MouseRig rig;
        rig.mouse.x = 50;
        rig.control->acquireCalls = 0;
        rig.control->forcedReads = c.reads;
        rig.control->forcedAcquires = c.acquires;
        rig.control->Move(5, 6);
        rig.control->SetButton(0, true);
        rig.mouse.Poll();
        EXPECT_EQ(rig.control->acquireCalls, c.acquireCalls) << c.name;
        EXPECT_EQ(rig.control->readCalls, c.readCalls) << c.name;
        EXPECT_EQ(rig.mouse.IsButtonDown(0), c.delivered) << c.name;
        EXPECT_EQ(rig.mouse.dx, c.delivered ? 5 : 0) << c.name;
        EXPECT_EQ(rig.mouse.x, c.delivered ? 55 : 50) << c.name;
    }
}

TEST(MouseTest, SensitivityFromTheOptionsValue)
{
    struct Case {
        int32_t value;
        float factor;
    } cases[] = {{0, 1.0f}, {10, 1.0f}, {19, 1.0f}, {20, 1.0f}, {27, 1.35f}, {40, 2.0f}, {100, 5.0f}, {-5, 1.0f}};
    for (const Case& c : cases) {
        EXPECT_FLOAT_EQ(CMouse::SensitivityFromOption(c.value), c.factor) << c.value;
    }
}
