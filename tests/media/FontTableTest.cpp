// Fonts loaded from small fixture files and text drawn into a display's back
// buffer, checked pixel by pixel against the layout.
#include "media/FontTable.h"
#include "media/Display.h"
#include "platform/FakeVideoBackend.h"
#include "platform/Files.h"
#include "support/TempDir.h"

#include "../platform/TestBitmaps.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>

namespace {

using media::kAlignCentre;
using media::kAlignLeft;
using media::kAlignRight;
using testing_support::Rgb;

// The colour a fixture sheet gives the advance-wide middle of code's cell; the
// rest of each cell is kOutsideAdvance, which a copy must never take.
Rgb GlyphColour(int code) { return {static_cast<uint8_t>(code), 200, 40}; }
constexpr Rgb kOutsideAdvance{30, 30, 250};

// Different for neighbouring codes, never wider than the cell.
int FixtureAdvance(int code, int cellSize) { return cellSize == 16 ? 3 + code % 11 : 5 + code % 23; }

std::vector<uint8_t> FixtureSheet(int cellSize)
{
    const int size = cellSize * 16;
    std::vector<Rgb> pixels;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const int code = (y / cellSize) * 16 + x / cellSize;
            const int middleLeft = (cellSize - FixtureAdvance(code, cellSize)) / 2;
            const int column = x % cellSize - middleLeft;
            const bool inside = column >= 0 && column < FixtureAdvance(code, cellSize);
            pixels.push_back(inside ? GlyphColour(code) : kOutsideAdvance);
        }
    }
    return testing_support::MakeBmp(size, size, pixels);
}

std::vector<uint8_t> FixtureMetrics(int cellSize)
{
    std::vector<uint8_t> metrics;
    for (int code = 0; code < 256; ++code) {
        metrics.push_back(static_cast<uint8_t>(FixtureAdvance(code, cellSize)));
    }
    return metrics;
}

// A run folder with the three fixture fonts and a full-screen 800 x 600
// display on the fake video backend.
class FontTableTest : public testing::Test {
protected:
    void SetUp() override
    {
        for (const SFontFiles& files : kFontFiles) {
            folder.Write(platform::NativePath(files.sheetFile), FixtureSheet(files.cellSize));
            folder.Write(platform::NativePath(files.metricsFile), FixtureMetrics(files.cellSize));
        }
    }

    CDisplay& OpenDisplay(int32_t depth = 32)
    {
        display.emplace();
        EXPECT_TRUE(display->Create(nullptr, std::make_unique<platform::CFakeVideoBackend>(video)));
        EXPECT_TRUE(display->SetFullScreen(800, 600, depth));
        display->ClearBackBuffer();
        return *display;
    }

    platform::CSurface& Back() { return *display->BackBuffer()->surface; }

    uint32_t Raw(const Rgb& colour)
    {
        return platform::PackRgb(Back().Format(), colour.red, colour.green, colour.blue);
    }

    // The first pixel where the back buffer differs from black with each
    // glyph's advance-wide block in its colour, later ones on top.
    std::string FirstDifference(const std::vector<media::SGlyphPlacement>& placements)
    {
        std::vector<uint32_t> picture(800 * 600, 0);
        for (const auto& p : placements) {
            for (int y = std::max(p.y, 0); y < std::min(p.y + p.sourceBottom - p.sourceTop, 600); ++y) {
                for (int x = std::max(p.x, 0); x < std::min(p.x + p.sourceRight - p.sourceLeft, 800); ++x) {
                    picture[static_cast<size_t>(y * 800 + x)] = Raw(GlyphColour(p.code));
                }
            }
        }
        for (int i = 0; i < 800 * 600; ++i) {
            if (Back().GetPixel(i % 800, i / 800) != picture[static_cast<size_t>(i)]) {
                return "(" + std::to_string(i % 800) + "," + std::to_string(i / 800) + ")";
            }
        }
        return "";
    }

    testing_support::CTempDir folder;
    testing_support::CScopedCurrentDir inFolder{folder.Path()};
    platform::FakeVideoState video;
    std::optional<CDisplay> display;
};

TEST_F(FontTableTest, LoadsTheThreeFontsIntoSlotsOneToThree)
{
    CFontTable fonts(OpenDisplay());
    EXPECT_EQ(fonts.Font(0), nullptr);
    EXPECT_EQ(fonts.Font(kFontSlotCount), nullptr);
    struct Case {
        int32_t index, cell, lineHeight;
    } cases[] = {{kFontTimesRoman10, 16, 16}, {kFontTimesRoman16, 32, 24}, {kFontKlang20, 32, 32}};
    for (const Case& c : cases) {
        ASSERT_NE(fonts.Font(c.index), nullptr);
        const media::SFontMetrics& metrics = fonts.Font(c.index)->Metrics();
        EXPECT_EQ(metrics.cellWidth, c.cell);
        EXPECT_EQ(metrics.lineHeight, c.lineHeight);
        EXPECT_EQ(metrics.Advance('\xFF'), FixtureAdvance(255, c.cell));
    }
}

