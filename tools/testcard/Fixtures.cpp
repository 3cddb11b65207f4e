// Stand-in font sheets, metrics and sprites drawn pixel by pixel.
#include "Fixtures.h"

#include "ImageFile.h"
#include "media/FontTable.h"
#include "platform/Files.h"

#include <cmath>
#include <filesystem>

namespace testcard {
namespace {

class CPicture {
public:
    CPicture(int32_t pictureWidth, int32_t pictureHeight)
        : width(pictureWidth)
        , height(pictureHeight)
        , pixels(static_cast<size_t>(pictureWidth) * static_cast<size_t>(pictureHeight))
    {
    }

    void Set(int32_t x, int32_t y, SRgb colour)
    {
        if (x >= 0 && x < width && y >= 0 && y < height) {
            pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] = colour;
        }
    }

    void Frame(int32_t left, int32_t top, int32_t right, int32_t bottom, SRgb colour)
    {
        for (int32_t x = left; x < right; ++x) {
            Set(x, top, colour);
            Set(x, bottom - 1, colour);
        }
        for (int32_t y = top; y < bottom; ++y) {
            Set(left, y, colour);
            Set(right - 1, y, colour);
        }
    }

    bool Save(const std::string& folder, const char* gamePath) const
    {
        const std::string path = folder + "/" + platform::NativePath(gamePath);
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        return WriteBytes(path, EncodeBmp(width, height, pixels));
    }

private:
    int32_t width;
    int32_t height;
    std::vector<SRgb> pixels;
};

int FixtureAdvance(int code, int32_t cellSize)
{
    if (code == ' ' || code < 32) {
        return cellSize / 4;
    }
    return cellSize * 5 / 16 + code % 3;
}

// Fonts are told apart by colour.
constexpr SRgb kFontColours[] = {{235, 235, 235}, {250, 215, 110}, {130, 210, 255}};

bool WriteFont(const std::string& folder, const SFontFiles& files, SRgb colour)
{
    const int32_t cell = files.cellSize;
    CPicture sheet(files.sheetSize, files.sheetSize);
    std::vector<uint8_t> metrics(256);
    for (int code = 0; code < 256; ++code) {
        const int advance = FixtureAdvance(code, cell);
        metrics[static_cast<size_t>(code)] = static_cast<uint8_t>(advance);
        if (code == ' ') {
            continue;
        }
        // A frame one pixel inside the advance-wide middle of the cell, from
        // a cap line to a baseline, with a stroke that depends on the code.
        const int32_t left = (code % 16) * cell + (cell - advance) / 2 + 1;
        const int32_t right = left + advance - 2;
        const int32_t top = (code / 16) * cell + cell / 8;
        const int32_t bottom = (code / 16) * cell + cell * 7 / 8;
        sheet.Frame(left, top, right, bottom, colour);
        for (int32_t y = top; y < bottom; ++y) {
            if ((code >> ((y - top) * 8 / (bottom - top))) & 1) {
                sheet.Set(left + 2 + (y - top) % std::max(1, right - left - 4), y, colour);
            }
        }
    }
    const std::string metricsPath = folder + "/" + platform::NativePath(files.metricsFile);
    std::filesystem::create_directories(std::filesystem::path(metricsPath).parent_path());
    return sheet.Save(folder, files.sheetFile) && WriteBytes(metricsPath, metrics);
}

} // namespace

bool WriteFixtureFonts(const std::string& folder)
{
    bool written = true;
    for (size_t i = 0; i < kFontFiles.size(); ++i) {
        written = WriteFont(folder, kFontFiles[i], kFontColours[i]) && written;
    }
    return written;
}

bool WriteFixtureSprites(const std::string& folder)
{
    // A 64 x 64 disc on black: the black corners must vanish, the near-black
    // square in its middle (8, 8, 8) must not, and the checker in its top-left
    // quarter shows how copies are scaled.
    CPicture sprite(64, 64);
    for (int32_t y = 0; y < 64; ++y) {
        for (int32_t x = 0; x < 64; ++x) {
            const double distance = std::hypot(x - 31.5, y - 31.5);
            if (distance < 26) {
                sprite.Set(x, y, {230, 120, 40});
            } else if (distance < 31) {
                sprite.Set(x, y, {150, 30, 30});
            }
            if (x < 24 && y < 24 && distance < 31 && ((x / 4 + y / 4) % 2 == 0)) {
                sprite.Set(x, y, {255, 255, 255});
            }
        }
    }
    for (int32_t y = 28; y < 36; ++y) {
        for (int32_t x = 28; x < 36; ++x) {
            sprite.Set(x, y, {8, 8, 8});
        }
    }
    // The selection overlay of a 44 x 60 tile: pale gold with cut corners.
    CPicture overlay(64, 64);
    for (int32_t y = 0; y < 60; ++y) {
        for (int32_t x = 0; x < 44; ++x) {
            const bool corner = std::min(x, 43 - x) + std::min(y, 59 - y) < 4;
            if (!corner) {
                overlay.Set(x, y, {250, 230, 140});
            }
        }
    }
    return sprite.Save(folder, kFixtureSpriteFile) && overlay.Save(folder, kFixtureOverlayFile);
}

} // namespace testcard
