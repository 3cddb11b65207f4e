// Presenting one full-screen frame of the 800 x 600 picture on the real
// window: the flip that uploads the back buffer and scales it over the
// screen. Needs an X server with a window manager; bench/present.sh runs it
// under Xvfb at 1920 x 1080 and 3840 x 2160 with each renderer
// (VELMORA_RENDERER=software forces SDL's software renderer).
#include "platform/VideoBackend.h"
#include "platform/Window.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

void BM_PresentFullScreen(benchmark::State& state)
{
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || display[0] == '\0') {
        state.SkipWithError("no X display (run bench/present.sh)");
        return;
    }
    auto window = platform::CWindow::Create("Velmora Mahjongg 2.3", 800, 600);
    auto backend = window ? platform::CreateVideoBackend(window.get()) : nullptr;
    if (!backend || !backend->SetCooperativeLevel(platform::CooperativeLevel::ExclusiveFullScreen)
        || !backend->SetDisplayMode(platform::DisplayMode{800, 600, 32})) {
        state.SkipWithError("no full-screen display");
        return;
    }
    auto chain = backend->CreatePrimarySurface(platform::PrimaryKind::FlipChain);
    if (!chain) {
        state.SkipWithError("no flip chain");
        return;
    }
    // A picture with detail everywhere, so that nothing is cheaper than a game frame.
    auto back = chain->AttachedBackBuffer();
    for (int32_t y = 0; y < 600; y += 8) {
        for (int32_t x = 0; x < 800; x += 8) {
            back->Fill(platform::Rect{x, y, x + 8, y + 8}, static_cast<uint32_t>((x * 7 + y * 13) * 2654435761u) | 0x080808u);
        }
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(chain->Flip(platform::PresentedFrame{back.get(), {platform::Rect{0, 0, 800, 600}}}));
    }
    int32_t width = 0;
    int32_t height = 0;
    const platform::Rect client = window->ClientRectOnScreen();
    width = client.Width();
    height = client.Height();
    state.SetLabel(std::to_string(width) + "x" + std::to_string(height) + (chain->IsAccelerated() ? " accelerated" : " software"));
}
BENCHMARK(BM_PresentFullScreen)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace
