// Fonts loaded from small fixture files and text drawn into a display's back
// buffer, checked pixel by pixel against the layout.
#include "media/FontTable.h"
#include "media/Display.h"
#include "platform/FakeVideoBackend.h"
#include "platform/Files.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>

namespace {

using media::kAlignCentre;
using media::kAlignLeft;
using media::kAlignRight;
using testing_support::CScopedCurrentDir;
using testing_support::CTempDir;

struct SRgb {
    uint8_t red, green, blue;
};

// The colour a fixture sheet gives the advance-wide middle of code's cell.
SRgb GlyphColour(int code) { return {static_cast<uint8_t>(code), 200, 40}; }
// The colour of the rest of each cell: a copy must never take it.
constexpr SRgb kOutsideAdvance{30, 30, 250};

// The advance of code in a fixture font: different for neighbouring codes,
// never wider than the cell.
int FixtureAdvance(int code, int cellSize) { return cellSize == 16 ? 3 + code % 11 : 5 + code % 23; }

// A 24-bit bottom-up .bmp of width x height.
std::vector<uint8_t> EncodeBmp(int width, int height, const std::vector<SRgb>& pixels)
{
    const int rowBytes = (width * 3 + 3) & ~3;
    const uint32_t dataBytes = static_cast<uint32_t>(rowBytes * height);
    std::vector<uint8_t> bmp(54 + dataBytes, 0);
    const auto put32 = [&](size_t at, uint32_t value) {
        for (int i = 0; i < 4; ++i) {
            bmp[at + i] = static_cast<uint8_t>(value >> (8 * i));
        }
    };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(2, 54 + dataBytes);
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(width));
    put32(22, static_cast<uint32_t>(height));
    bmp[26] = 1;
    bmp[28] = 24;
    put32(34, dataBytes);
    for (int y = 0; y < height; ++y) {
        uint8_t* row = &bmp[54 + static_cast<size_t>(rowBytes) * (height - 1 - y)];
        for (int x = 0; x < width; ++x) {
            const SRgb& p = pixels[static_cast<size_t>(y * width + x)];
            row[x * 3] = p.blue;
            row[x * 3 + 1] = p.green;
            row[x * 3 + 2] = p.red;
        }
    }
    return bmp;
}

// A sheet whose every cell is solid: the glyph colour over the advance-wide
// middle columns, kOutsideAdvance elsewhere.
std::vector<uint8_t> FixtureSheet(int cellSize)
{
    const int size = cellSize * 16;
    std::vector<SRgb> pixels(static_cast<size_t>(size * size));
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const int code = (y / cellSize) * 16 + x / cellSize;
            const int advance = FixtureAdvance(code, cellSize);
            const int middleLeft = (cellSize - advance) / 2;
            const int column = x % cellSize;
            const bool inside = column >= middleLeft && column < middleLeft + advance;
            pixels[static_cast<size_t>(y * size + x)] = inside ? GlyphColour(code) : kOutsideAdvance;
        }
    }
    return EncodeBmp(size, size, pixels);
}

std::vector<uint8_t> FixtureMetrics(int cellSize)
{
    std::vector<uint8_t> metrics(256);
    for (int code = 0; code < 256; ++code) {
        metrics[static_cast<size_t>(code)] = static_cast<uint8_t>(FixtureAdvance(code, cellSize));
    }
    return metrics;
}

// A run folder with the three fixture fonts and a full-screen 800 x 600
// display on the fake video backend.
class FontTableTest : public testing::Test {
protected:
    void SetUp() override { WriteFonts(); }

    void WriteFonts()
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

    uint32_t Raw(const SRgb& colour)
    {
        return platform::PackRgb(Back().Format(), colour.red, colour.green, colour.blue);
    }

    // What the back buffer must hold after drawing these placements onto
    // black: each glyph's advance-wide block in its colour, later ones on top.
    std::vector<uint32_t> Expected(const std::vector<media::SGlyphPlacement>& placements)
    {
        std::vector<uint32_t> picture(800 * 600, 0);
        for (const auto& p : placements) {
            const uint32_t colour = Raw(GlyphColour(p.code));
            for (int y = p.y; y < p.y + (p.sourceBottom - p.sourceTop); ++y) {
                for (int x = p.x; x < p.x + (p.sourceRight - p.sourceLeft); ++x) {
                    if (x >= 0 && x < 800 && y >= 0 && y < 600) {
                        picture[static_cast<size_t>(y * 800 + x)] = colour;
                    }
                }
            }
        }
        return picture;
    }

