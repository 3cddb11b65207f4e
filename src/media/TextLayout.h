// Where each glyph of a text goes: the layout behind CFontTable::DrawText as
// pure functions of the text, the font's metrics and a rectangle. Drawing is
// then one colour-keyed copy per placement.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace media {

inline constexpr int kGlyphCodeCount = 256;
inline constexpr int kSheetColumns = 16; // a glyph sheet is 16 x 16 cells

// The alignments DrawText knows; any other value draws nothing.
inline constexpr int kAlignLeft = 1; // wraps at spaces, clips at the bottom, starts at a first line
inline constexpr int kAlignRight = 2; // one line per newline, each ending at right
inline constexpr int kAlignCentre = 3; // wraps at spaces, each line centred

inline constexpr char kNewline = '\n';
inline constexpr char kSpace = ' ';

struct SFontMetrics {
    // Advance in pixels of each character code, signed as the metrics file
    // stores it.
    std::array<int8_t, kGlyphCodeCount> advances{};
    int32_t cellWidth = 16;
    int32_t cellHeight = 16;
    int32_t lineHeight = 16;

    int Advance(char c) const { return advances[static_cast<uint8_t>(c)]; }
};

// One glyph to copy: the source rectangle in the sheet (right and bottom
// exclusive) goes to (x, y) in the back buffer.
struct SGlyphPlacement {
    uint8_t code = 0;
    int32_t x = 0;
    int32_t y = 0;
    int32_t sourceLeft = 0;
    int32_t sourceTop = 0;
    int32_t sourceRight = 0;
    int32_t sourceBottom = 0;

    bool operator==(const SGlyphPlacement&) const = default;
};

struct STextBox {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

// The glyph of code for a pen at (penX, penY): the advance-wide columns in
// the middle of the code's cell, a full cell high. The source never leaves the
// cell: an advance wider than the cell draws the whole cell centred on the
// advance, a zero or negative one draws an empty rectangle.
SGlyphPlacement PlaceGlyph(uint8_t code, int32_t penX, int32_t penY, const SFontMetrics& metrics);

// The measures of the layout. Positions at or past the end of the text are
// allowed and measure nothing.

// Newlines in the whole text plus one; an empty text has one line.
int LineCount(std::string_view text);

// Sum of the advances from pos up to the next newline or the end.
int LineWidth(std::string_view text, size_t pos, const SFontMetrics& metrics);

// 0 when text[pos] is a space; otherwise the advances from pos up to and
// including the character that is followed by a space or the end. A newline
// does not end a word here (the wrap test of both wrapping alignments relies
// on that measure as it is).
int WordWidth(std::string_view text, size_t pos, const SFontMetrics& metrics);

// Characters from pos up to, not including, the first space, newline or end
// found at pos + 1 or later; at least 1.
size_t WordLength(std::string_view text, size_t pos);

// Appends the placements of every glyph of text (up to its first zero byte)
// laid out in box with the alignment. firstLine is used by kAlignLeft only:
// the lines before it are measured but take no room. An unknown alignment
// places nothing.
void LayOutText(std::string_view text, const SFontMetrics& metrics, const STextBox& box, int alignment, int firstLine,
    std::vector<SGlyphPlacement>& placements);

std::vector<SGlyphPlacement> LayOutText(
    std::string_view text, const SFontMetrics& metrics, const STextBox& box, int alignment, int firstLine);

} // namespace media
