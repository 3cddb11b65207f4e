// Sprites on a display: loading from .bmp files (cut, short, missing), keyed
// and clipped copies into the back buffer, stretched copies, copies between
// sprites, and the fill packing of each depth.
#include "media/Sprite.h"
#include "media/Display.h"
#include "platform/FakeVideoBackend.h"
#include "support/TempDir.h"

#include "../platform/TestBitmaps.h"

#include <gtest/gtest.h>

using namespace platform;
using testing_support::CScopedCurrentDir;
using testing_support::CTempDir;
using testing_support::Gradient;
using testing_support::MakeBmp;
using testing_support::Rgb;

namespace {

constexpr uint32_t kBackground = 0x00202020;

uint32_t GradientPixel(int32_t x, int32_t y) { return static_cast<uint32_t>((8 + x) << 16 | (8 + y) << 8 | 64); }

class SpriteTest : public testing::Test {
protected:
    CTempDir dir;
    CScopedCurrentDir inDir{dir.Path()};
    FakeVideoState video;
    std::unique_ptr<CDisplay> display;

    // A full-screen display of 800 x 600 at `depth`, its back buffer filled
    // with a grey background.
    void Open(int32_t depth = 32)
    {
        video.desktop = DisplayMode{800, 600, depth};
        display = std::make_unique<CDisplay>();
        ASSERT_TRUE(display->Create(nullptr, std::make_unique<CFakeVideoBackend>(video)));
        ASSERT_TRUE(display->SetFullScreen(800, 600, depth));
        Back().Fill(Rect{0, 0, 800, 600}, kBackground);
    }

    CSurface& Back() { return *display->BackBuffer()->surface; }

    // Every back-buffer pixel: from the gradient sprite drawn with its
    // top-left at (x, y) inside `area`, else the background.
    void ExpectGradientAt(int32_t x, int32_t y, const Rect& area, const std::string& what)
    {
        for (int32_t py = 0; py < 600; ++py) {
            for (int32_t px = 0; px < 800; ++px) {
                const uint32_t want = area.Contains(px, py) ? GradientPixel(px - x, py - y) : kBackground;
                ASSERT_EQ(Back().GetPixel(px, py), want) << what << ": (" << px << ", " << py << ")";
            }
        }
    }
};

} // namespace

TEST_F(SpriteTest, DrawsItsSourceRectangleClippedToTheBackBuffer)
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
        {"face.bmp", 64, {}, 100, 50, {100, 50, 164, 114}},
        {"face.bmp", 64, {}, 790, 100, {790, 100, 800, 164}},
        {"face.bmp", 64, {}, -54, 0, {0, 0, 10, 64}},
        {"face.bmp", 64, {}, 300, -60, {300, 0, 364, 4}},
        {"face.bmp", 64, {}, 780, 580, {780, 580, 800, 600}},
        {"face.bmp", 64, {}, 800, 0, {}},
        {"face.bmp", 64, {0, 0, 23, 31}, 100, 50, {100, 50, 123, 81}},
        {"face.bmp", 64, {23, 31, 46, 62}, 10, 20, {10, 20, 33, 51}},
        {"big.bmp", 30, {}, 0, 0, {0, 0, 30, 30}},
        {"small.bmp", 40, {}, 5, 5, {5, 5, 25, 15}},
    };
    for (const Case& c : cases) {
        SpritePtr sprite = display->CreateSprite(c.file, c.size, c.size);
        ASSERT_EQ(sprite->surface->Width(), c.size);
        Back().Fill(Rect{0, 0, 800, 600}, kBackground);
        if (c.part.IsEmpty()) {
            display->DrawSprite(sprite.get(), c.x, c.y);
        } else {
            display->DrawSpritePart(sprite.get(), c.x, c.y, c.part.left, c.part.top, c.part.right, c.part.bottom);
        }
        ExpectGradientAt(c.x - c.part.left, c.y - c.part.top, c.visible,
            std::string(c.file) + " at " + std::to_string(c.x) + "," + std::to_string(c.y));
    }
}

