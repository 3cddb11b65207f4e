// The display and its sprites on the fake video backend: the depth fallback
// and its log, windowed sizes, flips, teardown; keyed, clipped and stretched
// copies, and the fill packing of each depth.
#include "media/Display.h"
#include "platform/FakeVideoBackend.h"
#include "support/TempDir.h"

#include "../platform/TestBitmaps.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace platform;
using testing_support::Gradient;
using testing_support::MakeBmp;
using testing_support::Rgb;

namespace {

constexpr uint32_t kBackground = 0x00202020;

uint32_t GradientPixel(int32_t x, int32_t y) { return static_cast<uint32_t>((8 + x) << 16 | (8 + y) << 8 | 64); }

// Each test runs in its own folder: the display writes its log there.
class DisplayTest : public testing::Test {
protected:
    testing_support::CTempDir dir;
    testing_support::CScopedCurrentDir inDir{dir.Path()};
    FakeVideoState video;
    std::unique_ptr<CDisplay> display;

    CDisplay& Make()
    {
        display = std::make_unique<CDisplay>();
        EXPECT_TRUE(display->Create(nullptr, std::make_unique<CFakeVideoBackend>(video)));
        return *display;
    }

    // Full screen 800 x 600 at `depth` on a desktop of that mode, grey back buffer.
    void Open(int32_t depth = 32)
    {
        video = FakeVideoState{};
        video.desktop = DisplayMode{800, 600, depth};
        ASSERT_TRUE(Make().SetFullScreen(800, 600, depth));
        Back().Fill(Rect{0, 0, 800, 600}, kBackground);
    }

    CSurface& Back() { return *display->BackBuffer()->surface; }

