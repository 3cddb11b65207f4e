// A tile set: the folder "Graphics\Tile Sets\<name>\" of 42 pictures, one per
// face, kept as 64 x 64 sprites keyed on black. The board shows the top-left
// 45 x 61 pixels of each.
#pragma once

#include "board/Rules.h"
#include "media/Sprite.h"

#include <array>
#include <string>
#include <string_view>

class CDisplay;

namespace board {

inline constexpr const char* kTileSetFolder = "Graphics\\Tile Sets";
inline constexpr int kTilePictureSizePx = 64;

// The file of face 1..42 inside its set's folder ("Crak 3.bmp" for face 12);
// empty for any other number.
std::string TileFaceFileName(int face);

class CTileSet {
public:
    // Releases the pictures held, then creates the 42 of the named set in face
    // order. A missing file gives the display's blank picture, which draws
    // nothing; the game goes on.
    void Load(CDisplay& display, std::string_view setName);
    void Release();
    // The picture of face 1..42; null for any other face, before Load and
    // after Release.
    CSprite* Face(int face) const;

private:
    std::array<SpritePtr, kFaceCount> faces;
};

} // namespace board
