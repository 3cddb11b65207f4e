// Off-screen surfaces: keyed copies at every depth, exact clipping at every
// edge, nearest-neighbour scaling, clip lists, run-length encoding and .bmp
// decoding.
#include "platform/Surface.h"
#include "support/TempDir.h"

#include "TestBitmaps.h"

#include <gtest/gtest.h>

#include <functional>

using namespace platform;
using testing_support::MakeBmp;
using testing_support::Rgb;

namespace {

constexpr uint32_t kMarker = 0x5555; // the destination before a copy (valid at every depth)
using Expectation = std::function<std::optional<uint32_t>(int32_t, int32_t)>;

std::unique_ptr<CSurface> Filled(int32_t width, int32_t height, int32_t depth, uint32_t value)
{
    auto surface = CSurface::Create(width, height, PixelFormat::ForDepth(depth));
    surface->Fill(Rect{0, 0, width, height}, value);
    return surface;
}

// A keyed source whose pixels all differ and are never black, so that a
// shifted copy shows: 1 + x + 64 y.
std::unique_ptr<CSurface> Numbered(int32_t width, int32_t height)
{
    auto surface = CSurface::Create(width, height, PixelFormat::ForDepth(32));
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            surface->SetPixel(x, y, static_cast<uint32_t>(1 + x + 64 * y));
        }
    }
    surface->SetColorKey(0);
    return surface;
}

// Every pixel: the value `expected` gives, or the marker where it gives none.
void ExpectPixels(CSurface& surface, const Expectation& expected, const std::string& what)
{
    for (int32_t y = 0; y < surface.Height(); ++y) {
        for (int32_t x = 0; x < surface.Width(); ++x) {
            const uint32_t want = expected(x, y).value_or(kMarker);
            ASSERT_EQ(surface.GetPixel(x, y), want) << what << ", pixel (" << x << ", " << y << ")";
        }
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
        {24, {0, 0x010000, 0x000001, 0xFFFFFF}},
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
            ExpectPixels(
                *dest,
                [&](int32_t x, int32_t) {
                    const uint32_t value = c.row[x / factor];
                    return value == 0 ? std::nullopt : std::optional<uint32_t>(value);
                },
                "depth " + std::to_string(c.depth) + ", scale " + std::to_string(factor));
        }
    }
}

TEST(SurfaceTest, CopiesAreClippedExactlyAtEveryEdge)
{
    // A 20 x 10 sprite on a 100 x 80 surface, plain and doubled in size.
    const std::pair<int32_t, int32_t> positions[]
        = {{0, 0}, {90, 30}, {-5, 30}, {40, 75}, {40, -3}, {-7, -4}, {95, 77}, {100, 0}, {-20, 0}, {0, 80}, {-40, -20}};
    auto source = Numbered(20, 10);
    for (const bool withClipList : {false, true}) {
        for (const int32_t scale : {1, 2}) {
            for (const auto& [px, py] : positions) {
                auto dest = Filled(100, 80, 32, kMarker);
                if (withClipList) {
                    dest->SetClipRects({Rect{0, 0, 100, 80}});
                }
                const Rect to{px, py, px + 20 * scale, py + 10 * scale};
                dest->Blit(*source, Rect{0, 0, 20, 10}, to);
                ExpectPixels(
                    *dest,
                    [&](int32_t x, int32_t y) -> std::optional<uint32_t> {
                        if (!to.Contains(x, y)) {
                            return std::nullopt;
                        }
                        return 1 + (x - px) / scale + 64 * ((y - py) / scale);
                    },
                    "at (" + std::to_string(px) + ", " + std::to_string(py) + ") scale " + std::to_string(scale));
            }
        }
    }
}

TEST(SurfaceTest, ScaledCopySamplesUnderEachPixelCentreClippedOrNot)
{
    struct Case {
        int32_t sourceWidth, sourceHeight, destWidth, destHeight;
        Rect clip;
    } cases[] = {
        {7, 5, 13, 9, {0, 0, 99, 99}},
        {7, 5, 3, 2, {0, 0, 99, 99}},
        {44, 60, 40, 60, {10, 9, 99, 99}},
        {60, 50, 100, 90, {0, 0, 15, 12}},
        {1, 1, 9, 4, {5, 5, 6, 6}},
        {10, 10, 1, 1, {0, 0, 99, 99}},
        {5, 3, 5, 11, {0, 7, 99, 8}},
        {7, 5, 29, 17, {20, 0, 21, 99}},
    };
    for (const Case& c : cases) {
        auto source = Numbered(c.sourceWidth, c.sourceHeight);
        auto dest = Filled(c.destWidth + 6, c.destHeight + 6, 32, kMarker);
        dest->SetClipRects({c.clip});
        const Rect to{3, 3, 3 + c.destWidth, 3 + c.destHeight};
        dest->Blit(*source, Rect{0, 0, c.sourceWidth, c.sourceHeight}, to);
        ExpectPixels(
            *dest,
            [&](int32_t x, int32_t y) -> std::optional<uint32_t> {
                if (!to.Contains(x, y) || !c.clip.Contains(x, y)) {
                    return std::nullopt;
                }
                const double sx = (x - to.left + 0.5) * c.sourceWidth / c.destWidth;
                const double sy = (y - to.top + 0.5) * c.sourceHeight / c.destHeight;
                return 1 + static_cast<int32_t>(sx) + 64 * static_cast<int32_t>(sy);
            },
            std::to_string(c.sourceWidth) + "x" + std::to_string(c.sourceHeight) + " -> " + std::to_string(c.destWidth)
                + "x" + std::to_string(c.destHeight));
    }
}

