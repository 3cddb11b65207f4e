// The rules page's scroll bar ((490, 10)-(515, 465), 24-pixel lines,
// positions 0 to 30, 25 x 25 arrows and thumb, a 25 x 100 bar) on a page at
// (0, 125), frame by frame on a fake clock, read back from the drawn thumb.
#include "gui/TextArea.h"

#include "WidgetRig.h"

using namespace widget_test;

namespace {

constexpr Rgb kThumb{200, 180, 40}, kUpPushed{120, 250, 120}, kDownPushed{120, 120, 250};
constexpr int32_t kBarX = 527, kUpY = 20, kDownY = 455;
constexpr int32_t kThumbStart = 125 + 35; // where the thumb's travel starts on the back buffer

struct AreaRig : CWidgetRig {
    CSound* step = nullptr;
    CTextArea area;

    AreaRig()
        : area(490, 10, 515, 465, 24, 30, Solid(25, 100, {90, 90, 40}), Solid(25, 25, kThumb),
            Solid(25, 25, {20, 200, 20}), Solid(25, 25, {20, 20, 200}), Solid(25, 25, kUpPushed),
            Solid(25, 25, kDownPushed), Sound(&step))
    {
        Draw();
    }

    void Draw()
    {
        Clear();
        area.Draw(display.get(), fonts.get(), 0, 125);
    }
};

} // namespace

// A = 405, S = 16 / 30, bar scale 405 / 455 x 24: the thumb is 53 pixels long
// (drawn 54) and moves 11.39 pixels per line. 10 ms frames with an arrow
// held: a step per 210 ms with its sound and pushed look, none at the ends.
TEST(TextAreaTest, HeldArrowsAndDragsScrollLineByLineWithinTheRangeAndMoveTheThumb)
{
    AreaRig rig;
    std::vector<int32_t> thumbTops;
    for (const auto& [y, end, steps] : {std::tuple{kUpY, 0, 0}, {kDownY, 30, 30}, {kUpY, 0, 30}}) {
        std::vector<int> stepTimes;
        for (int t = 0; t < 7000; t += 10, rig.clock->Advance(10)) {
            rig.area.HandleMouse(&rig.sounds, kBarX, y, true);
            rig.Draw();
            if (rig.TakePlayed(rig.step)) {
                stepTimes.push_back(t);
                EXPECT_NE(rig.BoundsOf(y == kUpY ? kUpPushed : kDownPushed), SBounds{}) << t;
                thumbTops.push_back(rig.BoundsOf(kThumb).top - kThumbStart);
                EXPECT_EQ(rig.BoundsOf(kThumb).bottom - rig.BoundsOf(kThumb).top, 54);
            }
        }
        EXPECT_EQ(rig.area.Position(), end);
        ASSERT_EQ(static_cast<int>(stepTimes.size()), steps) << y;
        EXPECT_TRUE(steps == 0 || stepTimes[1] - stepTimes[0] == 210);
        rig.area.HandleMouse(&rig.sounds, kBarX, y, false);
    }
    // Thumb tops after 1, 2, 10 and 30 lines, and back at 29 and 0.
    EXPECT_EQ((std::vector{thumbTops[0], thumbTops[1], thumbTops[9], thumbTops[29], thumbTops[30], thumbTops[59]}),
        (std::vector{11, 22, 113, 341, 330, 0}));

    // A drag from the thumb reaches both ends and follows an arrow step after
    // 200 ms. Pointer y (screen-relative), button, milliseconds to wait
    // first, position afterwards.
    const std::tuple<int32_t, bool, uint32_t, int32_t> steps[] = {
        {60, true, 0, 0}, // grab: the thumb spans 35 < y < 88
        {439, true, 0, 30}, // the band's last pixel: 35.4 lines, clamped
        {440, true, 0, 30}, // the band's end: the drag holds
        {36, true, 0, 0},
        {kDownY, true, 0, 1}, // onto the down arrow: a step, the grab still held
        {200, true, 200, 1}, // the step holds the drag off for 200 ms
        {200, true, 1, 14}, // 165 pixels into the bar: 14.5 lines
        {300, false, 0, 14}, // released
        {300, true, 300, 14}, // a press on the bar off the thumb does not drag
        {350, true, 0, 14},
    };
    for (const auto& [y, down, wait, position] : steps) {
        rig.clock->Advance(wait);
        rig.area.HandleMouse(&rig.sounds, kBarX, y, down);
        EXPECT_EQ(rig.area.Position(), position) << y;
    }
}
