// The half-strength blend at every depth: the formula, the two-pixel words of
// the 16-bit paths (odd widths and positions, the lost low bits beside a black
// source pixel), and the cut at the destination's edges.
#include "media/Blend.h"

#include <gtest/gtest.h>

#include <bit>
#include <random>

using namespace platform;

namespace {

std::unique_ptr<CSurface> Surface(int32_t width, int32_t height, int32_t depth, uint32_t fill)
{
    auto surface = CSurface::Create(width, height, PixelFormat::ForDepth(depth));
    surface->Fill(Rect{0, 0, width, height}, fill);
    return surface;
}

// The blend of one pixel, channel by channel: half of each, rounded down.
uint32_t HalfAndHalf(const PixelFormat& format, uint32_t d, uint32_t s)
{
    uint32_t out = 0;
    for (const uint32_t mask : {format.redMask, format.greenMask, format.blueMask}) {
        const int shift = std::countr_zero(mask);
        out |= (((d & mask) >> shift) / 2 + ((s & mask) >> shift) / 2) << shift;
    }
    return out;
}

} // namespace

TEST(BlendTest, EachChannelIsHalfOfEachAtEveryDepth)
{
    struct Case {
        int32_t depth;
        uint32_t source, dest, result;
    } cases[] = {
        {32, 0x00FFFFFF, 0x00000000, 0x007F7F7F},
        {32, 0x000000FF, 0x00FF0000, 0x007F007F},
        {32, 0x00010101, 0x00010101, 0x00000000},
        {24, 0xFFFFFF, 0x000000, 0x7F7F7F},
        {24, 0x0000FF, 0xFF0000, 0x7F007F},
        {16, 0xFFFF, 0x0000, 0x7BEF},
        {16, 0xF800, 0x07FF, 0x7BEF},
        {16, 0x0821, 0x0821, 0x0000},
        {15, 0x7FFF, 0x0000, 0x3DEF},
        {15, 0x7C00, 0x03FF, 0x3DEF},
        // Black sources leave the destination exact; at 32 bits only the colour bytes count.
        {32, 0xFF000000, 0x00123456, 0x00123456},
        {24, 0x000000, 0x5A5A5A, 0x5A5A5A},
        {16, 0x0000, 0xFFFF, 0xFFFF},
    };
    for (const Case& c : cases) {
        for (const int32_t width : {1, 2}) {
            auto source = Surface(width, 1, c.depth, c.source);
            auto dest = Surface(width, 1, c.depth, c.dest);
            EXPECT_EQ(BlendSprite(dest.get(), source.get(), 0, 0), 0);
            for (int32_t x = 0; x < width; ++x) {
                EXPECT_EQ(dest->GetPixel(x, 0), c.result) << "depth " << c.depth << std::hex << ", 0x" << c.source
                                                          << " over 0x" << c.dest << ", width " << width;
            }
        }
    }
}

TEST(BlendTest, BlackBesideAColouredPixelOfItsPairLosesTheLowBits)
{
    auto source = Surface(2, 1, 16, 0);
    source->SetPixel(1, 0, 0x001F);
    auto dest = Surface(2, 1, 16, 0xFFFF);
    BlendSprite(dest.get(), source.get(), 0, 0);
    EXPECT_EQ(dest->GetPixel(0, 0), 0xF7DEu);
    EXPECT_EQ(dest->GetPixel(1, 0), 0x7BFEu);
}

