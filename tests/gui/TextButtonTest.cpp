// Text buttons frame by frame on a fake clock: the strict inside test, press,
// report and lock-out timing (also across the wrap of the tick counter), and
// the two looks with their caption rectangles on the back buffer.
#include "gui/TextButton.h"

#include "WidgetRig.h"

using namespace widget_test;

TEST(TextButtonTest, OnlyPointsStrictlyInsideAreOnTheButton)
{
    const CTextButton button(100, 200, 250, 245, nullptr, nullptr, "Play", true);
    const std::tuple<int32_t, int32_t, bool> points[] = {{101, 201, true}, {249, 244, true}, {100, 222, false},
        {250, 222, false}, {175, 200, false}, {175, 245, false}, {251, 246, false}};
    for (const auto& [x, y, inside] : points) {
        EXPECT_EQ(button.Contains(x, y), inside) << x << ", " << y;
    }
}

// Held for 1.1 s, a frame per millisecond, the owner taking clicks as every
// screen does: presses (sounds) at 0, 501 and 1002, clicks 251 ms after each;
// a press is ignored through the lock-out even once its click was taken.
TEST(TextButtonTest, AHeldButtonClicksOncePerLockOutAndReportsAQuarterSecondLater)
{
    for (const uint32_t start : {100000u, 0xFFFFFF00u, 0xFFFFFC00u, 0xFFFFFFFFu}) {
        CWidgetRig rig;
        rig.clock->Set(start);
        CSound* sound = nullptr;
        CTextButton button(0, 0, 100, 40, nullptr, rig.Sound(&sound), "Ok", true);
        std::vector<uint32_t> presses, clicks;
        for (uint32_t t = 0; t <= 1100; ++t, rig.clock->Advance(1)) {
            button.Press(&rig.sounds);
            presses.insert(presses.end(), rig.TakePlayed(sound) ? 1 : 0, t);
            clicks.insert(clicks.end(), button.TakeClick() ? 1 : 0, t);
        }
        EXPECT_EQ(presses, (std::vector<uint32_t>{0, 501, 1002})) << start;
        EXPECT_EQ(clicks, (std::vector<uint32_t>{251, 752})) << start;
    }
}

// Rectangle (100, 200)-(250, 245) on a screen at (0, 125): w 150, h 45, h / 2
// = 22; the caption "A" is a 16 x 32 glyph of font 3, centred in its line.
TEST(TextButtonTest, AnUnconsumedButtonStaysDrawnPressedShiftedAndLarger)
{
    const std::tuple<bool, bool, SBounds, int32_t> cases[] = {
        {true, false, {100, 325, 250, 370}, 325 + 22 - 15},
        {true, true, {105, 330, 260, 380}, 325 + 22 - 10},
        {false, false, {100, 325, 250, 370}, 325 + 15},
        {false, true, {105, 330, 260, 380}, 325 + 20},
    };
    for (const auto& [centred, press, sprite, captionTop] : cases) {
        CWidgetRig rig;
        constexpr Rgb kColour{40, 160, 90};
        CTextButton button(100, 200, 250, 245, rig.Solid(150, 45, kColour), rig.Sound(), "A", centred);
        if (press) {
            button.Press(&rig.sounds);
            rig.clock->Advance(10000); // nobody takes the click
        }
        button.Draw(rig.display.get(), rig.fonts.get(), 0, 125);
        const int32_t glyphLeft = sprite.left + (150 - 16) / 2;
        EXPECT_EQ(rig.BoundsOf(kColour), sprite) << centred << press;
        EXPECT_EQ(rig.BoundsOf(GlyphColour('A')), (SBounds{glyphLeft, captionTop, glyphLeft + 16, captionTop + 32}));
        const media::STextBox box = button.CaptionBox(0, 125);
        EXPECT_EQ((SBounds{box.left, box.top, box.right, box.bottom}),
            (SBounds{sprite.left, captionTop, sprite.left + 150, 370 + (press ? 5 : 0)}));
    }
}
