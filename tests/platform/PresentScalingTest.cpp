// The scaling plan of a present: destinations on a few monitors players use
// (their rounding), the rules every plan keeps over a sweep of sizes, and the
// bars beside a picture.
#include "platform/PresentScaling.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>
#include <vector>

using namespace platform;

namespace {

constexpr ScaleFit kStretch = ScaleFit::Stretch;
constexpr ScaleFit kKeep = ScaleFit::KeepProportions;
constexpr ScaleFilter kNearest = ScaleFilter::Nearest;
constexpr ScaleFilter kLinear = ScaleFilter::Linear;

} // namespace

TEST(PresentScalingTest, TheGamePictureOnCommonOutputs)
{
    // Output width and height, fit, the plan.
    const std::tuple<int32_t, int32_t, ScaleFit, PresentScaling> cases[] = {
        {800, 600, kKeep, {{0, 0, 800, 600}, 1, 1, kNearest}},
        {1600, 1200, kKeep, {{0, 0, 1600, 1200}, 1, 1, kNearest}},
        // 1.8: enlarged 2:1, then reduced by 0.9.
        {1920, 1080, kKeep, {{240, 0, 1680, 1080}, 2, 2, kLinear}},
        {1366, 768, kKeep, {{171, 0, 1195, 768}, 2, 2, kLinear}},
        // Taller than 4:3: bars above and below.
        {1280, 1024, kKeep, {{0, 32, 1280, 992}, 2, 2, kLinear}},
        // Maximised windows: each axis gets its own factor.
        {1366, 705, kStretch, {{0, 0, 1366, 705}, 2, 2, kLinear}},
        {2560, 1377, kStretch, {{0, 0, 2560, 1377}, 4, 3, kLinear}},
        // A reduction is filtered directly.
        {640, 480, kStretch, {{0, 0, 640, 480}, 1, 1, kLinear}},
        // A window without area (minimised) shows nothing.
        {0, 0, kKeep, {}},
        {1024, 0, kStretch, {}},
    };
    for (const auto& [width, height, fit, expected] : cases) {
        EXPECT_EQ(PlanPresentScaling(800, 600, width, height, fit), expected)
            << width << " x " << height << (fit == kKeep ? " keeping proportions" : " stretched");
    }
}

// Over a sweep of outputs: the destination lies inside the output, keeps the
// picture's shape to the pixel and is centred; whole multiples are copied
// with Nearest; a pre-scale is the least whole factor, so the filtered
// reduction after it is never below 1/2 and no enlarged pixel is skipped.
TEST(PresentScalingTest, InvariantsOverManyOutputSizes)
{
    const std::pair<int32_t, int32_t> pictures[] = {{800, 600}, {800, 400}, {333, 777}};
    for (const auto& [pictureWidth, pictureHeight] : pictures) {
        for (int32_t width = 200; width <= 4000; width += 37) {
            for (int32_t height = 150; height <= 2200; height += 53) {
                for (const ScaleFit fit : {kStretch, kKeep}) {
                    const PresentScaling plan = PlanPresentScaling(pictureWidth, pictureHeight, width, height, fit);
                    const Rect& d = plan.destination;
                    SCOPED_TRACE(testing::Message() << pictureWidth << "x" << pictureHeight << " on " << width << "x"
                                                    << height << (fit == kKeep ? " keep" : " stretch"));
                    ASSERT_FALSE(d.IsEmpty());
                    ASSERT_TRUE(d.left >= 0 && d.top >= 0 && d.right <= width && d.bottom <= height);
                    if (fit == kKeep) {
                        ASSERT_TRUE(d.Width() == width || d.Height() == height);
                        const int64_t shapeError
                            = std::llabs(int64_t{d.Width()} * pictureHeight - int64_t{d.Height()} * pictureWidth);
                        ASSERT_LT(shapeError, std::max(pictureWidth, pictureHeight));
                        ASSERT_LE(std::abs((width - d.right) - d.left), 1);
                        ASSERT_LE(std::abs((height - d.bottom) - d.top), 1);
                    } else {
                        ASSERT_EQ(d, (Rect{0, 0, width, height}));
                    }
                    const bool whole = d.Width() % pictureWidth == 0 && d.Height() % pictureHeight == 0;
                    ASSERT_EQ(plan.filter == kNearest, whole);
                    const std::tuple<int32_t, int32_t, int32_t> axes[]
                        = {{pictureWidth, plan.preScaleX, d.Width()}, {pictureHeight, plan.preScaleY, d.Height()}};
                    for (const auto& [picture, factor, shown] : axes) {
                        if (whole || shown <= picture) {
                            ASSERT_EQ(factor, 1);
                        } else {
                            ASSERT_GE(picture * factor, shown);
                            ASSERT_LT(picture * (factor - 1), shown);
                            ASSERT_GT(2 * shown, picture * factor);
                        }
                    }
                }
            }
        }
    }
}

TEST(PresentScalingTest, BarsCoverExactlyWhatTheDestinationLeavesBlack)
{
    // The destination, and how many bars it leaves.
    const std::pair<Rect, size_t> cases[] = {
        {{0, 0, 48, 27}, 0},
        {{6, 0, 42, 27}, 2},
        {{0, 3, 48, 24}, 2},
        {{6, 3, 42, 24}, 4},
        {{0, 0, 40, 27}, 1},
        {{}, 1},
    };
    constexpr int32_t kWidth = 48;
    constexpr int32_t kHeight = 27;
    for (const auto& [destination, barCount] : cases) {
        const std::vector<Rect> bars = BarsAround(destination, kWidth, kHeight);
        EXPECT_EQ(bars.size(), barCount) << destination.left << "," << destination.top;
        // Every output pixel is covered exactly once by the destination or a bar.
        for (int32_t y = 0; y < kHeight; ++y) {
            for (int32_t x = 0; x < kWidth; ++x) {
                int32_t covered = destination.Contains(x, y) ? 1 : 0;
                for (const Rect& bar : bars) {
                    covered += bar.Contains(x, y) ? 1 : 0;
                }
                ASSERT_EQ(covered, 1) << x << "," << y;
            }
        }
    }
    EXPECT_TRUE(BarsAround(Rect{}, 0, 0).empty());
}
