// Hand-made .bmp files for the video tests (BITMAPFILEHEADER + BITMAPINFOHEADER,
// rows bottom-up, each padded to four bytes): 24-bit and 32-bit bitmaps from a
// row-major list of RGB pixels.
#pragma once

#include <cstdint>
#include <vector>

namespace testing_support {

struct Rgb {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    bool operator==(const Rgb&) const = default;
};

namespace detail {

inline void Put16(std::vector<uint8_t>& out, uint32_t value)
{
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

inline void Put32(std::vector<uint8_t>& out, uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

inline std::vector<uint8_t> Headers(int32_t width, int32_t height, int bitsPerPixel, uint32_t imageBytes)
{
    const uint32_t offset = 14 + 40;
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, offset + imageBytes);
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height));
    Put16(out, 1);
    Put16(out, static_cast<uint32_t>(bitsPerPixel));
    Put32(out, 0); // no compression
    Put32(out, imageBytes);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, 0); // no palette
    Put32(out, 0);
    return out;
}

inline uint32_t RowBytes(int32_t width, int bitsPerPixel)
{
    return (static_cast<uint32_t>(width) * bitsPerPixel / 8 + 3) / 4 * 4;
}

} // namespace detail

// bitsPerPixel 24 or 32 (alpha byte 0, as paint programs often write it).
inline std::vector<uint8_t> MakeBmp(
    int32_t width, int32_t height, const std::vector<Rgb>& pixels, int bitsPerPixel = 24)
{
    const uint32_t rowBytes = detail::RowBytes(width, bitsPerPixel);
    std::vector<uint8_t> out = detail::Headers(width, height, bitsPerPixel, rowBytes * static_cast<uint32_t>(height));
    for (int32_t y = height - 1; y >= 0; --y) {
        const size_t rowStart = out.size();
        for (int32_t x = 0; x < width; ++x) {
            const Rgb& p = pixels[static_cast<size_t>(y * width + x)];
            out.push_back(p.blue);
            out.push_back(p.green);
            out.push_back(p.red);
            if (bitsPerPixel == 32) {
                out.push_back(0);
            }
        }
        out.resize(rowStart + rowBytes, 0);
    }
    return out;
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
