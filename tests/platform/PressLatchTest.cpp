// A press and release between two frames still reads as down, in every read
// of the frame it is seen in and no longer after the next drain.
#include "platform/PressLatch.h"

#include <gtest/gtest.h>

namespace {

int LeftPress(const SDL_Event& event)
{
    return event.type == SDL_MOUSEBUTTONDOWN && event.button.button == SDL_BUTTON_LEFT ? 0 : -1;
}

void PushClick()
{
    for (Uint32 type : {SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP}) {
        SDL_Event event{};
        event.type = type;
        event.button.button = SDL_BUTTON_LEFT;
        ASSERT_EQ(SDL_PushEvent(&event), 1);
    }
}

void Drain()
{
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
    }
    platform::NoteEventDrain();
}

} // namespace

TEST(PressLatchTest, AQuickClickIsDownForEveryReadOfOneFrame)
{
    ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0);
    {
        platform::CPressLatch<1> latch{LeftPress};
        Drain();
        EXPECT_FALSE(latch.Take()[0]);

        PushClick();
        Drain();
        // The framework's poll and the screen's second poll of one frame.
        EXPECT_TRUE(latch.Take()[0]);
        EXPECT_TRUE(latch.Take()[0]);
        Drain();
        EXPECT_FALSE(latch.Take()[0]);

        // A press that arrives between reads of one frame joins it.
        EXPECT_FALSE(latch.Take()[0]);
        PushClick();
        EXPECT_TRUE(latch.Take()[0]);

        // Discarded presses never show.
        Drain();
        PushClick();
        latch.Discard();
        EXPECT_FALSE(latch.Take()[0]);

        // Other events press nothing.
        SDL_Event motion{};
        motion.type = SDL_MOUSEMOTION;
        SDL_PushEvent(&motion);
        Drain();
        EXPECT_FALSE(latch.Take()[0]);
    }
    SDL_Quit();
}
