// The painting kit's promises the pictures rely on: how a canvas pixel
// becomes a keyed picture pixel, noise that stays in range and repeats, and
// the judging tools that compose the generated tree.
#include "GeneratedTree.h"

#include "ContactSheet.h"
#include "Fonts.h"
#include "GuiPaint.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using namespace assets;
using namespace gui_assets_test;

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

TEST(Noise, StaysInRangeAndRepeats)
{
    for (int i = 0; i < 2000; ++i) {
        const double x = i * 0.731 - 300.0;
        const double y = i * 0.377 - 120.0;
        const double value = gui::ValueNoise(x, y, 7);
        const double fbm = gui::Fbm(x, y, 7, 5);
        ASSERT_GE(value, 0.0);
        ASSERT_LE(value, 1.0);
        ASSERT_GE(fbm, 0.0);
        ASSERT_LE(fbm, 1.0);
        ASSERT_EQ(value, gui::ValueNoise(x, y, 7));
        // Smooth: a tiny step moves the value only a little.
        ASSERT_NEAR(value, gui::ValueNoise(x + 1e-3, y, 7), 0.01);
    }
    // Different seeds give different fields.
    int differ = 0;
    for (int i = 0; i < 100; ++i) {
        differ += gui::Hash01(i, 3, 1) != gui::Hash01(i, 3, 2);
    }
    EXPECT_GT(differ, 95);
    gui::CScatter a(5);
    gui::CScatter b(5);
    for (int i = 0; i < 100; ++i) {
        const double u = a.Unit();
        ASSERT_EQ(u, b.Unit());
        ASSERT_GE(u, 0.0);
        ASSERT_LT(u, 1.0);
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

// The judging tools run over a generated tree and write full screens; a tree
// without tile sets still composes (the missing tiles are left out).
TEST(JudgingTools, ComposeTheGeneratedTree)
{
    const STree& tree = GeneratedTree();
    ASSERT_TRUE(tree.written);
    testing_support::CTempDir out;
    ASSERT_TRUE(WriteMockUps(tree.dir.Path(), out.Path()));
    for (const char* name : {"Main Menu.bmp", "Game Select Page.bmp", "Options Page.bmp", "Rules Page.bmp",
             "Game Screen.bmp", "Save Dialog.bmp"}) {
        const std::optional<SBitmap> screen = LoadBmp(out.File(name));
        ASSERT_TRUE(screen.has_value()) << name;
        EXPECT_EQ(screen->width, 800);
        EXPECT_EQ(screen->height, 600);
    }
    ASSERT_TRUE(WriteContactSheet(tree.dir.Path(), out.File("sheet.bmp")));
    const std::optional<SBitmap> sheet = LoadBmp(out.File("sheet.bmp"));
    ASSERT_TRUE(sheet.has_value());
    EXPECT_GT(sheet->height, 600);
    EXPECT_FALSE(WriteContactSheet(out.File("no such folder"), out.File("none.bmp")));
}

} // namespace