    // The first pixel where the back buffer differs from the picture.
    std::string FirstDifference(const std::vector<uint32_t>& picture)
    {
        for (int y = 0; y < 600; ++y) {
            for (int x = 0; x < 800; ++x) {
                const uint32_t actual = Back().GetPixel(x, y);
                const uint32_t wanted = picture[static_cast<size_t>(y * 800 + x)];
                if (actual != wanted) {
                    return "(" + std::to_string(x) + "," + std::to_string(y) + ") is " + std::to_string(actual)
                        + ", wanted " + std::to_string(wanted);
                }
            }
        }
        return "";
    }

    bool IsBackBufferBlack() { return FirstDifference(std::vector<uint32_t>(800 * 600, 0)).empty(); }

    CTempDir folder;
    CScopedCurrentDir inFolder{folder.Path()};
    platform::FakeVideoState video;
    std::optional<CDisplay> display;
};

TEST_F(FontTableTest, LoadsTheThreeFontsIntoSlotsOneToThree)
{
    CFontTable fonts(OpenDisplay());
    EXPECT_EQ(fonts.Font(0), nullptr);
    EXPECT_EQ(fonts.Font(-1), nullptr);
    EXPECT_EQ(fonts.Font(kFontSlotCount), nullptr);
    struct SExpected {
        int32_t index, sheet, cell, lineHeight;
    };
    for (const auto& e : {SExpected{1, 256, 16, 16}, SExpected{2, 512, 32, 24}, SExpected{3, 512, 32, 32}}) {
        const CBitmapFont* font = fonts.Font(e.index);
        ASSERT_NE(font, nullptr);
        ASSERT_NE(font->Sheet(), nullptr);
        EXPECT_EQ(font->Sheet()->width, e.sheet);
        EXPECT_EQ(font->Metrics().cellWidth, e.cell);
        EXPECT_EQ(font->Metrics().lineHeight, e.lineHeight);
        for (int code : {0, 10, 65, 200, 255}) {
            EXPECT_EQ(font->Metrics().advances[code], FixtureAdvance(code, e.cell)) << code;
        }
    }
}

struct SDrawCase {
    const char* name;
    const char* text;
    int32_t font;
    media::STextBox box;
    int32_t alignment;
    int32_t firstLine;
    int32_t depth = 32;
};

void PrintTo(const SDrawCase& c, std::ostream* out) { *out << c.name; }

class DrawTextPixels : public FontTableTest, public testing::WithParamInterface<SDrawCase> { };

// Every glyph lands where the layout puts it, takes only the advance-wide
// middle of its own cell, and nothing else is drawn.
TEST_P(DrawTextPixels, BackBufferShowsTheLaidOutGlyphs)
{
    const SDrawCase& c = GetParam();
    CDisplay& screen = OpenDisplay(c.depth);
    ASSERT_EQ(Back().Format().bitsPerPixel, c.depth);
    CFontTable fonts(screen);
    fonts.DrawText(screen, c.text, c.font, c.box.left, c.box.top, c.box.right, c.box.bottom, c.alignment, c.firstLine);
    const auto placements = media::LayOutText(c.text, fonts.Font(c.font)->Metrics(), c.box, c.alignment, c.firstLine);
    ASSERT_FALSE(placements.empty());
    EXPECT_EQ(FirstDifference(Expected(placements)), "");
}

const SDrawCase kDrawCases[] = {
    {"LeftTwoLines", "Ab\ncd", 1, {100, 50, 400, 300}, kAlignLeft, 0},
    {"LeftWrappedAndScrolled", "one two three four five six seven", 2, {40, 60, 200, 300}, kAlignLeft, 1},
    {"RightAligned", "12:05\nPairs left: 144", 2, {0, 100, 780, 0}, kAlignRight, 0},
    {"CentredTitle", "Velmora Mahjongg", 3, {0, 10, 800, 60}, kAlignCentre, 0},
    {"CentredWrapped", "Do you really want to quit the game", 2, {150, 200, 450, 0}, kAlignCentre, 0},
    {"HighCodes", "\xC0\xC8\xFF", 1, {10, 10, 400, 400}, kAlignLeft, 0},
    // Partly outside the back buffer: clipped, nothing written beyond it.
    {"RunsOffTheRightEdge", "overflowing text", 2, {700, 580, 2000, 2000}, kAlignLeft, 0},
    {"StartsAboveAndLeft", "corner", 3, {-40, -20, 800, 600}, kAlignLeft, 0},
    {"SixteenBits", "Zandor 16", 2, {20, 20, 600, 200}, kAlignCentre, 0, 16},
};

