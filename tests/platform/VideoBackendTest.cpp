// The video backends: the SDL backend on the dummy driver (modes, depths,
// flip chain, stretched copies) and the switch to a fake. (The clip list
// blocks the display builds are taken in the display's tests.)
#include "platform/VideoBackend.h"
#include "platform/FakeVideoBackend.h"
#include "platform/VideoSdl.h"
#include "platform/Window.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace platform;

// Windowed the screen is the desktop and takes stretched copies; full screen
// takes the game's depths and gives a back buffer (and sprites) of the mode.
TEST(SdlBackendTest, DriversThatDrawNowhereOnlyWhenAskedFor)
{
    EXPECT_TRUE(IsVideoDriverAcceptable("x11", nullptr));
    EXPECT_TRUE(IsVideoDriverAcceptable("wayland", "x11"));
    // SDL falls back to these when the display server refuses the connection.
    EXPECT_FALSE(IsVideoDriverAcceptable("offscreen", nullptr));
    EXPECT_FALSE(IsVideoDriverAcceptable("dummy", "x11"));
    EXPECT_TRUE(IsVideoDriverAcceptable("dummy", "dummy"));
    EXPECT_TRUE(IsVideoDriverAcceptable("offscreen", "x11,offscreen"));
    EXPECT_FALSE(IsVideoDriverAcceptable(nullptr, "dummy"));
}

TEST(SdlBackendTest, WindowedAndFullScreenOnTheDummyDriver)
{
    auto window = CWindow::Create("Velmora Mahjongg 2.3", 800, 600);
    ASSERT_TRUE(window) << "the dummy video driver must be available";
    auto backend = CreateVideoBackend(window.get());
    ASSERT_TRUE(backend && backend->SetCooperativeLevel(CooperativeLevel::Normal));
    EXPECT_FALSE(backend->CreatePrimarySurface(PrimaryKind::FlipChain)) << "no flip chain without exclusive access";
    EXPECT_FALSE(backend->SetDisplayMode(DisplayMode{800, 600, 32})) << "a mode needs exclusive access";
    auto screen = backend->CreatePrimarySurface(PrimaryKind::Alone);
    ASSERT_TRUE(screen);
    EXPECT_EQ(std::tuple(screen->Width(), screen->Height(), screen->Format().bitsPerPixel), std::tuple(1024, 768, 32));
    EXPECT_FALSE(screen->Flip(PresentedFrame{}));
    EXPECT_FALSE(screen->IsAccelerated()) << "the dummy driver has only the software renderer to fall back on";
    for (const int32_t size : {800, 400}) {
        const auto picture = backend->CreateSurface(size, size * 3 / 4);
        EXPECT_TRUE(screen->PresentInWindow(PresentedFrame{picture.get(), {}}));
    }
    screen.reset();

    DisplayMode desktop;
    ASSERT_TRUE(backend->GetDisplayMode(desktop));
    EXPECT_EQ(desktop, (DisplayMode{1024, 768, 32}));
    ASSERT_TRUE(backend->SetCooperativeLevel(CooperativeLevel::ExclusiveFullScreen));
    for (const int32_t refused : {24, 8, 0}) {
        EXPECT_FALSE(backend->SetDisplayMode(DisplayMode{800, 600, refused})) << refused;
    }
    for (const int32_t depth : {32, 16, 15}) {
        ASSERT_TRUE(backend->SetDisplayMode(DisplayMode{800, 600, depth}));
        auto chain = backend->CreatePrimarySurface(PrimaryKind::FlipChain);
        ASSERT_TRUE(chain) << depth;
        std::shared_ptr<CSurface> back = chain->AttachedBackBuffer();
        ASSERT_TRUE(back);
        EXPECT_EQ(std::tuple(back->Width(), back->Height(), back->Format().bitsPerPixel), std::tuple(800, 600, depth));
        EXPECT_EQ(backend->CreateSurface(64, 64)->Format().bitsPerPixel, depth) << "sprites follow the mode";
        back->Fill(Rect{0, 0, 800, 600}, 0x1234);
        EXPECT_TRUE(chain->Flip(PresentedFrame{back.get(), {}}));
        EXPECT_EQ(back->GetPixel(799, 599), 0x1234u) << "the back buffer stays readable after a flip";
    }
    ASSERT_TRUE(backend->RestoreDisplayMode());
    ASSERT_TRUE(backend->GetDisplayMode(desktop));
    EXPECT_EQ(desktop, (DisplayMode{1024, 768, 32})) << "the desktop mode is back";

    EXPECT_FALSE(CreateVideoBackend(nullptr)) << "SDL needs a window";
    CScopedFakeVideo fake;
    EXPECT_TRUE(CreateVideoBackend(nullptr)) << "an installed factory replaces SDL";
}
