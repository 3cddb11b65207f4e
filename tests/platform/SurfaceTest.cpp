// Off-screen surfaces: keyed copies at every depth, exact clipping at every
// edge, nearest-neighbour scaling, clip lists, run-length encoding and .bmp
// decoding.
#include "platform/Surface.h"
#include "support/TempDir.h"

#include "TestBitmaps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <vector>

using namespace platform;

namespace {

constexpr uint32_t kMarker = 0x5555; // the destination before a copy (valid at every depth)
using Pixel = std::optional<uint32_t>; // nothing: the marker stays

std::unique_ptr<CSurface> Filled(int32_t width, int32_t height, int32_t depth, uint32_t value)
{
    auto surface = CSurface::Create(width, height, PixelFormat::ForDepth(depth));
    surface->Fill(Rect{0, 0, width, height}, value);
    return surface;
}

// The pixels of a keyed source: all different and never black, so that a
// shifted copy shows.
uint32_t Numbered(int32_t x, int32_t y) { return static_cast<uint32_t>(1 + x + 64 * y); }

void ExpectPixels(CSurface& surface, const std::function<Pixel(int32_t, int32_t)>& expected)
{
    for (int32_t y = 0; y < surface.Height(); ++y) {
        for (int32_t x = 0; x < surface.Width(); ++x) {
            ASSERT_EQ(surface.GetPixel(x, y), expected(x, y).value_or(kMarker)) << "at " << x << "," << y;
        }
    }
}

struct CopyCase {
    int32_t sourceWidth, sourceHeight;
    Rect to;
    std::vector<Rect> clip;
    bool hasClipList = true; // without one the whole surface is open
};

// Copies a numbered source into `to` of a 100 x 80 surface, and fills `to` of
// another: each pixel inside `to` and the clip shows the source pixel under
// its centre (or the fill), every other pixel keeps the marker.
void ExpectCopyAndFill(const CopyCase& c)
{
    auto source = CSurface::Create(c.sourceWidth, c.sourceHeight, PixelFormat::ForDepth(32));
    for (int32_t y = 0; y < c.sourceHeight; ++y) {
        for (int32_t x = 0; x < c.sourceWidth; ++x) {
            source->SetPixel(x, y, Numbered(x, y));
        }
    }
    source->SetColorKey(0);
    const auto open = [&](int32_t x, int32_t y) {
        return !c.hasClipList || std::ranges::any_of(c.clip, [&](const Rect& r) { return r.Contains(x, y); });
    };
    for (const bool fill : {false, true}) {
        SCOPED_TRACE(testing::Message() << (fill ? "fill to " : "copy to ") << c.to.left << "," << c.to.top << ","
                                        << c.to.right << "," << c.to.bottom);
        auto dest = Filled(100, 80, 32, kMarker);
        if (c.hasClipList) {
            dest->SetClipRects(c.clip);
        }
        if (fill) {
            dest->Fill(c.to, 0x123456);
        } else {
            dest->Blit(*source, Rect{0, 0, c.sourceWidth, c.sourceHeight}, c.to);
        }
        ExpectPixels(*dest, [&](int32_t x, int32_t y) {
            const auto sx = static_cast<int32_t>((x - c.to.left + 0.5) * c.sourceWidth / c.to.Width());
            const auto sy = static_cast<int32_t>((y - c.to.top + 0.5) * c.sourceHeight / c.to.Height());
            return c.to.Contains(x, y) && open(x, y) ? Pixel(fill ? 0x123456u : Numbered(sx, sy)) : std::nullopt;
        });
    }
}

} // namespace

TEST(SurfaceTest, KeyedCopySkipsExactlyBlackAtEveryDepth)
{
    struct Case {
        int32_t depth;
        uint32_t row[4]; // black, one step from black in red and in blue, white
    } cases[] = {
        {15, {0, 0x0400, 0x0001, 0x7FFF}},
        {16, {0, 0x0800, 0x0001, 0xFFFF}},
        {32, {0, 0x010000, 0x000001, 0xFFFFFF}},
    };
    for (const Case& c : cases) {
        for (const int32_t factor : {1, 2}) {
            auto source = CSurface::Create(4, 1, PixelFormat::ForDepth(c.depth));
            for (int32_t x = 0; x < 4; ++x) {
                source->SetPixel(x, 0, c.row[x]);
            }
            source->SetColorKey(source->BlackPixel());
            auto dest = Filled(4 * factor, 1, c.depth, kMarker);
            // Twice: the first copy encodes the source, the second uses the encoding.
            for (int pass = 0; pass < 2; ++pass) {
                ASSERT_TRUE(dest->Blit(*source, Rect{0, 0, 4, 1}, Rect{0, 0, 4 * factor, 1}));
            }
            SCOPED_TRACE(testing::Message() << "depth " << c.depth << ", scale " << factor);
            ExpectPixels(
                *dest, [&](int32_t x, int32_t) { return c.row[x / factor] ? Pixel(c.row[x / factor]) : std::nullopt; });
        }
    }
}