TEST(BlendTest, PairsAreCountedFromTheRectangleAtAnyWidthAndPosition)
{
    std::mt19937 random(2024);
    for (const int32_t depth : {15, 16, 24, 32}) {
        const PixelFormat format = PixelFormat::ForDepth(depth);
        const uint32_t channels = format.redMask | format.greenMask | format.blueMask;
        for (int32_t width = 1; width <= 9; ++width) {
            for (int32_t x = 0; x < 4; ++x) {
                for (const int32_t sourceLeft : {0, 1}) {
                    // Two rows each: source and destination pitches differ.
                    auto source = Surface(sourceLeft + width, 2, depth, 0);
                    auto dest = Surface(16, 2, depth, 0);
                    std::vector<uint32_t> s(static_cast<size_t>(2 * width)), d(32);
                    for (int32_t i = 0; i < 2 * width; ++i) {
                        s[i] = random() % 3 == 0 ? 0 : random() & channels;
                        source->SetPixel(sourceLeft + i % width, i / width, s[i]);
                    }
                    for (int32_t i = 0; i < 32; ++i) {
                        d[i] = random() & channels;
                        dest->SetPixel(i % 16, i / 16, d[i]);
                    }
                    const Rect from{sourceLeft, 0, sourceLeft + width, 2};
                    BlendSprite(dest.get(), source.get(), x, 0, &from);
                    for (int32_t i = 0; i < 32; ++i) {
                        const int32_t row = i / 16, column = i % 16 - x, partner = column ^ 1;
                        uint32_t want = d[i];
                        if (column >= 0 && column < width) {
                            // A black source pixel whose 16-bit pair partner is not black
                            // has the destination blended with itself.
                            const bool pairedWithColour
                                = depth <= 16 && partner < width && s[row * width + partner] != 0;
                            const uint32_t sv = s[row * width + column];
                            want = sv != 0         ? HalfAndHalf(format, d[i], sv)
                                : pairedWithColour ? HalfAndHalf(format, d[i], d[i])
                                                   : d[i];
                        }
                        ASSERT_EQ(dest->GetPixel(i % 16, row), want)
                            << "depth " << depth << ", width " << width << ", x " << x << ", source left " << sourceLeft
                            << ", pixel " << i;
                    }
                }
            }
        }
    }
}

TEST(BlendTest, IsCutToTheDestinationAndTheSource)
{
    // A selected tile on the top level of the first row reaches above the back buffer.
    struct Case {
        int32_t x, y;
        Rect from;
    } cases[] = {
        {30, -10, {0, 0, 44, 60}},
        {-7, 20, {0, 0, 44, 60}},
        {180, 120, {0, 0, 44, 60}},
        {-50, 0, {0, 0, 44, 60}},
        {-3, -3, {0, 0, 44, 60}},
        {10, 10, {40, 50, 80, 90}},
        {10, 10, {-5, -5, 10, 10}},
        {190, 145, {3, 3, 47, 63}},
    };
    for (const int32_t depth : {16, 32}) {
        auto source = CSurface::Create(64, 64, PixelFormat::ForDepth(depth));
        for (int32_t y = 0; y < 64; ++y) {
            for (int32_t x = 0; x < 64; ++x) {
                source->SetPixel(x, y, static_cast<uint32_t>((x + 1) << 1 | (y + 1) << 8));
            }
        }
        for (const Case& c : cases) {
            auto dest = Surface(200, 150, depth, 0);
            BlendSprite(dest.get(), source.get(), c.x, c.y, &c.from);
            for (int32_t y = 0; y < 150; ++y) {
                for (int32_t x = 0; x < 200; ++x) {
                    const int32_t sx = c.from.left + x - c.x;
                    const int32_t sy = c.from.top + y - c.y;
                    const bool inside = sx >= std::max(c.from.left, 0) && sx < std::min(c.from.right, 64)
                        && sy >= std::max(c.from.top, 0) && sy < std::min(c.from.bottom, 64);
                    const uint32_t want = inside ? HalfAndHalf(source->Format(), 0, source->GetPixel(sx, sy)) : 0u;
                    ASSERT_EQ(dest->GetPixel(x, y), want)
                        << "depth " << depth << ", at (" << c.x << ", " << c.y << "), pixel (" << x << ", " << y << ")";
                }
            }
        }
    }
}

TEST(BlendTest, RefusesWhatItCannotReadSafely)
{
    auto dest = Surface(8, 8, 32, 0x00101010);
    auto narrow = Surface(8, 8, 16, 0xFFFF);
    EXPECT_EQ(BlendSprite(dest.get(), narrow.get(), 0, 0), 0);
    EXPECT_EQ(dest->GetPixel(0, 0), 0x00101010u) << "a source of another pixel size is not read";
    EXPECT_EQ(BlendSprite(nullptr, narrow.get(), 0, 0), 0);
    EXPECT_EQ(BlendSprite(dest.get(), nullptr, 0, 0), 0);
}
