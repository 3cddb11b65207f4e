// The game's icon: the desktop sizes as PNG files with a clear surround, the
// scalable file, and the window's bitmap, which must read back through the
// game's own bitmap loader with black only where the icon is clear.
#include "Icons.h"
#include "Image.h"

#include "platform/Files.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cairo.h>

#include <string>

namespace assets {
namespace {

TEST(IconsTest, DesktopSizesAreDrawnWithAClearSurround)
{
    testing_support::CTempDir temp;
    ASSERT_TRUE(WriteDesktopIcons(temp.File("icons")));
    for (const int size : kDesktopIconSizesPx) {
        SCOPED_TRACE(size);
        const std::string path = temp.File(
            "icons/hicolor/" + std::to_string(size) + "x" + std::to_string(size) + "/apps/" + kIconName + ".png");
        cairo_surface_t* png = cairo_image_surface_create_from_png(path.c_str());
        ASSERT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS);
        EXPECT_EQ(cairo_image_surface_get_width(png), size);
        EXPECT_EQ(cairo_image_surface_get_height(png), size);
        EXPECT_EQ(cairo_image_surface_get_format(png), CAIRO_FORMAT_ARGB32);
        cairo_surface_destroy(png);

        // Straight pixels: clear at the corners, opaque on the front tile.
        const std::vector<uint32_t> pixels = DrawIconPixels(size);
        EXPECT_EQ(pixels[0] >> 24, 0u);
        EXPECT_EQ(pixels[static_cast<size_t>(size - 1) * size] >> 24, 0u);
        EXPECT_EQ(pixels[static_cast<size_t>(size * 3 / 5) * size + size * 2 / 5] >> 24, 255u);
        int opaque = 0;
        for (const uint32_t p : pixels) {
            opaque += (p >> 24) == 255;
        }
        EXPECT_GT(opaque, size * size / 3); // a filled picture, not a speck
        EXPECT_LT(opaque, size * size * 9 / 10);
    }
    const auto svg
        = platform::ReadWholeFile(temp.File(std::string("icons/hicolor/scalable/apps/") + kIconName + ".svg"));
    ASSERT_TRUE(svg.has_value());
    EXPECT_NE(std::string(svg->begin(), svg->end()).find("<svg"), std::string::npos);
}

TEST(IconsTest, WindowIconIsAGameBitmapWithBlackOnlyWhereClear)
{
    testing_support::CTempDir temp;
    ASSERT_TRUE(WriteWindowIcon(temp.File("")));
    const auto bytes = platform::ReadWholeFile(temp.File(kWindowIconFile));
    ASSERT_TRUE(bytes.has_value());
    const auto image = DecodeBmp(*bytes);
    ASSERT_TRUE(image.has_value());
    ASSERT_EQ(image->Width(), kWindowIconSizePx);
    ASSERT_EQ(image->Height(), kWindowIconSizePx);
    const std::vector<uint32_t> drawn = DrawIconPixels(kWindowIconSizePx);
    for (int y = 0; y < kWindowIconSizePx; ++y) {
        for (int x = 0; x < kWindowIconSizePx; ++x) {
            const bool clear = (drawn[static_cast<size_t>(y) * kWindowIconSizePx + x] >> 24) < 128;
            EXPECT_EQ(image->At(x, y) == SRgb{}, clear) << x << ", " << y;
        }
    }
}

} // namespace
} // namespace assets
