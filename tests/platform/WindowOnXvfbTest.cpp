// The real window on an X server: what is presented is what a screenshot of
// the screen shows. CTest runs these under xvfb-run with VELMORA_XVFB_TEST=1;
// elsewhere they skip. Waits here are for the X server and the window
// manager, which run outside the program.
#include "platform/VideoBackend.h"
#include "platform/Window.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

using namespace platform;

namespace {

constexpr const char* kTitle = "Velmora Mahjongg 2.3";

bool IsXvfbRun()
{
    const char* flag = std::getenv("VELMORA_XVFB_TEST");
    return flag && std::string(flag) == "1" && std::getenv("DISPLAY");
}

struct Screenshot {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> rgb;

    uint32_t At(int32_t x, int32_t y) const
    {
        const size_t i = (static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 3;
        return static_cast<uint32_t>(rgb[i]) << 16 | static_cast<uint32_t>(rgb[i + 1]) << 8 | rgb[i + 2];
    }
};

// The whole screen as the X server holds it, through ImageMagick's import.
std::optional<Screenshot> TakeScreenshot(const testing_support::CTempDir& dir)
{
    const std::string file = dir.File("shot.ppm");
    const std::string command = "import -window root -depth 8 ppm:'" + file + "'";
    if (std::system(command.c_str()) != 0) {
        return std::nullopt;
    }
    std::ifstream in(file, std::ios::binary);
    std::string magic;
    int32_t maxValue = 0;
    Screenshot shot;
    in >> magic >> shot.width >> shot.height >> maxValue;
    in.get();
    if (magic != "P6" || maxValue != 255 || shot.width <= 0 || shot.height <= 0) {
        return std::nullopt;
    }
    shot.rgb.resize(static_cast<size_t>(shot.width) * static_cast<size_t>(shot.height) * 3);
    in.read(reinterpret_cast<char*>(shot.rgb.data()), static_cast<std::streamsize>(shot.rgb.size()));
    if (!in) {
        return std::nullopt;
    }
    return shot;
}

// A picture of 16 x 16 blocks, each of its own colour (never black), with the
// block at column c, row r coloured (8 + 4c, 8 + 4r, 200); up to 50 x 50 blocks.
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

// Checks the centre of every block of a picture of pictureWidth x
// pictureHeight shown scaled into `area` of the screenshot.
void ExpectBlocksIn(const Screenshot& shot, const Rect& area, int32_t pictureWidth, int32_t pictureHeight)
{
    for (int32_t y = 8; y < pictureHeight; y += 16) {
        for (int32_t x = 8; x < pictureWidth; x += 16) {
            const int32_t sx = area.left + x * area.Width() / pictureWidth;
            const int32_t sy = area.top + y * area.Height() / pictureHeight;
            ASSERT_EQ(shot.At(sx, sy), BlockColour(x, y)) << "screen (" << sx << ", " << sy << ")";
        }
    }
}

// Pumps events until `done` holds for the client area (the window manager
// answered), or two seconds passed.
Rect WaitForClientArea(CWindow& window, const std::function<bool(const Rect&)>& done)
{
    for (int i = 0; i < 100; ++i) {
        PumpEvents();
        if (done(window.ClientRectOnScreen())) {
            // Let the remaining configure events of the change arrive.
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            PumpEvents();
            return window.ClientRectOnScreen();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return window.ClientRectOnScreen();
}

} // namespace

TEST(WindowOnXvfb, WindowedPresentFillsTheClientAreaExactly)
{
    if (!IsXvfbRun()) {
        GTEST_SKIP() << "runs under xvfb-run only";
    }
    testing_support::CTempDir dir;
    auto window = CWindow::Create(kTitle, 800, 600);
    ASSERT_TRUE(window);
    auto backend = CreateVideoBackend(window.get());
    ASSERT_TRUE(backend);
    ASSERT_TRUE(backend->SetCooperativeLevel(CooperativeLevel::Normal));
    auto screen = backend->CreatePrimarySurface(PrimaryKind::Alone);
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->Width(), 1024);
    EXPECT_EQ(screen->Height(), 768);
    EXPECT_EQ(screen->Format().bitsPerPixel, 32);

    // 1:1, every pixel, with a one-pixel frame so that an offset shows.
    auto picture = BlockPicture(800, 600);
    picture->Fill(Rect{0, 0, 800, 1}, 0x00FFFFFF);
    picture->Fill(Rect{799, 0, 800, 600}, 0x00FF0000);
    PumpEvents();
    ASSERT_TRUE(screen->PresentStretched(*picture));
    const Rect client = window->ClientRectOnScreen();
    ASSERT_EQ(client.Width(), 800);
    ASSERT_EQ(client.Height(), 600);
    auto shot = TakeScreenshot(dir);
    ASSERT_TRUE(shot);
    for (int32_t y = 0; y < 600; ++y) {
        for (int32_t x = 0; x < 800; ++x) {
            ASSERT_EQ(shot->At(client.left + x, client.top + y), picture->GetPixel(x, y)) << x << "," << y;
        }
    }

    // A back buffer of another size is stretched over the whole client area.
    ASSERT_TRUE(screen->PresentStretched(*BlockPicture(400, 300)));
    shot = TakeScreenshot(dir);
    ASSERT_TRUE(shot);
    ExpectBlocksIn(*shot, client, 400, 300);
}

// With a window manager (openbox) maximising works and full screen covers the
// screen; without one neither does, so these start openbox first.
class WindowWithWindowManager : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (!IsXvfbRun() || std::system("command -v openbox > /dev/null") != 0) {
            return;
        }
        // Openbox runs the start-up command once it manages windows; a window
        // mapped before that may never be mapped at all.
        readyDir = std::make_unique<testing_support::CTempDir>();
        const std::string ready = readyDir->File("ready");
        std::string touch = "touch '" + ready + "'";
        char program[] = "openbox";
        char noSession[] = "--sm-disable";
        char startup[] = "--startup";
        char* argv[] = {program, noSession, startup, touch.data(), nullptr};
        if (posix_spawnp(&openbox, "openbox", nullptr, nullptr, argv, environ) != 0) {
            openbox = 0;
            return;
        }
        for (int i = 0; i < 250 && !std::ifstream(ready); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        if (!std::ifstream(ready)) {
            TearDownTestSuite();
        }
    }

