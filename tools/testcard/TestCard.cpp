// Composition of the test card, section by section.
#include "TestCard.h"

#include "media/Blend.h"
#include "media/Display.h"
#include "media/FontTable.h"

#include <array>

namespace testcard {
namespace {

struct SColour {
    int32_t red, green, blue; // 0-255
};

constexpr SColour kFrameColour{110, 110, 130};
constexpr SColour kPanelColour{18, 20, 30};

// FillSpriteRect takes each channel in its own range at the sprite's depth.
void Fill(CDisplay& display, int32_t left, int32_t top, int32_t right, int32_t bottom, SColour colour)
{
    CSprite* back = display.BackBuffer();
    if (!back || !back->surface) {
        return;
    }
    const int32_t depth = back->surface->Format().bitsPerPixel;
    if (depth == 32 || depth == 24) {
        FillSpriteRect(back, left, top, right, bottom, colour.red, colour.green, colour.blue);
    } else {
        FillSpriteRect(
            back, left, top, right, bottom, colour.red >> 3, colour.green >> (depth == 16 ? 2 : 3), colour.blue >> 3);
    }
}

void Frame(CDisplay& display, int32_t left, int32_t top, int32_t right, int32_t bottom, SColour colour)
{
    Fill(display, left, top, right, top + 1, colour);
    Fill(display, left, bottom - 1, right, bottom, colour);
    Fill(display, left, top, left + 1, bottom, colour);
    Fill(display, right - 1, top, right, bottom, colour);
}

void Label(CDisplay& display, CFontTable& fonts, int32_t x, int32_t y, const char* text)
{
    fonts.DrawText(display, text, kFontTimesRoman10, x, y, 800, 600, media::kAlignLeft, 0);
}

// A diagonal gradient in 8-pixel blocks over the whole frame.
void DrawGradient(CDisplay& display)
{
    constexpr int32_t kBlock = 8;
    for (int32_t y = 0; y < 600; y += kBlock) {
        for (int32_t x = 0; x < 800; x += kBlock) {
            Fill(display, x, y, x + kBlock, y + kBlock, {20 + x * 160 / 800, 30 + y * 150 / 600, 150 - x * 90 / 800});
        }
    }
}

void DrawSprites(CDisplay& display, CFontTable& fonts, CSprite* sprite)
{
    Label(display, fonts, 10, 42, "Keyed, part, stretched");
    display.DrawSprite(sprite, 10, 60);
    display.DrawSpritePart(sprite, 84, 60, 0, 0, 32, 32);
    display.DrawSpriteStretched(sprite, 124, 60, 128, 64);

    Label(display, fonts, 10, 130, "Clipped, shrunk, widened");
    display.DrawSprite(sprite, -32, 148);
    display.DrawSpriteStretched(sprite, 44, 148, 24, 24);
    display.DrawSpriteStretched(sprite, 80, 148, 170, 40);
    // Off the bottom right corner of the frame: only its top-left 40 x 40.
    display.DrawSprite(sprite, 760, 560);
}

// The overlay blended twice over the gradient, the second copy overlapping
// the first, at the back buffer's own depth.
void BlendTwice(platform::CSurface* destination, platform::CSurface* overlay, int32_t x, int32_t y)
{
    const platform::Rect tile{0, 0, 44, 60};
    BlendSprite(destination, overlay, x, y, &tile);
    BlendSprite(destination, overlay, x + 30, y + 14, &tile);
}

void DrawBlends(CDisplay& display, CFontTable& fonts, CSprite* overlay)
{
    platform::CSurface* back = display.BackBuffer()->surface.get();
    if (!back || !overlay || !overlay->surface) {
        return;
    }
    Label(display, fonts, 10, 198, "Blend 32");
    Label(display, fonts, 135, 198, "Blend 16");
    BlendTwice(back, overlay->surface.get(), 14, 218);

    // The same over a 5-6-5 copy of the gradient, shown back in the frame.
    const platform::Rect area{135, 218, 250, 298};
    const platform::Rect local{0, 0, area.Width(), area.Height()};
    const auto format16 = platform::PixelFormat::ForDepth(16);
    auto patch = platform::CSurface::Create(area.Width(), area.Height(), format16);
    auto overlay16 = platform::CSurface::Create(overlay->width, overlay->height, format16);
    if (!patch || !overlay16) {
        return;
    }
    const platform::Rect whole{0, 0, overlay->width, overlay->height};
    patch->Blit(*back, area, local);
    overlay16->Blit(*overlay->surface, whole, whole);
    BlendTwice(patch.get(), overlay16.get(), 4, 0);
    back->Blit(*patch, local, area);
}

void DrawCharacterMap(CDisplay& display, CFontTable& fonts)
{
    Label(display, fonts, 10, 306, "Font 1, codes 32-255");
    std::string map;
    for (int code = 32; code < 256; ++code) {
        map += static_cast<char>(code);
        if (code % 16 == 15 && code != 255) {
            map += '\n';
        }
    }
    fonts.DrawText(display, map, kFontTimesRoman10, 10, 324, 258, 600, media::kAlignLeft, 0);
}

struct SFontSample {
    int32_t font;
    const char* name;
    int32_t top;
    int32_t bottom;
};

constexpr std::array<SFontSample, 3> kFontSamples = {{
    {kFontTimesRoman10, "Times Roman 10", 58, 150},
    {kFontTimesRoman16, "Times Roman 16", 166, 336},
    {kFontKlang20, "Klang MT 20", 352, 592},
}};

constexpr int32_t kColumnLeft = 268;
constexpr int32_t kColumnWidth = 126;
constexpr int32_t kColumnGap = 6;

// Each font in four boxes: left wrapping, left scrolled by two lines, right
// and centred. The boxes are framed so that wrapping and clipping show.
void DrawFontSamples(CDisplay& display, CFontTable& fonts)
{
    const char* headers[] = {"1: left, wrapped", "1: firstLine 2", "2: right", "3: centred"};
    for (int column = 0; column < 4; ++column) {
        Label(display, fonts, kColumnLeft + column * (kColumnWidth + kColumnGap), 40, headers[column]);
    }
    for (const SFontSample& sample : kFontSamples) {
        const std::string name = sample.name;
        const std::string texts[] = {
            name + ": the quick brown fox jumps over the lazy dog.\nPairs left: 144",
            "Line 0 scrolled away\nLine 1 too\nLine 2 is at the top, and long lines wrap at spaces until the box "
            "is full, where drawing stops.",
            "12:05\nPairs 144\nMissed 3",
            name + " centred between words\nMahjongg",
        };
        const int32_t alignments[] = {media::kAlignLeft, media::kAlignLeft, media::kAlignRight, media::kAlignCentre};
        const int32_t firstLines[] = {0, 2, 0, 0};
        for (int column = 0; column < 4; ++column) {
            const int32_t left = kColumnLeft + column * (kColumnWidth + kColumnGap);
            const int32_t right = left + kColumnWidth;
            Fill(display, left, sample.top, right, sample.bottom, kPanelColour);
            Frame(display, left - 1, sample.top - 1, right + 1, sample.bottom + 1, kFrameColour);
            fonts.DrawText(display, texts[column], sample.font, left, sample.top, right, sample.bottom,
                alignments[column], firstLines[column]);
        }
    }
}

} // namespace

void ComposeTestCard(CDisplay& display, CFontTable& fonts, const SCardPictures& pictures)
{
    display.ClearBackBuffer();
    DrawGradient(display);
    fonts.DrawText(display, "Velmora Mahjongg 2.3 test card", kFontKlang20, 0, 2, 800, 40, media::kAlignCentre, 0);

    SpritePtr sprite = display.CreateSprite(pictures.spriteFile, 64, 64);
    SpritePtr overlay = display.CreateSprite(pictures.overlayFile, 64, 64);
    DrawSprites(display, fonts, sprite.get());
    DrawBlends(display, fonts, overlay.get());
    DrawCharacterMap(display, fonts);
    DrawFontSamples(display, fonts);
    ReleaseSprite(overlay);
    ReleaseSprite(sprite);
}

} // namespace testcard
