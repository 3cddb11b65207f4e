// Hand-made .bmp files for the tests (BITMAPFILEHEADER + BITMAPINFOHEADER):
// the file around rows of any format, and 24-bit and 32-bit bitmaps from a
// row-major list of RGB pixels (rows bottom-up, each padded to four bytes).
#pragma once

#include <cstdint>
#include <vector>

#include "support/WaveFile.h"

namespace testing_support {

struct Rgb {
    uint8_t red = 0, green = 0, blue = 0;
    bool operator==(const Rgb&) const = default;
};

// The file around `pixels` (rows of the image as stored): the two headers,
// then `extra` (bit fields or a palette of paletteColours entries).
inline std::vector<uint8_t> BmpFile(int32_t width, int32_t height, int bitsPerPixel, uint32_t compression,
    const std::vector<uint8_t>& pixels, const std::vector<uint8_t>& extra = {}, uint32_t paletteColours = 0)
{
    using namespace wave_file; // little-endian fields
    const size_t offset = 54 + extra.size();
    return Text("BM") + Le(offset + pixels.size(), 4) + Le(0, 4) + Le(offset, 4) + Le(40, 4)
        + Le(static_cast<uint32_t>(width), 4) + Le(static_cast<uint32_t>(height), 4) + Le(1, 2) + Le(bitsPerPixel, 2)
        + Le(compression, 4) + Le(pixels.size(), 4) + Le(2835, 4) + Le(2835, 4) + Le(paletteColours, 4) + Le(0, 4)
        + extra + pixels;
}

// bitsPerPixel 24 or 32 (alpha byte 0, as paint programs often write it), no
// compression, no palette.
inline std::vector<uint8_t> MakeBmp(
    int32_t width, int32_t height, const std::vector<Rgb>& pixels, int bitsPerPixel = 24)
{
    const auto rowBytes = static_cast<size_t>((width * bitsPerPixel / 8 + 3) / 4 * 4);
    std::vector<uint8_t> rows;
    for (int32_t y = height - 1; y >= 0; --y) {
        const size_t rowStart = rows.size();
        for (int32_t x = 0; x < width; ++x) {
            const Rgb& p = pixels[static_cast<size_t>(y * width + x)];
            rows.insert(rows.end(), {p.blue, p.green, p.red});
            if (bitsPerPixel == 32) {
                rows.push_back(0);
            }
        }
        rows.resize(rowStart + rowBytes, 0);
    }
    return BmpFile(width, height, bitsPerPixel, 0, rows);
}

// Every pixel different and none black: red = 8 + x, green = 8 + y, blue 64.
inline std::vector<Rgb> Gradient(int32_t width, int32_t height)
{
    std::vector<Rgb> pixels;
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            pixels.push_back(Rgb{static_cast<uint8_t>(8 + x), static_cast<uint8_t>(8 + y), 64});
        }
    }
    return pixels;
}

} // namespace testing_support
