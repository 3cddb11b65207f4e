// Off-screen surfaces: keyed copies at every depth, exact clipping at every
// edge, nearest-neighbour scaling, clip lists, fills, run-length encoding and
// .bmp decoding.
#include "platform/Surface.h"
#include "platform/Files.h"
#include "support/TempDir.h"

#include "TestBitmaps.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>

using namespace platform;
using testing_support::CTempDir;
using testing_support::Gradient;
using testing_support::MakeBmp;
using testing_support::MakePalettedBmp;
using testing_support::Rgb;

namespace {

constexpr uint32_t kMarker = 0x5555; // what the destination holds before a copy (valid at every depth)

std::unique_ptr<CSurface> Filled(int32_t width, int32_t height, int32_t depth, uint32_t value)
{
    auto surface = CSurface::Create(width, height, PixelFormat::ForDepth(depth));
    surface->Fill(Rect{0, 0, width, height}, value);
    return surface;
}

// A keyed source whose pixels are all different and never black, so that a
// shifted or mirrored copy shows. Value = 1 + x + 64 * y.
std::unique_ptr<CSurface> Numbered(int32_t width, int32_t height, int32_t depth = 32)
{
    auto surface = CSurface::Create(width, height, PixelFormat::ForDepth(depth));
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            surface->SetPixel(x, y, static_cast<uint32_t>(1 + x + 64 * y));
        }
    }
    surface->SetColorKey(0);
    return surface;
}

// Checks every pixel of `surface`: `expected(x, y)` gives the value, or
// nullopt where the marker must still be.
void ExpectPixels(CSurface& surface, const std::function<std::optional<uint32_t>(int32_t, int32_t)>& expected,
    const std::string& what)
{
    int32_t failures = 0;
    for (int32_t y = 0; y < surface.Height() && failures < 5; ++y) {
        for (int32_t x = 0; x < surface.Width() && failures < 5; ++x) {
            const uint32_t want = expected(x, y).value_or(kMarker);
            const uint32_t got = surface.GetPixel(x, y);
            if (got != want) {
                ADD_FAILURE() << what << ": pixel (" << x << ", " << y << ") is 0x" << std::hex << got
                              << ", expected 0x" << want;
                ++failures;
            }
        }
    }
}

} // namespace

TEST(SurfaceTest, KeyedCopySkipsExactlyBlackAtEveryDepth)
{
    struct Case {
        int32_t depth;
        uint32_t oneStepRed;
        uint32_t oneStepBlue;
        uint32_t white;
    } cases[] = {
        {15, 0x0400, 0x0001, 0x7FFF},
        {16, 0x0800, 0x0001, 0xFFFF},
        {24, 0x010000, 0x000001, 0xFFFFFF},
        {32, 0x010000, 0x000001, 0xFFFFFF},
    };
    for (const Case& c : cases) {
        for (const bool scaled : {false, true}) {
            auto source = CSurface::Create(4, 1, PixelFormat::ForDepth(c.depth));
            const uint32_t row[] = {0, c.oneStepRed, c.oneStepBlue, c.white};
            for (int32_t x = 0; x < 4; ++x) {
                source->SetPixel(x, 0, row[x]);
            }
            source->SetColorKey(source->BlackPixel());
            auto dest = Filled(scaled ? 8 : 4, 1, c.depth, kMarker);
            // Twice: the first copy encodes the source, the second uses the encoding.
            for (int pass = 0; pass < 2; ++pass) {
                ASSERT_TRUE(dest->Blit(*source, Rect{0, 0, 4, 1}, Rect{0, 0, dest->Width(), 1}));
            }
            const int32_t factor = scaled ? 2 : 1;
            ExpectPixels(
                *dest,
                [&](int32_t x, int32_t) -> std::optional<uint32_t> {
                    const uint32_t value = row[x / factor];
                    return value == 0 ? std::nullopt : std::optional<uint32_t>(value);
                },
                "depth " + std::to_string(c.depth) + (scaled ? " scaled" : " plain"));
        }
    }
}

TEST(SurfaceTest, CopiesAreClippedExactlyAtEveryEdge)
{
    // A 20 x 10 sprite on a 100 x 80 surface, plain and doubled in size.
    struct Case {
        int32_t x, y;
    } cases[] = {
        {0, 0},
        {90, 30},
        {-5, 30},
        {40, 75},
        {40, -3},
        {-7, -4},
        {95, 77},
        {100, 0},
        {-20, 0},
        {0, 80},
        {0, -10},
        {-40, -20},
    };
    auto source = Numbered(20, 10);
    for (const bool withClipList : {false, true}) {
        for (const int32_t scale : {1, 2}) {
            for (const Case& c : cases) {
                auto dest = Filled(100, 80, 32, kMarker);
                if (withClipList) {
                    dest->SetClipRects({Rect{0, 0, 100, 80}});
                }
                const Rect to{c.x, c.y, c.x + 20 * scale, c.y + 10 * scale};
                dest->Blit(*source, Rect{0, 0, 20, 10}, to);
                ExpectPixels(
                    *dest,
                    [&](int32_t x, int32_t y) -> std::optional<uint32_t> {
                        if (!to.Contains(x, y)) {
                            return std::nullopt;
                        }
                        return 1 + (x - c.x) / scale + 64 * ((y - c.y) / scale);
                    },
                    "at (" + std::to_string(c.x) + ", " + std::to_string(c.y) + ") scale " + std::to_string(scale));
            }
        }
    }
}

