// The frame loop frame by frame: which screen gets the mouse, the drawing
// order, the function keys, mode switches with every screen's reload, focus,
// the windowed cursor and the frame-rate text.
#include "gui/DXFramework.h"
#include "gui/FrameworkHarness.h"
#include "platform/InputKeyCodes.h"
#include "media/Display.h"
#include "media/Mouse.h"

#include <gtest/gtest.h>

#include <algorithm>

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
    ~CProbeScreen() override { log.push_back("delete " + name); }
    bool HandleInput() override
    {
        log.push_back("input " + name);
        return inputResult;
    }
    bool Update() override
    {
        log.push_back("update " + name);
        return updateResult;
    }
    bool Activate() override
    {
        log.push_back("activate " + name);
        return true;
    }
    bool Deactivate() override
    {
        log.push_back("deactivate " + name);
        return true;
    }
    void LoadResources(CDisplay* d, CSoundSystem* s, CMouse* m, CKeyboard* k, CFontTable* f) override
    {
        CStateScreen::LoadResources(d, s, m, k, f);
        log.push_back("load " + name);
    }
    void ReleaseResources() override
    {
        CStateScreen::ReleaseResources();
        log.push_back("release " + name);
    }

    bool inputResult = true;
    bool updateResult = true;

private:
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
    std::vector<std::string> InputsOnly() const
    {
        std::vector<std::string> inputs;
        for (const auto& entry : log) {
            if (entry.rfind("input ", 0) == 0) {
                inputs.push_back(entry);
            }
        }
        return inputs;
    }

    CFrameworkHarness harness;
    std::vector<std::string> log;
    std::vector<std::unique_ptr<CProbeScreen>> probes;
    CDXFramework framework{&harness.desktop};
};

TEST_F(FrameworkTest, InputGoesToTheOneTopmostShownScreenUnderTheMouse)
{
    Attach("back", 2, {0, 0, 800, 600});
    Attach("pageA", 0, {0, 125, 550, 600});
    Attach("pageB", 0, {100, 100, 300, 300}); // same layer, later slot
    Attach("far", 25, {0, 0, 800, 600});
    CProbeScreen* hidden = Attach("hidden", 0, {600, 0, 800, 100});
    hidden->Hide();

    struct Case {
        int32_t x, y;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {200, 200, {"input pageA"}}, // both pages hold the point: the lower slot wins
        {150, 110, {"input pageB"}},
        {550, 600, {"input pageA"}}, // the screen's edges belong to it
        {551, 600, {"input back"}},
        {700, 50, {"input back"}}, // the hidden screen is passed over
    };
    for (const Case& c : cases) {
        FrameWithMouseAt(c.x, c.y);
        EXPECT_EQ(InputsOnly(), c.expected) << c.x << "," << c.y;
    }

    // A screen of the back layer never receives input, even alone.
    framework.DetachScreen(probes[0].get());
    FrameWithMouseAt(700, 50);
    EXPECT_TRUE(InputsOnly().empty());
}

TEST_F(FrameworkTest, ScreensAreDrawnFromTheBackLayerToTheFrontInSlotOrder)
{
    Attach("menu", 2);
    Attach("page", 0);
    Attach("game", 1);
    Attach("far", 25);
    Attach("page2", 0);
    Attach("hidden", 1)->Hide();
    FrameWithMouseAt(5, 5);
    EXPECT_EQ(log, (std::vector<std::string>{"input page", "update far", "update menu", "update game", "update page", "update page2"}));
}

TEST_F(FrameworkTest, AScreenThatFailsEndsTheProgramAfterOneMorePicture)
{
    CProbeScreen* page = Attach("page", 0);
    Attach("menu", 2);
    page->updateResult = false;
    const int32_t presentsBefore = harness.video.state.presentCount;
    const uint32_t before = harness.clock->Ticks();
    EXPECT_EQ(FrameWithMouseAt(10, 10), -1);
    EXPECT_EQ(harness.clock->Ticks() - before, 100u);
    EXPECT_EQ(harness.video.state.presentCount, presentsBefore + 1);

    page->updateResult = true;
    page->inputResult = false;
    log.clear();
    EXPECT_EQ(FrameWithMouseAt(10, 10), -1);
    EXPECT_EQ(log, std::vector<std::string>{"input page"}); // nothing drawn after a failed input
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
    before = harness.clock->Ticks();
    EXPECT_EQ(FrameWithMouseAt(0, 0), 0);
    EXPECT_TRUE(framework.showFps);
    EXPECT_EQ(harness.clock->Ticks() - before, 510u);
    harness.SetKey(DIK_F1, false);
    harness.SetKey(DIK_F2, true);
    before = harness.clock->Ticks();
    FrameWithMouseAt(0, 0);
    EXPECT_TRUE(framework.showMousePosition);
    EXPECT_EQ(harness.clock->Ticks() - before, 510u);
    FrameWithMouseAt(0, 0);
    EXPECT_FALSE(framework.showMousePosition);
}

TEST_F(FrameworkTest, F5SwitchesBothWaysAndEveryScreenReloadsInSlotOrder)
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
    EXPECT_GE(harness.desktopState.maximiseCalls, 2);
    EXPECT_EQ(framework.Mouse()->sensitivity, 1.0f); // a mode set gives a fresh mouse
}

TEST_F(FrameworkTest, FocusLostInFullScreenLeavesTheGameWindowed)
{
    Attach("a", 2);
    framework.SetFullScreenMode(800, 600, 32);
    framework.OnFocusLost();
    EXPECT_TRUE(framework.Display()->IsWindowed());
    EXPECT_FALSE(framework.active);
    framework.OnFocusGained();
    EXPECT_TRUE(framework.Display()->IsWindowed());
    EXPECT_TRUE(framework.active);
}

