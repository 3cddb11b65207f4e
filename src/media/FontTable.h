// The game's three bitmap fonts and the one operation that draws text with
// them. Made with each display and handed to every screen.
#pragma once

#include "media/BitmapFont.h"
#include "media/TextLayout.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

class CDisplay;

// Font indices. Slot 0 is never used.
inline constexpr int32_t kFontTimesRoman10 = 1;
inline constexpr int32_t kFontTimesRoman16 = 2; // labels, body text, captions
inline constexpr int32_t kFontKlang20 = 3; // centred titles
inline constexpr int32_t kFontSlotCount = 4;

// The files of fonts 1 to 3, in index order.
inline constexpr std::array<SFontFiles, 3> kFontFiles = {{
    {"Graphics\\Gui\\Times Roman 10 Font.bmp", "Data\\Times Roman 10 Font Metrics.dat", 256, 16, 16},
    {"Graphics\\Gui\\Times Roman 16 Font.bmp", "Data\\Times Roman 16 Font Metrics.dat", 512, 32, 24},
    {"Graphics\\Gui\\Klang MT 20 Font.bmp", "Data\\Klang MT 20 Font Metrics.dat", 512, 32, 32},
}};

class CFontTable {
public:
    // Loads fonts 1, 2 and 3 in that order from the run folder.
    explicit CFontTable(CDisplay& display);
    CFontTable(const CFontTable&) = delete;
    CFontTable& operator=(const CFontTable&) = delete;

    // Draws the text (up to its first zero byte) into the display's back
    // buffer inside left, top, right, bottom with alignment kAlignLeft,
    // kAlignRight or kAlignCentre (see TextLayout.h); firstLine scrolls
    // kAlignLeft text and is ignored otherwise. An empty font slot, an index
    // outside the table or an unknown alignment draws nothing.
    void DrawText(CDisplay& display, std::string_view text, int32_t fontIndex, int32_t left, int32_t top, int32_t right,
        int32_t bottom, int32_t alignment, int32_t firstLine);

    // The font in a slot, or null for an empty slot or an index outside the
    // table.
    const CBitmapFont* Font(int32_t fontIndex) const;

private:
    std::array<std::unique_ptr<CBitmapFont>, kFontSlotCount> fonts;
    // Reused by every DrawText so that drawing a text allocates nothing once
    // the longest text has been seen.
    std::vector<media::SGlyphPlacement> placements;
};
