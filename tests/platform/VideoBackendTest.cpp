// The video backends: clip list blocks, the SDL backend on the dummy driver
// (modes, depths, flip chain, stretched copies) and the factory switch.
#include "platform/VideoBackend.h"
#include "platform/FakeVideoBackend.h"
#include "platform/Window.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(ClipperTest, TakesOnlyWellFormedRegionBlocks)
{
    struct Case {
        const char* name;
        void (*spoil)(RegionData&);
    } cases[] = {
        {"well formed", [](RegionData&) {}},
        {"header size", [](RegionData& r) { r.headerSize = 16; }},
        {"type", [](RegionData& r) { r.type = 2; }},
        {"count", [](RegionData& r) { r.count = 2; }},
        {"region size", [](RegionData& r) { r.regionSize = 32; }},
        {"rectangle beyond the bounds", [](RegionData& r) { r.rects[0].right = 801; }},
    };
    for (const Case& c : cases) {
        RegionData region{32, 1, 1, 16, Rect{0, 0, 800, 600}, {Rect{0, 0, 800, 600}}};
        c.spoil(region);
        const bool wellFormed = std::string(c.name) == "well formed";
        CClipper clipper;
        EXPECT_EQ(clipper.SetClipList(region), wellFormed) << c.name;
        auto surface = CSurface::Create(4, 4, PixelFormat::ForDepth(32));
        EXPECT_EQ(clipper.AttachTo(*surface), wellFormed) << c.name;
    }
}

class SdlBackendTest : public testing::Test {
protected:
    void SetUp() override
    {
        window = CWindow::Create("Velmora Mahjongg 2.3", 800, 600);
        ASSERT_TRUE(window) << "the dummy video driver must be available";
        backend = CreateVideoBackend(window.get());
        ASSERT_TRUE(backend);
    }
    std::unique_ptr<CWindow> window;
    std::unique_ptr<IVideoBackend> backend;
};

TEST_F(SdlBackendTest, FullScreenTakesTheGameDepthsWithABackSurfaceOfTheMode)
{
    DisplayMode desktop;
    ASSERT_TRUE(backend->GetDisplayMode(desktop));
    EXPECT_EQ(desktop, (DisplayMode{1024, 768, 32}));
    EXPECT_FALSE(backend->SetDisplayMode(DisplayMode{800, 600, 32})) << "a mode needs exclusive access";
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
        EXPECT_EQ(back->Width(), 800);
        EXPECT_EQ(back->Format().bitsPerPixel, depth);
        EXPECT_EQ(backend->CreateSurface(64, 64)->Format().bitsPerPixel, depth) << "sprites follow the mode";
        back->Fill(Rect{0, 0, 800, 600}, 0x1234);
        EXPECT_TRUE(chain->Flip());
        EXPECT_EQ(back->GetPixel(799, 599), 0x1234u) << "the back buffer stays readable after a flip";
    }
    ASSERT_TRUE(backend->RestoreDisplayMode());
    DisplayMode restored;
    ASSERT_TRUE(backend->GetDisplayMode(restored));
    EXPECT_EQ(restored, desktop);
}

TEST_F(SdlBackendTest, WindowedScreenIsTheDesktopAndTakesStretchedCopies)
{
    ASSERT_TRUE(backend->SetCooperativeLevel(CooperativeLevel::Normal));
    EXPECT_FALSE(backend->CreatePrimarySurface(PrimaryKind::FlipChain)) << "no flip chain without exclusive access";
    auto screen = backend->CreatePrimarySurface(PrimaryKind::Alone);
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->Width(), 1024);
    EXPECT_EQ(screen->Height(), 768);
    EXPECT_EQ(screen->Format().bitsPerPixel, 32);
    EXPECT_FALSE(screen->Flip());
    for (const int32_t size : {800, 400}) {
        EXPECT_TRUE(screen->PresentStretched(*backend->CreateSurface(size, size * 3 / 4)));
    }
}

TEST(VideoBackendFactoryTest, AnInstalledFactoryReplacesSdlForItsScope)
{
    EXPECT_FALSE(CreateVideoBackend(nullptr)) << "SDL needs a window";
    {
        CScopedFakeVideo fake;
        fake.state.desktop = DisplayMode{640, 480, 16};
        auto backend = CreateVideoBackend(nullptr);
        ASSERT_TRUE(backend);
        DisplayMode mode;
        ASSERT_TRUE(backend->GetDisplayMode(mode));
        EXPECT_EQ(mode, fake.state.desktop);
    }
    EXPECT_FALSE(CreateVideoBackend(nullptr));
}
