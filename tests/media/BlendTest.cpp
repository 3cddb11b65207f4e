// The half-strength blend at every depth: the formula, the two-pixel words of
// the 16-bit paths (odd widths and positions, the lost low bits beside a black
// source pixel), and the cut at the edges of both surfaces.
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

// What the random check below cannot reach: the formula on values picked by
// hand, the alpha byte of a 32-bit source, and the destination averaged with
// itself beside a black source pixel.
TEST(BlendTest, HandPickedPairs)
{
    // Depth, a source pair over a destination of one value, the resulting pair.
    const std::tuple<int32_t, std::array<uint32_t, 2>, uint32_t, std::array<uint32_t, 2>> cases[] = {
        {32, {0x000000FF, 0x00808080}, 0x00FF0000, {0x007F007F, 0x00BF4040}},
        {15, {0x7C00, 0x0421}, 0x03FF, {0x3DEF, 0x01EF}},
        {32, {0xFF000000, 0x00000000}, 0x00123456, {0x00123456, 0x00123456}}, // only the colour bytes count
        // 5-6-5 white averaged with itself loses the lowest bit of each channel.
        {16, {0x0000, 0x001F}, 0xFFFF, {0xF7DE, 0x7BFE}},
    };
    for (const auto& [depth, source, dest, result] : cases) {
        auto s = Surface(2, 1, depth, 0);
        s->SetPixel(0, 0, source[0]);
        s->SetPixel(1, 0, source[1]);
        auto d = Surface(2, 1, depth, dest);
        EXPECT_EQ(BlendSprite(d.get(), s.get(), 0, 0), 0);
        EXPECT_EQ((std::array{d->GetPixel(0, 0), d->GetPixel(1, 0)}), result)
            << depth << std::hex << " over 0x" << dest;
    }
}

// Random rows blended at every offset, partly outside the destination or the
// source on any side, against the formula: every visible pixel blended, no
// other pixel touched, and 16-bit pairs counted from the visible left edge.
TEST(BlendTest, PairsAreCountedFromTheVisibleRectangleWhereverItIsCut)
{
    std::mt19937 random(2024);
    for (const int32_t depth : {15, 16, 24, 32}) {
        const PixelFormat format = PixelFormat::ForDepth(depth);
        const uint32_t channels = format.redMask | format.greenMask | format.blueMask;
        // A 9 x 2 source, a third of its pixels black, over a 16 x 2 destination.
        auto source = Surface(9, 2, depth, 0);
        std::vector<uint32_t> s(18);
        for (int32_t i = 0; i < 18; ++i) {
            s[i] = random() % 3 == 0 ? 0 : random() & channels;
            source->SetPixel(i % 9, i / 9, s[i]);
        }
        for (int32_t width = 1; width <= 9; ++width) {
            for (int32_t x = -3; x < 16; ++x) {
                for (const int32_t y : {-1, 0, 1}) {
                    for (const int32_t sourceLeft : {-1, 0, 1}) {
                        auto dest = Surface(16, 2, depth, 0);
                        std::vector<uint32_t> d(32);
                        for (int32_t i = 0; i < 32; ++i) {
                            d[i] = random() & channels;
                            dest->SetPixel(i % 16, i / 16, d[i]);
                        }
                        const Rect from{sourceLeft, 0, sourceLeft + width, 2};
                        BlendSprite(dest.get(), source.get(), x, y, &from);
                        // The source column under a destination column, or -1 outside the cut rectangle.
                        const auto sourceColumn = [&](int32_t column) {
                            const int32_t sx = column - x + sourceLeft;
                            const bool inside = column >= 0 && column < 16 && sx >= std::max(sourceLeft, 0)
                                && sx < std::min(sourceLeft + width, 9);
                            return inside ? sx : -1;
                        };
                        const int32_t firstColumn = std::max(0, x + std::max(0, -sourceLeft));
                        for (int32_t i = 0; i < 32; ++i) {
                            const int32_t column = i % 16, sy = i / 16 - y, sx = sourceColumn(column);
                            const int32_t partner = sourceColumn(firstColumn + ((column - firstColumn) ^ 1));
                            uint32_t want = d[i];
                            if (sx >= 0 && sy >= 0 && sy < 2) {
                                // A black source pixel whose 16-bit pair partner is not black has the
                                // destination blended with itself.
                                const bool pairedWithColour = depth <= 16 && partner >= 0 && s[sy * 9 + partner] != 0;
                                const uint32_t sv = s[sy * 9 + sx];
                                want = sv != 0         ? HalfAndHalf(format, d[i], sv)
                                    : pairedWithColour ? HalfAndHalf(format, d[i], d[i])
                                                       : d[i];
                            }
                            ASSERT_EQ(dest->GetPixel(column, i / 16), want)
                                << "depth " << depth << ", width " << width << " at (" << x << ", " << y
                                << "), source left " << sourceLeft << ", pixel " << i;
                        }
                    }
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
}