// Every glyph lands where the layout puts it, takes only the advance-wide
// middle of its own cell, and nothing else is drawn.
TEST_F(FontTableTest, BackBufferShowsTheLaidOutGlyphs)
{
    struct Case {
        const char* text;
        int32_t font;
        media::STextBox box;
        int32_t alignment, firstLine;
        int32_t depth = 32;
    } cases[] = {
        {"Ab\ncd", 1, {100, 50, 400, 300}, kAlignLeft, 0},
        {"one two three four five six seven", 2, {40, 60, 200, 300}, kAlignLeft, 1},
        {"12:05\nPairs left: 144", 2, {0, 100, 780, 0}, kAlignRight, 0},
        {"Do you really want to quit the game", 3, {150, 200, 450, 0}, kAlignCentre, 0},
        {"\xC0\xC8\xFF", 1, {10, 10, 400, 400}, kAlignLeft, 0},
        {"overflowing text", 2, {700, 580, 2000, 2000}, kAlignLeft, 0}, // clipped at the right and bottom
        {"corner", 3, {-40, -20, 800, 600}, kAlignLeft, 0},
        {"Zandor 16", 2, {20, 20, 600, 200}, kAlignCentre, 0, 16},
    };
    for (const Case& c : cases) {
        CDisplay& screen = OpenDisplay(c.depth);
        CFontTable fonts(screen);
        fonts.DrawText(
            screen, c.text, c.font, c.box.left, c.box.top, c.box.right, c.box.bottom, c.alignment, c.firstLine);
        const auto placements
            = media::LayOutText(c.text, fonts.Font(c.font)->Metrics(), c.box, c.alignment, c.firstLine);
        ASSERT_FALSE(placements.empty()) << c.text;
        EXPECT_EQ(FirstDifference(placements), "") << c.text;
    }
}

TEST_F(FontTableTest, FirstGlyphSitsAtTheRectangleCorner)
{
    // Independent of the layout: 'A' (advance 3 + 65 % 11 = 13 in a 16-pixel
    // cell) drawn at (100, 50) fills (100, 50)-(113, 66) exactly.
    CDisplay& screen = OpenDisplay();
    CFontTable fonts(screen);
    fonts.DrawText(screen, "A", kFontTimesRoman10, 100, 50, 400, 300, kAlignLeft, 0);
    const uint32_t a = Raw(GlyphColour('A'));
    EXPECT_EQ(Back().GetPixel(100, 50), a);
    EXPECT_EQ(Back().GetPixel(112, 65), a);
    EXPECT_EQ(
        Back().GetPixel(113, 50) | Back().GetPixel(99, 50) | Back().GetPixel(100, 66) | Back().GetPixel(100, 49), 0u);
}

TEST_F(FontTableTest, NothingIsDrawnForAnEmptySlotOrAnUnknownAlignment)
{
    CDisplay& screen = OpenDisplay();
    CFontTable fonts(screen);
    const std::pair<int32_t, int32_t> cases[] = {{0, 1}, {4, 1}, {-1, 3}, {1000000, 2}, {2, 0}, {2, 4}, {2, -1}};
    for (const auto& [font, alignment] : cases) {
        fonts.DrawText(screen, "Hello", font, 10, 10, 300, 300, alignment, 0);
        EXPECT_EQ(FirstDifference({}), "") << font << " " << alignment;
    }
}

TEST_F(FontTableTest, MissingShortOrLongMetricsAndAMissingSheet)
{
    folder.Write(platform::NativePath(kFontFiles[0].metricsFile), std::vector<uint8_t>{9, 200, 7}); // 200: signed -56
    std::remove(platform::NativePath(kFontFiles[1].metricsFile).c_str());
    std::vector<uint8_t> tooLong = FixtureMetrics(32);
    tooLong.resize(300, 77);
    folder.Write(platform::NativePath(kFontFiles[2].metricsFile), tooLong);
    std::remove(platform::NativePath(kFontFiles[2].sheetFile).c_str());

    CDisplay& screen = OpenDisplay();
    CFontTable fonts(screen);
    for (int code = 0; code < 256; ++code) {
        const int shortAdvance = code == 0 ? 9 : code == 1 ? -56 : code == 2 ? 7 : 0;
        ASSERT_EQ(fonts.Font(1)->Metrics().advances[code], shortAdvance) << code;
        ASSERT_EQ(fonts.Font(2)->Metrics().advances[code], 0) << code;
        ASSERT_EQ(fonts.Font(3)->Metrics().advances[code], FixtureAdvance(code, 32)) << code;
    }
    // Zero advances and a missing sheet leave every text invisible.
    for (const int32_t alignment : {kAlignLeft, kAlignRight, kAlignCentre}) {
        fonts.DrawText(screen, "Nothing to see", 2, 10, 10, 300, 300, alignment, 0);
        fonts.DrawText(screen, "Title", 3, 0, 0, 800, 600, alignment, 0);
    }
    EXPECT_EQ(FirstDifference({}), "");
}

} // namespace