TEST(SurfaceTest, ScaledCopySamplesThePixelUnderEachDestinationCentre)
{
    struct Case {
        int32_t sourceWidth, sourceHeight, destWidth, destHeight;
    } cases[] = {
        {7, 5, 13, 9},
        {7, 5, 3, 2},
        {44, 60, 40, 60},
        {60, 50, 100, 100},
        {1, 1, 9, 4},
        {10, 10, 1, 1},
        {5, 3, 5, 11},
    };
    for (const Case& c : cases) {
        auto source = Numbered(c.sourceWidth, c.sourceHeight);
        auto dest = Filled(c.destWidth + 6, c.destHeight + 6, 32, kMarker);
        const Rect to{3, 3, 3 + c.destWidth, 3 + c.destHeight};
        dest->Blit(*source, Rect{0, 0, c.sourceWidth, c.sourceHeight}, to);
        ExpectPixels(
            *dest,
            [&](int32_t x, int32_t y) -> std::optional<uint32_t> {
                if (!to.Contains(x, y)) {
                    return std::nullopt;
                }
                // Centre of the destination pixel, mapped into the source.
                const double sx = (x - to.left + 0.5) * c.sourceWidth / c.destWidth;
                const double sy = (y - to.top + 0.5) * c.sourceHeight / c.destHeight;
                return 1 + static_cast<int32_t>(sx) + 64 * static_cast<int32_t>(sy);
            },
            std::to_string(c.sourceWidth) + "x" + std::to_string(c.sourceHeight) + " -> " + std::to_string(c.destWidth)
                + "x" + std::to_string(c.destHeight));
    }
}

TEST(SurfaceTest, ClippingAScaledCopyKeepsTheSamplesOfTheUnclippedOne)
{
    auto source = Numbered(7, 5);
    const Rect to{4, 6, 4 + 29, 6 + 17};
    auto whole = Filled(40, 30, 32, kMarker);
    whole->Blit(*source, Rect{0, 0, 7, 5}, to);
    const Rect clips[] = {{10, 9, 40, 30}, {0, 0, 15, 12}, {5, 7, 6, 8}, {20, 0, 21, 30}};
    for (const Rect& clip : clips) {
        auto clipped = Filled(40, 30, 32, kMarker);
        clipped->SetClipRects({clip});
        clipped->Blit(*source, Rect{0, 0, 7, 5}, to);
        ExpectPixels(
            *clipped,
            [&](int32_t x, int32_t y) -> std::optional<uint32_t> {
                if (!clip.Contains(x, y) || !to.Contains(x, y)) {
                    return std::nullopt;
                }
                return whole->GetPixel(x, y);
            },
            "clip " + std::to_string(clip.left) + "," + std::to_string(clip.top));
    }
}

TEST(SurfaceTest, ClipListsLetThroughOnlyTheirRectangles)
{
    struct Case {
        std::vector<Rect> list;
    } cases[] = {
        {{Rect{0, 0, 10, 10}, Rect{20, 5, 30, 15}}}, {{}}, // an empty list lets nothing through
        {{Rect{-50, -50, 5, 100}}}, // cut to the surface
        {{Rect{0, 0, 1, 1}, Rect{39, 29, 40, 30}}}, // corners
    };
    auto source = Numbered(40, 30);
    for (const Case& c : cases) {
        for (const bool fill : {false, true}) {
            auto dest = Filled(40, 30, 32, kMarker);
            dest->SetClipRects(c.list);
            if (fill) {
                dest->Fill(Rect{-5, -5, 60, 60}, 0x123456);
            } else {
                dest->Blit(*source, Rect{0, 0, 40, 30}, Rect{0, 0, 40, 30});
            }
            ExpectPixels(
                *dest,
                [&](int32_t x, int32_t y) -> std::optional<uint32_t> {
                    for (const Rect& r : c.list) {
                        if (r.Contains(x, y)) {
                            return fill ? 0x123456 : 1 + x + 64 * y;
                        }
                    }
                    return std::nullopt;
                },
                fill ? "fill" : "copy");
        }
    }
}

