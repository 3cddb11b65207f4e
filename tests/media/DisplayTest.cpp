// The display on the fake video backend: the depth fallback and the exact log
// entries of each refusal, windowed sizes, clearing and presenting, bounded
// flip retries, the clip region block and the order of teardown.
#include "media/Display.h"
#include "platform/FakeVideoBackend.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace platform;

namespace {

const std::string kModeEntry = "\n Could not set full screen display mode! Width:800 Height:600 Bpp:32\n";

std::string ReadLog()
{
    std::ifstream in(CDisplay::kLogFileName, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Each test runs in its own folder: the display writes its log there.
class DisplayTest : public testing::Test {
protected:
    testing_support::CTempDir dir;
    testing_support::CScopedCurrentDir inDir{dir.Path()};
    FakeVideoState video;

    std::unique_ptr<CDisplay> MakeDisplay()
    {
        auto display = std::make_unique<CDisplay>();
        EXPECT_TRUE(display->Create(nullptr, std::make_unique<CFakeVideoBackend>(video)));
        return display;
    }
};

} // namespace

TEST_F(DisplayTest, FullScreenFallsBackThroughTheDepthsAndLogsEachRefusal)
{
    struct Case {
        const char* name;
        DisplayMode desktop;
        std::set<int32_t> refused;
        bool result;
        int32_t bitsPerPixel; // the depth the display ends with
        std::vector<int32_t> depthsTried;
        bool modeChanged;
    } cases[] = {
        {"desktop already 800x600x32", {800, 600, 32}, {}, true, 32, {}, false},
        {"32 accepted", {1024, 768, 32}, {}, true, 32, {32}, true},
        {"same size, other depth", {800, 600, 16}, {}, true, 32, {32}, true},
        {"32 refused, 16 accepted", {1024, 768, 32}, {32}, true, 16, {32, 16}, true},
        {"32 and 16 refused", {1024, 768, 32}, {32, 16}, true, 15, {32, 16, 15}, true},
        {"all refused", {1024, 768, 32}, {32, 16, 15}, false, 32, {32, 16, 15}, true},
    };
    for (const Case& c : cases) {
        dir.Write(CDisplay::kLogFileName, std::string("entries of an earlier display"));
        video = FakeVideoState{};
        video.desktop = c.desktop;
        video.refusedDepths = c.refused;
        auto display = MakeDisplay();
        EXPECT_EQ(display->SetFullScreen(800, 600, 32), c.result) << c.name;
        EXPECT_EQ(display->BitsPerPixel(), c.bitsPerPixel) << c.name;
        std::vector<int32_t> tried;
        for (const DisplayMode& mode : video.modeRequests) {
            tried.push_back(mode.bitsPerPixel);
        }
        EXPECT_EQ(tried, c.depthsTried) << c.name;
        // One entry per refusal, each naming the depth first asked for and
        // flushed at once; the earlier display's entries are gone.
        std::string expectedLog;
        for (size_t i = 0; i < c.refused.size(); ++i) {
            expectedLog += kModeEntry;
        }
        EXPECT_EQ(ReadLog(), expectedLog) << c.name;
        EXPECT_EQ(display->IsModeChanged(), c.modeChanged) << c.name;
        EXPECT_EQ(display->DirectDraw() != nullptr, c.result) << c.name;
        if (c.result) {
            ASSERT_TRUE(display->BackBuffer()->surface) << c.name;
            EXPECT_EQ(display->BackBuffer()->surface->Format().bitsPerPixel, c.bitsPerPixel) << c.name;
        }
        display.reset();
        EXPECT_EQ(video.restoreCount, c.result && c.modeChanged ? 1 : 0) << c.name << ": restored only when changed";
        EXPECT_EQ(video.backendsReleased, 1) << c.name;
    }
}

TEST_F(DisplayTest, RefusedCooperativeLevelsAndAMissingBackendAreLogged)
{
    struct Case {
        const char* name;
        bool refuseExclusive, refuseNormal, windowed, noBackend;
        std::string log;
        bool backendKept;
    } cases[] = {
        {"full screen", true, false, false, false, "\n Could not set full screen cooperative level!", false},
        {"windowed", false, true, true, false, "\n Could not set windowed mode cooperative level!", true},
        {"no backend", false, false, false, true, "\n Could not obtain Direct Draw Interface!", false},
    };
    for (const Case& c : cases) {
        video = FakeVideoState{};
        video.refuseExclusive = c.refuseExclusive;
        video.refuseNormal = c.refuseNormal;
        {
            CDisplay display;
            const bool created
                = display.Create(nullptr, c.noBackend ? nullptr : std::make_unique<CFakeVideoBackend>(video));
            EXPECT_EQ(created, !c.noBackend);
            EXPECT_FALSE(c.windowed ? display.SetWindowed(800, 600) : display.SetFullScreen(800, 600, 32)) << c.name;
            EXPECT_EQ(display.DirectDraw() != nullptr, c.backendKept) << c.name;
            EXPECT_TRUE(video.modeRequests.empty()) << c.name;
            display.ClearBackBuffer();
            display.Present();
        }
        EXPECT_EQ(ReadLog(), c.log) << c.name;
    }
}

TEST_F(DisplayTest, WindowedBackBufferHasItsOwnSizeOnTheDesktop)
{
    struct Case {
        DisplayMode desktop;
        int32_t clientWidth, clientHeight;
    } cases[] = {
        {{1024, 768, 32}, 1024, 712},
        {{1280, 1024, 16}, 800, 600},
        {{1920, 1080, 15}, 1920, 1030},
    };
    for (const Case& c : cases) {
        video = FakeVideoState{};
        video.desktop = c.desktop;
        video.clientWidth = c.clientWidth;
        video.clientHeight = c.clientHeight;
        auto display = MakeDisplay();
        ASSERT_TRUE(display->SetWindowed(800, 600));
        EXPECT_EQ(display->Width(), c.desktop.width);
        EXPECT_EQ(display->Height(), c.desktop.height);
        EXPECT_EQ(display->BitsPerPixel(), c.desktop.bitsPerPixel);
        EXPECT_EQ(display->BackBufferWidth(), 800);
        EXPECT_EQ(display->BackBufferHeight(), 600);

        // Clearing covers exactly the back buffer; presenting stretches it
        // over the whole client area.
        CSurface& back = *display->BackBuffer()->surface;
        ASSERT_EQ(back.Width(), 800);
        ASSERT_EQ(back.Format().bitsPerPixel, c.desktop.bitsPerPixel);
        back.Fill(Rect{0, 0, 800, 600}, 0x1F);
        display->ClearBackBuffer();
        EXPECT_EQ(back.GetPixel(0, 0) | back.GetPixel(799, 599), 0u);
        back.Fill(Rect{400, 300, 800, 600}, 0x1F); // the lower right quarter blue
        display->Present();
        ASSERT_TRUE(video.shown);
        EXPECT_EQ(video.shown->Width(), c.clientWidth);
        EXPECT_EQ(video.shown->GetPixel(c.clientWidth / 2 - 1, c.clientHeight / 2 - 1), 0u);
        EXPECT_EQ(video.shown->GetPixel(c.clientWidth / 2 + 1, c.clientHeight / 2 + 1), 0x1Fu);
        EXPECT_EQ(video.shown->GetPixel(c.clientWidth - 1, c.clientHeight - 1), 0x1Fu);
        display.reset();
        EXPECT_TRUE(video.modeRequests.empty());
        EXPECT_EQ(video.restoreCount, 0) << "windowed never restores a mode";
    }
}

TEST_F(DisplayTest, AFlipThatKeepsFailingGivesUpTheFrame)
{
    struct Case {
        int32_t failingFlips, attempts;
        bool shown;
    } cases[] = {{0, 1, true}, {2, 3, true}, {3, 3, false}, {-1, 3, false}};
    for (const Case& c : cases) {
        video = FakeVideoState{};
        video.failingFlips = c.failingFlips;
        auto display = MakeDisplay();
        ASSERT_TRUE(display->SetFullScreen(800, 600, 32));
        display->BackBuffer()->surface->SetPixel(10, 20, 0x00ABCDEF);
        display->Present();
        EXPECT_EQ(video.flipAttempts, c.attempts) << c.failingFlips;
        EXPECT_EQ(video.shown && video.shown->GetPixel(10, 20) == 0x00ABCDEF, c.shown) << c.failingFlips;
    }
}

TEST_F(DisplayTest, SetUpWithoutSurfacesOrClippersStillDrawsSafely)
{
    for (const bool windowed : {false, true}) {
        for (const bool refuseSurfaces : {false, true}) {
            video = FakeVideoState{};
            video.refuseSurfaces = refuseSurfaces;
            video.refuseClippers = !refuseSurfaces;
            auto display = MakeDisplay();
            EXPECT_TRUE(windowed ? display->SetWindowed(800, 600) : display->SetFullScreen(800, 600, 32))
                << "these failures are not reported";
            SpritePtr sprite = display->CreateSprite("Graphics\\Gui\\None.bmp", 16, 16);
            ASSERT_TRUE(sprite);
            EXPECT_EQ(sprite->surface == nullptr, refuseSurfaces);
            display->ClearBackBuffer();
            display->DrawSprite(sprite.get(), 790, 590);
            display->DrawSpriteStretched(sprite.get(), -5, -5, 40, 40);
            display->Present();
        }
    }
}

TEST(ClipRegionTest, BoundingRectangleCoversTheListFromTheStartValues)
{
    struct Case {
        std::vector<Rect> rects;
        Rect bounds;
    } cases[] = {
        {{Rect{0, 0, 800, 600}}, Rect{0, 0, 800, 600}},
        {{Rect{10, 20, 30, 40}, Rect{-5, 25, 15, 90}}, Rect{-5, 20, 30, 90}},
        {{Rect{100, 100, 101, 101}, Rect{0, 0, 1, 1}, Rect{50, 500, 60, 510}}, Rect{0, 0, 101, 510}},
        {{}, Rect{64000, 64000, -64000, -64000}},
    };
    for (const Case& c : cases) {
        const RegionData region = BuildClipRegion(c.rects);
        EXPECT_EQ(region.bounds, c.bounds) << c.rects.size() << " rectangles";
        EXPECT_EQ(region.count, static_cast<int32_t>(c.rects.size()));
        EXPECT_EQ(region.BlockSize(), static_cast<size_t>(16 * (region.count + 2)));
        EXPECT_TRUE(CClipper().SetClipList(region)) << "the clipper takes every block the display builds";
    }
}