    static std::string ReadLog()
    {
        std::ifstream in(CDisplay::kLogFileName, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    // Every back-buffer pixel: the gradient with its top-left at (x, y) inside `area`, else the background.
    void ExpectGradientAt(int32_t x, int32_t y, const Rect& area)
    {
        for (int32_t py = 0; py < 600; ++py) {
            for (int32_t px = 0; px < 800; ++px) {
                const uint32_t want = area.Contains(px, py) ? GradientPixel(px - x, py - y) : kBackground;
                ASSERT_EQ(Back().GetPixel(px, py), want) << "(" << px << ", " << py << ")";
            }
        }
    }
};

} // namespace

TEST_F(DisplayTest, FullScreenFallsBackThroughTheDepthsAndLogsEachRefusal)
{
    const std::string entry = "\n Could not set full screen display mode! Width:800 Height:600 Bpp:32\n";
    struct Case {
        DisplayMode desktop;
        std::set<int32_t> refused;
        bool result;
        int32_t depth; // the depth the display ends with
        std::vector<int32_t> tried;
    } cases[] = {
        {{800, 600, 32}, {}, true, 32, {}}, // already in the mode: nothing set, nothing restored
        {{1024, 768, 32}, {}, true, 32, {32}},
        {{800, 600, 16}, {}, true, 32, {32}},
        {{1024, 768, 32}, {32}, true, 16, {32, 16}},
        {{1024, 768, 32}, {32, 16}, true, 15, {32, 16, 15}},
        {{1024, 768, 32}, {32, 16, 15}, false, 32, {32, 16, 15}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        dir.Write(CDisplay::kLogFileName, std::string("entries of an earlier display"));
        video = FakeVideoState{};
        video.desktop = c.desktop;
        video.refusedDepths = c.refused;
        EXPECT_EQ(Make().SetFullScreen(800, 600, 32), c.result);
        EXPECT_EQ(display->BitsPerPixel(), c.depth);
        std::vector<int32_t> tried;
        for (const DisplayMode& mode : video.modeRequests) {
            tried.push_back(mode.bitsPerPixel);
        }
        EXPECT_EQ(tried, c.tried);
        std::string expectedLog;
        for (size_t i = 0; i < c.refused.size(); ++i) {
            expectedLog += entry; // each entry names the depth first asked for
        }
        EXPECT_EQ(ReadLog(), expectedLog);
        EXPECT_EQ(display->DirectDraw() != nullptr, c.result);
        if (c.result) {
            EXPECT_EQ(Back().Format().bitsPerPixel, c.depth);
        }
        display.reset();
        EXPECT_EQ(video.restoreCount, c.result && !c.tried.empty() ? 1 : 0) << "restored only when changed";
        EXPECT_EQ(video.backendsReleased, 1);
    }
}

TEST_F(DisplayTest, RefusedCooperativeLevelsAndAMissingBackendAreLogged)
{
    struct Case {
        bool refuseExclusive, refuseNormal, windowed, noBackend;
        std::string log;
    } cases[] = {
        {true, false, false, false, "\n Could not set full screen cooperative level!"},
        {false, true, true, false, "\n Could not set windowed mode cooperative level!"},
        {false, false, false, true, "\n Could not obtain Direct Draw Interface!"},
    };
    for (const Case& c : cases) {
        video = FakeVideoState{};
        video.refuseExclusive = c.refuseExclusive;
        video.refuseNormal = c.refuseNormal;
        {
            CDisplay d;
            EXPECT_EQ(
                d.Create(nullptr, c.noBackend ? nullptr : std::make_unique<CFakeVideoBackend>(video)), !c.noBackend);
            EXPECT_FALSE(c.windowed ? d.SetWindowed(800, 600) : d.SetFullScreen(800, 600, 32)) << c.log;
            EXPECT_TRUE(video.modeRequests.empty());
            d.ClearBackBuffer();
            d.Present();
        }
        EXPECT_EQ(ReadLog(), c.log);
    }
}

TEST_F(DisplayTest, WindowedBackBufferIsStretchedOverTheClientArea)
{
    struct Case {
        DisplayMode desktop;
        int32_t clientWidth, clientHeight;
    } cases[] = {{{1024, 768, 32}, 1024, 712}, {{1280, 1024, 16}, 800, 600}, {{1920, 1080, 15}, 1920, 1030}};
    for (const Case& c : cases) {
        video = FakeVideoState{};
        video.desktop = c.desktop;
        video.clientWidth = c.clientWidth;
        video.clientHeight = c.clientHeight;
        ASSERT_TRUE(Make().SetWindowed(800, 600));
        EXPECT_EQ(display->Width(), c.desktop.width);
        EXPECT_EQ(display->BitsPerPixel(), c.desktop.bitsPerPixel);
        ASSERT_EQ(Back().Width(), 800);
        ASSERT_EQ(Back().Height(), 600);
        Back().Fill(Rect{0, 0, 800, 600}, 0x1F);
        display->ClearBackBuffer();
        EXPECT_EQ(Back().GetPixel(0, 0) | Back().GetPixel(799, 599), 0u);
        Back().Fill(Rect{400, 300, 800, 600}, 0x1F); // the lower right quarter
        display->Present();
        ASSERT_TRUE(video.shown);
        EXPECT_EQ(video.shown->Width(), c.clientWidth);
        EXPECT_EQ(video.shown->GetPixel(c.clientWidth / 2 - 1, c.clientHeight / 2 - 1), 0u);
        EXPECT_EQ(video.shown->GetPixel(c.clientWidth / 2 + 1, c.clientHeight / 2 + 1), 0x1Fu);
        EXPECT_EQ(video.shown->GetPixel(c.clientWidth - 1, c.clientHeight - 1), 0x1Fu);
        display.reset();
        EXPECT_TRUE(video.modeRequests.empty());
        EXPECT_EQ(video.restoreCount, 0);
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
        ASSERT_TRUE(Make().SetFullScreen(800, 600, 32));
        video.failingFlips = c.failingFlips;
        Back().SetPixel(10, 20, 0x00ABCDEF);
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
            EXPECT_TRUE(windowed ? Make().SetWindowed(800, 600) : Make().SetFullScreen(800, 600, 32));
            SpritePtr sprite = display->CreateSprite("Graphics\\Gui\\None.bmp", 16, 16);
            ASSERT_TRUE(sprite);
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
        {{Rect{10, 20, 30, 40}, Rect{-5, 25, 15, 90}, Rect{50, 500, 60, 510}}, Rect{-5, 20, 60, 510}},
        {{}, Rect{64000, 64000, -64000, -64000}},
    };
    for (const Case& c : cases) {
        const RegionData region = BuildClipRegion(c.rects);
        EXPECT_EQ(region.bounds, c.bounds);
        EXPECT_EQ(region.BlockSize(), 16 * (c.rects.size() + 2));
        EXPECT_TRUE(CClipper().SetClipList(region));
    }
}

TEST_F(DisplayTest, SpritesAreCutFromTheirFileKeyedAndClippedToTheBackBuffer)
{
    dir.Write("face.bmp", MakeBmp(64, 64, Gradient(64, 64)));
    dir.Write("big.bmp", MakeBmp(100, 80, Gradient(100, 80))); // cut to the sprite's size
    dir.Write("small.bmp", MakeBmp(20, 10, Gradient(20, 10))); // the rest stays transparent
    Open();
    struct Case {
        const char* file;
        int32_t size;
        Rect part; // empty: the whole sprite with DrawSprite
        int32_t x, y;
        Rect visible;
    } cases[] = {
        {"face.bmp", 64, {}, 790, 100, {790, 100, 800, 164}},
        {"face.bmp", 64, {}, -54, 0, {0, 0, 10, 64}},
        {"face.bmp", 64, {}, 300, -60, {300, 0, 364, 4}},
        {"face.bmp", 64, {}, 780, 580, {780, 580, 800, 600}},
        {"face.bmp", 64, {}, 800, 0, {}},
        {"face.bmp", 64, {23, 31, 46, 62}, 10, 20, {10, 20, 33, 51}},
        {"big.bmp", 30, {}, 0, 0, {0, 0, 30, 30}},
        {"small.bmp", 40, {}, 5, 5, {5, 5, 25, 15}},
        {"Graphics\\Gui\\Nowhere.bmp", 64, {}, 100, 50, {}}, // missing: transparent
        {"Graphics\\Gui\\Nowhere.bmp", 64, {}, 0, 0, {}},
    };
    testing::internal::CaptureStderr();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.file << " at " << c.x << "," << c.y);
        SpritePtr sprite = display->CreateSprite(c.file, c.size, c.size);
        Back().Fill(Rect{0, 0, 800, 600}, kBackground);
        if (c.part.IsEmpty()) {
            display->DrawSprite(sprite.get(), c.x, c.y);
        } else {
            display->DrawSpritePart(sprite.get(), c.x, c.y, c.part.left, c.part.top, c.part.right, c.part.bottom);
        }
        ExpectGradientAt(c.x - c.part.left, c.y - c.part.top, c.visible);
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Missing or unreadable bitmap: Graphics\\Gui\\Nowhere.bmp\n")
        << "said once per name";
}

TEST_F(DisplayTest, BlackIsSkippedAndOneStepFromBlackIsDrawnAtEveryDepth)
{
    // (8,0,0) and (0,0,8) are the smallest steps that survive 5-bit channels.
    dir.Write("steps.bmp", MakeBmp(4, 1, {{0, 0, 0}, {8, 0, 0}, {0, 0, 8}, {0, 4, 0}}));
    struct Case {
        int32_t depth;
        uint32_t background;
        uint32_t expected[4];
    } cases[] = {
        {32, 0x00FFFFFF, {0x00FFFFFF, 0x080000, 0x000008, 0x000400}}, {16, 0xFFFF, {0xFFFF, 0x0800, 0x0001, 0x0020}},
        {15, 0x7FFF, {0x7FFF, 0x0400, 0x0001, 0x7FFF}}, // 5-5-5 green loses (0,4,0) to black
    };
    for (const Case& c : cases) {
        Open(c.depth);
        SpritePtr sprite = display->CreateSprite("steps.bmp", 4, 1);
        Back().Fill(Rect{0, 0, 800, 600}, c.background);
        display->DrawSprite(sprite.get(), 10, 10);
        display->DrawSpriteStretched(sprite.get(), 10, 20, 8, 2);
        for (int32_t x = 0; x < 4; ++x) {
            EXPECT_EQ(Back().GetPixel(10 + x, 10), c.expected[x]) << "depth " << c.depth << " pixel " << x;
            EXPECT_EQ(Back().GetPixel(10 + 2 * x + 1, 21), c.expected[x]) << "stretched, depth " << c.depth;
        }
    }
}

TEST_F(DisplayTest, BlitSpriteScalesABackdropIntoAPreviewKeyed)
{
    std::vector<Rgb> backdrop = Gradient(200, 150);
    backdrop[7 * 200 + 5] = Rgb{}; // sampled for preview pixel (0, 5): black, so skipped
    dir.Write("backdrop.bmp", MakeBmp(200, 150, backdrop));
    dir.Write("preview.bmp", MakeBmp(20, 20, std::vector<Rgb>(400, Rgb{255, 255, 255})));
    Open();
    SpritePtr source = display->CreateSprite("backdrop.bmp", 200, 150);
    SpritePtr preview = display->CreateSprite("preview.bmp", 20, 20);
    BlitSprite(source.get(), preview.get(), 0, 0, 200, 150, 0, 5, 20, 15);
    EXPECT_EQ(preview->surface->GetPixel(0, 5), 0x00FFFFFFu) << "black source pixel skipped";
    EXPECT_EQ(preview->surface->GetPixel(19, 14), GradientPixel(195, 142));
    EXPECT_EQ(preview->surface->GetPixel(7, 9), GradientPixel(75, 67));
    EXPECT_EQ(preview->surface->GetPixel(7, 4), 0x00FFFFFFu);
    EXPECT_EQ(preview->surface->GetPixel(7, 15), 0x00FFFFFFu);
}

TEST(FillTest, PacksTheComponentsByDepthInsideTheRectangle)
{
    struct Case {
        int32_t depth;
        int32_t red, green, blue;
        std::optional<uint32_t> raw;
    } cases[] = {
        {15, 1, 2, 3, 0x0443},
        {15, 33, 0, 0, 0x0400},
        {16, 31, 63, 31, 0xFFFF},
        {16, 1, 2, 3, 0x0843},
        {16, 0, 64, 32, 0x0000},
        {32, 255, 128, 1, 0xFF8001},
        {32, 256, 0, 0, 0x000000},
        {24, 255, 255, 255, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PackFillColour(c.depth, c.red, c.green, c.blue), c.raw) << c.depth << ": " << c.red;
        CSprite sprite;
        sprite.surface = CSurface::Create(6, 4, PixelFormat::ForDepth(c.depth));
        sprite.surface->Fill(Rect{0, 0, 6, 4}, 0x1234);
        FillSpriteRect(&sprite, 1, 1, 5, 3, c.red, c.green, c.blue);
        for (int32_t y = 0; y < 4; ++y) {
            for (int32_t x = 0; x < 6; ++x) {
                const bool inside = x >= 1 && x < 5 && y >= 1 && y < 3;
                EXPECT_EQ(sprite.surface->GetPixel(x, y), inside ? c.raw.value_or(0x1234) : 0x1234u) << c.depth;
            }
        }
    }
}
