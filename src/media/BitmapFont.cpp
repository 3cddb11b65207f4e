// Loading a bitmap font and copying its glyphs.
#include "media/BitmapFont.h"

#include "media/Display.h"
#include "platform/Files.h"

#include <algorithm>

void CBitmapFont::Load(CDisplay& display, const SFontFiles& files)
{
    sheet = display.CreateSprite(files.sheetFile, files.sheetSize, files.sheetSize);
    sheetWidth = files.sheetSize;
    sheetHeight = files.sheetSize;
    metrics.cellWidth = files.cellSize;
    metrics.cellHeight = files.cellSize;
    metrics.lineHeight = files.lineHeight;
    metrics.advances = media::ReadAdvances(files.metricsFile);
    FindInkedCells();
}

// Every glyph is a small part of a tall sheet. A run-length encoded source
// walks its encoded rows from the top on each such copy (a line of 40 glyphs
// took 0.7 ms instead of 13 us), so the sheet keeps plain pixels: the first
// lock, taken here, drops the encoding for good.
void CBitmapFont::FindInkedCells()
{
    inkedCells.fill(true);
    if (!sheet || !sheet->surface) {
        return;
    }
    platform::CSurfaceLock lock = sheet->surface->Lock();
    const int32_t cell = metrics.cellWidth;
    if (!lock.IsLocked() || cell <= 0 || cell * media::kSheetColumns > sheet->surface->Width()
        || cell * media::kSheetColumns > sheet->surface->Height()) {
        return;
    }
    // The key is raw 0 and 32-bit pixels keep their padding byte 0, so a
    // cell is blank when all its bytes are 0.
    const size_t cellBytes = static_cast<size_t>(cell) * static_cast<size_t>(lock.Format().BytesPerPixel());
    for (int code = 0; code < media::kGlyphCodeCount; ++code) {
        const int32_t left = (code % media::kSheetColumns) * cell;
        const int32_t top = (code / media::kSheetColumns) * cell;
        bool inked = false;
        for (int32_t y = top; y < top + cell && !inked; ++y) {
            const uint8_t* row = lock.Pixels() + static_cast<ptrdiff_t>(y) * lock.Pitch()
                + static_cast<ptrdiff_t>(left) * lock.Format().BytesPerPixel();
            inked = std::any_of(row, row + cellBytes, [](uint8_t byte) { return byte != 0; });
        }
        inkedCells[static_cast<size_t>(code)] = inked;
    }
}

void CBitmapFont::DrawGlyphs(CDisplay& display, const std::vector<media::SGlyphPlacement>& placements) const
{
    if (!sheet) {
        return;
    }
    for (const auto& p : placements) {
        // Zero-advance glyphs (codes the metrics leave out) and blank cells
        // (the space) have nothing to copy.
        if (p.sourceRight <= p.sourceLeft || !inkedCells[p.code]) {
            continue;
        }
        display.DrawSpritePart(sheet.get(), p.x, p.y, p.sourceLeft, p.sourceTop, p.sourceRight, p.sourceBottom);
    }
}

namespace media {

std::array<int8_t, kGlyphCodeCount> ReadAdvances(std::string_view metricsFile)
{
    const auto bytes = platform::ReadWholeFile(metricsFile);
    return bytes ? AdvancesFromBytes(*bytes) : std::array<int8_t, kGlyphCodeCount>{};
}

std::array<int8_t, kGlyphCodeCount> AdvancesFromBytes(const std::vector<uint8_t>& bytes)
{
    std::array<int8_t, kGlyphCodeCount> advances{};
    const size_t count = std::min(bytes.size(), advances.size());
    for (size_t code = 0; code < count; ++code) {
        advances[code] = static_cast<int8_t>(bytes[code]);
    }
    return advances;
}

} // namespace media
