// Presenting full-screen frames on the real window at the scale the screen
// asks for (800s x 600s for the s of the screen's size): argument 0 sends a
// whole frame, 1 a frame in which only the pointer's two 16 x 32 blocks
// changed, 2 an unchanged frame, 3 a whole 800 x 600 frame (the first frame
// at a new scale, enlarged as it is sent). Needs an X server with a window manager;
// bench/present.sh runs it under Xvfb at 1920 x 1080 and 3840 x 2160 with
// each renderer (VELMORA_RENDERER=software forces the CPU path).
#include "platform/PresentScaling.h"
#include "platform/VideoBackend.h"
#include "platform/Window.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

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
    int32_t width = 0;
    int32_t height = 0;
    chain->OutputSize(width, height);
    const int32_t scale = platform::ComposeScaleFor(800, 600, width, height, chain->LargestScale());
    const bool oneX = state.range(0) == 3;
    auto picture = platform::CSurface::Create(
        800 * (oneX ? 1 : scale), 600 * (oneX ? 1 : scale), platform::PixelFormat::ForDepth(32));
    // A picture with detail everywhere, so that nothing is cheaper than a game frame.
    for (int32_t y = 0; y < picture->Height(); y += 8) {
        for (int32_t x = 0; x < picture->Width(); x += 8) {
            picture->Fill(platform::Rect{x, y, x + 8, y + 8}, static_cast<uint32_t>((x * 7 + y * 13) * 2654435761u) | 0x080808u);
        }
    }
    const platform::Rect whole{0, 0, picture->Width(), picture->Height()};
    const int32_t block = 16 * scale;
    const std::vector<platform::Rect> changes[] = {{whole},
        {{400 * scale, 300 * scale, 400 * scale + block, 300 * scale + 2 * block},
            {416 * scale, 300 * scale, 416 * scale + block, 300 * scale + 2 * block}},
        {}, {whole}};
    const std::vector<platform::Rect>& changed = changes[state.range(0)];
    chain->Flip(platform::PresentedFrame{picture.get(), {whole}});
    for (auto _ : state) {
        benchmark::DoNotOptimize(chain->Flip(platform::PresentedFrame{picture.get(), changed}));
    }
    state.SetLabel(std::to_string(width) + "x" + std::to_string(height) + " scale " + std::to_string(scale)
        + (chain->IsAccelerated() ? " accelerated" : " software"));
}
BENCHMARK(BM_PresentFullScreen)->Arg(0)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

} // namespace
