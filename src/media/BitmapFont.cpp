// Loading a bitmap font and copying its glyphs.
#include "media/BitmapFont.h"

#include "media/Display.h"
#include "platform/Files.h"

#include <algorithm>

void CBitmapFont::Load(CDisplay& display, const SFontFiles& files)
{
    sheet = display.CreateSprite(files.sheetFile, files.sheetSize, files.sheetSize);
    // Every glyph is a small part of a tall sheet. A run-length encoded source
    // walks its encoded rows from the top on each such copy (a line of 40
    // glyphs took 0.7 ms instead of 13 us), so the sheet keeps plain pixels:
    // the first lock drops the encoding for good.
    if (sheet && sheet->surface) {
        sheet->surface->Lock();
    }
    sheetWidth = files.sheetSize;
    sheetHeight = files.sheetSize;
    metrics.cellWidth = files.cellSize;
    metrics.cellHeight = files.cellSize;
    metrics.lineHeight = files.lineHeight;
    metrics.advances = media::ReadAdvances(files.metricsFile);
}

void CBitmapFont::DrawGlyphs(CDisplay& display, const std::vector<media::SGlyphPlacement>& placements) const
{
    if (!sheet) {
        return;
    }
    for (const auto& p : placements) {
        // Zero-advance glyphs (the space of many fonts, codes the metrics
        // leave out) have nothing to copy.
        if (p.sourceRight <= p.sourceLeft) {
            continue;
        }
        display.DrawSpritePart(sheet.get(), p.x, p.y, p.sourceLeft, p.sourceTop, p.sourceRight, p.sourceBottom);
    }
}

namespace media {

std::array<int8_t, kGlyphCodeCount> ReadAdvances(std::string_view metricsFile)
{
    std::array<int8_t, kGlyphCodeCount> advances{};
    const auto bytes = platform::ReadWholeFile(metricsFile);
    if (!bytes) {
        return advances;
    }
    const size_t count = std::min(bytes->size(), advances.size());
    for (size_t code = 0; code < count; ++code) {
        advances[code] = static_cast<int8_t>((*bytes)[code]);
    }
    return advances;
}

} // namespace media
