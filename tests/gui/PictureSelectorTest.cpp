// The options page's backdrop selector ((65, 340)-(265, 440), 50 x 50 arrows)
// stepped through its circular list by arrow clicks on a fake clock, its
// slide checked pixel by pixel on the back buffer.
#include "gui/PictureSelector.h"

#include "WidgetRig.h"

using namespace widget_test;

namespace {

constexpr Rgb kRightArrow{60, 60, 200};
constexpr int32_t kLeftX = 90, kRightX = 240, kArrowY = 390;
constexpr int32_t L = 115, T = 340; // a 100 x 50 picture, centred

// Picture n's pixel (x, y): every pixel of every picture differs.
Rgb PictureColour(int n, int32_t x, int32_t y)
{
    return {static_cast<uint8_t>(8 + x), static_cast<uint8_t>(8 + y), static_cast<uint8_t>(40 * (n + 1))};
}

struct SelectorRig : CWidgetRig {
    CSound* leftSound = nullptr;
    CSound* rightSound = nullptr;
    CPictureSelector selector{65, 340, 265, 440, Solid(50, 50, {200, 60, 60}), Solid(50, 50, kRightArrow),
        Sound(&leftSound), Sound(&rightSound)};

    // Pictures "P0" ... added in that order: the last added is in front and current.
    explicit SelectorRig(int count)
    {
        for (int n = 0; n < count; ++n) {
            selector.AddEntry(Picture(100, 50, [n](int32_t x, int32_t y) { return PictureColour(n, x, y); }), nullptr,
                "P" + std::to_string(n));
        }
    }

    void Draw()
    {
        Clear();
        selector.Draw(display.get(), fonts.get(), 0, 0);
    }

    // A click as the container gives it; the draw after the report time takes
    // it and starts the slide.
    void Click(int32_t x)
    {
        selector.HandleMouse(&sounds, x, kArrowY, true);
        clock->Advance(CTextButton::kReportDelayMs);
        Draw();
        EXPECT_FALSE(selector.IsAnimating());
        clock->Advance(1);
        Draw();
    }

    // Picture n's (sx, sy) at (x, y), or the background for n < 0.
    bool Shows(int n, int32_t x, int32_t y, int32_t sx = 0, int32_t sy = 0)
    {
        return Pixel(x, y) == Raw(n < 0 ? kBackground : PictureColour(n, sx, sy));
    }
};

} // namespace

TEST(PictureSelectorTest, StepsWrapAroundTheCircularListAndClicksWaitForTheSlide)
{
    SelectorRig rig(3);
    rig.Draw();
    EXPECT_EQ(rig.BoundsOf(kRightArrow), (SBounds{215, 365, 265, 415}));
    EXPECT_TRUE(rig.selector.LeftButton().Contains(66, 366) && !rig.selector.LeftButton().Contains(115, 390));
    rig.selector.SelectByName("Nowhere");
    EXPECT_EQ(rig.selector.GetCurrentName(), "P2");
    EXPECT_TRUE(rig.Shows(2, L, T) && rig.Shows(2, L + 99, T + 49, 99, 49));
    // Entry made current (front to back: P2, P1, P0), arrow, entry after the step.
    const std::tuple<const char*, int32_t, const char*> cases[]
        = {{"P2", kRightX, "P1"}, {"P0", kRightX, "P2"}, {"P2", kLeftX, "P0"}, {"P1", kLeftX, "P2"}};
    for (const auto& [from, arrowX, to] : cases) {
        rig.selector.SelectByName(from);
        rig.Click(arrowX);
        EXPECT_EQ(rig.selector.GetCurrentName(), to) << from;
        EXPECT_TRUE(rig.TakePlayed(arrowX == kLeftX ? rig.leftSound : rig.rightSound));
        rig.clock->Advance(2000);
        rig.Draw();
    }

    // Arrow clicks are ignored while a slide runs. 100 pixels at 50 per
    // second: the slide from P2 ends after two seconds, on a frame that draws
    // no picture.
    rig.Click(kRightX);
    rig.TakePlayed(rig.rightSound);
    rig.clock->Advance(1000);
    rig.selector.HandleMouse(&rig.sounds, kLeftX, kArrowY, true);
    rig.selector.HandleMouse(&rig.sounds, kRightX, kArrowY, true);
    EXPECT_FALSE(rig.selector.RightButton().pressed || rig.selector.LeftButton().pressed);
    EXPECT_FALSE(rig.TakePlayed(rig.rightSound) || rig.TakePlayed(rig.leftSound));
    rig.clock->Advance(999);
    rig.Draw();
    EXPECT_TRUE(rig.selector.IsAnimating());
    rig.clock->Advance(1);
    rig.Draw();
    EXPECT_TRUE(!rig.selector.IsAnimating() && rig.Shows(-1, L, T));
    rig.Draw();
    EXPECT_TRUE(rig.Shows(1, L, T));
}

// 400 ms into a slide from P1: d = 20. Right to P0: P0's columns 0-19 at
// L + 80, P1's columns 20-98 at L. Left to P2: P2's columns 80-98 at L, P1's
// columns 0-78 at L + 20. The last row and column of each are left out.
TEST(PictureSelectorTest, TheSlideDrawsTheNewAndTheOldPictureFromTheirSourceRectangles)
{
    const std::tuple<int32_t, int32_t, int32_t, int, int32_t, int32_t> cases[] = {{kRightX, L + 80, T, 0, 0, 0},
        {kRightX, L + 99, T + 48, 0, 19, 48}, {kRightX, L + 99, T + 49, -1, 0, 0}, {kRightX, L, T, 1, 20, 0},
        {kRightX, L + 78, T + 48, 1, 98, 48}, {kRightX, L + 79, T, -1, 0, 0}, {kLeftX, L, T, 2, 80, 0},
        {kLeftX, L + 18, T + 48, 2, 98, 48}, {kLeftX, L + 19, T, -1, 0, 0}, {kLeftX, L + 20, T, 1, 0, 0},
        {kLeftX, L + 98, T + 48, 1, 78, 48}, {kLeftX, L + 99, T, -1, 0, 0}, {kLeftX, L + 50, T + 49, -1, 0, 0}};
    for (const auto& [arrowX, x, y, picture, sx, sy] : cases) {
        SelectorRig rig(3);
        rig.selector.SelectByName("P1");
        rig.Click(arrowX);
        rig.clock->Advance(400);
        rig.Draw();
        EXPECT_TRUE(rig.Shows(picture, x, y, sx, sy)) << arrowX << ": " << x << ", " << y;
    }
}

TEST(PictureSelectorTest, OneEntrySlidesOverItselfAndNoEntryStepsNowhere)
{
    for (const int32_t arrowX : {kLeftX, kRightX}) {
        SelectorRig rig(1);
        rig.Click(arrowX);
        rig.clock->Advance(600); // d = 30
        rig.Draw();
        const bool right = arrowX == kRightX;
        EXPECT_TRUE(rig.Shows(0, L + (right ? 70 : 0), T, right ? 0 : 70, 0)
            && rig.Shows(0, L + (right ? 0 : 30), T, right ? 30 : 0, 0));
        EXPECT_EQ(rig.selector.GetCurrentName(), "P0");
    }
    SelectorRig empty(0);
    empty.Click(kRightX);
    EXPECT_FALSE(empty.selector.IsAnimating());
    EXPECT_EQ(empty.selector.GetCurrentName(), std::nullopt);
    EXPECT_EQ(empty.BoundsOf(kRightArrow), (SBounds{215, 365, 265, 415}));
}
