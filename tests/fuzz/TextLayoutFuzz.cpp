// The text layout behind every page and the rules text: any text of up to
// 4,095 bytes in any alignment, box and first line, with advances that are
// ordinary, wider than the cell, or zero and negative, or read from the text
// itself as from a font metrics file (any bytes, short or long).
#include "FuzzTarget.h"

#include "media/BitmapFont.h"
#include "media/TextLayout.h"

#include <string>
#include <string_view>

namespace {

constexpr size_t kConfigBytes = 8;
constexpr size_t kLongestText = 4095;

media::SFontMetrics Metrics(uint8_t kind, std::string_view text)
{
    media::SFontMetrics metrics;
    if (kind >= 0x80) {
        metrics.cellWidth = metrics.cellHeight = metrics.lineHeight = 32;
        metrics.advances = media::AdvancesFromBytes(std::vector<uint8_t>(text.begin(), text.end()));
        return metrics;
    }
    metrics.cellWidth = kind % 2 == 0 ? 32 : 16;
    metrics.cellHeight = metrics.cellWidth;
    metrics.lineHeight = kind % 2 == 0 ? 24 : 16;
    for (int code = 0; code < media::kGlyphCodeCount; ++code) {
        int advance = 3 + code % 11;
        if (kind % 3 == 1) {
            advance = 20 + code % 90; // wider than the cell
        } else if (kind % 3 == 2) {
            advance = code % 5 == 0 ? -(code % 128) : code % 3; // zero and negative
        }
        metrics.advances[static_cast<size_t>(code)] = static_cast<int8_t>(advance);
    }
    return metrics;
}

int32_t Signed16(const uint8_t* at) { return static_cast<int16_t>(at[0] | at[1] << 8); }

} // namespace

namespace fuzz {

size_t MaxInputBytes() { return kConfigBytes + kLongestText; }

std::vector<Input> Seeds()
{
    const auto seed = [](std::string config, const std::string& text) {
        config.resize(kConfigBytes, '\0');
        Input bytes(config.begin(), config.end());
        bytes.insert(bytes.end(), text.begin(), text.end());
        return bytes;
    };
    const std::string rules = "Traditional\n\nTake matching pairs of free tiles until the board is empty. A tile is "
                              "free when nothing lies on it and its left or right side is open.\n\n\n  Keys: F5 F12";
    return {seed(std::string("\x01\x00\x14\x00\x0a\x00\x00\x00", 8), rules),
        seed(std::string("\x03\x01\x50\x00\x40\x00\x02\x00", 8), rules),
        seed(std::string("\x02\x02\x00\x01\x00\x01\x00\x00", 8), "12:34\nScore 5"),
        seed(std::string("\x01\x05\x02\x00\x02\x00\x01\x00", 8), std::string(300, 'w') + " " + std::string(40, ' ')),
        seed(std::string("\x03\x80\x00\x02\x00\x01\x00\x00", 8), rules)};
}

} // namespace fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    if (size < kConfigBytes) {
        return 0;
    }
    const int alignment = bytes[0] % 5; // the three, and two unknown ones
    // A box at the left of an 800 x 600 screen, of any width and height
    // (also empty or turned inside out); the first line may be negative.
    media::STextBox box;
    box.left = 20;
    box.top = 40;
    box.right = box.left + Signed16(bytes + 2);
    box.bottom = box.top + Signed16(bytes + 4);
    const int firstLine = Signed16(bytes + 6);
    const std::string_view text(
        reinterpret_cast<const char*>(bytes + kConfigBytes), std::min(size - kConfigBytes, kLongestText));
    const media::SFontMetrics metrics = Metrics(bytes[1], text);
    // No more glyphs than characters before the first zero, none for an
    // unknown alignment, every source inside its own cell of the sheet, and
    // left-aligned text never starting a line below the box.
    const std::vector<media::SGlyphPlacement> placements = media::LayOutText(text, metrics, box, alignment, firstLine);
    FUZZ_REQUIRE(placements.size() <= std::min(text.find('\0'), text.size()));
    FUZZ_REQUIRE(placements.empty() || (alignment >= 1 && alignment <= 3));
    for (const auto& p : placements) {
        const int32_t cellLeft = (p.code % media::kSheetColumns) * metrics.cellWidth;
        const int32_t cellTop = (p.code / media::kSheetColumns) * metrics.cellHeight;
        FUZZ_REQUIRE(
            p.sourceLeft >= cellLeft && p.sourceLeft <= p.sourceRight && p.sourceRight <= cellLeft + metrics.cellWidth);
        FUZZ_REQUIRE(p.sourceTop == cellTop && p.sourceBottom == cellTop + metrics.cellHeight);
        FUZZ_REQUIRE(alignment != media::kAlignLeft || firstLine < 0 || p.y <= box.bottom);
    }
    return 0;
}
