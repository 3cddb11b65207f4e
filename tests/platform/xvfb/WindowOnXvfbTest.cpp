// The real window on an X server: what is presented is what a screenshot of
// the screen shows, through the software renderer and through the accelerated
// one (OpenGL, on Mesa's rasteriser under Xvfb). CTest runs these under
// xvfb-run (a 1024 x 768 screen) and UnderOpenbox.sh with VELMORA_XVFB_TEST=1;
// elsewhere they skip. Waits here are for the X server and the window
// manager, which run outside the program.
#include "platform/Files.h"
#include "platform/PresentScaling.h"
#include "platform/VideoBackend.h"
#include "platform/Window.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <thread>
#include <utility>

using namespace platform;

namespace {

constexpr int32_t kScreenWidth = 1024;
constexpr int32_t kScreenHeight = 768;
// Both renderers enlarge by whole factors and filter once: at most one
// blended pixel at each edge of a picture pixel.
constexpr int32_t kBlendedPerEdge = 1;

// The whole screen as the X server holds it, raw RGB rows through
// ImageMagick's import; empty when that failed.
Bytes TakeScreenshot(const testing_support::CTempDir& dir)
{
    const std::string file = dir.File("shot.rgb");
    if (std::system(("import -window root -depth 8 rgb:'" + file + "'").c_str()) != 0) {
        return {};
    }
    Bytes rgb = ReadWholeFile(file).value_or(Bytes{});
    return rgb.size() == size_t{kScreenWidth} * kScreenHeight * 3 ? rgb : Bytes{};
}

// 16 x 16 blocks, each of its own colour (never black): (8 + 4c, 8 + 4r, 200)
// at column c, row r, for up to 50 x 50 blocks.
uint32_t BlockColour(int32_t x, int32_t y)
{
    return static_cast<uint32_t>(8 + 4 * (x / 16)) << 16 | static_cast<uint32_t>(8 + 4 * (y / 16)) << 8 | 200;
}

std::unique_ptr<CSurface> BlockPicture(int32_t width, int32_t height)
{
    auto picture = CSurface::Create(width, height, PixelFormat::ForDepth(32));
    for (int32_t y = 0; y < height; y += 16) {
        for (int32_t x = 0; x < width; x += 16) {
            picture->Fill(Rect{x, y, x + 16, y + 16}, BlockColour(x, y));
        }
    }
    return picture;
}

// The block picture of pictureWidth x pictureHeight shown scaled into `area`
// of the screen and black elsewhere in `output`: every pixel of it at step 1,
// the centre of each block at 16 (where a filtered enlargement shows the
// block's own colour). Across each row and column through the block centres
// the edges between blocks are sharp: at most kBlendedPerEdge pixels at each
// edge show a colour between the two blocks' (a red or green step that is
// not a whole block's); a plain filtered enlargement blurs each edge over
// several pixels.
void ExpectShown(const Bytes& shot, const Rect& area, int32_t pictureWidth, int32_t pictureHeight, const Rect& output,
    int32_t step = 16)
{
    ASSERT_FALSE(shot.empty()) << "no screenshot";
    const auto shown = [&](int32_t x, int32_t y) {
        const uint8_t* at = &shot[static_cast<size_t>(y * kScreenWidth + x) * 3];
        return uint32_t{at[0]} << 16 | uint32_t{at[1]} << 8 | at[2];
    };
    const auto screenX = [&](int32_t x) { return area.left + x * area.Width() / pictureWidth; };
    const auto screenY = [&](int32_t y) { return area.top + y * area.Height() / pictureHeight; };
    for (int32_t y = step / 2; y < pictureHeight; y += step) {
        for (int32_t x = step / 2; x < pictureWidth; x += step) {
            ASSERT_EQ(shown(screenX(x), screenY(y)), BlockColour(x, y)) << "screen " << screenX(x) << "," << screenY(y);
        }
    }
    for (int32_t y = output.top; y < output.bottom; ++y) {
        for (int32_t x = output.left; x < output.right; ++x) {
            ASSERT_TRUE(area.Contains(x, y) || shown(x, y) == 0) << "not black at screen " << x << "," << y;
        }
    }
    for (int32_t y = 8; y < pictureHeight; y += 16) {
        int32_t blended = 0;
        for (int32_t sx = area.left; sx < area.right; ++sx) {
            blended += ((shown(sx, screenY(y)) >> 16) - 8) % 4 != 0;
        }
        EXPECT_LE(blended, kBlendedPerEdge * (pictureWidth / 16 - 1)) << "screen row " << screenY(y);
    }
    for (int32_t x = 8; x < pictureWidth; x += 16) {
        int32_t blended = 0;
        for (int32_t sy = area.top; sy < area.bottom; ++sy) {
            blended += ((shown(screenX(x), sy) >> 8 & 0xFF) - 8) % 4 != 0;
        }
        EXPECT_LE(blended, kBlendedPerEdge * (pictureHeight / 16 - 1)) << "screen column " << screenX(x);
    }
}

// Pumps events until `done` holds for the client area (the window manager
// answered) or two seconds passed; then lets the change's last events in.
Rect WaitForClientArea(CWindow& window, const std::function<bool(const Rect&)>& done)
{
    using std::chrono::milliseconds;
    for (int i = 0; i < 100 && !done(window.ClientRectOnScreen()); ++i) {
        std::this_thread::sleep_for(milliseconds(20));
        PumpEvents();
    }
    std::this_thread::sleep_for(milliseconds(100));
    PumpEvents();
    return window.ClientRectOnScreen();
}

} // namespace

enum class Renderer { Software, Accelerated };

