// The drawing hot paths of one frame at 32 bits: clearing the back buffer, the
// keyed backdrop and a full board of tile pieces; the translucent blend of a
// selected tile at 32 and 16 bits; and presenting 800 x 600 into a real window
// (needs an X server: run under xvfb-run, otherwise that benchmark skips).
#include "media/Blend.h"
#include "media/Display.h"
#include "platform/FakeVideoBackend.h"
#include "platform/VideoBackend.h"
#include "platform/Window.h"
#include "support/TempDir.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

using namespace platform;

namespace {

constexpr int32_t kTilePieces = 576; // 144 tiles drawn as four quarters each
constexpr int32_t kTileFaces = 42;

// A 24-bit bitmap file: colours that vary with x and y, black where
// `isBlack` says (the keyed, see-through parts).
template <typename IsBlack> void WriteBitmap(const std::string& path, int32_t width, int32_t height, IsBlack isBlack)
{
    std::vector<uint8_t> bytes;
    auto put32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            bytes.push_back(static_cast<uint8_t>(v >> (8 * i)));
        }
    };
    const uint32_t imageBytes = static_cast<uint32_t>(width * height * 3 + ((4 - width * 3 % 4) % 4) * height);
    bytes.push_back('B');
    bytes.push_back('M');
    put32(54 + imageBytes);
    put32(0);
    put32(54);
    put32(40);
    put32(static_cast<uint32_t>(width));
    put32(static_cast<uint32_t>(height));
    put32(1 | 24 << 16);
    put32(0);
    put32(imageBytes);
    put32(2835);
    put32(2835);
    put32(0);
    put32(0);
    for (int32_t y = height - 1; y >= 0; --y) {
        for (int32_t x = 0; x < width; ++x) {
            const bool black = isBlack(x, y);
            bytes.push_back(black ? 0 : static_cast<uint8_t>(40 + x % 200));
            bytes.push_back(black ? 0 : static_cast<uint8_t>(40 + y % 200));
            bytes.push_back(black ? 0 : 120);
        }
        bytes.resize(bytes.size() + static_cast<size_t>((4 - width * 3 % 4) % 4), 0);
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

// A full-screen 800 x 600 display at `depth` on the screenless backend.
struct Scene {
    testing_support::CTempDir dir;
    FakeVideoState video;
    CDisplay display;
    SpritePtr backdrop;
    std::vector<SpritePtr> faces;

    explicit Scene(int32_t depth)
    {
        video.desktop = DisplayMode{800, 600, depth};
        display.Create(nullptr, std::make_unique<CFakeVideoBackend>(video));
        display.SetFullScreen(800, 600, depth);
        // The backdrop has a see-through band; tile faces have black corners
        // and a black border where the tile's shadow side would be.
        WriteBitmap(dir.File("backdrop.bmp"), 800, 600, [](int32_t, int32_t y) { return y >= 280 && y < 300; });
        WriteBitmap(
            dir.File("face.bmp"), 64, 64, [](int32_t x, int32_t y) { return x >= 46 || y >= 62 || (x < 3 && y < 3); });
        backdrop = display.CreateSprite(dir.File("backdrop.bmp"), 800, 600);
        for (int32_t i = 0; i < kTileFaces; ++i) {
            faces.push_back(display.CreateSprite(dir.File("face.bmp"), 64, 64));
        }
    }
};

void ComposeFrame(benchmark::State& state)
{
    Scene scene(32);
    CDisplay& display = scene.display;
    for (auto _ : state) {
        display.ClearBackBuffer();
        display.DrawSprite(scene.backdrop.get(), 0, 0);
        for (int32_t piece = 0; piece < kTilePieces; ++piece) {
            const int32_t tile = piece / 4;
            const int32_t quarter = piece % 4;
            const int32_t left = (quarter % 2) * 23;
            const int32_t top = (quarter / 2) * 31;
            const int32_t x = 40 + (tile % 16) * 44 + left + (tile / 64) * 4;
            const int32_t y = 30 + ((tile / 16) % 4) * 60 + top - (tile / 64) * 4;
            display.DrawSpritePart(
                scene.faces[static_cast<size_t>(tile % kTileFaces)].get(), x, y, left, top, left + 23, top + 31);
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(ComposeFrame)->Unit(benchmark::kMillisecond);

void BlendSelectedTile(benchmark::State& state)
{
    const auto depth = static_cast<int32_t>(state.range(0));
    Scene scene(depth);
    SpritePtr overlay = scene.display.CreateSprite(scene.dir.File("face.bmp"), 64, 64);
    const Rect tile{0, 0, 44, 60};
    CSurface* back = scene.display.BackBuffer()->surface.get();
    BlendSprite(back, overlay->surface.get(), 101, 57, &tile);
    for (auto _ : state) {
        BlendSprite(back, overlay->surface.get(), 101, 57, &tile);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BlendSelectedTile)->Arg(32)->Arg(16)->Unit(benchmark::kMicrosecond);

void PresentIntoWindow(benchmark::State& state)
{
    if (!std::getenv("DISPLAY")) {
        state.SkipWithError("no X server (DISPLAY unset): run under xvfb-run");
        return;
    }
    auto window = CWindow::Create("Velmora Mahjongg 2.3", 800, 600);
    auto backend = window ? CreateVideoBackend(window.get()) : nullptr;
    if (!backend || !backend->SetCooperativeLevel(CooperativeLevel::Normal)) {
        state.SkipWithError("no window");
        return;
    }
    auto screen = backend->CreatePrimarySurface(PrimaryKind::Alone);
    auto back = backend->CreateSurface(800, 600);
    back->Fill(Rect{0, 0, 800, 600}, 0x00336699);
    for (auto _ : state) {
        PumpEvents();
        screen->PresentInWindow(platform::PresentedFrame{back.get(), {Rect{0, 0, 800, 600}}});
    }
}
BENCHMARK(PresentIntoWindow)->Unit(benchmark::kMillisecond);

} // namespace
