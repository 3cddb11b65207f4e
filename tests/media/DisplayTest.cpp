// The display on the fake video backend: the depth fallback and its log,
// windowed sizes, flips, teardown; sprites (cut from their files, keyed,
// clipped and stretched, fills by depth); text drawn with fixture fonts,
// checked pixel by pixel against the layout. Keyed copies at every depth and
// clipping at every edge are the surface's tests.
#include "media/Display.h"
#include "media/FontTable.h"
#include "platform/FakeVideoBackend.h"
#include "platform/Files.h"
#include "support/TempDir.h"

#include "../platform/TestBitmaps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>

using namespace platform;
using media::kAlignCentre;
using media::kAlignLeft;
using testing_support::Gradient;
using testing_support::MakeBmp;
using testing_support::Rgb;

namespace {

constexpr uint32_t kBackground = 0x00202020;

uint32_t GradientPixel(int32_t x, int32_t y) { return static_cast<uint32_t>((8 + x) << 16 | (8 + y) << 8 | 64); }

// The colour a fixture sheet gives the advance-wide middle of code's cell; the
// rest of each cell is kOutsideAdvance, which a copy must never take.
Rgb GlyphColour(int code) { return {static_cast<uint8_t>(code), 200, 40}; }
constexpr Rgb kOutsideAdvance{30, 30, 250};

// Different for neighbouring codes, never wider than the cell.
int FixtureAdvance(int code, int cellSize) { return cellSize == 16 ? 3 + code % 11 : 5 + code % 23; }

std::vector<uint8_t> FixtureSheet(int cellSize)
{
    const int size = cellSize * 16;
    std::vector<Rgb> pixels;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const int code = (y / cellSize) * 16 + x / cellSize;
            const int advance = FixtureAdvance(code, cellSize);
            const int column = x % cellSize - (cellSize - advance) / 2;
            pixels.push_back(column >= 0 && column < advance ? GlyphColour(code) : kOutsideAdvance);
        }
    }
    return testing_support::MakeBmp(size, size, pixels);
}

// The advance of each code, for `count` codes (bytes past the 256th are ignored).
std::vector<uint8_t> FixtureMetrics(int cellSize, int count = 256)
{
    std::vector<uint8_t> metrics;
    for (int code = 0; code < count; ++code) {
        metrics.push_back(static_cast<uint8_t>(FixtureAdvance(code, cellSize)));
    }
    return metrics;
}

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

    // Full screen 800 x 600 at `depth` on a desktop of that mode, the back buffer filled.
    void Open(int32_t depth = 32, uint32_t background = kBackground)
    {
        video = FakeVideoState{};
        video.desktop = DisplayMode{800, 600, depth};
        ASSERT_TRUE(Make().SetFullScreen(800, 600, depth));
        Back().Fill(Rect{0, 0, 800, 600}, background);
    }

    CSurface& Back() { return *display->BackBuffer()->surface; }

    static std::string ReadLog()
    {
        const auto bytes = ReadWholeFile(CDisplay::kLogFileName);
        return bytes ? std::string(bytes->begin(), bytes->end()) : "";
    }

    void ExpectBack(const std::function<uint32_t(int32_t, int32_t)>& want)
    {
        for (int32_t i = 0; i < 800 * 600; ++i) {
            ASSERT_EQ(Back().GetPixel(i % 800, i / 800), want(i % 800, i / 800))
                << "(" << i % 800 << ", " << i / 800 << ")";
        }
    }
};

// The three fixture fonts in the run folder.
class FontTableTest : public DisplayTest {
protected:
    void SetUp() override
    {
        for (const SFontFiles& files : kFontFiles) {
            dir.Write(NativePath(files.sheetFile), FixtureSheet(files.cellSize));
            dir.Write(NativePath(files.metricsFile), FixtureMetrics(files.cellSize));
        }
    }

    uint32_t Raw(const Rgb& colour) { return PackRgb(Back().Format(), colour.red, colour.green, colour.blue); }

