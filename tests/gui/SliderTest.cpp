// The options page's slider ((175, 100)-(375, 125), a 200 x 25 bar and a
// 25 x 25 knob: 175 pixels of travel) under synthetic mouse positions, the
// knob found on the back buffer.
#include "gui/Slider.h"

#include "WidgetRig.h"

using namespace widget_test;

namespace {

constexpr Rgb kKnob{230, 200, 60};

struct SliderRig : CWidgetRig {
    CSlider slider{175, 100, 375, 125, Solid(200, 25, {70, 50, 30}), Solid(25, 25, kKnob)};

    // The knob's left edge relative to the slider, as drawn.
    int32_t KnobDrawnAt()
    {
        Clear();
        slider.Draw(display.get(), 0, 125);
        return BoundsOf(kKnob) == SBounds{} ? -1 : BoundsOf(kKnob).left - 175;
    }
};

} // namespace

// A slider never given a value has its knob at 10; a drag that starts on the
// knob follows the pointer to either end; values set are read back.
TEST(SliderTest, ADragFromTheKnobAndValuesSetPlaceTheKnobAndAreReadBack)
{
    SliderRig rig;
    // Pointer, button, the knob's position afterwards, the value then.
    const std::tuple<int32_t, int32_t, bool, int32_t, int32_t> steps[] = {
        {185, 112, true, 10, 6}, // on the knob's left edge column: not on the knob
        {250, 112, true, 10, 6}, // on the bar away from the knob
        {195, 112, true, 20, 12}, // on the knob: the drag starts, the left edge jumps to the pointer
        {176, 112, true, 1, 1}, // the far left
        {100, 112, true, 1, 1}, // outside the rectangle the knob holds
        {374, 124, true, 175, 100}, // back inside, the far right
        {300, 112, true, 125, 72},
        {500, 112, false, 125, 72}, // released outside: still dragging
        {280, 112, true, 105, 61},
        {300, 112, false, 105, 61}, // released over the slider
        {200, 112, true, 105, 61},
    };
    for (const auto& [x, y, down, position, value] : steps) {
        rig.slider.HandleMouse(x, y, down);
        EXPECT_EQ(rig.KnobDrawnAt(), position) << x << ", " << y << (down ? " down" : " up");
        EXPECT_EQ(rig.slider.GetValue(), value) << x;
    }

    // Value set, knob position, value read back.
    const std::tuple<int32_t, int32_t, int32_t> cases[]
        = {{20, 34, 20}, {100, 174, 100}, {0, 0, 1}, {150, 174, 100}, {-5, 0, 1}, {50, 87, 50}};
    for (const auto& [set, position, read] : cases) {
        rig.slider.SetValue(set);
        EXPECT_EQ(rig.KnobDrawnAt(), position) << set;
        EXPECT_EQ(rig.slider.GetValue(), read) << set;
    }
    for (int32_t value = 1; value <= 100; ++value) {
        rig.slider.SetValue(value);
        EXPECT_EQ(rig.slider.GetValue(), value);
    }
}