TEST(SurfaceTest, WritingIntoAnEncodedSurfaceShowsInLaterCopies)
{
    // Encoding drops the plain pixels; a fill, a copy into the surface or a
    // lock must still reach the pixels later copies read.
    struct Case {
        const char* name;
        std::function<void(CSurface&)> write;
        uint32_t expected;
    } cases[] = {
        {"fill",
            [](CSurface& s) {
                s.Fill(Rect{0, 0, 8, 8}, 0x00ABCDEF);
            },
            0x00ABCDEF},
        {"pixel", [](CSurface& s) { s.SetPixel(2, 3, 0x00345678); }, 0x00345678},
        {"copy into",
            [](CSurface& s) {
                auto other = Filled(8, 8, 32, 0x00777777);
                s.Blit(*other, Rect{0, 0, 8, 8}, Rect{0, 0, 8, 8});
            },
            0x00777777},
    };
    for (const Case& c : cases) {
        auto sprite = Filled(8, 8, 32, 0x00111111);
        sprite->SetColorKey(0);
        auto dest = Filled(8, 8, 32, kMarker);
        dest->Blit(*sprite, Rect{0, 0, 8, 8}, Rect{0, 0, 8, 8});
        EXPECT_TRUE(sprite->IsEncoded()) << c.name;
        c.write(*sprite);
        EXPECT_FALSE(sprite->IsEncoded()) << c.name;
        dest->Blit(*sprite, Rect{0, 0, 8, 8}, Rect{0, 0, 8, 8});
        EXPECT_EQ(dest->GetPixel(2, 3), c.expected) << c.name;
    }
}

TEST(SurfaceTest, LocksRefuseRectanglesNotWhollyInside)
{
    auto surface = Filled(10, 8, 16, 0);
    surface->SetPixel(3, 2, 0xBEEF);
    const Rect inside{3, 2, 10, 8};
    CSurfaceLock lock = surface->Lock(&inside);
    ASSERT_TRUE(lock.IsLocked());
    uint16_t first;
    std::memcpy(&first, lock.Pixels(), 2);
    EXPECT_EQ(first, 0xBEEF);
    const Rect outside[] = {{-1, 0, 5, 5}, {0, 0, 11, 8}, {5, 5, 5, 6}, {0, 7, 10, 9}};
    for (const Rect& r : outside) {
        EXPECT_FALSE(surface->Lock(&r).IsLocked()) << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    }
}

TEST(SurfaceTest, BitmapsArriveInTheSurfaceFormatWithBlackAtZero)
{
    CTempDir dir;
    const std::vector<Rgb> pixels = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}, {8, 8, 8}};
    dir.Write("24.bmp", MakeBmp(3, 2, pixels, 24));
    dir.Write("32.bmp", MakeBmp(3, 2, pixels, 32));
    dir.Write("8.bmp", MakePalettedBmp(3, 2, pixels));
    struct Expected {
        int32_t depth;
        uint32_t values[6];
    } expectations[] = {
        {32, {0, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x080808}},
        {24, {0, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x080808}},
        {16, {0, 0xF800, 0x07E0, 0x001F, 0xFFFF, 0x0841}},
        {15, {0, 0x7C00, 0x03E0, 0x001F, 0x7FFF, 0x0421}},
    };
    for (const char* file : {"24.bmp", "32.bmp", "8.bmp"}) {
        auto bitmap = CSurface::LoadBmp(dir.File(file));
        ASSERT_TRUE(bitmap) << file;
        for (const Expected& e : expectations) {
            auto surface = CSurface::Create(3, 2, PixelFormat::ForDepth(e.depth));
            ASSERT_TRUE(surface->CopyBitmap(*bitmap));
            for (int32_t i = 0; i < 6; ++i) {
                EXPECT_EQ(surface->GetPixel(i % 3, i / 3), e.values[i])
                    << file << " at depth " << e.depth << ", pixel " << i;
            }
        }
    }
}

TEST(SurfaceTest, ABitmapIsCutToTheSurfaceOrLeavesTheRestUntouched)
{
    CTempDir dir;
    dir.Write("big.bmp", MakeBmp(12, 9, Gradient(12, 9)));
    auto bitmap = CSurface::LoadBmp(dir.File("big.bmp"));
    ASSERT_TRUE(bitmap);
    for (const int32_t size : {5, 20}) {
        auto surface = Filled(size, size, 32, kMarker);
        surface->CopyBitmap(*bitmap);
        ExpectPixels(
            *surface,
            [](int32_t x, int32_t y) -> std::optional<uint32_t> {
                if (x >= 12 || y >= 9) {
                    return std::nullopt;
                }
                return static_cast<uint32_t>((8 + x) << 16 | (8 + y) << 8 | 64);
            },
            "size " + std::to_string(size));
    }
}

TEST(SurfaceTest, UnreadableBitmapsGiveNothing)
{
    CTempDir dir;
    dir.Write("text.bmp", std::string("not a bitmap at all"));
    std::vector<uint8_t> truncated = MakeBmp(4, 4, Gradient(4, 4));
    truncated.resize(40);
    dir.Write("short.bmp", truncated);
    for (const char* name : {"missing.bmp", "text.bmp", "short.bmp"}) {
        EXPECT_FALSE(CSurface::LoadBmp(dir.File(name))) << name;
    }
}
