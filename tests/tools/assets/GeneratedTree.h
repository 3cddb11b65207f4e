// The whole data tree the generator writes (interface pictures, data files,
// tile sets, sounds), written once per test program into a temporary folder,
// and a .bmp reader that trusts nothing in the file.
#pragma once

#include "Generator.h"
#include "Image.h"

#include "support/TempDir.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace gui_assets_test {

inline std::vector<uint8_t> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Writes every part of the tree into dir; true when every writer succeeds.
inline bool WriteTree(const std::string& dir)
{
    bool ok = assets::WriteGuiPictures(dir);
    ok = assets::WriteDataFiles(dir) && ok;
    ok = assets::WriteTileSets(dir) && ok;
    return assets::WriteSounds(dir) && ok;
}

struct STree {
    testing_support::CTempDir dir;
    bool written = WriteTree(dir.Path());
};

inline const STree& GeneratedTree()
{
    static const STree tree;
    return tree;
}

struct SBitmap {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb; // top row first, 3 bytes a pixel
    const uint8_t* At(int x, int y) const { return &rgb[(static_cast<size_t>(y) * width + x) * 3]; }
};

inline uint32_t Le(const std::vector<uint8_t>& b, size_t at, int bytes)
{
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        v = (v << 8) | b[at + static_cast<size_t>(i)];
    }
    return v;
}

// The pixels of an ordinary uncompressed 24-bit bottom-up .bmp whose sizes
// all agree; nothing for anything else.
inline std::optional<SBitmap> ParseBmp(const std::vector<uint8_t>& b)
{
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M' || Le(b, 2, 4) != b.size() || Le(b, 10, 4) != 54
        || Le(b, 14, 4) != 40 || Le(b, 26, 2) != 1 || Le(b, 28, 2) != 24 || Le(b, 30, 4) != 0) {
        return std::nullopt;
    }
    SBitmap bitmap;
    bitmap.width = static_cast<int32_t>(Le(b, 18, 4));
    bitmap.height = static_cast<int32_t>(Le(b, 22, 4));
    if (bitmap.width <= 0 || bitmap.height <= 0) {
        return std::nullopt;
    }
    const size_t rowBytes = (static_cast<size_t>(bitmap.width) * 3 + 3) & ~size_t{3};
    if (54 + rowBytes * bitmap.height != b.size()) {
        return std::nullopt;
    }
    bitmap.rgb.resize(static_cast<size_t>(bitmap.width) * bitmap.height * 3);
    for (int y = 0; y < bitmap.height; ++y) {
        const uint8_t* row = b.data() + 54 + rowBytes * (bitmap.height - 1 - y);
        for (int x = 0; x < bitmap.width; ++x) {
            uint8_t* p = &bitmap.rgb[(static_cast<size_t>(y) * bitmap.width + x) * 3];
            p[0] = row[3 * x + 2];
            p[1] = row[3 * x + 1];
            p[2] = row[3 * x];
        }
    }
    return bitmap;
}

inline std::optional<SBitmap> LoadBmp(const std::string& path) { return ParseBmp(ReadBytes(path)); }

// The picture at a display scale: the .bmp itself at 1, its "@<s>x.png"
// version above.
inline std::optional<SBitmap> LoadScaled(const std::string& bmpPath, int scale)
{
    if (scale == 1) {
        return LoadBmp(bmpPath);
    }
    const std::optional<assets::CImage> image = assets::DecodePng(ReadBytes(assets::ScaledPath(bmpPath, scale)));
    if (!image) {
        return std::nullopt;
    }
    SBitmap bitmap{image->Width(), image->Height(), {}};
    for (int y = 0; y < bitmap.height; ++y) {
        for (int x = 0; x < bitmap.width; ++x) {
            const assets::SRgb& p = image->At(x, y);
            bitmap.rgb.insert(bitmap.rgb.end(), {p.r, p.g, p.b});
        }
    }
    return bitmap;
}

inline bool IsKey(const uint8_t* p) { return p[0] == 0 && p[1] == 0 && p[2] == 0; }

} // namespace gui_assets_test
