// A check box under a held mouse button on a fake clock, drawn each time.
#include "gui/CheckBox.h"

#include "WidgetRig.h"

using namespace widget_test;

// Toggles at 0, 500, 1000 and 1500 ms with a sound each, also across the wrap
// of the tick counter; the picture of the state at the box's corner.
TEST(CheckBoxTest, AHeldBoxAlternatesEveryHalfSecondWithItsSoundAndPicture)
{
    constexpr Rgb kOff{200, 30, 30}, kOn{30, 30, 200};
    for (const uint32_t start : {100000u, 0xFFFFFE80u}) {
        CWidgetRig rig;
        rig.clock->Set(start);
        CSound* sound = nullptr;
        CCheckBox box(20, 40, 45, 65, rig.Solid(25, 25, kOff), rig.Solid(25, 25, kOn), rig.Sound(&sound));
        std::vector<uint32_t> toggles;
        for (uint32_t t = 0; t <= 1600; t += 10, rig.clock->Advance(10)) {
            const bool before = box.checked;
            box.Toggle(&rig.sounds);
            EXPECT_EQ(rig.TakePlayed(sound), box.checked != before) << t;
            toggles.insert(toggles.end(), box.checked != before ? 1 : 0, t);
            if (t % 250 == 0) {
                rig.Clear();
                box.Draw(rig.display.get(), 0, 125);
                EXPECT_EQ(rig.BoundsOf(box.checked ? kOn : kOff), (SBounds{20, 165, 45, 190})) << t;
                EXPECT_EQ(rig.BoundsOf(box.checked ? kOff : kOn), SBounds{});
            }
        }
        EXPECT_EQ(toggles, (std::vector<uint32_t>{0, 500, 1000, 1500})) << start;
        EXPECT_FALSE(box.checked);
    }
}
