// A quick picture of a layout for its designer: plain tiles shaded by level,
// drawn piece by piece in the game's own order and geometry, with the limits
// of the board area and the Zandor panel marked.
#pragma once

#include "board/LayoutFile.h"

#include <cstdint>
#include <vector>

namespace layout_tool {

inline constexpr int kPreviewWidthPx = 800;
inline constexpr int kPreviewHeightPx = 600;

struct SRgb {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    bool operator==(const SRgb&) const = default;
};

class CPreviewImage {
public:
    CPreviewImage();
    SRgb At(int x, int y) const { return pixels[y * kPreviewWidthPx + x]; }
    void Set(int x, int y, SRgb colour);
    void FillRect(int left, int top, int right, int bottom, SRgb colour);
    // Binary PPM (P6), which ImageMagick's convert turns into a PNG.
    std::vector<uint8_t> EncodePpm() const;

private:
    std::vector<SRgb> pixels;
};

// Tiles outside the grid are left out.
CPreviewImage RenderPreview(const std::vector<board::SCellPosition>& topLefts);

// The face colour of a tile on this level, for tests and the legend.
SRgb LevelFaceColour(int level);

} // namespace layout_tool