// Each test gets a window of 800 x 600, presenting through the renderer of
// its parameter. Maximising and full screen need a window manager, which
// UnderOpenbox.sh announces in VELMORA_WINDOW_MANAGER.
class WindowOnXvfb : public testing::TestWithParam<Renderer> {
protected:
    void SetUp() override
    {
        if (!std::getenv("VELMORA_XVFB_TEST") || !std::getenv("DISPLAY") || !std::getenv("VELMORA_WINDOW_MANAGER")) {
            GTEST_SKIP() << "runs under xvfb-run and UnderOpenbox.sh only";
        }
        if (GetParam() == Renderer::Software) {
            setenv("VELMORA_RENDERER", "software", 1);
        } else {
            setenv("VELMORA_RENDERER", "accelerated", 1);
        }
        window = CWindow::Create("Velmora Mahjongg 2.3", 800, 600);
        ASSERT_TRUE(window);
        backend = CreateVideoBackend(window.get());
        ASSERT_TRUE(backend);
    }

    void TearDown() override { unsetenv("VELMORA_RENDERER"); }

    // The primary surface on the renderer under test. It stays null (and the
    // test is skipped) when the X server offers no accelerated renderer.
    void CreatePrimary(PrimaryKind kind, std::unique_ptr<IPrimarySurface>& primary)
    {
        primary = backend->CreatePrimarySurface(kind);
        ASSERT_TRUE(primary);
        if (primary->IsAccelerated() == (GetParam() == Renderer::Accelerated)) {
            return;
        }
        primary.reset();
        ASSERT_EQ(GetParam(), Renderer::Accelerated) << "VELMORA_RENDERER=software did not force the software renderer";
        GTEST_SKIP() << "no accelerated renderer on this X server; the software one stood in";
    }

    testing_support::CTempDir dir;
    std::unique_ptr<CWindow> window;
    std::unique_ptr<IVideoBackend> backend;
};

INSTANTIATE_TEST_SUITE_P(Renderers, WindowOnXvfb, testing::Values(Renderer::Software, Renderer::Accelerated),
    [](const testing::TestParamInfo<Renderer>& param) {
        return param.param == Renderer::Software ? "Software" : "Accelerated";
    });

TEST_P(WindowOnXvfb, WindowedPresentFillsTheClientAreaExactlyAndMaximisedKeepsItsShape)
{
    ASSERT_TRUE(backend->SetCooperativeLevel(CooperativeLevel::Normal));
    std::unique_ptr<IPrimarySurface> screen;
    CreatePrimary(PrimaryKind::Alone, screen);
    if (!screen) {
        return;
    }
    const Rect client = WaitForClientArea(*window, [](const Rect& now) { return now.Width() == 800; });
    ASSERT_EQ(client.Width(), 800);
    ASSERT_EQ(client.Height(), 600);
    // 1:1, every pixel: the blocks change colour every 16 pixels, so any
    // offset shows.
    const auto whole = BlockPicture(800, 600);
    ASSERT_TRUE(screen->PresentInWindow(PresentedFrame{whole.get(), {Rect{0, 0, 800, 600}}}));
    ExpectShown(TakeScreenshot(dir), client, 800, 600, client, 1);
    // Maximised, a picture of another size is shown as large as fits in its
    // own shape, centred, black beside it.
    window->SetNotTopmost();
    window->ShowMaximised();
    const Rect maximised = WaitForClientArea(*window, [](const Rect& now) { return now.Width() > 800; });
    EXPECT_GT(maximised.Height(), 600);
    const auto small = BlockPicture(400, 300);
    ASSERT_TRUE(screen->PresentInWindow(PresentedFrame{small.get(), {}}));
    Rect shown
        = PlanPresentScaling(400, 300, maximised.Width(), maximised.Height(), ScaleFit::KeepProportions).destination;
    shown = Rect{shown.left + maximised.left, shown.top + maximised.top, shown.right + maximised.left,
        shown.bottom + maximised.top};
    ExpectShown(TakeScreenshot(dir), shown, 400, 300, maximised);
}

// 800 x 600 fills the 4:3 screen; a 2:1 mode keeps its shape between black
// bars above and below.
TEST_P(WindowOnXvfb, FullScreenScalesTheModeOverTheScreenKeepingItsProportions)
{
    const Rect wholeScreen{0, 0, kScreenWidth, kScreenHeight};
    ASSERT_TRUE(backend->SetCooperativeLevel(CooperativeLevel::ExclusiveFullScreen));
    WaitForClientArea(*window, [&](const Rect& now) { return now == wholeScreen; });
    const std::pair<DisplayMode, Rect> cases[] = {
        {DisplayMode{800, 600, 32}, wholeScreen},
        {DisplayMode{800, 400, 32}, Rect{0, 128, kScreenWidth, 640}},
    };
    for (const auto& [mode, shownIn] : cases) {
        SCOPED_TRACE(testing::Message() << mode.width << " x " << mode.height);
        ASSERT_TRUE(backend->SetDisplayMode(mode));
        std::unique_ptr<IPrimarySurface> chain;
        CreatePrimary(PrimaryKind::FlipChain, chain);
        if (!chain) {
            return;
        }
        const Rect picture{0, 0, mode.width, mode.height};
        chain->AttachedBackBuffer()->Blit(*BlockPicture(mode.width, mode.height), picture, picture);
        ASSERT_TRUE(chain->Flip(PresentedFrame{chain->AttachedBackBuffer().get(), {picture}}));
        ExpectShown(TakeScreenshot(dir), shownIn, mode.width, mode.height, wholeScreen);
    }
}
