// Glyph placement of the three text alignments.
#include "media/TextLayout.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using media::kAlignCentre;
using media::kAlignLeft;
using media::kAlignRight;
using media::LayOutText;
using media::SFontMetrics;

// A 16-pixel font where every code advances 8 pixels, except the newline (4)
// so that its glyph is told apart from the others.
SFontMetrics Metrics()
{
    SFontMetrics metrics;
    metrics.advances.fill(8);
    metrics.advances['\n'] = 4;
    return metrics;
}

// "a@10,20 _@18,20 |@10,36": each glyph ('_' a space, '|' a newline) at its pen position.
std::string Describe(const std::vector<media::SGlyphPlacement>& placements)
{
    std::string text;
    for (const auto& p : placements) {
        const char c = p.code == ' ' ? '_' : p.code == '\n' ? '|' : static_cast<char>(p.code);
        text += (text.empty() ? "" : " ") + std::string(1, c) + "@" + std::to_string(p.x) + "," + std::to_string(p.y);
    }
    return text;
}

TEST(GlyphSource, CellColumnsAroundTheAdvanceNeverLeavingTheCell)
{
    // Code, cell size, advance; then x for a pen at 100, and the source rectangle.
    const std::tuple<int, int, int, std::array<int, 5>> cases[] = {
        {'A', 16, 7, {100, 20, 64, 27, 80}}, // column 1, row 4; (16 - 7) / 2 = 4
        {'A', 32, 13, {100, 41, 128, 54, 160}}, // (32 - 13) / 2 = 9
        {0, 16, 16, {100, 0, 0, 16, 16}}, // a full-width glyph is its whole cell
        {200, 16, 10, {100, 131, 192, 141, 208}}, // above 127: column 8, row 12
        {255, 32, 31, {100, 480, 480, 511, 512}}, // the last cell of a 512 sheet
        {0, 16, 0, {100, 8, 0, 8, 16}}, // zero advance: nothing to copy
        {'B', 16, -5, {100, 40, 64, 40, 80}}, // a negative advance draws nothing
        {'C', 16, 21, {102, 48, 64, 64, 80}}, // wider than the cell: only its own cell, centred
        {255, 16, 127, {155, 240, 240, 256, 256}}, // never past the sheet's right edge
    };
    for (const auto& [code, cell, advance, expected] : cases) {
        SFontMetrics m;
        m.cellWidth = cell;
        m.cellHeight = cell;
        m.advances[code] = static_cast<int8_t>(advance);
        const media::SGlyphPlacement p = media::PlaceGlyph(static_cast<uint8_t>(code), 100, 7, m);
        EXPECT_EQ((std::array{p.x, p.sourceLeft, p.sourceTop, p.sourceRight, p.sourceBottom}), expected)
            << "code " << code << " advance " << advance;
    }
}

