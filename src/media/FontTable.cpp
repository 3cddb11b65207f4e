// The font table: three fonts in fixed slots and DrawText.
#include "media/FontTable.h"

#include "media/Display.h"

CFontTable::CFontTable(CDisplay& display)
{
    for (size_t i = 0; i < kFontFiles.size(); ++i) {
        auto font = std::make_unique<CBitmapFont>();
        font->Load(display, kFontFiles[i]);
        fonts[i + 1] = std::move(font);
    }
}

const CBitmapFont* CFontTable::Font(int32_t fontIndex) const
{
    if (fontIndex < 0 || fontIndex >= kFontSlotCount) {
        return nullptr;
    }
    return fonts[static_cast<size_t>(fontIndex)].get();
}

void CFontTable::DrawText(CDisplay& display, std::string_view text, int32_t fontIndex, int32_t left, int32_t top,
    int32_t right, int32_t bottom, int32_t alignment, int32_t firstLine)
{
    const CBitmapFont* font = Font(fontIndex);
    if (!font) {
        return;
    }
    placements.clear();
    media::LayOutText(text, font->Metrics(), {left, top, right, bottom}, alignment, firstLine, placements);
    font->DrawGlyphs(display, placements);
}
