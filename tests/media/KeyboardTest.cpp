// Key reads through a fake device: the key bytes, failed reads, Caps Lock.
#include "media/Keyboard.h"
#include "platform/InputFake.h"

#include <gtest/gtest.h>

#include <memory>

using platform::InputResult;

namespace {

struct KeyboardRig {
    std::shared_ptr<platform::FakeKeyboardControl> control = std::make_shared<platform::FakeKeyboardControl>();
    CKeyboard keyboard;

    KeyboardRig()
    {
        keyboard.SetDevice(std::make_unique<platform::CFakeKeyboardDevice>(control));
        keyboard.Acquire();
    }
};

} // namespace

TEST(KeyboardTest, IsKeyDownReadsTheHighBitOfTheLastPoll)
{
    KeyboardRig rig;
    rig.control->SetKey(DIK_F12, true);
    rig.control->SetKey(DIK_LSHIFT, true);
    rig.control->keys[DIK_A] = 0x01; // a stray low bit is not "down"
    rig.keyboard.Poll();
    struct Case {
        int code;
        bool down;
    } cases[] = {{DIK_F12, true}, {DIK_LSHIFT, true}, {DIK_A, false}, {DIK_F1, false}, {0, false}, {255, false},
        {-1, false}, {256, false}, {100000, false}};
    for (const Case& c : cases) {
        EXPECT_EQ(rig.keyboard.IsKeyDown(c.code), c.down) << c.code;
    }
    // Released keys read as up at the next poll.
    rig.control->SetKey(DIK_F12, false);
    rig.keyboard.Poll();
    EXPECT_FALSE(rig.keyboard.IsKeyDown(DIK_F12));
    EXPECT_TRUE(rig.keyboard.IsKeyDown(DIK_LSHIFT));
}

TEST(KeyboardTest, FailedReadsAreRetriedOnceAndThenLeaveEveryKeyUp)
{
    using R = InputResult;
    struct Case {
        const char* name;
        std::deque<R> reads;
        int acquireCalls;
        int readCalls;
        bool down;
    } cases[] = {
        {"plain read", {}, 0, 1, true},
        {"lost, acquired, read again", {R::InputLost}, 1, 2, true},
        {"other failure read again without acquiring", {R::NotAcquired}, 0, 2, true},
        {"both reads fail", {R::InputLost, R::InputLost}, 1, 2, false},
        {"both reads fail, not acquired", {R::NotAcquired, R::NotAcquired}, 0, 2, false},
    };
    for (const Case& c : cases) {
        KeyboardRig rig;
        rig.control->SetKey(DIK_SPACE, true);
        rig.keyboard.Poll(); // the key is held when the trouble starts
        rig.control->acquireCalls = 0;
        rig.control->readCalls = 0;
        rig.control->forcedReads = c.reads;
        rig.keyboard.Poll();
        EXPECT_EQ(rig.control->acquireCalls, c.acquireCalls) << c.name;
        EXPECT_EQ(rig.control->readCalls, c.readCalls) << c.name;
        EXPECT_EQ(rig.keyboard.IsKeyDown(DIK_SPACE), c.down) << c.name;
    }
}

TEST(KeyboardTest, CapsLockIsTheToggleNotTheKey)
{
    KeyboardRig rig;
    rig.control->capsLock = true;
    EXPECT_TRUE(rig.keyboard.IsCapsLockOn());
    rig.control->capsLock = false;
    rig.control->SetKey(DIK_CAPITAL, true);
    rig.keyboard.Poll();
    EXPECT_FALSE(rig.keyboard.IsCapsLockOn());

    CKeyboard unplugged;
    EXPECT_TRUE(unplugged.Poll());
    EXPECT_FALSE(unplugged.IsCapsLockOn());
    EXPECT_FALSE(unplugged.IsKeyDown(DIK_F12));
}
