// Pictures to files: uncompressed 24-bit .bmp files from RGB pixels or from a
// surface, and .png through ImageMagick's convert.
#pragma once

#include "platform/Surface.h"

#include <cstdint>
#include <string>
#include <vector>

namespace testcard {

struct SRgb {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
};

// A 24-bit bottom-up .bmp of width x height from pixels in rows, top first.
std::vector<uint8_t> EncodeBmp(int32_t width, int32_t height, const std::vector<SRgb>& pixels);

// The surface's pixels widened to 8 bits per channel, rows top first.
std::vector<SRgb> ReadPixels(platform::CSurface& surface);

// False (with a message on stderr) when the file cannot be written.
bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);

// Writes the whole surface. A name ending in ".png" goes through a temporary
// .bmp beside it and `convert`. False (with a message on stderr) on failure.
bool WriteImage(platform::CSurface& surface, const std::string& path);

} // namespace testcard