TEST_F(SpriteTest, MissingBitmapIsTransparentAndSaidOncePerName)
{
    Open();
    testing::internal::CaptureStderr();
    SpritePtr first = display->CreateSprite("Graphics\\Gui\\Nowhere 1.bmp", 32, 32);
    SpritePtr again = display->CreateSprite("Graphics\\Gui\\Nowhere 1.bmp", 32, 32);
    SpritePtr other = display->CreateSprite("Graphics\\Gui\\Nowhere 2.bmp", 8, 8);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said,
        "Missing or unreadable bitmap: Graphics\\Gui\\Nowhere 1.bmp\n"
        "Missing or unreadable bitmap: Graphics\\Gui\\Nowhere 2.bmp\n");
    ASSERT_TRUE(first && first->surface);
    EXPECT_EQ(first->width, 32);
    display->DrawSprite(first.get(), 0, 0);
    display->DrawSpriteStretched(other.get(), 100, 100, 50, 50);
    ExpectGradientAt(0, 0, Rect{}, "nothing drawn");
}

TEST_F(SpriteTest, BlackIsSkippedAndOneStepFromBlackIsDrawnAtEveryDepth)
{
    // (0,0,0) is skipped; (8,0,0) and (0,0,8) are the smallest steps that
    // survive 5-bit channels.
    const std::vector<Rgb> pixels = {{0, 0, 0}, {8, 0, 0}, {0, 0, 8}, {0, 4, 0}};
    dir.Write("steps.bmp", MakeBmp(4, 1, pixels));
    struct Case {
        int32_t depth;
        uint32_t background;
        uint32_t expected[4];
    } cases[] = {
        {32, 0x00FFFFFF, {0x00FFFFFF, 0x080000, 0x000008, 0x000400}},
        {16, 0xFFFF, {0xFFFF, 0x0800, 0x0001, 0x0020}},
        // 5-5-5 green loses (0,4,0) to black, so it is skipped too.
        {15, 0x7FFF, {0x7FFF, 0x0400, 0x0001, 0x7FFF}},
    };
    for (const Case& c : cases) {
        video = FakeVideoState{};
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

TEST_F(SpriteTest, BlitSpriteScalesABackdropIntoAPreviewKeyed)
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

TEST_F(SpriteTest, FillPacksTheComponentsByDepth)
{
    struct Case {
        int32_t depth;
        int32_t red, green, blue;
        std::optional<uint32_t> raw;
    } cases[] = {
        {15, 31, 31, 31, 0x7FFF},
        {15, 1, 2, 3, 0x0443},
        {15, 33, 0, 0, 0x0400},
        {16, 31, 63, 31, 0xFFFF},
        {16, 1, 2, 3, 0x0843},
        {16, 0, 64, 32, 0x0000},
        {32, 255, 128, 1, 0xFF8001},
        {32, 256, 0, 0, 0x000000},
        {32, 1, 2, 3, 0x010203},
        {24, 255, 255, 255, std::nullopt},
        {8, 1, 1, 1, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PackFillColour(c.depth, c.red, c.green, c.blue), c.raw)
            << c.depth << ": " << c.red << "," << c.green << "," << c.blue;
        if (c.depth == 8) {
            continue;
        }
        CSprite sprite;
        sprite.surface = CSurface::Create(6, 4, PixelFormat::ForDepth(c.depth));
        sprite.surface->Fill(Rect{0, 0, 6, 4}, 0x1234);
        FillSpriteRect(&sprite, 1, 1, 5, 3, c.red, c.green, c.blue);
        EXPECT_EQ(sprite.surface->GetPixel(1, 1), c.raw.value_or(0x1234)) << c.depth;
        EXPECT_EQ(sprite.surface->GetPixel(4, 2), c.raw.value_or(0x1234)) << c.depth;
        EXPECT_EQ(sprite.surface->GetPixel(5, 2), 0x1234u) << c.depth << ": right edge exclusive";
        EXPECT_EQ(sprite.surface->GetPixel(1, 3), 0x1234u) << c.depth << ": bottom edge exclusive";
        EXPECT_EQ(sprite.surface->GetPixel(0, 1), 0x1234u) << c.depth;
    }
}