TEST(SurfaceTest, CopiesAndFillsAreClippedExactlyAtEveryEdgeAndSampleUnderPixelCentres)
{
    // A 20 x 10 sprite across every edge, plain and doubled in size.
    const std::pair<int32_t, int32_t> positions[]
        = {{0, 0}, {90, 30}, {-5, 30}, {40, 75}, {40, -3}, {-7, -4}, {95, 77}, {100, 0}, {-20, 0}, {0, 80}, {-40, -20}};
    for (const auto& [px, py] : positions) {
        for (const int32_t scale : {1, 2}) {
            const Rect to{px, py, px + 20 * scale, py + 10 * scale};
            ExpectCopyAndFill({20, 10, to, {}, false});
            ExpectCopyAndFill({20, 10, to, {Rect{0, 0, 100, 80}}});
        }
    }
    const CopyCase cases[] = {
        {7, 5, {3, 3, 16, 12}, {{0, 0, 99, 99}}},
        {7, 5, {3, 3, 6, 5}, {{0, 0, 99, 99}}},
        {44, 60, {3, 3, 43, 63}, {{10, 9, 99, 99}}},
        {60, 50, {3, 3, 103, 93}, {{0, 0, 15, 12}}},
        {1, 1, {3, 3, 12, 7}, {{5, 5, 6, 6}}},
        {10, 10, {3, 3, 4, 4}, {{0, 0, 99, 99}}},
        {5, 3, {3, 3, 8, 14}, {{0, 7, 99, 8}}},
        {7, 5, {3, 3, 32, 20}, {{20, 0, 21, 99}}},
        {40, 30, {0, 0, 40, 30}, {}}, // nothing gets through
        {40, 30, {0, 0, 40, 30}, {{-50, -50, 5, 100}}},
    };
    for (const CopyCase& c : cases) {
        ExpectCopyAndFill(c);
    }
}

TEST(SurfaceTest, WritingIntoAnEncodedSurfaceShowsInLaterCopies)
{
    // Encoding drops the plain pixels; a fill, a pixel or a copy into the
    // surface must still reach what later copies read.
    for (int write = 0; write < 3; ++write) {
        auto sprite = Filled(8, 8, 32, 0x00111111);
        sprite->SetColorKey(0);
        auto dest = Filled(8, 8, 32, kMarker);
        dest->Blit(*sprite, Rect{0, 0, 8, 8}, Rect{0, 0, 8, 8});
        EXPECT_TRUE(sprite->IsEncoded());
        if (write == 0) {
            sprite->Fill(Rect{0, 0, 8, 8}, 0x00ABCDEF);
        } else if (write == 1) {
            sprite->SetPixel(2, 3, 0x00ABCDEF);
        } else {
            sprite->Blit(*Filled(8, 8, 32, 0x00ABCDEF), Rect{0, 0, 8, 8}, Rect{0, 0, 8, 8});
        }
        dest->Blit(*sprite, Rect{0, 0, 8, 8}, Rect{0, 0, 8, 8});
        EXPECT_EQ(dest->GetPixel(2, 3), 0x00ABCDEFu) << "write " << write;
    }
}

// Both file depths (the 32-bit one with a zero alpha byte) land in every
// surface depth with black at raw 0, copied to the top left: cut where the
// surface is smaller, the rest of a larger surface left alone.
TEST(SurfaceTest, BitmapsArriveInTheSurfaceFormatWithBlackAtZero)
{
    testing_support::CTempDir dir;
    const std::vector<testing_support::Rgb> pixels
        = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}, {8, 8, 8}};
    const std::pair<int32_t, std::array<uint32_t, 6>> expectations[] = {
        {32, {0, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x080808}},
        {16, {0, 0xF800, 0x07E0, 0x001F, 0xFFFF, 0x0841}},
        {15, {0, 0x7C00, 0x03E0, 0x001F, 0x7FFF, 0x0421}},
    };
    for (const int bits : {24, 32}) {
        dir.Write("in.bmp", testing_support::MakeBmp(3, 2, pixels, bits));
        auto bitmap = CSurface::LoadBmp(dir.File("in.bmp"));
        ASSERT_TRUE(bitmap) << bits;
        for (const auto& [depth, values] : expectations) {
            for (const auto& [width, height] : {std::pair{3, 2}, std::pair{2, 1}, std::pair{4, 3}}) {
                auto surface = Filled(width, height, depth, kMarker);
                ASSERT_TRUE(surface->CopyBitmap(*bitmap));
                SCOPED_TRACE(
                    testing::Message() << bits << "-bit file, depth " << depth << ", " << width << "x" << height);
                ExpectPixels(*surface,
                    [&](int32_t x, int32_t y) { return x < 3 && y < 2 ? Pixel(values[y * 3 + x]) : std::nullopt; });
            }
        }
    }
}

// A damaged header must not make the decoder ask for a giant picture: sizes
// beyond the limits and rows the file does not hold are refused up front;
// neither is a file that is no bitmap read.
TEST(SurfaceTest, BitmapsClaimingMoreThanTheyHoldAreRefused)
{
    testing_support::CTempDir dir;
    // The rows of a 4 x 4 picture (less `cut` bytes) under a header of any size.
    const auto withSize = [](int32_t width, int32_t height, size_t cut = 0) {
        return testing_support::BmpFile(width, height, 24, 0, std::vector<uint8_t>(48 - cut, 7));
    };
    dir.Write("ok.bmp", withSize(4, -4));
    EXPECT_TRUE(CSurface::LoadBmp(dir.File("ok.bmp"))) << "top-down";
    for (const auto& [width, height] : {std::pair{30000, 2}, std::pair{2, -30000}, std::pair{8000, 8000},
             std::pair{0x7fffffff, 0x7fffffff}, std::pair{16, 4}}) {
        dir.Write("big.bmp", withSize(width, height));
        EXPECT_FALSE(CSurface::LoadBmp(dir.File("big.bmp"))) << width << " x " << height;
    }
    dir.Write("cut.bmp", withSize(4, 4, 10));
    EXPECT_FALSE(CSurface::LoadBmp(dir.File("cut.bmp"))) << "rows missing";
    dir.Write("text.bmp", std::string("not a bitmap"));
    EXPECT_FALSE(CSurface::LoadBmp(dir.File("text.bmp")));
}
