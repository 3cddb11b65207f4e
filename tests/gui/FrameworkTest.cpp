// The frame loop frame by frame: which screen gets the mouse, the drawing
// order, the function keys, mode switches with every screen's reload, focus,
// the windowed cursor, idling and the frame-rate text. (A switch of state
// screens is the menu pages' test: the game a page starts finds the page's
// file stored, the menu deactivated first.)
#include "gui/DXFramework.h"
#include "gui/FrameworkHarness.h"
#include "media/Display.h"
#include "media/Mouse.h"
#include "platform/InputKeyCodes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using testing_support::CFrameworkHarness;

namespace {

// Records what the framework asks of it into a shared log.
class CProbeScreen : public CStateScreen {
public:
    CProbeScreen(std::vector<std::string>& sharedLog, std::string screenName, int32_t screenLayer,
        platform::Rect rect = {0, 0, 800, 600})
        : log(sharedLog)
        , name(std::move(screenName))
    {
        SetRect(rect.left, rect.top, rect.right, rect.bottom);
        layer = screenLayer;
        Show();
    }
    bool HandleInput() override { return Note("input"); }
    bool Update() override { return Note("update", updateResult); }
    void LoadResources(CDisplay* d, CSoundSystem* s, CMouse* m, CKeyboard* k, CFontTable* f) override
    {
        CStateScreen::LoadResources(d, s, m, k, f);
        Note("load");
    }
    void ReleaseResources() override
    {
        CStateScreen::ReleaseResources();
        Note("release");
    }

    bool updateResult = true;

private:
    bool Note(const char* what, bool result = true)
    {
        log.push_back(what + (" " + name));
        return result;
    }
    std::vector<std::string>& log;
    std::string name;
};

class FrameworkTest : public testing::Test {
protected:
    FrameworkTest() { framework.SetWindowedMode(800, 600); }

