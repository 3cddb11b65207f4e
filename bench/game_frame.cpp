// One game frame composed into the back buffer (clear, backdrop, bar, five
// buttons, the dealt Turtle with a selected tile and a hinted pair, the status
// line, cursor) on the fake video backend at 32 and 16 bits; and a saved
// game's reading and writing, with and without the file.
#include "board/Rules.h"
#include "game/SavedGame.h"
#include "game/TraditionalScreen.h"
#include "gui/DXFramework.h"
#include "gui/FrameworkHarness.h"
#include "media/Display.h"
#include "media/Mouse.h"
#include "platform/Files.h"
#include "screens/SettingsFiles.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

bool CopyData(testing_support::CFrameworkHarness& harness)
{
    for (const char* folder : {"Graphics", "Sounds", "Data", "Layouts"}) {
        if (!harness.CopyRunData(folder)) {
            return false;
        }
    }
    harness.runFolder.Write("Data/Help1.dat", std::string("100"));
    WritePlayGameFile({1, "Turtle"});
    return true;
}

void GameFrame(benchmark::State& state)
{
    testing_support::CFrameworkHarness harness;
    if (!CopyData(harness)) {
        state.SkipWithError("the run folder is not built");
        return;
    }
    CDXFramework framework(&harness.desktop);
    framework.SetFullScreenMode(800, 600, static_cast<int32_t>(state.range(0)));
    auto* game = new CTraditionalScreen(&framework);
    game->SetId(2);
    framework.AddScreen(game);
    framework.SwitchToScreen(2);
    board::CBoard& board = *game->Board();
    const auto pair = board::FindFirstPair(board);
    board.Tile(pair->first).hinted = 1;
    board.Tile(pair->second).hinted = 1;
    // Another free tile selected: the time stands still, so the marks stay.
    for (int t = 0; t < board::kTileCount; ++t) {
        if (t != pair->first && t != pair->second && board::IsTileFree(board, t)) {
            board.Tile(t).selected = 1;
            break;
        }
    }
    framework.Mouse()->x = 400;
    framework.Mouse()->y = 300;
    CDisplay* display = framework.Display();
    for (auto _ : state) {
        display->ClearBackBuffer();
        game->Update();
        display->DrawSprite(game->Cursor(), framework.Mouse()->x, framework.Mouse()->y);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(GameFrame)->Arg(32)->Arg(16)->Unit(benchmark::kMicrosecond);

// Whole frames of a running game (composed at 1x, drawn again at the scale,
// handed to the screen) at scales 1 to 4: argument 1 is 0 when the whole
// frame is sent (a new screen), 1 when only the pointer moved, 2 when nothing
// changed (what an idle frame costs).
void ScaledGameFrame(benchmark::State& state)
{
    testing_support::CFrameworkHarness harness;
    if (!CopyData(harness)) {
        state.SkipWithError("the run folder is not built");
        return;
    }
    const auto scale = static_cast<int32_t>(state.range(0));
    harness.video.state.largestScale = scale;
    harness.video.state.screenWidth = 800 * scale;
    harness.video.state.screenHeight = 600 * scale;
    harness.video.state.keepShown = false;
    CDXFramework framework(&harness.desktop);
    framework.SetFullScreenMode(800, 600, 32);
    auto* game = new CTraditionalScreen(&framework);
    game->SetId(2);
    framework.AddScreen(game);
    framework.SwitchToScreen(2);
    game->Board()->Tile(0).selected = 1;
    CDisplay* display = framework.Display();
    framework.RunFrame(); // every picture made at the scale
    int32_t step = 0;
    for (auto _ : state) {
        if (state.range(1) == 0) {
            display->SendWholeFrameNext();
        }
        framework.Mouse()->x = 400 + (state.range(1) == 1 ? (step++ % 2) * 8 : 0);
        framework.Mouse()->y = 300;
        framework.RunFrame();
    }
}
BENCHMARK(ScaledGameFrame)->ArgsProduct({{1, 2, 3, 4}, {0, 1, 2}})->Unit(benchmark::kMicrosecond);

// A dealt Turtle as a saved game, written once into the run folder.
struct SSavedTurtle {
    testing_support::CFrameworkHarness harness;
    game::SSavedGame saved;
    bool ready = false;

    SSavedTurtle()
    {
        if (!harness.CopyRunData("Layouts")) {
            return;
        }
        auto board = std::make_unique<board::CBoard>();
        ready = board->LoadLayout("Layouts\\Turtle") && board::DealNewGame(*board);
        saved = game::CaptureBoard(*board, board::kGameTypeTraditional, 61000);
        ready = ready && game::WriteSavedGame("Bench", saved);
    }
};

void LoadSavedGame(benchmark::State& state)
{
    SSavedTurtle turtle;
    if (!turtle.ready) {
        state.SkipWithError("the run folder is not built");
        return;
    }
    auto board = std::make_unique<board::CBoard>();
    for (auto _ : state) {
        benchmark::DoNotOptimize(game::LoadSavedGame("Saves\\Bench", *board).Ok());
    }
}
BENCHMARK(LoadSavedGame)->Unit(benchmark::kMicrosecond);

void DecodeSavedGame(benchmark::State& state)
{
    SSavedTurtle turtle;
    const auto bytes = game::EncodeSavedGame(turtle.saved);
    for (auto _ : state) {
        benchmark::DoNotOptimize(game::DecodeSavedGame(bytes).Ok());
    }
}
BENCHMARK(DecodeSavedGame)->Unit(benchmark::kMicrosecond);

// The whole save: capture, encode and the atomic replacement, flushed to the
// disk (which dominates).
void SaveGame(benchmark::State& state)
{
    SSavedTurtle turtle;
    if (!turtle.ready) {
        state.SkipWithError("the run folder is not built");
        return;
    }
    auto board = std::make_unique<board::CBoard>();
    game::LoadSavedGame("Saves\\Bench", *board);
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            game::WriteSavedGame("Bench", game::CaptureBoard(*board, board::kGameTypeTraditional, 61000)));
    }
}
BENCHMARK(SaveGame)->Unit(benchmark::kMicrosecond);

void EncodeSavedGame(benchmark::State& state)
{
    SSavedTurtle turtle;
    for (auto _ : state) {
        benchmark::DoNotOptimize(game::EncodeSavedGame(turtle.saved).size());
    }
}
BENCHMARK(EncodeSavedGame)->Unit(benchmark::kMicrosecond);

} // namespace