    static void TearDownTestSuite()
    {
        if (openbox > 0) {
            kill(openbox, SIGTERM);
            waitpid(openbox, nullptr, 0);
            openbox = 0;
        }
        readyDir.reset();
    }

    void SetUp() override
    {
        if (openbox <= 0) {
            GTEST_SKIP() << "needs xvfb-run and openbox";
        }
    }

    static inline pid_t openbox = 0;
    static inline std::unique_ptr<testing_support::CTempDir> readyDir;
};

TEST_F(WindowWithWindowManager, MaximisedWindowShowsThePictureStretchedOverItsClientArea)
{
    testing_support::CTempDir dir;
    auto window = CWindow::Create(kTitle, 800, 600);
    ASSERT_TRUE(window);
    auto backend = CreateVideoBackend(window.get());
    ASSERT_TRUE(backend->SetCooperativeLevel(CooperativeLevel::Normal));
    const Rect before = window->ClientRectOnScreen();
    window->SetNotTopmost();
    window->ShowMaximised();
    const Rect client = WaitForClientArea(*window, [&](const Rect& now) { return now.Width() > before.Width(); });
    EXPECT_GT(client.Width(), 800);
    EXPECT_GT(client.Height(), 600);
    auto screen = backend->CreatePrimarySurface(PrimaryKind::Alone);
    ASSERT_TRUE(screen);
    ASSERT_TRUE(screen->PresentStretched(*BlockPicture(800, 600)));
    auto shot = TakeScreenshot(dir);
    ASSERT_TRUE(shot);
    ExpectBlocksIn(*shot, client, 800, 600);
}

TEST_F(WindowWithWindowManager, FullScreenScalesTheModeOverTheWholeScreen)
{
    testing_support::CTempDir dir;
    auto window = CWindow::Create(kTitle, 800, 600);
    ASSERT_TRUE(window);
    auto backend = CreateVideoBackend(window.get());
    ASSERT_TRUE(backend->SetCooperativeLevel(CooperativeLevel::ExclusiveFullScreen));
    WaitForClientArea(*window, [](const Rect& now) { return now == Rect{0, 0, 1024, 768}; });
    ASSERT_TRUE(backend->SetDisplayMode(DisplayMode{800, 600, 32}));
    auto chain = backend->CreatePrimarySurface(PrimaryKind::FlipChain);
    ASSERT_TRUE(chain);
    std::shared_ptr<CSurface> back = chain->AttachedBackBuffer();
    back->Blit(*BlockPicture(800, 600), Rect{0, 0, 800, 600}, Rect{0, 0, 800, 600});
    ASSERT_TRUE(chain->Flip());
    auto shot = TakeScreenshot(dir);
    ASSERT_TRUE(shot);
    ASSERT_EQ(shot->width, 1024);
    ExpectBlocksIn(*shot, Rect{0, 0, 1024, 768}, 800, 600);
}