    CProbeScreen* Attach(const std::string& name, int32_t screenLayer, platform::Rect rect = {0, 0, 800, 600})
    {
        probes.push_back(std::make_unique<CProbeScreen>(log, name, screenLayer, rect));
        framework.AttachScreen(probes.back().get());
        return probes.back().get();
    }
    // One frame with the game's mouse at (x, y) in picture coordinates.
    int32_t FrameWithMouseAt(int32_t x, int32_t y)
    {
        framework.Mouse()->x = x;
        framework.Mouse()->y = y;
        framework.active = false; // keep the windowed cursor from moving the mouse
        log.clear();
        return framework.RunFrame();
    }
    CFrameworkHarness harness;
    std::vector<std::string> log;
    std::vector<std::unique_ptr<CProbeScreen>> probes;
    CDXFramework framework{&harness.desktop};
};

// Input goes to the one topmost shown screen under the mouse (a screen's
// edges belong to it) before anything is drawn; the drawing runs from the
// back layer to the front, in slot order within a layer; a screen that fails
// ends the program after one more picture.
TEST_F(FrameworkTest, InputGoesToTheTopmostScreenUnderTheMouseAndDrawingRunsBackToFront)
{
    Attach("back", 2);
    Attach("pageA", 0, {0, 125, 550, 600});
    Attach("game", 1, {0, 0, 50, 50});
    Attach("pageB", 0, {100, 100, 300, 300}); // same layer, later slot
    Attach("far", 25);
    Attach("hidden", 0, {600, 0, 800, 100})->Hide();
    const std::vector<std::string> drawn = {"update far", "update back", "update game", "update pageA", "update pageB"};
    // Both pages hold (200, 200): the lower slot wins. The hidden screen is
    // passed over at (700, 50).
    const std::pair<std::pair<int32_t, int32_t>, const char*> cases[]
        = {{{200, 200}, "input pageA"}, {{150, 110}, "input pageB"}, {{550, 600}, "input pageA"},
            {{551, 600}, "input back"}, {{700, 50}, "input back"}};
    for (const auto& [point, input] : cases) {
        FrameWithMouseAt(point.first, point.second);
        std::vector<std::string> expected = {input};
        expected.insert(expected.end(), drawn.begin(), drawn.end());
        EXPECT_EQ(log, expected) << point.first << "," << point.second;
    }
    // A screen of the back layer never receives input, even alone.
    framework.DetachScreen(probes[0].get());
    FrameWithMouseAt(700, 50);
    EXPECT_EQ(log.front(), "update far");

    // A screen that fails ends the program after one more picture.
    probes[1]->updateResult = false;
    const int32_t presentsBefore = harness.video.state.presentCount;
    const uint32_t before = harness.clock->Ticks();
    EXPECT_EQ(FrameWithMouseAt(10, 10), -1);
    EXPECT_EQ(harness.clock->Ticks() - before, 100u);
    EXPECT_EQ(harness.video.state.presentCount, presentsBefore + 1);
}

TEST_F(FrameworkTest, FunctionKeys)
{
    Attach("menu", 2);
    // F12 ends the frame before F1 is looked at.
    harness.SetKey(DIK_F12, true);
    harness.SetKey(DIK_F1, true);
    uint32_t before = harness.clock->Ticks();
    EXPECT_EQ(FrameWithMouseAt(0, 0), -1);
    EXPECT_FALSE(framework.showFps);
    EXPECT_EQ(harness.clock->Ticks(), before);
    harness.SetKey(DIK_F12, false);

    // F1 and F2 toggle their texts and each stop the program for 500 ms
    // (the 10 ms of a windowed frame come on top).
    for (const auto& [key, flag] : {std::pair{DIK_F1, &framework.showFps}, {DIK_F2, &framework.showMousePosition}}) {
        for (const bool shown : {!*flag, *flag}) {
            harness.SetKey(DIK_F1, key == DIK_F1);
            harness.SetKey(DIK_F2, key == DIK_F2);
            before = harness.clock->Ticks();
            EXPECT_EQ(FrameWithMouseAt(0, 0), 0);
            EXPECT_EQ(*flag, shown);
            EXPECT_EQ(harness.clock->Ticks() - before, 510u);
        }
    }
}

TEST_F(FrameworkTest, F5AndALostFocusSwitchModesAndEveryScreenReloadsInSlotOrder)
{
    Attach("a", 2);
    Attach("b", 0);
    Attach("c", 1);
    ASSERT_TRUE(framework.Display()->IsWindowed());

    harness.SetKey(DIK_F5, true);
    FrameWithMouseAt(0, 0);
    harness.SetKey(DIK_F5, false);
    EXPECT_FALSE(framework.Display()->IsWindowed());
    EXPECT_FALSE(framework.windowed);
    EXPECT_EQ(harness.desktopState.mouse->access, platform::MouseAccess::Exclusive);
    std::vector<std::string> reloads(log.end() - 6, log.end());
    EXPECT_EQ(reloads, (std::vector<std::string>{"release a", "release b", "release c", "load a", "load b", "load c"}));
    // Every screen holds the new devices.
    for (const auto& probe : probes) {
        EXPECT_EQ(probe->display, framework.Display());
        EXPECT_EQ(probe->mouse, framework.Mouse());
    }

    harness.SetKey(DIK_F5, true);
    FrameWithMouseAt(0, 0);
    EXPECT_TRUE(framework.Display()->IsWindowed());
    EXPECT_EQ(harness.desktopState.mouse->access, platform::MouseAccess::Shared);

    // Focus lost in full screen leaves the game windowed, also once it is back.
    framework.SetFullScreenMode(800, 600, 32);
    framework.OnFocusLost();
    EXPECT_TRUE(framework.Display()->IsWindowed() && !framework.active);
    framework.OnFocusGained();
    EXPECT_TRUE(framework.Display()->IsWindowed() && framework.active);

    // A refused full screen goes on in a window. (No display at all fails the
    // game's start-up: the game framework's test.)
    harness.video.state.refuseExclusive = true;
    EXPECT_TRUE(framework.SetFullScreenMode(800, 600, 32));
    EXPECT_TRUE(framework.Display()->IsWindowed() && framework.HasDisplay());
}

// The picture keeps its shape in the client area: in a 1920 x 1050 client
// at y 30 it is 1400 x 1050 at x 260, and the bars beside it count as
// outside. The system pointer is hidden on entering, shown on leaving.
TEST_F(FrameworkTest, TheWindowedCursorIsMappedIntoThePictureAndTheSystemPointerShownOnlyOutside)
{
    // The pointer on the screen, the game's mouse after the frame.
    const std::tuple<int32_t, int32_t, int32_t, int32_t> steps[] = {
        {1659, 1079, 799, 599}, // the picture's last pixel
        {260, 30, 0, 0},
        {261, 31, 0, 0}, // 0.57 truncated
        {259, 500, 0, 0}, // on the left bar: the mouse keeps its place
        {960, 555, 400, 300},
    };
    harness.desktopState.clientRect = {0, 30, 1920, 1080};
    framework.active = true;
    for (const auto& [cursorX, cursorY, mouseX, mouseY] : steps) {
        harness.PointAt(cursorX, cursorY);
        framework.RunFrame();
        EXPECT_EQ((std::pair{framework.Mouse()->x, framework.Mouse()->y}), (std::pair{mouseX, mouseY})) << cursorX;
    }
    EXPECT_EQ(harness.desktopState.cursorCalls, (std::vector<bool>{false, true, false}));
}

// Frames that change nothing let the loop wait longer (70 ms, 100 ms once
// nothing changed for 2 s); a key keeps the full rate for a second.
TEST_F(FrameworkTest, AQuietLoopIdlesAndInputBringsBackTheFullRate)
{
    framework.idleWhenQuiet = true;
    auto frameMs = [&] {
        const uint32_t before = harness.clock->Ticks();
        framework.RunFrame();
        return harness.clock->Ticks() - before;
    };
    std::vector<uint32_t> waits;
    for (int i = 0; i < 40; ++i) {
        waits.push_back(frameMs());
    }
    EXPECT_EQ(std::vector<uint32_t>(waits.begin(), waits.begin() + 5), (std::vector<uint32_t>{10, 10, 10, 70, 70}));
    EXPECT_EQ(waits.back(), 100u);
    harness.SetKey(DIK_SPACE, true);
    EXPECT_EQ(frameMs(), 10u);
    harness.SetKey(DIK_SPACE, false);
    uint32_t awake = 0;
    while (frameMs() == 10 && awake < 2000) {
        awake += 10;
    }
    EXPECT_GE(awake, 980u);
    EXPECT_LE(awake, 1010u);
}

TEST_F(FrameworkTest, TheFrameRateCountsFromAStartOneSecondBack)
{
    framework.showFps = true;
    framework.RunFrame();
    EXPECT_EQ(framework.fpsText, "FPS 1"); // 1 frame / (1001 ms / 1000)
    for (int i = 0; i < 9; ++i) {
        harness.clock->Set(harness.clock->Ticks() - 10); // cancel the windowed wait
        framework.RunFrame();
    }
    EXPECT_EQ(framework.fpsText, "FPS 10");
    harness.clock->Advance(1000);
    framework.RunFrame();
    EXPECT_EQ(framework.fpsText, "FPS 5"); // 11 frames / 2 s
}

} // namespace