TEST_F(FrameworkTest, ARefusedFullScreenGoesOnInAWindowAndNoDisplayAtAllIsReported)
{
    harness.video.state.refuseExclusive = true;
    EXPECT_TRUE(framework.SetFullScreenMode(800, 600, 32));
    EXPECT_TRUE(framework.Display()->IsWindowed());
    EXPECT_TRUE(framework.HasDisplay());

    harness.video.state.refuseNormal = true;
    EXPECT_FALSE(framework.SetFullScreenMode(800, 600, 32));
    EXPECT_FALSE(framework.HasDisplay());
    EXPECT_EQ(framework.RunFrame(), -1);
}

// The picture keeps its shape in the client area: a 4:3 client is covered
// whole, a wider one has bars beside the picture that count as outside.
TEST_F(FrameworkTest, TheWindowedCursorIsMappedIntoThePictureAndTheSystemPointerShownOnlyOutside)
{
    struct Step {
        int32_t cursorX, cursorY;
        int32_t mouseX, mouseY; // expected after the frame
    };
    const std::pair<platform::Rect, std::vector<Step>> clients[] = {
        {{100, 50, 1700, 1250}, // 1600 x 1200: half scale
            {
                {1699, 1249, 799, 599}, // last client pixel
                {100, 50, 0, 0},
                {101, 51, 0, 0}, // 0.5 truncated
                {1700, 600, 0, 0}, // outside: the mouse keeps its place
                {900, 650, 400, 300},
            }},
        {{0, 30, 1920, 1080}, // 1920 x 1050: the picture 1400 x 1050 at x 260
            {
                {1659, 1079, 799, 599},
                {260, 30, 0, 0},
                {259, 500, 0, 0}, // on the left bar: outside
                {960, 555, 400, 300},
            }},
    };
    // Hidden once on entering, shown once on leaving, hidden again; in the
    // second client, still hidden, shown over the bar and hidden again.
    const std::vector<bool> cursorCalls[] = {{false, true, false}, {true, false}};
    for (size_t i = 0; i < std::size(clients); ++i) {
        const auto& [client, steps] = clients[i];
        harness.desktopState.clientRect = client;
        harness.desktopState.cursorCalls.clear();
        framework.active = true;
        framework.Mouse()->x = 7;
        framework.Mouse()->y = 9;
        for (const Step& step : steps) {
            harness.PointAt(step.cursorX, step.cursorY);
            framework.RunFrame();
            EXPECT_EQ(framework.Mouse()->x, step.mouseX) << step.cursorX;
            EXPECT_EQ(framework.Mouse()->y, step.mouseY) << step.cursorY;
        }
        EXPECT_EQ(harness.desktopState.cursorCalls, cursorCalls[i]) << client.right;
    }
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

TEST_F(FrameworkTest, SwitchingDeactivatesTheOldScreenBeforeActivatingTheNewOne)
{
    auto* menu = new CProbeScreen(log, "menu", 2);
    menu->SetId(1);
    auto* game = new CProbeScreen(log, "game", 1);
    game->SetId(2);
    framework.AddScreen(menu);
    framework.AddScreen(game);
    EXPECT_TRUE(framework.SwitchToScreen(1));
    EXPECT_EQ(framework.Slot(0), menu);
    EXPECT_EQ(menu->display, framework.Display()); // attached before activated
    log.clear();
    menu->SetNextId(2);
    framework.RunFrame();
    EXPECT_EQ(framework.CurrentScreen(), game);
    EXPECT_EQ(framework.CurrentId(), 2);
    EXPECT_NE(std::find(log.begin(), log.end(), "deactivate menu"), log.end());
    EXPECT_LT(std::find(log.begin(), log.end(), "deactivate menu"), std::find(log.begin(), log.end(), "activate game"));

    // An id nobody has leaves no current screen, and frames go on.
    EXPECT_FALSE(framework.SwitchToScreen(7));
    EXPECT_EQ(framework.CurrentScreen(), nullptr);
    EXPECT_EQ(framework.CurrentId(), 0);
    EXPECT_EQ(framework.Slot(0), nullptr);
    EXPECT_EQ(framework.RunFrame(), 0);

    // The current screen cannot be removed; another one can.
    framework.SwitchToScreen(1);
    auto* keyForMenu = new CProbeScreen(log, "key1", 0);
    keyForMenu->SetId(1);
    EXPECT_FALSE(framework.RemoveScreen(keyForMenu));
    auto* keyForGame = new CProbeScreen(log, "key2", 0);
    keyForGame->SetId(2);
    log.clear();
    EXPECT_TRUE(framework.RemoveScreen(keyForGame));
    EXPECT_EQ(log, (std::vector<std::string>{"delete game", "delete key2"}));
    EXPECT_EQ(framework.StateScreenCount(), 1);
}

TEST_F(FrameworkTest, AllSlotsTakenRefusesTheNextScreen)
{
    for (int i = 0; i < CDXFramework::kScreenSlotCount; ++i) {
        Attach("s" + std::to_string(i), 3);
    }
    CProbeScreen extra(log, "extra", 0);
    EXPECT_FALSE(framework.AttachScreen(&extra));
    EXPECT_FALSE(framework.DetachScreen(&extra));
    EXPECT_TRUE(framework.DetachScreen(probes[4].get()));
    EXPECT_TRUE(framework.AttachScreen(&extra));
    EXPECT_EQ(framework.Slot(4), &extra);
    framework.DetachScreen(&extra);
}

} // namespace
