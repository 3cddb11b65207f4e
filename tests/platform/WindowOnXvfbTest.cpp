// The real window on an X server: what is presented is what a screenshot of
// the screen shows. CTest runs these under xvfb-run (a 1024 x 768 screen) and
// UnderOpenbox.sh with VELMORA_XVFB_TEST=1; elsewhere they skip. Waits here
// are for the X server and the window manager, which run outside the program.
#include "platform/Files.h"
#include "platform/VideoBackend.h"
#include "platform/Window.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <thread>

using namespace platform;

namespace {

constexpr int32_t kScreenWidth = 1024;
constexpr int32_t kScreenHeight = 768;

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
// of the screen: every pixel of it at step 1, the centre of each block at 16.
void ExpectBlocksIn(const Bytes& shot, const Rect& area, int32_t pictureWidth, int32_t pictureHeight, int32_t step = 16)
{
    ASSERT_FALSE(shot.empty()) << "no screenshot";
    for (int32_t y = step / 2; y < pictureHeight; y += step) {
        for (int32_t x = step / 2; x < pictureWidth; x += step) {
            const int32_t sx = area.left + x * area.Width() / pictureWidth;
            const int32_t sy = area.top + y * area.Height() / pictureHeight;
            const uint8_t* shown = &shot[static_cast<size_t>(sy * kScreenWidth + sx) * 3];
            ASSERT_EQ(uint32_t{shown[0]} << 16 | uint32_t{shown[1]} << 8 | shown[2], BlockColour(x, y))
                << "screen " << sx << "," << sy;
        }
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

// Each test gets a window of 800 x 600. Maximising and full screen need a
// window manager, which UnderOpenbox.sh announces in VELMORA_WINDOW_MANAGER.
class WindowOnXvfb : public testing::Test {
protected:
    void SetUp() override
    {
        if (!std::getenv("VELMORA_XVFB_TEST") || !std::getenv("DISPLAY") || !std::getenv("VELMORA_WINDOW_MANAGER")) {
            GTEST_SKIP() << "runs under xvfb-run and UnderOpenbox.sh only";
        }
        window = CWindow::Create("Velmora Mahjongg 2.3", 800, 600);
        ASSERT_TRUE(window);
        backend = CreateVideoBackend(window.get());
        ASSERT_TRUE(backend);
    }

    testing_support::CTempDir dir;
    std::unique_ptr<CWindow> window;
    std::unique_ptr<IVideoBackend> backend;
};

TEST_F(WindowOnXvfb, WindowedPresentFillsTheClientAreaExactlyAndMaximisedStretched)
{
    ASSERT_TRUE(backend->SetCooperativeLevel(CooperativeLevel::Normal));
    auto screen = backend->CreatePrimarySurface(PrimaryKind::Alone);
    ASSERT_TRUE(screen);
    const Rect client = WaitForClientArea(*window, [](const Rect& now) { return now.Width() == 800; });
    ASSERT_EQ(client.Width(), 800);
    ASSERT_EQ(client.Height(), 600);
    // 1:1, every pixel: the blocks change colour every 16 pixels, so any
    // offset shows.
    ASSERT_TRUE(screen->PresentStretched(*BlockPicture(800, 600)));
    ExpectBlocksIn(TakeScreenshot(dir), client, 800, 600, 1);
    // Maximised, a back buffer of another size is stretched over the whole
    // client area.
    window->SetNotTopmost();
    window->ShowMaximised();
    const Rect maximised = WaitForClientArea(*window, [](const Rect& now) { return now.Width() > 800; });
    EXPECT_GT(maximised.Height(), 600);
    ASSERT_TRUE(screen->PresentStretched(*BlockPicture(400, 300)));
    ExpectBlocksIn(TakeScreenshot(dir), maximised, 400, 300);
}

TEST_F(WindowOnXvfb, FullScreenScalesTheModeOverTheWholeScreen)
{
    const Rect wholeScreen{0, 0, kScreenWidth, kScreenHeight};
    ASSERT_TRUE(backend->SetCooperativeLevel(CooperativeLevel::ExclusiveFullScreen));
    WaitForClientArea(*window, [&](const Rect& now) { return now == wholeScreen; });
    ASSERT_TRUE(backend->SetDisplayMode(DisplayMode{800, 600, 32}));
    auto chain = backend->CreatePrimarySurface(PrimaryKind::FlipChain);
    ASSERT_TRUE(chain);
    chain->AttachedBackBuffer()->Blit(*BlockPicture(800, 600), Rect{0, 0, 800, 600}, Rect{0, 0, 800, 600});
    ASSERT_TRUE(chain->Flip());
    ExpectBlocksIn(TakeScreenshot(dir), wholeScreen, 800, 600);
}
