// Glyph placement of the three text alignments and the measures behind them.
#include "media/TextLayout.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>

namespace {

using media::kAlignCentre;
using media::kAlignLeft;
using media::kAlignRight;
using media::LayOutText;
using media::SFontMetrics;
using media::SGlyphPlacement;
using media::STextBox;

// A 16-pixel font where every code advances 8 pixels, except the newline (4)
// so that its glyph is told apart from the others.
SFontMetrics Metrics(std::initializer_list<std::pair<int, int>> exceptions = {})
{
    SFontMetrics metrics;
    metrics.advances.fill(8);
    metrics.advances['\n'] = 4;
    for (const auto& [code, advance] : exceptions) {
        metrics.advances[code] = static_cast<int8_t>(advance);
    }
    return metrics;
}

// "a@10,20 _@18,20 |@10,36": each glyph as its character ('_' for a space,
// '|' for a newline) at its pen position.
std::string Describe(const std::vector<SGlyphPlacement>& placements)
{
    std::string text;
    for (const auto& p : placements) {
        const char c = p.code == ' ' ? '_' : p.code == '\n' ? '|' : static_cast<char>(p.code);
        text += (text.empty() ? "" : " ") + std::string(1, c) + "@" + std::to_string(p.x) + "," + std::to_string(p.y);
    }
    return text;
}

// The characters placed, in order.
std::string Placed(const std::vector<SGlyphPlacement>& placements)
{
    std::string text;
    for (const auto& p : placements) {
        text += static_cast<char>(p.code);
    }
    return text;
}

TEST(TextMeasures, CountWidthsAndLengths)
{
    const SFontMetrics m = Metrics({{'i', 3}});
    EXPECT_EQ(media::LineCount(""), 1);
    EXPECT_EQ(media::LineCount("a\n\nb\n"), 4);

    struct SCase {
        const char* text;
        size_t pos;
        int lineWidth;
        int wordWidth;
        size_t wordLength;
    };
    const SCase cases[] = {
        {"ab cd", 0, 40, 16, 2},
        {"ab cd", 2, 24, 0, 3}, // at a space: an empty word, but the length runs to the next break
        {"ab cd", 3, 16, 16, 2},
        {"ab\ncd ef", 0, 16, 36, 2}, // a newline does not end a word for the width
        {"\ncd", 0, 0, 20, 3}, // a line that starts with its newline
        {"iii", 1, 6, 6, 2},
        {"x", 0, 8, 8, 1},
        {"ab", 2, 0, 0, 1}, // at the end
        {"ab", 7, 0, 0, 1}, // past the end
        {"a  b", 1, 24, 0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " @" + std::to_string(c.pos));
        EXPECT_EQ(media::LineWidth(c.text, c.pos, m), c.lineWidth);
        EXPECT_EQ(media::WordWidth(c.text, c.pos, m), c.wordWidth);
        EXPECT_EQ(media::WordLength(c.text, c.pos), c.wordLength);
    }
}

TEST(GlyphSource, CellColumnsAroundTheAdvance)
{
    struct SCase {
        int code;
        int cell;
        int advance;
        int expectedX; // pen at 100
        int left, top, right, bottom;
    };
    const SCase cases[] = {
        {'A', 16, 7, 100, 20, 64, 27, 80}, // column 1, row 4; (16 - 7) / 2 = 4
        {'A', 32, 13, 100, 41, 128, 54, 160}, // (32 - 13) / 2 = 9
        {0, 16, 16, 100, 0, 0, 16, 16}, // a full-width glyph is its whole cell
        {200, 16, 10, 100, 131, 192, 141, 208}, // above 127: column 8, row 12
        {255, 32, 31, 100, 480, 480, 511, 512}, // the last cell of a 512 sheet
        {0, 16, 0, 100, 8, 0, 8, 16}, // zero advance: nothing to copy
        {'B', 16, -5, 100, 40, 64, 40, 80}, // a negative advance draws nothing
        {'C', 16, 21, 102, 48, 64, 64, 80}, // wider than the cell: only its own cell, centred
        {255, 16, 127, 155, 240, 240, 256, 256}, // never past the sheet's right edge
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("code " + std::to_string(c.code) + " advance " + std::to_string(c.advance));
        SFontMetrics m;
        m.cellWidth = c.cell;
        m.cellHeight = c.cell;
        m.advances[c.code] = static_cast<int8_t>(c.advance);
        const SGlyphPlacement p = media::PlaceGlyph(static_cast<uint8_t>(c.code), 100, 7, m);
        EXPECT_EQ(p.x, c.expectedX);
        EXPECT_EQ(p.y, 7);
        EXPECT_EQ((std::vector<int>{p.sourceLeft, p.sourceTop, p.sourceRight, p.sourceBottom}),
            (std::vector<int>{c.left, c.top, c.right, c.bottom}));
    }
}

TEST(GlyphSource, EveryAdvanceStaysInsideItsOwnCell)
{
    for (const int cell : {16, 32}) {
        for (int code = 0; code < 256; ++code) {
            for (int advance = -128; advance < 128; advance += 5) {
                SFontMetrics m;
                m.cellWidth = cell;
                m.cellHeight = cell;
                m.advances[code] = static_cast<int8_t>(advance);
                const SGlyphPlacement p = media::PlaceGlyph(static_cast<uint8_t>(code), 0, 0, m);
                const int cellLeft = (code % 16) * cell;
                const int cellTop = (code / 16) * cell;
                ASSERT_LE(cellLeft, p.sourceLeft);
                ASSERT_LE(p.sourceLeft, p.sourceRight);
                ASSERT_LE(p.sourceRight, cellLeft + cell);
                ASSERT_EQ(p.sourceTop, cellTop);
                ASSERT_EQ(p.sourceBottom, cellTop + cell);
            }
        }
    }
}

struct SLayoutCase {
    const char* name;
    std::string text;
    STextBox box;
    int alignment;
    int firstLine;
    std::string expected;
};

void PrintTo(const SLayoutCase& c, std::ostream* out) { *out << c.name; }

class TextLayoutCases : public testing::TestWithParam<SLayoutCase> { };

TEST_P(TextLayoutCases, PlacesGlyphs)
{
    const SLayoutCase& c = GetParam();
    EXPECT_EQ(Describe(LayOutText(c.text, Metrics(), c.box, c.alignment, c.firstLine)), c.expected);
}

// Advances: 8 for every character, 4 for the newline; line height 16.
const SLayoutCase kLayoutCases[] = {
    // The newline is drawn at the start of its line; the next character follows its advance.
    {"LeftTwoLines", "ab\ncd", {10, 20, 200, 100}, kAlignLeft, 0, "a@10,20 b@18,20 |@10,36 c@14,36 d@22,36"},
    // The word after the space ends exactly at right: no wrap, and the space is drawn.
    {"LeftWordEndsAtRight", "aa bb", {0, 0, 32, 100}, kAlignLeft, 0, "a@0,0 a@8,0 _@16,0 b@24,0 b@32,0"},
    // One pixel less: the space is dropped and the word starts the next line.
    {"LeftWordWraps", "aa bb", {0, 0, 31, 100}, kAlignLeft, 0, "a@0,0 a@8,0 b@0,16 b@8,16"},
    // A word wider than the box runs beyond right on its own line.
    {"LeftWideWord", "a bbbbbb", {0, 0, 20, 100}, kAlignLeft, 0, "a@0,0 b@0,16 b@8,16 b@16,16 b@24,16 b@32,16 b@40,16"},
    // The word after a space in a run of spaces is empty: spaces wrap only once
    // the pen itself is beyond right.
    {"LeftOnlySpaces", "   ", {0, 0, 100, 100}, kAlignLeft, 0, "_@0,0 _@8,0 _@16,0"},
    {"LeftOnlySpacesNarrow", "   ", {0, 0, 4, 100}, kAlignLeft, 0, "_@0,0 _@0,16"},
    // A wrapping space at the very end leaves nothing to draw on the new line.
    {"LeftTrailingSpaceWraps", "aaa ", {0, 0, 20, 100}, kAlignLeft, 0, "a@0,0 a@8,0 a@16,0"},
    // Lines before firstLine, wrapped or broken alike, take no room.
    {"LeftScrolledPastWraps", "aa bb cc dd", {5, 50, 25, 200}, kAlignLeft, 2, "c@5,50 c@13,50 d@5,66 d@13,66"},
    {"LeftScrolledPastNewlines", "a\nb\nc\nd", {5, 50, 100, 200}, kAlignLeft, 2, "|@5,50 c@9,50 |@5,66 d@9,66"},
    // Scrolled past the end: nothing left to show.
    {"LeftScrolledPastEnd", "a\nb", {0, 0, 100, 100}, kAlignLeft, 5, ""},
    // Lines whose top is at bottom are drawn; the first one below it stops the text.
    {"LeftClippedAtBottom", "a\nb\nc\nd", {0, 0, 100, 32}, kAlignLeft, 0, "a@0,0 |@0,16 b@4,16 |@0,32 c@4,32"},
    {"LeftBoxAboveItsTop", "ab", {0, 10, 100, 9}, kAlignLeft, 0, ""},
    {"LeftEmpty", "", {0, 0, 100, 100}, kAlignLeft, 0, ""},
    // Each line ends at right; the newline is not drawn; left and bottom do not matter.
    {"RightTwoLines", "ab\ncdef", {90, 10, 100, 0}, kAlignRight, 3, "a@84,10 b@92,10 c@68,26 d@76,26 e@84,26 f@92,26"},
    {"RightEmptyLines", "\n\nx\n", {0, 0, 100, 0}, kAlignRight, 0, "x@92,32"},
    {"RightEmpty", "", {0, 0, 100, 100}, kAlignRight, 0, ""},
    // A line that fits is centred by its width.
    {"CentreFits", "abc", {10, 0, 110, 0}, kAlignCentre, 0, "a@48,0 b@56,0 c@64,0"},
    // Lines that fit: each centred on its own, the newline not drawn.
    {"CentreTwoFittingLines", "ab\nc", {0, 0, 40, 0}, kAlignCentre, 0, "a@12,0 b@20,0 c@16,16"},
    // Two words that together are too wide: the first (with its space) on line 0.
    {"CentreTwoWordsWrap", "aaaa bbbb", {0, 0, 50, 0}, kAlignCentre, 0,
        "a@9,0 a@17,0 a@25,0 a@33,0 _@41,0 b@9,16 b@17,16 b@25,16 b@33,16"},
    // Word widths 64 fit in 66 though the line with its space (72) does not:
    // one line, centred by the word widths, reaching beyond right by up to a space.
    {"CentreByWordWidths", "aaaa bbbb", {0, 0, 66, 0}, kAlignCentre, 0,
        "a@1,0 a@9,0 a@17,0 a@25,0 _@33,0 b@41,0 b@49,0 b@57,0 b@65,0"},
    // A word wider than the box goes alone on its line, centred by its width.
    {"CentreWideWord", "aaaaaaaa bb", {0, 0, 40, 0}, kAlignCentre, 0,
        "a@-12,0 a@-4,0 a@4,0 a@12,0 a@20,0 a@28,0 a@36,0 a@44,0 _@52,0 b@12,16 b@20,16"},
    // An empty box: every word alone on a line.
    {"CentreEmptyBox", "ab cd", {30, 0, 30, 0}, kAlignCentre, 0, "a@22,0 b@30,0 _@38,0 c@22,16 d@30,16"},
    {"CentreInvertedBox", "ab", {30, 0, 20, 0}, kAlignCentre, 0, "a@17,0 b@25,0"},
    // A wrapped newline-ended word draws its newline and the next line starts after it.
    // Word widths 8 + 8 + 8 + (8 + 4 + 8) = 44 fit in 50 where the line (56)
    // does not; the last word's width runs on past its newline.
    {"CentreWrappedNewline", "a b c d\ne", {0, 0, 50, 0}, kAlignCentre, 0,
        "a@3,0 _@11,0 b@19,0 _@27,0 c@35,0 _@43,0 d@51,0 |@59,0 e@21,16"},
    {"CentreOnlySpaces", "     ", {0, 0, 20, 0}, kAlignCentre, 0, "_@10,0 _@18,0 _@26,0 _@34,0 _@42,0"},
    {"CentreEmpty", "", {0, 0, 100, 100}, kAlignCentre, 0, ""},
    // Unknown alignments draw nothing.
    {"AlignmentZero", "abc", {0, 0, 100, 100}, 0, 0, ""},
    {"AlignmentFour", "abc", {0, 0, 100, 100}, 4, 0, ""},
    // The text ends at its first zero byte.
    {"StopsAtZero", std::string("ab\0cd", 5), {0, 0, 100, 100}, kAlignLeft, 0, "a@0,0 b@8,0"},
};

INSTANTIATE_TEST_SUITE_P(Alignments, TextLayoutCases, testing::ValuesIn(kLayoutCases),
    [](const testing::TestParamInfo<SLayoutCase>& param) { return param.param.name; });

TEST(TextLayout, ClipsAtTheFirstLineBelowBottom)
{
    // A long wrapping text in a box three lines high (top 100, bottom 140):
    // the lines at 100, 116 and 132 are drawn, nothing from 148 on.
    std::string text;
    for (int i = 0; i < 40; ++i) {
        text += "word ";
    }
    const auto placements = LayOutText(text, Metrics(), {0, 100, 100, 140}, kAlignLeft, 0);
    ASSERT_FALSE(placements.empty());
    std::vector<int> rows;
    for (const auto& p : placements) {
        if (rows.empty() || rows.back() != p.y) {
            rows.push_back(p.y);
        }
    }
    EXPECT_EQ(rows, (std::vector<int>{100, 116, 132}));
}

TEST(TextLayout, ScrollingShowsTheSameLinesMovedUp)
{
    // Scrolling by n lines shows what the unscrolled text had from line n on,
    // n lines higher.
    const std::string text = "The quick brown fox\njumps over the lazy dog and keeps running far away";
    const STextBox box{0, 0, 90, 1000};
    const auto whole = LayOutText(text, Metrics(), box, kAlignLeft, 0);
    for (int first = 1; first <= 5; ++first) {
        SCOPED_TRACE(first);
        std::vector<SGlyphPlacement> moved;
        for (SGlyphPlacement p : whole) {
            if (p.y >= first * 16) {
                p.y -= first * 16;
                moved.push_back(p);
            }
        }
        EXPECT_EQ(Describe(LayOutText(text, Metrics(), box, kAlignLeft, first)), Describe(moved));
    }
}

TEST(TextLayout, EveryVisibleCharacterIsPlacedOnceInOrder)
{
    // Whatever the width, nothing printable is lost, repeated or reordered,
    // and the centred layout always comes to an end.
    const std::string texts[] = {
        "Pairs left: 144",
        "Remove matching pairs of free tiles until the board is empty.\nA tile is free when nothing lies on it.",
        "supercalifragilistic is a long word",
        "a  b   c\n\n d \n",
        std::string("\xC9t\xE9 \xFF\x80 bytes"),
    };
    for (const auto& text : texts) {
        std::string visible;
        for (const char c : text) {
            if (c != ' ' && c != '\n') {
                visible += c;
            }
        }
        for (int width = -10; width <= 400; width += 7) {
            for (const int alignment : {kAlignLeft, kAlignRight, kAlignCentre}) {
                SCOPED_TRACE(text + " width " + std::to_string(width) + " alignment " + std::to_string(alignment));
                std::string placed = Placed(LayOutText(text, Metrics(), {0, 0, width, 100000}, alignment, 0));
                std::erase(placed, ' ');
                std::erase(placed, '\n');
                ASSERT_EQ(placed, visible);
            }
        }
    }
}

} // namespace
