// The whole data tree the generator writes (interface pictures, data files,
// tile sets, sounds), written once per test program into a temporary folder.
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

inline uint32_t Le(const std::vector<uint8_t>& b, size_t at, int bytes)
{
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        v = (v << 8) | b[at + static_cast<size_t>(i)];
    }
    return v;
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

// The game's sprite loader reads these pictures in the game and end-to-end
// tests; here the generator's own reader gives their pixels.
using SBitmap = assets::CImage;
using assets::SRgb;

inline std::optional<SBitmap> LoadBmp(const std::string& path) { return assets::DecodeBmp(ReadBytes(path)); }

// The picture at a display scale: the .bmp itself at 1, its "@<s>x.png"
// version above.
inline std::optional<SBitmap> LoadScaled(const std::string& bmpPath, int scale)
{
    if (scale == 1) {
        return LoadBmp(bmpPath);
    }
    return assets::DecodePng(ReadBytes(assets::ScaledPath(bmpPath, scale)));
}

inline bool IsKey(const SRgb& p) { return p == SRgb{}; }

} // namespace gui_assets_test
