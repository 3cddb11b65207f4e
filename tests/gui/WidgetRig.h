// What the widget tests draw into and listen to: a 32-bit 800 x 600 display on
// the fake video backend in a run folder of its own, fixture fonts whose
// glyphs are solid blocks coloured by character code (8, 12 and 16 wide for
// fonts 1 to 3), sprites from hand-made bitmaps, click sounds on an offline
// sound system whose plays a test can count, and a fake clock.
#pragma once

#include "media/Display.h"
#include "media/FontTable.h"
#include "media/Sound.h"
#include "media/SoundSystem.h"
#include "platform/Clock.h"
#include "platform/FakeVideoBackend.h"
#include "platform/Files.h"
#include "support/TempDir.h"
#include "support/WaveFile.h"

#include "../platform/TestBitmaps.h"

#include <gtest/gtest.h>

#include <functional>

namespace widget_test {

using testing_support::Rgb;

constexpr Rgb kBackground{32, 32, 32};
inline Rgb GlyphColour(unsigned char code) { return {code, 220, 120}; }
inline int32_t FixtureAdvance(int32_t font) { return 4 + 4 * font; }

// Right and bottom exclusive.
using SBounds = platform::Rect;

struct CWidgetRig {
    testing_support::CTempDir dir;
    testing_support::CScopedCurrentDir inDir{dir.Path()};
    platform::CScopedFakeClock clock{100000};
    platform::FakeVideoState video;
    std::unique_ptr<CDisplay> display = std::make_unique<CDisplay>();
    std::unique_ptr<CFontTable> fonts;
    CSoundSystem sounds;
    int files = 0;

    CWidgetRig()
    {
        for (int32_t font = 1; font <= 3; ++font) {
            const SFontFiles& f = kFontFiles[static_cast<size_t>(font - 1)];
            const int32_t size = f.cellSize * 16, advance = FixtureAdvance(font);
            std::vector<Rgb> sheet;
            for (int32_t i = 0; i < size * size; ++i) {
                const int32_t x = i % size, y = i / size, column = x % f.cellSize - (f.cellSize - advance) / 2;
                const auto code = static_cast<unsigned char>(y / f.cellSize * 16 + x / f.cellSize);
                sheet.push_back(column >= 0 && column < advance ? GlyphColour(code) : Rgb{});
            }
            dir.Write(platform::NativePath(f.sheetFile), testing_support::MakeBmp(size, size, sheet));
            dir.Write(platform::NativePath(f.metricsFile), std::vector<uint8_t>(256, static_cast<uint8_t>(advance)));
        }
        video.desktop = platform::DisplayMode{800, 600, 32};
        EXPECT_TRUE(display->Create(nullptr, std::make_unique<platform::CFakeVideoBackend>(video)));
        EXPECT_TRUE(display->SetFullScreen(800, 600, 32));
        fonts = std::make_unique<CFontTable>(*display);
        sounds.Create();
        sounds.CreateOfflineBuffer();
        Clear();
    }

    platform::CSurface& Back() { return *display->BackBuffer()->surface; }
    void Clear() { Back().Fill(platform::Rect{0, 0, 800, 600}, Raw(kBackground)); }
    uint32_t Raw(const Rgb& c) { return platform::PackRgb(Back().Format(), c.red, c.green, c.blue); }
    uint32_t Pixel(int32_t x, int32_t y) { return Back().GetPixel(x, y); }

    SpritePtr Picture(int32_t w, int32_t h, const std::function<Rgb(int32_t, int32_t)>& colour)
    {
        std::vector<Rgb> pixels;
        for (int32_t i = 0; i < w * h; ++i) {
            pixels.push_back(colour(i % w, i / w));
        }
        const std::string name = "Graphics\\Test\\" + std::to_string(++files) + ".bmp";
        dir.Write(platform::NativePath(name), testing_support::MakeBmp(w, h, pixels));
        return display->CreateSprite(name, w, h);
    }
    SpritePtr Solid(int32_t w, int32_t h, Rgb c)
    {
        return Picture(w, h, [c](int32_t, int32_t) { return c; });
    }

    // A click of eight samples; the widget owns it, `heard` lets the test listen.
    std::unique_ptr<CSound> Sound(CSound** heard = nullptr)
    {
        const std::string name = "Sounds\\" + std::to_string(++files) + ".wav";
        dir.Write(platform::NativePath(name),
            testing_support::wave_file::MonoWave({1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000}));
        auto sound = std::make_unique<CSound>();
        EXPECT_TRUE(sound->Load(name, &sounds));
        if (heard) {
            *heard = sound.get();
        }
        return sound;
    }

    // Whether the sound started since the last call; plays it to its end.
    bool TakePlayed(CSound* sound)
    {
        const bool playing = sound->IsPlaying();
        std::vector<int16_t> frames(2 * 64);
        sounds.Mixer()->Mix(frames.data(), 64);
        return playing;
    }

    // The smallest rectangle around the back buffer's pixels of this colour.
    SBounds BoundsOf(const Rgb& colour)
    {
        const uint32_t raw = Raw(colour);
        SBounds b{800, 600, 0, 0};
        platform::CSurfaceLock lock = Back().Lock();
        for (int32_t y = 0; y < 600; ++y) {
            const auto* row = reinterpret_cast<const uint32_t*>(lock.Pixels() + y * lock.Pitch());
            for (int32_t x = 0; x < 800; ++x) {
                if (row[x] == raw) {
                    b = {std::min(b.left, x), std::min(b.top, y), std::max(b.right, x + 1), std::max(b.bottom, y + 1)};
                }
            }
        }
        return b.right == 0 ? SBounds{} : b;
    }
};

} // namespace widget_test