TEST(SurfaceTest, ClipListsLetThroughOnlyTheirRectangles)
{
    const std::vector<Rect> lists[] = {
        {Rect{0, 0, 10, 10}, Rect{20, 5, 30, 15}},
        {}, // nothing gets through
        {Rect{-50, -50, 5, 100}},
        {Rect{0, 0, 1, 1}, Rect{39, 29, 40, 30}},
    };
    auto source = Numbered(40, 30);
    for (const auto& list : lists) {
        for (const bool fill : {false, true}) {
            auto dest = Filled(40, 30, 32, kMarker);
            dest->SetClipRects(list);
            if (fill) {
                dest->Fill(Rect{-5, -5, 60, 60}, 0x123456);
            } else {
                dest->Blit(*source, Rect{0, 0, 40, 30}, Rect{0, 0, 40, 30});
            }
            ExpectPixels(
                *dest,
                [&](int32_t x, int32_t y) -> std::optional<uint32_t> {
                    for (const Rect& r : list) {
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
    // Encoding drops the plain pixels; a fill, a pixel or a copy into the
    // surface must still reach what later copies read.
    const std::function<void(CSurface&)> writes[] = {
        [](CSurface& s) {
            s.Fill(Rect{0, 0, 8, 8}, 0x00ABCDEF);
        },
        [](CSurface& s) { s.SetPixel(2, 3, 0x00ABCDEF); },
        [](CSurface& s) {
            s.Blit(*Filled(8, 8, 32, 0x00ABCDEF), Rect{0, 0, 8, 8}, Rect{0, 0, 8, 8});
        },
    };
    for (const auto& write : writes) {
        auto sprite = Filled(8, 8, 32, 0x00111111);
        sprite->SetColorKey(0);
        auto dest = Filled(8, 8, 32, kMarker);
        dest->Blit(*sprite, Rect{0, 0, 8, 8}, Rect{0, 0, 8, 8});
        EXPECT_TRUE(sprite->IsEncoded());
        write(*sprite);
        EXPECT_FALSE(sprite->IsEncoded());
        dest->Blit(*sprite, Rect{0, 0, 8, 8}, Rect{0, 0, 8, 8});
        EXPECT_EQ(dest->GetPixel(2, 3), 0x00ABCDEFu);
    }
}

TEST(SurfaceTest, BitmapsArriveInTheSurfaceFormatWithBlackAtZero)
{
    testing_support::CTempDir dir;
    const std::vector<Rgb> pixels = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}, {8, 8, 8}};
    dir.Write("24.bmp", MakeBmp(3, 2, pixels, 24));
    dir.Write("32.bmp", MakeBmp(3, 2, pixels, 32));
    struct Expected {
        int32_t depth;
        uint32_t values[6];
    } expectations[] = {
        {32, {0, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x080808}},
        {24, {0, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x080808}},
        {16, {0, 0xF800, 0x07E0, 0x001F, 0xFFFF, 0x0841}},
        {15, {0, 0x7C00, 0x03E0, 0x001F, 0x7FFF, 0x0421}},
    };
    for (const char* file : {"24.bmp", "32.bmp"}) {
        auto bitmap = CSurface::LoadBmp(dir.File(file));
        ASSERT_TRUE(bitmap) << file;
        for (const Expected& e : expectations) {
            auto surface = CSurface::Create(3, 2, PixelFormat::ForDepth(e.depth));
            ASSERT_TRUE(surface->CopyBitmap(*bitmap));
            for (int32_t i = 0; i < 6; ++i) {
                EXPECT_EQ(surface->GetPixel(i % 3, i / 3), e.values[i]) << file << ", depth " << e.depth << ", " << i;
            }
        }
    }
    dir.Write("text.bmp", std::string("not a bitmap"));
    EXPECT_FALSE(CSurface::LoadBmp(dir.File("text.bmp")));
}
