// Hand-made .bmp files for the tests (BITMAPFILEHEADER + BITMAPINFOHEADER):
// the file around rows of any format, and 24-bit and 32-bit bitmaps from a
// row-major list of RGB pixels (rows bottom-up, each padded to four bytes).
#pragma once

#include <cstdint>
#include <vector>

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
    const auto offset = static_cast<uint32_t>(54 + extra.size());
    const auto imageBytes = static_cast<uint32_t>(pixels.size());
    // Little-endian 32-bit fields from the file size on; planes (1) and bits
    // per pixel share one.
    const uint32_t fields[]
        = {offset + imageBytes, 0, offset, 40, static_cast<uint32_t>(width), static_cast<uint32_t>(height),
            1u | static_cast<uint32_t>(bitsPerPixel) << 16, compression, imageBytes, 2835, 2835, paletteColours, 0};
    std::vector<uint8_t> out = {'B', 'M'};
    for (const uint32_t field : fields) {
        for (int shift = 0; shift < 32; shift += 8) {
            out.push_back(static_cast<uint8_t>(field >> shift));
        }
    }
    out.insert(out.end(), extra.begin(), extra.end());
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
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
