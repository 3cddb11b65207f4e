// The generated glyph sheets and metrics as the game's text layout uses
// them: each glyph inside its advance columns and its line, the blank and
// newline codes, and the texts of the game fitting where they are drawn.
#include "GeneratedTree.h"

#include "game/GameTexts.h"
#include "media/BitmapFont.h"
#include "media/FontTable.h"
#include "media/TextLayout.h"
#include "platform/Files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <vector>

namespace {

using namespace gui_assets_test;

// The game's own font table: the files and the cell and line sizes it
// draws with.
std::string FileOf(const char* gamePath) { return GeneratedTree().dir.File(platform::NativePath(gamePath)); }

media::SFontMetrics Metrics(const SFontFiles& font)
{
    media::SFontMetrics metrics;
    metrics.advances = media::AdvancesFromBytes(ReadBytes(FileOf(font.metricsFile)));
    metrics.cellWidth = font.cellSize;
    metrics.cellHeight = font.cellSize;
    metrics.lineHeight = font.lineHeight;
    return metrics;
}

bool CodeHasGlyph(int code) { return (code >= 33 && code <= 126) || code >= 161; }

// Drawing takes the advance-wide columns in the middle of the cell, a whole
// cell high: everything a glyph shows must lie there, above the next line.
// At a display scale s the same holds for the block s times the 1x one, with
// the 1x advances, so the text lays out the same in picture units.
TEST(FontSheets, GlyphsStayInsideTheirColumnsAndTheirLine)
{
    for (const SFontFiles& font : kFontFiles) {
        const media::SFontMetrics metrics = Metrics(font);
        for (int s = 1; s <= 4; ++s) {
            SCOPED_TRACE(std::string(font.sheetFile) + " at " + std::to_string(s));
            const std::optional<SBitmap> sheet = LoadScaled(FileOf(font.sheetFile), s);
            ASSERT_TRUE(sheet.has_value());
            ASSERT_EQ(sheet->Width(), 16 * font.cellSize * s);
            for (int code = 0; code < 256; ++code) {
                const int advance = metrics.advances[static_cast<size_t>(code)];
                ASSERT_GE(advance, 0) << code;
                ASSERT_LE(advance, font.cellSize) << code;
                const int first = (font.cellSize - advance) / 2;
                int ink = 0;
                int stray = 0;
                for (int y = 0; y < font.cellSize * s; ++y) {
                    for (int x = 0; x < font.cellSize * s; ++x) {
                        const bool drawn = !IsKey(
                            sheet->At((code % 16) * font.cellSize * s + x, (code / 16) * font.cellSize * s + y));
                        const bool allowed
                            = x >= first * s && x < (first + advance) * s && y < font.lineHeight * s;
                        ink += drawn && allowed;
                        stray += drawn && !allowed;
                    }
                }
                EXPECT_EQ(stray, 0) << "code " << code;
                if (code != 173) { // the soft hyphen may or may not show
                    EXPECT_EQ(ink > 0, CodeHasGlyph(code)) << "code " << code;
                }
            }
        }
    }
}

TEST(FontSheets, SpacesAdvanceAndTheNewlineTakesNoRoom)
{
    for (const SFontFiles& font : kFontFiles) {
        const media::SFontMetrics metrics = Metrics(font);
        EXPECT_EQ(metrics.Advance('\n'), 0) << font.sheetFile;
        EXPECT_GT(metrics.Advance(' '), 1) << font.sheetFile;
        EXPECT_LT(metrics.Advance(' '), metrics.Advance('m')) << font.sheetFile;
        for (const char c : std::string("0123456789")) {
            EXPECT_GT(metrics.Advance(c), 0) << font.sheetFile << " " << c;
        }
    }
}

// The rows of a glyph's ink in its cell.
std::pair<int, int> InkRows(const SBitmap& sheet, const SFontFiles& font, uint8_t code)
{
    int top = font.cellSize;
    int bottom = 0;
    for (int y = 0; y < font.cellSize; ++y) {
        for (int x = 0; x < font.cellSize; ++x) {
            if (!IsKey(sheet.At((code % 16) * font.cellSize + x, (code / 16) * font.cellSize + y))) {
                top = std::min(top, y);
                bottom = std::max(bottom, y + 1);
            }
        }
    }
    return {top, bottom};
}

// Captions stand 15 pixels above a button's middle, so the capitals of the
// caption font sit in the middle of the cell.
TEST(FontSheets, CaptionCapitalsSitMidCell)
{
    const SFontFiles& font = kFontFiles[2];
    const std::optional<SBitmap> sheet = LoadBmp(FileOf(font.sheetFile));
    ASSERT_TRUE(sheet.has_value());
    for (const char c : std::string("HEMT")) {
        const auto [top, bottom] = InkRows(*sheet, font, static_cast<uint8_t>(c));
        EXPECT_NEAR((top + bottom) / 2.0, 16.0, 2.5) << c;
    }
}

// One line of font 3 as the game draws it: every pixel of the line names
// the glyph whose ink covers it, or -1.
struct SInkLine {
    std::vector<media::SGlyphPlacement> glyphs;
    int width = 0;
    std::vector<int> owners;
    int Owner(int x, int y) const { return owners[static_cast<size_t>(y) * width + x]; }
};

SInkLine DrawLine(const std::string& text, const SBitmap& sheet, const media::SFontMetrics& metrics)
{
    SInkLine line;
    line.glyphs = media::LayOutText(text, metrics, {0, 0, 10000, 10000}, media::kAlignLeft, 0);
    for (const media::SGlyphPlacement& p : line.glyphs) {
        line.width = std::max(line.width, p.x + p.sourceRight - p.sourceLeft);
    }
    line.owners.assign(static_cast<size_t>(line.width) * metrics.cellHeight, -1);
    for (size_t i = 0; i < line.glyphs.size(); ++i) {
        const media::SGlyphPlacement& p = line.glyphs[i];
        for (int sy = p.sourceTop; sy < p.sourceBottom; ++sy) {
            for (int sx = p.sourceLeft; sx < p.sourceRight; ++sx) {
                if (!IsKey(sheet.At(sx, sy))) {
                    line.owners[static_cast<size_t>(sy - p.sourceTop) * line.width + p.x + sx - p.sourceLeft]
                        = static_cast<int>(i);
                }
            }
        }
    }
    return line;
}

// Columns of background between the ink of two glyphs in one row, or
// nothing when either has no ink there.
std::optional<int> RowGap(const SInkLine& line, int leftGlyph, int rightGlyph, int y)
{
    int leftEdge = -1;
    int rightEdge = -1;
    for (int x = 0; x < line.width; ++x) {
        if (line.Owner(x, y) == leftGlyph) {
            leftEdge = x;
        }
        if (line.Owner(x, y) == rightGlyph && rightEdge < 0) {
            rightEdge = x;
        }
    }
    if (leftEdge < 0 || rightEdge < 0) {
        return std::nullopt;
    }
    return rightEdge - leftEdge - 1;
}

// Evenly set letters leave about the same amount of background between
// each other whatever their shapes. The space between two letters is taken
// as the mean gap between their ink (rims included) over the rows of the
// x-height, a row where either letter has no ink, or a gap deeper than
// kDepthPx, counting kDepthPx: the white a reader sees between them. Pairs of
// lower-case letters are compared; a capital leaves room under or beside
// its arms in any type set without kerning.
TEST(FontSpacing, CaptionLettersAreEvenlySpaced)
{
    constexpr int kDepthPx = 6;
    constexpr double kWidestSpreadPx = 3.5; // loosest pair against the tightest
    constexpr int kLeastWordSpacePx = 4;
    const SFontFiles& font = kFontFiles[2];
    const std::optional<SBitmap> sheet = LoadBmp(FileOf(font.sheetFile));
    ASSERT_TRUE(sheet.has_value());
    const media::SFontMetrics metrics = Metrics(font);
    const auto [zoneTop, zoneBottom] = InkRows(*sheet, font, 'x');
    ASSERT_LT(zoneTop, zoneBottom);

    const char* const words[] = {"Play Game", "Load Game", "Save Game", "Options", "Help", "Exit", "Velmora Mahjongg",
        "Shuffle", "Pause", "Hint", "Leave", "Cancel", "Previously Saved Games", "Turtle", "Pyramid", "Fortress"};
    struct SPair {
        std::string letters;
        double gapPx;
    };
    std::vector<SPair> pairs;
    const auto isLower = [](uint8_t c) { return c >= 'a' && c <= 'z'; };
    for (const char* word : words) {
        SCOPED_TRACE(word);
        const SInkLine line = DrawLine(word, *sheet, metrics);
        for (size_t i = 0; i + 1 < line.glyphs.size(); ++i) {
            const uint8_t left = line.glyphs[i].code;
            const uint8_t right = line.glyphs[i + 1].code;
            if (!isLower(left) || !isLower(right)) {
                continue;
            }
            double sum = 0;
            for (int y = zoneTop; y < zoneBottom; ++y) {
                const std::optional<int> gap = RowGap(line, static_cast<int>(i), static_cast<int>(i + 1), y);
                sum += gap ? std::min(*gap, kDepthPx) : kDepthPx;
            }
            pairs.push_back({{static_cast<char>(left), static_cast<char>(right)}, sum / (zoneBottom - zoneTop)});
        }
        // A word space reads as one only when it is clearly wider than the
        // gaps between letters: the closest the two words come in any row.
        for (size_t i = 1; i + 1 < line.glyphs.size(); ++i) {
            if (line.glyphs[i].code != ' ') {
                continue;
            }
            int closest = kDepthPx * 10;
            for (int y = 0; y < metrics.cellHeight; ++y) {
                const auto gap = RowGap(line, static_cast<int>(i - 1), static_cast<int>(i + 1), y);
                closest = gap ? std::min(closest, *gap) : closest;
            }
            EXPECT_GE(closest, kLeastWordSpacePx);
        }
    }
    ASSERT_GT(pairs.size(), 50U);
    const auto [tightest, loosest] = std::minmax_element(
        pairs.begin(), pairs.end(), [](const SPair& a, const SPair& b) { return a.gapPx < b.gapPx; });
    EXPECT_LE(loosest->gapPx - tightest->gapPx, kWidestSpreadPx) << tightest->letters << " to " << loosest->letters;
}

struct SLaidOut {
    int lines = 0;
    int left = 0;
    int right = 0;
};

SLaidOut LayOut(const std::string& text, int fontIndex, int width, int alignment)
{
    const media::SFontMetrics metrics = Metrics(kFontFiles[fontIndex - 1]);
    const media::STextBox box{0, 0, width, 100000};
    const std::vector<media::SGlyphPlacement> placements = media::LayOutText(text, metrics, box, alignment, 0);
    SLaidOut out;
    std::set<int> rows;
    out.left = width;
    for (const media::SGlyphPlacement& p : placements) {
        rows.insert(p.y);
        if (p.sourceRight > p.sourceLeft && p.code != ' ') {
            out.left = std::min(out.left, p.x);
            out.right = std::max(out.right, p.x + p.sourceRight - p.sourceLeft);
        }
    }
    // Lines are counted from the rows used, the empty ones between included.
    out.lines = rows.empty() ? 0 : (*rows.rbegin() - *rows.begin()) / metrics.lineHeight + 1;
    return out;
}

TEST(TextFit, TextsFitWhereTheGameDrawsThem)
{
    struct SCase {
        std::string text;
        int font;
        int width;
        int alignment;
        int maxLines;
    };
    const SCase cases[] = {
        // The introduction box: left-aligned in 450 pixels above its button.
        {game::kTraditionalIntroText, 2, 450, media::kAlignLeft, 7},
        {game::kVeskStyleIntroText, 2, 450, media::kAlignLeft, 7},
        {game::kZandorIntroText, 2, 450, media::kAlignLeft, 7},
        // The record prompt must leave the input box below it free.
        {"Congratulations, you achieved the best time! Please enter your name below:", 2, 450, media::kAlignLeft, 3},
        {"Please enter a name to save your game:", 2, 450, media::kAlignCentre, 1},
        {"Mouse Sensitivity (Full Screen Only)", 2, 550, media::kAlignCentre, 1},
        {"Least Missed Pairs: Christopher 12, 99", 2, 325, media::kAlignLeft, 1},
        {"Game Over. Out of time!", 2, 785, media::kAlignCentre, 1},
        {"Previously Saved Games...", 3, 500, media::kAlignCentre, 1},
        // Captions of the large and the small buttons (the load page's
        // button is 145 pixels wide).
        {"Play Game", 3, 200, media::kAlignCentre, 1},
        {"Load Game", 3, 145, media::kAlignCentre, 1},
        {"Save Game", 3, 150, media::kAlignCentre, 1},
        {"Options", 3, 200, media::kAlignCentre, 1},
        {"Shuffle", 3, 150, media::kAlignCentre, 1},
        {"Cancel", 3, 150, media::kAlignCentre, 1},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 40));
        const SLaidOut laid = LayOut(c.text, c.font, c.width, c.alignment);
        EXPECT_GE(laid.lines, 1);
        EXPECT_LE(laid.lines, c.maxLines);
        if (c.maxLines == 1) {
            EXPECT_GE(laid.left, 0);
            EXPECT_LE(laid.right, c.width);
        }
    }
}

} // namespace
