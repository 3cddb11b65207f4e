// The font metrics files: any bytes give 256 advances (the bytes past the
// 256th ignored, the codes a short file lacks advancing 0), and any
// advances lay text out inside the sheet in every alignment.
#include "LayoutChecks.h"

#include "media/BitmapFont.h"
#include "media/FontTable.h"

#include <string>

namespace fuzz {

size_t MaxInputBytes() { return 1024; }

std::vector<Input> Seeds()
{
    Input narrow;
    Input wide;
    for (int code = 0; code < media::kGlyphCodeCount; ++code) {
        narrow.push_back(static_cast<uint8_t>(3 + code % 11));
        wide.push_back(static_cast<uint8_t>(5 + code % 23));
    }
    return {narrow, wide, Input(narrow.begin(), narrow.begin() + 100), {}};
}

} // namespace fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    const std::vector<uint8_t> input(bytes, bytes + size);
    const auto advances = media::AdvancesFromBytes(input);
    for (size_t code = 0; code < advances.size(); ++code) {
        FUZZ_REQUIRE(advances[code] == (code < input.size() ? static_cast<int8_t>(input[code]) : 0));
    }
    // Every code once, words, spaces and newlines.
    static const std::string text = [] {
        std::string all;
        for (int code = 1; code < media::kGlyphCodeCount; ++code) {
            all += static_cast<char>(code);
            all += code % 7 == 0 ? " " : "";
        }
        return all + "\nA line of words that wraps somewhere\n\n  end";
    }();
    std::vector<media::SGlyphPlacement> placements;
    for (const SFontFiles& files : kFontFiles) {
        media::SFontMetrics metrics;
        metrics.advances = advances;
        metrics.cellWidth = files.cellSize;
        metrics.cellHeight = files.cellSize;
        metrics.lineHeight = files.lineHeight;
        for (int alignment : {media::kAlignLeft, media::kAlignRight, media::kAlignCentre}) {
            fuzz::LayOutAndCheck(text, metrics, {20, 20, 780, 580}, alignment, 0, placements);
            fuzz::LayOutAndCheck(text, metrics, {300, 300, 310, 320}, alignment, 2, placements);
        }
    }
    return 0;
}
