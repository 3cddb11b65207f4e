// One main-menu frame composed into the back buffer (clear, background, five
// buttons with captions, cursor) on the fake video backend, at 32 and 16 bits;
// and the same frame with the options page or the game selection page open
// (their widgets, labels and, for the game selection, the miniature).
#include "gui/DXFramework.h"
#include "gui/FrameworkHarness.h"
#include "gui/Screen.h"
#include "media/Display.h"
#include "media/Mouse.h"
#include "screens/MainMenuScreen.h"
#include "screens/MenuPages.h"

#include <benchmark/benchmark.h>

namespace {

void MainMenuFrame(benchmark::State& state)
{
    testing_support::CFrameworkHarness harness;
    for (const char* folder : {"Graphics/Gui", "Sounds", "Data"}) {
        if (!harness.CopyRunData(folder)) {
            state.SkipWithError("the run folder is not built");
            return;
        }
    }
    CDXFramework framework(&harness.desktop);
    framework.SetFullScreenMode(800, 600, static_cast<int32_t>(state.range(0)));
    auto* menu = new CMainMenuScreen(&framework);
    menu->SetId(1);
    framework.AddScreen(menu);
    framework.SwitchToScreen(1);
    framework.Mouse()->x = 400;
    framework.Mouse()->y = 300;
    CDisplay* display = framework.Display();
    for (auto _ : state) {
        display->ClearBackBuffer();
        menu->Update();
        display->DrawSprite(menu->Cursor(), framework.Mouse()->x, framework.Mouse()->y);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(MainMenuFrame)->Arg(32)->Arg(16)->Unit(benchmark::kMicrosecond);

// Argument 0: the options page; 1: the game selection page (on the Turtle
// layout the run folder's choice names). 32 bits.
void MainMenuFrameWithPage(benchmark::State& state)
{
    testing_support::CFrameworkHarness harness;
    for (const char* folder : {"Graphics", "Sounds", "Data", "Layouts"}) {
        if (!harness.CopyRunData(folder)) {
            state.SkipWithError("the run folder is not built");
            return;
        }
    }
    CDXFramework framework(&harness.desktop);
    framework.SetFullScreenMode(800, 600, 32);
    auto* menu = new CMainMenuScreen(&framework);
    menu->SetId(1);
    framework.AddScreen(menu);
    framework.SwitchToScreen(1);
    framework.Mouse()->x = 400;
    framework.Mouse()->y = 300;
    const MenuPage which = state.range(0) == 0 ? MenuPage::Options : MenuPage::GameSelection;
    std::unique_ptr<CScreen> page = CreateMenuPage(which, &framework);
    framework.AttachScreen(page.get());
    page->Activate();
    CDisplay* display = framework.Display();
    for (auto _ : state) {
        display->ClearBackBuffer();
        menu->Update();
        page->Update();
        display->DrawSprite(menu->Cursor(), framework.Mouse()->x, framework.Mouse()->y);
        benchmark::ClobberMemory();
    }
    framework.DetachScreen(page.get());
}
BENCHMARK(MainMenuFrameWithPage)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
