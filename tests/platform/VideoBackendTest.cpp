// The video backends: clip lists, the SDL backend on the dummy driver (modes,
// depths, flip chain and presentation without a screen) and the backend
// factory switch.
#include "platform/VideoBackend.h"
#include "platform/FakeVideoBackend.h"
#include "platform/Window.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

RegionData OneRectangle()
{
    RegionData region;
    region.count = 1;
    region.regionSize = 16;
    region.bounds = Rect{0, 0, 800, 600};
    region.rects = {Rect{0, 0, 800, 600}};
    return region;
}

} // namespace

TEST(ClipperTest, RefusesMalformedRegionBlocks)
{
    struct Case {
        const char* name;
        void (*spoil)(RegionData&);
    } cases[] = {
        {"header size", [](RegionData& r) { r.headerSize = 16; }},
        {"type", [](RegionData& r) { r.type = 2; }},
        {"count", [](RegionData& r) { r.count = 2; }},
        {"region size", [](RegionData& r) { r.regionSize = 32; }},
        {"rectangle beyond the bounds", [](RegionData& r) { r.rects[0].right = 801; }},
        {"bounds inside the rectangle", [](RegionData& r) { r.bounds.top = 1; }},
    };
    for (const Case& c : cases) {
        RegionData region = OneRectangle();
        c.spoil(region);
        CClipper clipper;
        EXPECT_FALSE(clipper.SetClipList(region)) << c.name;
        auto surface = CSurface::Create(4, 4, PixelFormat::ForDepth(32));
        EXPECT_FALSE(clipper.AttachTo(*surface)) << c.name << ": a clipper without a list attaches nothing";
    }
    CClipper clipper;
    EXPECT_TRUE(clipper.SetClipList(OneRectangle()));
}

TEST(ClipperTest, AnAttachedListClipsLaterFills)
{
    RegionData region;
    region.count = 2;
    region.regionSize = 32;
    region.bounds = Rect{1, 1, 7, 3};
    region.rects = {Rect{1, 1, 3, 2}, Rect{5, 2, 7, 3}};
    CClipper clipper;
    ASSERT_TRUE(clipper.SetClipList(region));
    auto surface = CSurface::Create(8, 4, PixelFormat::ForDepth(16));
    ASSERT_TRUE(clipper.AttachTo(*surface));
    surface->Fill(Rect{0, 0, 8, 4}, 0xFFFF);
    int32_t filled = 0;
    for (int32_t y = 0; y < 4; ++y) {
        for (int32_t x = 0; x < 8; ++x) {
            const bool inside = region.rects[0].Contains(x, y) || region.rects[1].Contains(x, y);
            EXPECT_EQ(surface->GetPixel(x, y), inside ? 0xFFFFu : 0u) << x << "," << y;
            filled += inside ? 1 : 0;
        }
    }
    EXPECT_EQ(filled, 4);
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

TEST_F(SdlBackendTest, AcceptsTheGameDepthsInFullScreenOnly)
{
    DisplayMode desktop;
    ASSERT_TRUE(backend->GetDisplayMode(desktop));
    EXPECT_EQ(desktop, (DisplayMode{1024, 768, 32}));
    EXPECT_FALSE(backend->SetDisplayMode(DisplayMode{800, 600, 32})) << "a mode needs exclusive access";
    ASSERT_TRUE(backend->SetCooperativeLevel(CooperativeLevel::ExclusiveFullScreen));
    struct Case {
        int32_t depth;
        bool accepted;
    } cases[] = {{32, true}, {16, true}, {15, true}, {24, false}, {8, false}, {0, false}};
    for (const Case& c : cases) {
        EXPECT_EQ(backend->SetDisplayMode(DisplayMode{800, 600, c.depth}), c.accepted) << c.depth;
    }
    EXPECT_FALSE(backend->SetDisplayMode(DisplayMode{0, 600, 32}));
}

TEST_F(SdlBackendTest, FlipChainHasABackSurfaceOfTheModeInItsDepth)
{
    ASSERT_TRUE(backend->SetCooperativeLevel(CooperativeLevel::ExclusiveFullScreen));
    for (const int32_t depth : {32, 16, 15}) {
        ASSERT_TRUE(backend->SetDisplayMode(DisplayMode{800, 600, depth}));
        DisplayMode current;
        ASSERT_TRUE(backend->GetDisplayMode(current));
        EXPECT_EQ(current, (DisplayMode{800, 600, depth}));
        auto chain = backend->CreatePrimarySurface(PrimaryKind::FlipChain);
        ASSERT_TRUE(chain) << depth;
        std::shared_ptr<CSurface> back = chain->AttachedBackBuffer();
        ASSERT_TRUE(back);
        EXPECT_EQ(back->Width(), 800);
        EXPECT_EQ(back->Height(), 600);
        EXPECT_EQ(back->Format().bitsPerPixel, depth);
        EXPECT_EQ(backend->CreateSurface(64, 64)->Format().bitsPerPixel, depth) << "sprites follow the mode";
        back->Fill(Rect{0, 0, 800, 600}, 0x1234);
        EXPECT_TRUE(chain->Flip());
        EXPECT_EQ(back->GetPixel(799, 599), 0x1234u) << "the back buffer stays readable after a flip";
        EXPECT_FALSE(chain->PresentStretched(*back)) << "a flip chain only flips";
    }
    ASSERT_TRUE(backend->RestoreDisplayMode());
    DisplayMode restored;
    ASSERT_TRUE(backend->GetDisplayMode(restored));
    EXPECT_EQ(restored, (DisplayMode{1024, 768, 32}));
}

TEST_F(SdlBackendTest, WindowedScreenIsTheDesktopAndTakesStretchedCopies)
{
    ASSERT_TRUE(backend->SetCooperativeLevel(CooperativeLevel::Normal));
    auto screen = backend->CreatePrimarySurface(PrimaryKind::Alone);
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->Width(), 1024);
    EXPECT_EQ(screen->Height(), 768);
    EXPECT_EQ(screen->Format().bitsPerPixel, 32);
    EXPECT_FALSE(screen->AttachedBackBuffer());
    EXPECT_FALSE(screen->Flip());
    for (const int32_t size : {800, 400}) {
        auto picture = backend->CreateSurface(size, size * 3 / 4);
        EXPECT_TRUE(screen->PresentStretched(*picture));
    }
    EXPECT_FALSE(backend->CreatePrimarySurface(PrimaryKind::FlipChain)) << "no flip chain without exclusive access";
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
        EXPECT_EQ(mode, (DisplayMode{640, 480, 16}));
    }
    EXPECT_FALSE(CreateVideoBackend(nullptr));
}
