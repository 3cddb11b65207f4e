// The painting kit's promises the pictures rely on: how a canvas pixel
// becomes a keyed picture pixel and which glyph a Latin-1 code draws.
#include "Fonts.h"
#include "GuiPaint.h"

#include <gtest/gtest.h>

namespace {

using namespace assets;

// One canvas pixel painted with cairo at a colour and coverage, converted.
SRgb Convert(double r, double g, double b, double alpha, gui::EKeyMode mode)
{
    CCanvas canvas(1, 1);
    cairo_set_source_rgba(canvas.Cr(), r, g, b, alpha);
    cairo_paint(canvas.Cr());
    return gui::FinishPicture(canvas, mode).At(0, 0);
}

TEST(FinishPicture, KeysOnlyWhatIsNotDrawn)
{
    struct SCase {
        double r, g, b, alpha;
        gui::EKeyMode mode;
        SRgb expected;
        const char* why;
    };
    using gui::EKeyMode;
    const SCase cases[] = {
        {1, 1, 1, 0.0, EKeyMode::Threshold, {0, 0, 0}, "nothing drawn stays the key"},
        {1, 1, 1, 0.45, EKeyMode::Threshold, {0, 0, 0}, "less than half covered is cut away"},
        {1, 0, 1, 0.6, EKeyMode::Threshold, {255, 0, 255}, "more than half covered shows at full colour"},
        {0, 0, 0, 1.0, EKeyMode::Threshold, {8, 8, 8}, "drawn black would be a hole"},
        {0, 0, 0, 1.0, EKeyMode::Blend, {8, 8, 8}, "drawn black would be a hole when blended too"},
        {0.01, 0.02, 0.0, 1.0, EKeyMode::Blend, {2, 8, 0}, "too dark for 15 bits is lifted"},
        {1, 1, 1, 0.5, EKeyMode::Blend, {128, 128, 128}, "blended edges fade toward black"},
        {0.2, 0.4, 0.6, 1.0, EKeyMode::Blend, {51, 102, 153}, "opaque colours pass unchanged"},
    };
    for (const SCase& c : cases) {
        EXPECT_EQ(Convert(c.r, c.g, c.b, c.alpha, c.mode), c.expected) << c.why;
    }
}

TEST(Latin1Glyphs, CodesBecomeTheirCodePoints)
{
    const std::pair<uint8_t, std::string> cases[]
        = {{'A', "A"}, {0x7E, "~"}, {0xA0, "\xC2\xA0"}, {0xE9, "\xC3\xA9"}, {0xFF, "\xC3\xBF"}};
    for (const auto& [code, utf8] : cases) {
        EXPECT_EQ(gui::Latin1ToUtf8(code), utf8) << static_cast<int>(code);
    }
}

} // namespace
