// One bitmap font: a glyph sheet of 16 x 16 equal cells, one per character
// code, and the advance widths of the 256 codes from its metrics file.
#pragma once

#include "media/Sprite.h"
#include "media/TextLayout.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

class CDisplay;

// Where a font's files are and how its sheet is cut.
struct SFontFiles {
    const char* sheetFile; // game path of the glyph sheet bitmap
    const char* metricsFile; // game path of the 256-byte advance table
    int32_t sheetSize; // the sheet is sheetSize x sheetSize pixels
    int32_t cellSize; // each glyph cell is cellSize x cellSize (sheetSize / 16)
    int32_t lineHeight; // distance from one text line to the next
};

class CBitmapFont {
public:
    // Makes the sheet sprite and reads the advances. A missing sheet draws
    // nothing (the sprite is transparent); a missing or short metrics file
    // gives zero advances for every code it does not cover.
    void Load(CDisplay& display, const SFontFiles& files);

    // Copies each placed glyph from the sheet into the display's back buffer.
    void DrawGlyphs(CDisplay& display, const std::vector<media::SGlyphPlacement>& placements) const;

    const media::SFontMetrics& Metrics() const { return metrics; }
    CSprite* Sheet() const { return sheet.get(); }
    int32_t SheetWidth() const { return sheetWidth; }
    int32_t SheetHeight() const { return sheetHeight; }

private:
    void FindInkedCells();

    SpritePtr sheet;
    int32_t sheetWidth = 0;
    int32_t sheetHeight = 0;
    // Cell size, advances and line height.
    media::SFontMetrics metrics;
    // Whether each code's cell holds any pixel other than the black key.
    std::array<bool, media::kGlyphCodeCount> inkedCells{};
};

namespace media {

// The advances stored in a metrics file (byte i is the signed advance of code
// i). Codes past the end of a short file, or all of them when the file cannot
// be read, advance 0. Bytes after the 256th are ignored.
std::array<int8_t, kGlyphCodeCount> ReadAdvances(std::string_view metricsFile);
std::array<int8_t, kGlyphCodeCount> AdvancesFromBytes(const std::vector<uint8_t>& bytes);

} // namespace media
