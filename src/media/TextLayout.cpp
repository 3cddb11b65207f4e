// The three text alignments as glyph placements.
#include "media/TextLayout.h"

#include <algorithm>

namespace media {
namespace {

uint8_t CodeAt(std::string_view text, size_t pos) { return static_cast<uint8_t>(text[pos]); }

// Left-aligned, wrapping at spaces, clipped at the bottom. Lines before
// firstLine are laid out at top without being placed, so line firstLine is
// the first one shown and lands at top.
void LayOutLeft(std::string_view text, const SFontMetrics& metrics, const STextBox& box, int firstLine,
    std::vector<SGlyphPlacement>& placements)
{
    int32_t x = box.left;
    int line = 0;
    const auto rowTop = [&] { return line < firstLine ? box.top : box.top + (line - firstLine) * metrics.lineHeight; };
    size_t i = 0;
    while (i < text.size()) {
        if (rowTop() > box.bottom) {
            return;
        }
        // The newline starts a new line and is then drawn there as glyph 10,
        // with its advance, like any other character.
        if (text[i] == kNewline) {
            x = box.left;
            ++line;
        }
        // The word after a space is measured from the space's position, so a
        // word may end up to one space's width beyond right. The space that
        // wraps is dropped.
        if (text[i] == kSpace && x + WordWidth(text, i + 1, metrics) > box.right) {
            x = box.left;
            ++line;
            ++i;
            if (i == text.size()) {
                return;
            }
        }
        // Only the top of a line is tested, so the last line may reach below
        // bottom.
        if (rowTop() > box.bottom) {
            return;
        }
        if (line >= firstLine) {
            placements.push_back(PlaceGlyph(CodeAt(text, i), x, rowTop(), metrics));
        }
        x += metrics.Advance(text[i]);
        ++i;
    }
}

// Each newline-separated line ends at right; nothing wraps or clips.
void LayOutRight(
    std::string_view text, const SFontMetrics& metrics, const STextBox& box, std::vector<SGlyphPlacement>& placements)
{
    size_t start = 0;
    for (int line = 0;; ++line) {
        int32_t x = box.right - LineWidth(text, start, metrics);
        const int32_t y = box.top + line * metrics.lineHeight;
        size_t i = start;
        for (; i < text.size() && text[i] != kNewline; ++i) {
            placements.push_back(PlaceGlyph(CodeAt(text, i), x, y, metrics));
            x += metrics.Advance(text[i]);
        }
        if (i >= text.size()) {
            return;
        }
        start = i + 1;
    }
}

struct SCentredRun {
    size_t count = 0; // characters placed, the ending space or newline of each word included
    int32_t width = 0; // width the run is centred by
};

// The whole words that fit from pos, centred by the sum of their widths
// without the spaces between them (so a wrapped line sits right of the exact
// centre by half its spaces). When not even the first word fits (a word
// wider than the box, or an empty box) that word goes alone on the line,
// centred by its own width, so that the layout always moves on.
SCentredRun TakeWords(std::string_view text, size_t pos, const SFontMetrics& metrics, int32_t avail)
{
    SCentredRun run;
    size_t k = pos;
    while (avail > 0) {
        const int32_t widened = run.width + WordWidth(text, k, metrics);
        if (widened > avail) {
            break;
        }
        const size_t length = WordLength(text, k);
        run.count += length + 1;
        k += length + 1;
        run.width = widened;
        if (run.width >= avail || k >= text.size()) {
            break;
        }
    }
    if (run.count == 0) {
        const size_t length = WordLength(text, pos);
        run.count = length + 1;
        run.width = 0;
        for (size_t i = pos; i < pos + length && i < text.size(); ++i) {
            run.width += metrics.Advance(text[i]);
        }
    }
    return run;
}

// Each line centred between left and right, wrapping at spaces.
void LayOutCentred(
    std::string_view text, const SFontMetrics& metrics, const STextBox& box, std::vector<SGlyphPlacement>& placements)
{
    const int32_t avail = box.right - box.left;
    size_t pos = 0;
    for (int line = 0; pos < text.size(); ++line) {
        const int32_t y = box.top + line * metrics.lineHeight;
        const int32_t lineWidth = LineWidth(text, pos, metrics);
        if (lineWidth <= avail) {
            int32_t x = box.left + (avail - lineWidth) / 2;
            for (; pos < text.size() && text[pos] != kNewline; ++pos) {
                placements.push_back(PlaceGlyph(CodeAt(text, pos), x, y, metrics));
                x += metrics.Advance(text[pos]);
            }
            ++pos; // past the newline, which is not drawn
            continue;
        }
        // Every character of the taken words is drawn, including the space or
        // newline that ends each of them.
        const SCentredRun run = TakeWords(text, pos, metrics, avail);
        int32_t x = box.left + (avail - run.width) / 2;
        const size_t end = std::min(text.size(), pos + run.count);
        for (; pos < end; ++pos) {
            placements.push_back(PlaceGlyph(CodeAt(text, pos), x, y, metrics));
            x += metrics.Advance(text[pos]);
        }
    }
}

} // namespace

SGlyphPlacement PlaceGlyph(uint8_t code, int32_t penX, int32_t penY, const SFontMetrics& metrics)
{
    const int32_t cellWidth = std::max(metrics.cellWidth, 0);
    const int32_t advance = metrics.advances[code];
    const int32_t drawnWidth = std::clamp(advance, 0, cellWidth);
    SGlyphPlacement placement;
    placement.code = code;
    // With an advance wider than the cell the cell's own columns land where
    // an advance-wide source would have put them; its neighbours stay unseen.
    placement.x = penX + (advance > cellWidth ? (advance - cellWidth) / 2 : 0);
    placement.y = penY;
    placement.sourceLeft = (code % kSheetColumns) * cellWidth + (cellWidth - drawnWidth) / 2;
    placement.sourceTop = (code / kSheetColumns) * metrics.cellHeight;
    placement.sourceRight = placement.sourceLeft + drawnWidth;
    placement.sourceBottom = placement.sourceTop + metrics.cellHeight;
    return placement;
}

int LineCount(std::string_view text) { return static_cast<int>(std::count(text.begin(), text.end(), kNewline)) + 1; }

int LineWidth(std::string_view text, size_t pos, const SFontMetrics& metrics)
{
    int width = 0;
    for (; pos < text.size() && text[pos] != kNewline; ++pos) {
        width += metrics.Advance(text[pos]);
    }
    return width;
}

int WordWidth(std::string_view text, size_t pos, const SFontMetrics& metrics)
{
    if (pos >= text.size() || text[pos] == kSpace) {
        return 0;
    }
    int width = 0;
    for (; pos < text.size(); ++pos) {
        width += metrics.Advance(text[pos]);
        if (pos + 1 == text.size() || text[pos + 1] == kSpace) {
            break;
        }
    }
    return width;
}

size_t WordLength(std::string_view text, size_t pos)
{
    size_t length = 1;
    while (pos + length < text.size() && text[pos + length] != kSpace && text[pos + length] != kNewline) {
        ++length;
    }
    return length;
}

void LayOutText(std::string_view text, const SFontMetrics& metrics, const STextBox& box, int alignment, int firstLine,
    std::vector<SGlyphPlacement>& placements)
{
    // The text is zero-terminated for the game; whatever follows a zero byte
    // is not part of it.
    text = text.substr(0, text.find('\0'));
    switch (alignment) {
    case kAlignLeft:
        LayOutLeft(text, metrics, box, firstLine, placements);
        break;
    case kAlignRight:
        LayOutRight(text, metrics, box, placements);
        break;
    case kAlignCentre:
        LayOutCentred(text, metrics, box, placements);
        break;
    default:
        break;
    }
}

std::vector<SGlyphPlacement> LayOutText(
    std::string_view text, const SFontMetrics& metrics, const STextBox& box, int alignment, int firstLine)
{
    std::vector<SGlyphPlacement> placements;
    LayOutText(text, metrics, box, alignment, firstLine, placements);
    return placements;
}

} // namespace media
