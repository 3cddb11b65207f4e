// The bitmaps, through the sprite loader: SDL's decoder reads the file and
// the display converts it into its own format at 32, 16 and 15 bits. Any
// file gives a sprite of the requested size that copies, stretches, fills
// and serves as a font sheet.
#include "FuzzFolder.h"
#include "FuzzTarget.h"

#include "media/BitmapFont.h"
#include "media/Display.h"
#include "media/Sprite.h"
#include "platform/FakeVideoBackend.h"
#include "support/WaveFile.h"

#include "../platform/TestBitmaps.h"

#include <cstdio>
#include <memory>

namespace {

constexpr const char* kFileName = "Fuzz.bmp";

// A bitmap of width x height at bitsPerPixel (1, 4, 8 with a palette; 16 and
// 32 with bit fields; 24 plain), bottom-up or top-down, optionally RLE8.
fuzz::Input MakeBitmap(int32_t width, int32_t height, uint16_t bitsPerPixel, bool topDown, bool rle = false)
{
    using namespace testing_support::wave_file;
    const bool paletted = bitsPerPixel <= 8, fields = bitsPerPixel == 16 || bitsPerPixel == 32;
    const uint32_t rowBytes = (static_cast<uint32_t>(width) * bitsPerPixel + 31) / 32 * 4;
    Bytes pixels;
    for (int32_t y = 0; y < height; ++y) {
        if (rle) { // one run of `width` pixels and an end of line
            pixels.insert(pixels.end(), {static_cast<uint8_t>(width), static_cast<uint8_t>(y + 1), 0, 0});
        }
        for (uint32_t x = 0; !rle && x < rowBytes; ++x) {
            pixels.push_back(static_cast<uint8_t>(x * 37 + static_cast<uint32_t>(y) * 11 + 1));
        }
    }
    pixels = pixels + (rle ? Bytes{0, 1} : Bytes{});
    Bytes extra; // the bit fields or the palette
    if (fields) {
        extra = bitsPerPixel == 16 ? Le(0xf800, 4) + Le(0x07e0, 4) + Le(0x001f, 4)
                                   : Le(0x00ff0000, 4) + Le(0x0000ff00, 4) + Le(0x000000ff, 4);
    }
    for (uint32_t i = 0; paletted && i < 1u << bitsPerPixel; ++i) {
        extra = extra + Le((i * 0x1f3f7fu) & 0xffffff, 4);
    }
    const uint32_t compression = rle ? 1 : fields ? 3 : 0;
    return testing_support::BmpFile(
        width, topDown ? -height : height, bitsPerPixel, compression, pixels, extra, paletted ? 1u << bitsPerPixel : 0);
}

struct SDisplays {
    platform::FakeVideoState state[3];
    std::unique_ptr<CDisplay> display[3];

    SDisplays()
    {
        const int32_t depths[3] = {32, 16, 15};
        for (int i = 0; i < 3; ++i) {
            display[i] = std::make_unique<CDisplay>();
            FUZZ_REQUIRE(display[i]->Create(nullptr, std::make_unique<platform::CFakeVideoBackend>(state[i])));
            FUZZ_REQUIRE(display[i]->SetFullScreen(800, 600, depths[i]) && display[i]->BitsPerPixel() == depths[i]);
        }
    }
};

} // namespace

namespace fuzz {

size_t MaxInputBytes() { return 65536; }

std::vector<Input> Seeds()
{
    return {MakeBitmap(12, 7, 24, false), MakeBitmap(9, 5, 8, false), MakeBitmap(17, 3, 4, true),
        MakeBitmap(33, 2, 1, false), MakeBitmap(6, 6, 16, true), MakeBitmap(5, 8, 32, false),
        MakeBitmap(10, 4, 8, false, true)};
}

} // namespace fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    fuzz::WorkFolder();
    static SDisplays displays;
    std::FILE* file = std::fopen(kFileName, "wb");
    FUZZ_REQUIRE(file != nullptr);
    FUZZ_REQUIRE(std::fwrite(bytes, 1, size, file) == size);
    FUZZ_REQUIRE(std::fclose(file) == 0);
    for (auto& display : displays.display) {
        SpritePtr sprite = display->CreateSprite(kFileName, 37, 29);
        FUZZ_REQUIRE(sprite && sprite->surface && sprite->width == 37 && sprite->height == 29);
        SpritePtr small = display->CreateSprite(kFileName, 3, 2);
        FUZZ_REQUIRE(small && small->surface);
        display->ClearBackBuffer();
        display->DrawSprite(sprite.get(), 790, -10);
        display->DrawSpriteStretched(small.get(), 10, 10, 200, 150);
        BlitSprite(sprite.get(), small.get(), 0, 0, 37, 29, 0, 0, 3, 2);
        BlitSprite(small.get(), sprite.get(), -5, -5, 9, 9, 3, 3, 30, 30);
        FillSpriteRect(sprite.get(), 2, 2, 20, 20, 17, 40, 250);
        ReleaseSprite(small);
        FUZZ_REQUIRE(small == nullptr);
        // As a glyph sheet: the loader's pixels are searched for ink.
        CBitmapFont font;
        font.Load(*display, {kFileName, "Missing Metrics.dat", 32, 2, 2});
        font.DrawGlyphs(*display, media::LayOutText("Ab c", font.Metrics(), {0, 0, 100, 100}, media::kAlignLeft, 0));
    }
    return 0;
}