INSTANTIATE_TEST_SUITE_P(Fonts, DrawTextPixels, testing::ValuesIn(kDrawCases),
    [](const testing::TestParamInfo<SDrawCase>& param) { return param.param.name; });

TEST_F(FontTableTest, FirstGlyphsSitAtTheRectangleCorner)
{
    // Independent of the layout code: 'A' (advance 3 + 65 % 11 = 13 in a
    // 16-pixel cell) drawn at (100, 50) fills (100, 50)-(113, 66) exactly.
    CDisplay& screen = OpenDisplay();
    CFontTable fonts(screen);
    fonts.DrawText(screen, "A", kFontTimesRoman10, 100, 50, 400, 300, kAlignLeft, 0);
    const uint32_t a = Raw(GlyphColour('A'));
    EXPECT_EQ(Back().GetPixel(100, 50), a);
    EXPECT_EQ(Back().GetPixel(112, 65), a);
    EXPECT_EQ(Back().GetPixel(113, 50), 0u);
    EXPECT_EQ(Back().GetPixel(99, 50), 0u);
    EXPECT_EQ(Back().GetPixel(100, 66), 0u);
    EXPECT_EQ(Back().GetPixel(100, 49), 0u);
}

TEST_F(FontTableTest, NothingIsDrawnForAnEmptySlotOrAnUnknownAlignment)
{
    CDisplay& screen = OpenDisplay();
    CFontTable fonts(screen);
    struct SCase {
        int32_t font, alignment;
    };
    for (const auto& c :
        {SCase{0, 1}, SCase{4, 1}, SCase{-1, 3}, SCase{1000000, 2}, SCase{2, 0}, SCase{2, 4}, SCase{2, -1}}) {
        fonts.DrawText(screen, "Hello", c.font, 10, 10, 300, 300, c.alignment, 0);
        EXPECT_TRUE(IsBackBufferBlack()) << c.font << " " << c.alignment;
    }
}

TEST_F(FontTableTest, MissingOrShortMetricsGiveZeroAdvances)
{
    folder.Write(platform::NativePath(kFontFiles[0].metricsFile), std::vector<uint8_t>{9, 200, 7}); // 200: signed -56
    std::remove(platform::NativePath(kFontFiles[1].metricsFile).c_str());
    std::vector<uint8_t> tooLong = FixtureMetrics(32);
    tooLong.resize(300, 77);
    folder.Write(platform::NativePath(kFontFiles[2].metricsFile), tooLong);

    CDisplay& screen = OpenDisplay();
    CFontTable fonts(screen);
    const auto& shortAdvances = fonts.Font(1)->Metrics().advances;
    EXPECT_EQ(shortAdvances[0], 9);
    EXPECT_EQ(shortAdvances[1], -56);
    EXPECT_EQ(shortAdvances[2], 7);
    for (int code = 3; code < 256; ++code) {
        ASSERT_EQ(shortAdvances[code], 0) << code;
    }
    for (int code = 0; code < 256; ++code) {
        ASSERT_EQ(fonts.Font(2)->Metrics().advances[code], 0) << code;
        ASSERT_EQ(fonts.Font(3)->Metrics().advances[code], FixtureAdvance(code, 32)) << code;
    }
    // Zero advances draw nothing at all; every text stays invisible.
    fonts.DrawText(screen, "Nothing to see", 2, 10, 10, 300, 300, kAlignLeft, 0);
    fonts.DrawText(screen, "Nothing to see", 2, 10, 10, 300, 300, kAlignCentre, 0);
    fonts.DrawText(screen, "Nothing to see", 2, 10, 10, 300, 300, kAlignRight, 0);
    EXPECT_TRUE(IsBackBufferBlack());
}

TEST_F(FontTableTest, MissingSheetDrawsNothing)
{
    std::remove(platform::NativePath(kFontFiles[2].sheetFile).c_str());
    CDisplay& screen = OpenDisplay();
    CFontTable fonts(screen);
    fonts.DrawText(screen, "Title", kFontKlang20, 0, 0, 800, 600, kAlignCentre, 0);
    EXPECT_TRUE(IsBackBufferBlack());
}

} // namespace
