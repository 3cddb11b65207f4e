// Surface pixels to 24-bit .bmp (and .png through convert).
#include "ImageFile.h"

#include <bit>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace testcard {
namespace {

constexpr size_t kBmpHeaderBytes = 54;

// One channel of a raw pixel, widened to 0-255.
uint8_t Channel(uint32_t raw, uint32_t mask)
{
    if (mask == 0) {
        return 0;
    }
    const uint32_t value = (raw & mask) >> std::countr_zero(mask);
    const uint32_t maximum = mask >> std::countr_zero(mask);
    return static_cast<uint8_t>(value * 255 / maximum);
}

void Put32(std::vector<uint8_t>& bytes, size_t at, uint32_t value)
{
    for (size_t i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

bool RunConvert(const std::string& from, const std::string& to)
{
    std::string program = "convert";
    std::string source = from;
    std::string target = to;
    char* argv[] = {program.data(), source.data(), target.data(), nullptr};
    pid_t child = 0;
    if (posix_spawnp(&child, "convert", nullptr, nullptr, argv, environ) != 0) {
        std::cerr << "velmora-testcard: cannot start ImageMagick's convert\n";
        return false;
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::cerr << "velmora-testcard: convert " << from << " " << to << " failed\n";
        return false;
    }
    return true;
}

bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

} // namespace

std::vector<uint8_t> EncodeBmp(int32_t width, int32_t height, const std::vector<SRgb>& pixels)
{
    const size_t rowBytes = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
    const size_t dataBytes = rowBytes * static_cast<size_t>(height);
    std::vector<uint8_t> bytes(kBmpHeaderBytes + dataBytes, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    Put32(bytes, 2, static_cast<uint32_t>(kBmpHeaderBytes + dataBytes));
    Put32(bytes, 10, kBmpHeaderBytes);
    Put32(bytes, 14, 40); // information header size
    Put32(bytes, 18, static_cast<uint32_t>(width));
    Put32(bytes, 22, static_cast<uint32_t>(height));
    bytes[26] = 1; // planes
    bytes[28] = 24; // bits per pixel
    Put32(bytes, 34, static_cast<uint32_t>(dataBytes));
    // Rows are stored bottom-up, pixels blue first.
    for (int32_t y = 0; y < height; ++y) {
        uint8_t* row = &bytes[kBmpHeaderBytes + rowBytes * static_cast<size_t>(height - 1 - y)];
        for (int32_t x = 0; x < width; ++x) {
            const SRgb& p = pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
            row[x * 3] = p.blue;
            row[x * 3 + 1] = p.green;
            row[x * 3 + 2] = p.red;
        }
    }
    return bytes;
}

std::vector<SRgb> ReadPixels(platform::CSurface& surface)
{
    const platform::PixelFormat& format = surface.Format();
    std::vector<SRgb> pixels;
    pixels.reserve(static_cast<size_t>(surface.Width()) * static_cast<size_t>(surface.Height()));
    for (int32_t y = 0; y < surface.Height(); ++y) {
        for (int32_t x = 0; x < surface.Width(); ++x) {
            const uint32_t raw = surface.GetPixel(x, y);
            pixels.push_back(
                {Channel(raw, format.redMask), Channel(raw, format.greenMask), Channel(raw, format.blueMask)});
        }
    }
    return pixels;
}

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::cerr << "velmora-testcard: cannot write " << path << "\n";
        return false;
    }
    return true;
}

bool WriteImage(platform::CSurface& surface, const std::string& path)
{
    const std::vector<uint8_t> bmp = EncodeBmp(surface.Width(), surface.Height(), ReadPixels(surface));
    if (!EndsWith(path, ".png")) {
        return WriteBytes(path, bmp);
    }
    const std::string temporary = path + ".tmp.bmp";
    const bool written = WriteBytes(temporary, bmp) && RunConvert(temporary, path);
    std::remove(temporary.c_str());
    return written;
}

} // namespace testcard