TEST(TextLayout, PlacesEachGlyphOfTheThreeAlignments)
{
    // Text, box, alignment, first line, and each glyph at its pen position.
    const std::tuple<std::string, media::STextBox, int, int, std::string> cases[] = {
        // The newline is drawn at the start of its line; the next character follows its advance.
        {"ab\ncd", {10, 20, 200, 100}, kAlignLeft, 0, "a@10,20 b@18,20 |@10,36 c@14,36 d@22,36"},
        // The word after the space ends exactly at right: no wrap, and the space is drawn.
        {"aa bb", {0, 0, 32, 100}, kAlignLeft, 0, "a@0,0 a@8,0 _@16,0 b@24,0 b@32,0"},
        // One pixel less: the space is dropped and the word starts the next line.
        {"aa bb", {0, 0, 31, 100}, kAlignLeft, 0, "a@0,0 a@8,0 b@0,16 b@8,16"},
        // A word wider than the box runs beyond right on its own line.
        {"a bbbbbb", {0, 0, 20, 100}, kAlignLeft, 0, "a@0,0 b@0,16 b@8,16 b@16,16 b@24,16 b@32,16 b@40,16"},
        // Spaces wrap only once the pen itself is beyond right.
        {"aaa ", {0, 0, 20, 100}, kAlignLeft, 0, "a@0,0 a@8,0 a@16,0"},
        // Lines before firstLine, wrapped or broken alike, take no room.
        {"aa bb cc dd", {5, 50, 25, 200}, kAlignLeft, 2, "c@5,50 c@13,50 d@5,66 d@13,66"},
        {"a\nb\nc\nd", {5, 50, 100, 200}, kAlignLeft, 2, "|@5,50 c@9,50 |@5,66 d@9,66"},
        {"a\nb", {0, 0, 100, 100}, kAlignLeft, 5, ""},
        // Lines whose top is at bottom are drawn; the first one below it stops the text.
        {"a\nb\nc\nd", {0, 0, 100, 32}, kAlignLeft, 0, "a@0,0 |@0,16 b@4,16 |@0,32 c@4,32"},
        {"ab", {0, 10, 100, 9}, kAlignLeft, 0, ""},
        // Each line ends at right; the newline is not drawn; left, bottom and firstLine do not matter.
        {"ab\ncdef", {90, 10, 100, 0}, kAlignRight, 3, "a@84,10 b@92,10 c@68,26 d@76,26 e@84,26 f@92,26"},
        {"\n\nx\n", {0, 0, 100, 0}, kAlignRight, 0, "x@92,32"},
        // Lines that fit: each centred by its width, the newline not drawn.
        {"ab\nc", {10, 0, 50, 0}, kAlignCentre, 0, "a@22,0 b@30,0 c@26,16"},
        // Two words too wide together: the first (with its space) on line 0.
        {"aaaa bbbb", {0, 0, 50, 0}, kAlignCentre, 0,
            "a@9,0 a@17,0 a@25,0 a@33,0 _@41,0 b@9,16 b@17,16 b@25,16 b@33,16"},
        // Word widths 64 fit in 66 though the line with its space (72) does not:
        // one line, centred by the word widths, reaching beyond right.
        {"aaaa bbbb", {0, 0, 66, 0}, kAlignCentre, 0, "a@1,0 a@9,0 a@17,0 a@25,0 _@33,0 b@41,0 b@49,0 b@57,0 b@65,0"},
        // A word wider than the box goes alone on its line, centred by its width.
        {"aaaaaaaa bb", {0, 0, 40, 0}, kAlignCentre, 0,
            "a@-12,0 a@-4,0 a@4,0 a@12,0 a@20,0 a@28,0 a@36,0 a@44,0 _@52,0 b@12,16 b@20,16"},
        // An empty or inverted box: every word alone on a line.
        {"ab cd", {30, 0, 30, 0}, kAlignCentre, 0, "a@22,0 b@30,0 _@38,0 c@22,16 d@30,16"},
        {"ab", {30, 0, 20, 0}, kAlignCentre, 0, "a@17,0 b@25,0"},
        // Word widths 8 + 8 + 8 + (8 + 4 + 8) = 44 fit in 50 where the line (56)
        // does not; the wrapped word draws its newline and the next line starts after it.
        {"a b c d\ne", {0, 0, 50, 0}, kAlignCentre, 0,
            "a@3,0 _@11,0 b@19,0 _@27,0 c@35,0 _@43,0 d@51,0 |@59,0 e@21,16"},
        {"     ", {0, 0, 20, 0}, kAlignCentre, 0, "_@10,0 _@18,0 _@26,0 _@34,0 _@42,0"},
        // The text ends at its first zero byte.
        {std::string("ab\0cd", 5), {0, 0, 100, 100}, kAlignLeft, 0, "a@0,0 b@8,0"},
    };
    for (const auto& [text, box, alignment, firstLine, expected] : cases) {
        EXPECT_EQ(Describe(LayOutText(text, Metrics(), box, alignment, firstLine)), expected)
            << "\"" << text << "\" in " << box.left << ".." << box.right << ", alignment " << alignment;
    }
}

} // namespace