    // The back buffer black with each glyph's advance-wide block in its
    // colour, later ones on top.
    void ExpectGlyphs(const std::vector<media::SGlyphPlacement>& placements)
    {
        std::vector<uint32_t> picture(800 * 600, 0);
        for (const auto& p : placements) {
            for (int y = std::max(p.y, 0); y < std::min(p.y + p.sourceBottom - p.sourceTop, 600); ++y) {
                for (int x = std::max(p.x, 0); x < std::min(p.x + p.sourceRight - p.sourceLeft, 800); ++x) {
                    picture[static_cast<size_t>(y * 800 + x)] = Raw(GlyphColour(p.code));
                }
            }
        }
        ExpectBack([&](int32_t x, int32_t y) { return picture[static_cast<size_t>(y * 800 + x)]; });
    }
};

} // namespace

TEST_F(DisplayTest, FullScreenFallsBackThroughTheDepthsAndLogsEachRefusal)
{
    // Each entry names the depth first asked for, whichever depth was refused.
    const std::string e = "\n Could not set full screen display mode! Width:800 Height:600 Bpp:32\n";
    struct Case {
        DisplayMode desktop;
        std::set<int32_t> refused;
        bool result;
        int32_t depth; // the depth the display ends with
        std::vector<int32_t> tried;
        std::string log;
        bool refuseExclusive = false;
    } cases[] = {
        {{800, 600, 32}, {}, true, 32, {}, ""}, // already in the mode: nothing set, nothing restored
        {{1024, 768, 32}, {}, true, 32, {32}, ""},
        {{800, 600, 16}, {}, true, 32, {32}, ""},
        {{1024, 768, 32}, {32}, true, 16, {32, 16}, e},
        {{1024, 768, 32}, {32, 16}, true, 15, {32, 16, 15}, e + e},
        {{1024, 768, 32}, {32, 16, 15}, false, 32, {32, 16, 15}, e + e + e},
        {{1024, 768, 32}, {}, false, 32, {}, "\n Could not set full screen cooperative level!", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        dir.Write(CDisplay::kLogFileName, std::string("entries of an earlier display"));
        video = FakeVideoState{};
        video.desktop = c.desktop;
        video.refusedDepths = c.refused;
        video.refuseExclusive = c.refuseExclusive;
        const bool result = Make().SetFullScreen(800, 600, 32);
        std::vector<int32_t> tried;
        std::ranges::transform(video.modeRequests, std::back_inserter(tried), &DisplayMode::bitsPerPixel);
        // The log is written at once; the backend is kept only on success.
        EXPECT_EQ(std::tuple(result, display->BitsPerPixel(), tried, ReadLog(), display->DirectDraw() != nullptr),
            std::tuple(c.result, c.depth, c.tried, c.log, c.result));
        display.reset();
        EXPECT_EQ(
            std::pair(video.restoreCount, video.backendsReleased), std::pair(c.result && !c.tried.empty() ? 1 : 0, 1))
            << "the mode is restored only when it was changed";
    }
}

TEST_F(DisplayTest, ARefusedWindowAndAMissingBackendAreLogged)
{
    video.refuseNormal = true;
    EXPECT_FALSE(Make().SetWindowed(800, 600));
    display.reset();
    EXPECT_EQ(ReadLog(), "\n Could not set windowed mode cooperative level!");
    {
        CDisplay d;
        EXPECT_FALSE(d.Create(nullptr, nullptr));
        EXPECT_FALSE(d.SetFullScreen(800, 600, 32));
        d.ClearBackBuffer();
        d.Present();
    }
    EXPECT_EQ(ReadLog(), "\n Could not obtain Direct Draw Interface!");
}

// Windowed, the display takes the desktop's mode and never changes it; the
// 800 x 600 back buffer is what the window shows. (Where the picture lands in
// the client area is the present plan's test, on the platform.)
TEST_F(DisplayTest, WindowedTheDisplayTakesTheDesktopModeAndShowsTheBackBuffer)
{
    for (const DisplayMode desktop : {DisplayMode{1280, 1024, 16}, DisplayMode{1920, 1080, 15}}) {
        video = FakeVideoState{};
        video.desktop = desktop;
        video.clientWidth = 800;
        video.clientHeight = 600;
        ASSERT_TRUE(Make().SetWindowed(800, 600));
        EXPECT_EQ(
            std::tuple(display->Width(), display->Height(), display->BitsPerPixel(), Back().Width(), Back().Height()),
            std::tuple(desktop.width, desktop.height, desktop.bitsPerPixel, 800, 600));
        Back().SetPixel(799, 599, 0x1F);
        display->Present();
        ASSERT_TRUE(video.shown);
        EXPECT_EQ(video.shown->GetPixel(799, 599), 0x1Fu);
        display.reset();
        EXPECT_EQ(std::pair(video.restoreCount, video.modeRequests.size()), std::pair(0, size_t{0}));
    }
}

// Each present names what differs from the frame shown before, in blocks of
// 16 pixels; an unchanged frame names nothing, a new scale everything.
TEST_F(DisplayTest, PresentsNameOnlyThePartsThatChanged)
{
    ASSERT_TRUE(Make().SetWindowed(800, 600));
    const Rect whole{0, 0, 800, 600};
    display->Present();
    EXPECT_EQ(video.lastChanged, std::vector<Rect>{whole});
    display->Present();
    EXPECT_TRUE(video.lastChanged.empty());
    EXPECT_FALSE(display->LastFrameChanged());
    Back().Fill(Rect{20, 40, 21, 41}, 0x1F);
    Back().Fill(Rect{300, 100, 340, 150}, 0x1F);
    display->Present();
    EXPECT_EQ(video.lastChanged, (std::vector<Rect>{{16, 32, 32, 48}, {288, 96, 352, 160}}));
    video.largestScale = 2;
    video.clientWidth = 1600;
    video.clientHeight = 1200;
    display->Present(); // the first frame at a new scale is the 1x picture
    EXPECT_EQ(video.lastChanged, std::vector<Rect>{whole});
    display->Present();
    EXPECT_EQ(display->Scale(), 2);
    EXPECT_EQ(video.lastChanged, (std::vector<Rect>{{0, 0, 1600, 1200}}));
}

TEST_F(DisplayTest, AFlipThatKeepsFailingGivesUpTheFrame)
{
    const std::tuple<int32_t, int32_t, bool> cases[] = {{0, 1, true}, {2, 3, true}, {3, 3, false}, {-1, 3, false}};
    for (const auto& [failingFlips, attempts, shown] : cases) {
        video = FakeVideoState{};
        ASSERT_TRUE(Make().SetFullScreen(800, 600, 32));
        video.failingFlips = failingFlips;
        Back().SetPixel(10, 20, 0x00ABCDEF);
        display->Present();
        EXPECT_EQ(video.flipAttempts, attempts) << failingFlips;
        EXPECT_EQ(video.shown && video.shown->GetPixel(10, 20) == 0x00ABCDEF, shown) << failingFlips;
    }
}

TEST_F(DisplayTest, SetUpWithoutSurfacesOrClippersStillDrawsSafely)
{
    for (int i = 0; i < 4; ++i) {
        video = FakeVideoState{};
        video.refuseSurfaces = i < 2;
        video.refuseClippers = i >= 2;
        EXPECT_TRUE(i % 2 == 1 ? Make().SetWindowed(800, 600) : Make().SetFullScreen(800, 600, 32));
        SpritePtr sprite = display->CreateSprite("Graphics\\Gui\\None.bmp", 16, 16);
        display->ClearBackBuffer();
        display->DrawSprite(sprite.get(), 790, 590);
        display->DrawSpriteStretched(sprite.get(), -5, -5, 40, 40);
        display->Present();
    }
}

TEST_F(DisplayTest, SpritesAreCutFromTheirFileKeyedAndClippedToTheBackBuffer)
{
    dir.Write("face.bmp", MakeBmp(64, 64, Gradient(64, 64)));
    dir.Write("big.bmp", MakeBmp(100, 80, Gradient(100, 80))); // cut to the sprite's size
    dir.Write("small.bmp", MakeBmp(20, 10, Gradient(20, 10))); // the rest stays transparent
    Open();
    // File, sprite size, source part (empty: the whole sprite with DrawSprite), position, visible rectangle.
    const std::tuple<const char*, int32_t, Rect, int32_t, int32_t, Rect> cases[] = {
        {"face.bmp", 64, {}, 790, 100, {790, 100, 800, 164}},
        {"face.bmp", 64, {}, 300, -60, {300, 0, 364, 4}},
        {"face.bmp", 64, {23, 31, 46, 62}, 10, 20, {10, 20, 33, 51}},
        {"big.bmp", 30, {}, 0, 0, {0, 0, 30, 30}},
        {"small.bmp", 40, {}, 5, 5, {5, 5, 25, 15}},
        {"Graphics\\Gui\\Nowhere.bmp", 64, {}, 100, 50, {}}, // missing: transparent
        {"Graphics\\Gui\\Nowhere.bmp", 64, {}, 0, 0, {}},
    };
    testing::internal::CaptureStderr();
    for (const auto& [file, size, part, x, y, visible] : cases) {
        SCOPED_TRACE(testing::Message() << file << " at " << x << "," << y);
        SpritePtr sprite = display->CreateSprite(file, size, size);
        Back().Fill(Rect{0, 0, 800, 600}, kBackground);
        if (part.IsEmpty()) {
            display->DrawSprite(sprite.get(), x, y);
        } else {
            display->DrawSpritePart(sprite.get(), x, y, part.left, part.top, part.right, part.bottom);
        }
        // The gradient inside the visible rectangle, else the background.
        ExpectBack([&](int32_t px, int32_t py) {
            return visible.Contains(px, py) ? GradientPixel(px - x + part.left, py - y + part.top) : kBackground;
        });
    }
    // Stretched to twice the width.
    SpritePtr face = display->CreateSprite("face.bmp", 64, 64);
    display->DrawSpriteStretched(face.get(), 10, 20, 128, 64);
    EXPECT_EQ(std::tuple(Back().GetPixel(21, 23), Back().GetPixel(137, 83), Back().GetPixel(138, 20)),
        std::tuple(GradientPixel(5, 3), GradientPixel(63, 63), kBackground));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Missing or unreadable bitmap: Graphics\\Gui\\Nowhere.bmp\n")
        << "said once per name";
}

TEST(ClipRegionTest, TheBlocksTheDisplayBuildsAreTaken)
{
    CClipper clipper;
    EXPECT_FALSE(clipper.AttachTo(*CSurface::Create(4, 4, PixelFormat::ForDepth(32)))) << "no list yet";
    EXPECT_TRUE(clipper.SetClipList(BuildClipRegion({Rect{0, 0, 800, 600}, Rect{-5, 10, 20, 900}})));
    EXPECT_TRUE(clipper.AttachTo(*CSurface::Create(4, 4, PixelFormat::ForDepth(32))));
}

TEST(FillTest, PacksTheComponentsByDepthInsideTheRectangle)
{
    // Depth, red, green, blue, and the raw pixel (the game fills with
    // components inside each channel's range).
    const std::tuple<int32_t, int32_t, int32_t, int32_t, std::optional<uint32_t>> cases[] = {
        {15, 1, 2, 3, 0x0443}, {16, 1, 2, 3, 0x0843}, {32, 255, 128, 1, 0xFF8001}, {24, 255, 255, 255, std::nullopt}};
    for (const auto& [depth, red, green, blue, raw] : cases) {
        CSprite sprite;
        sprite.surface = CSurface::Create(6, 4, PixelFormat::ForDepth(depth));
        sprite.surface->Fill(Rect{0, 0, 6, 4}, 0x1234);
        FillSpriteRect(&sprite, 1, 1, 5, 3, red, green, blue);
        for (int32_t i = 0; i < 24; ++i) {
            const bool inside = Rect{1, 1, 5, 3}.Contains(i % 6, i / 6);
            EXPECT_EQ(sprite.surface->GetPixel(i % 6, i / 6), inside ? raw.value_or(0x1234) : 0x1234u) << depth;
        }
    }
}

// Every glyph lands where the layout puts it, takes only the advance-wide
// middle of its own cell, and nothing else is drawn.
TEST_F(FontTableTest, BackBufferShowsTheLaidOutGlyphs)
{
    // Text, font, box, alignment, first line, depth.
    const std::tuple<const char*, int32_t, media::STextBox, int32_t, int32_t, int32_t> cases[] = {
        {"Ab\ncd", 1, {100, 50, 400, 300}, kAlignLeft, 0, 32},
        {"\xC0\xC8\xFF", 1, {10, 10, 400, 400}, kAlignLeft, 0, 32},
        {"corner", 3, {-40, -20, 800, 600}, kAlignLeft, 0, 32},
        {"Zandor 16", 2, {20, 20, 600, 200}, kAlignCentre, 0, 16},
    };
    for (const auto& [text, font, box, alignment, firstLine, depth] : cases) {
        Open(depth, 0);
        CFontTable fonts(*display);
        fonts.DrawText(*display, text, font, box.left, box.top, box.right, box.bottom, alignment, firstLine);
        const auto placements = media::LayOutText(text, fonts.Font(font)->Metrics(), box, alignment, firstLine);
        ASSERT_FALSE(placements.empty()) << text;
        SCOPED_TRACE(text);
        ExpectGlyphs(placements);
    }
}

TEST_F(FontTableTest, TheFirstGlyphSitsAtTheCorner)
{
    Open(32, 0);
    CFontTable fonts(*display);
    // Independent of the layout: 'A' (advance 3 + 65 % 11 = 13 in a 16-pixel
    // cell) drawn at (100, 50) fills (100, 50)-(113, 66) exactly.
    fonts.DrawText(*display, "A", kFontTimesRoman10, 100, 50, 400, 300, kAlignLeft, 0);
    const uint32_t a = Raw(GlyphColour('A'));
    EXPECT_EQ(Back().GetPixel(100, 50), a);
    EXPECT_EQ(Back().GetPixel(112, 65), a);
    EXPECT_EQ(
        Back().GetPixel(113, 50) | Back().GetPixel(99, 50) | Back().GetPixel(100, 66) | Back().GetPixel(100, 49), 0u);
}

TEST_F(FontTableTest, MissingShortOrLongMetricsAndAMissingSheet)
{
    dir.Write(NativePath(kFontFiles[0].metricsFile), std::vector<uint8_t>{9, 200, 7}); // 200: signed -56
    std::remove(NativePath(kFontFiles[1].metricsFile).c_str());
    dir.Write(NativePath(kFontFiles[2].metricsFile), FixtureMetrics(32, 300));
    std::remove(NativePath(kFontFiles[2].sheetFile).c_str());

    Open(32, 0);
    CFontTable fonts(*display);
    EXPECT_EQ(fonts.Font(1)->Metrics().advances, (std::array<int8_t, 256>{9, -56, 7}));
    EXPECT_EQ(fonts.Font(2)->Metrics().advances, (std::array<int8_t, 256>{}));
    EXPECT_TRUE(std::ranges::equal(fonts.Font(3)->Metrics().advances, FixtureMetrics(32)));
    // Zero advances and a missing sheet leave every text invisible.
    fonts.DrawText(*display, "Nothing to see", 2, 10, 10, 300, 300, kAlignLeft, 0);
    fonts.DrawText(*display, "Title", 3, 0, 0, 800, 600, kAlignCentre, 0);
    ExpectGlyphs({});
}
