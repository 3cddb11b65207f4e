// The promises of a text layout that hold for any text and any metrics: no
// more glyphs than characters, every source inside its own cell of the
// sheet, and left-aligned text never starting a line below the box.
#pragma once

#include "FuzzTarget.h"

#include "media/TextLayout.h"

#include <cstring>
#include <string_view>

namespace fuzz {

inline void LayOutAndCheck(std::string_view text, const media::SFontMetrics& metrics, const media::STextBox& box,
    int alignment, int firstLine, std::vector<media::SGlyphPlacement>& placements)
{
    placements.clear();
    media::LayOutText(text, metrics, box, alignment, firstLine, placements);
    const size_t zero = text.find('\0');
    const size_t drawable = zero == std::string_view::npos ? text.size() : zero;
    FUZZ_REQUIRE(placements.size() <= drawable);
    for (const auto& p : placements) {
        const int32_t cellLeft = (p.code % media::kSheetColumns) * metrics.cellWidth;
        const int32_t cellTop = (p.code / media::kSheetColumns) * metrics.cellHeight;
        FUZZ_REQUIRE(p.sourceLeft >= cellLeft && p.sourceRight <= cellLeft + metrics.cellWidth);
        FUZZ_REQUIRE(p.sourceLeft <= p.sourceRight);
        FUZZ_REQUIRE(p.sourceTop == cellTop && p.sourceBottom == cellTop + metrics.cellHeight);
        if (alignment == media::kAlignLeft && firstLine >= 0) {
            FUZZ_REQUIRE(p.y <= box.bottom);
        }
    }
}

} // namespace fuzz
