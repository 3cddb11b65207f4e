// Tile set file names and loading.
#include "board/TileSet.h"

#include "media/Display.h"

#include <cstdio>

namespace board {
namespace {

struct SFaceFamily {
    const char* name;
    int firstFace;
    int lastFace;
};
constexpr std::array<SFaceFamily, 7> kFaceFamilies = {{
    {"Bamboo", 1, 9},
    {"Crak", 10, 18},
    {"Dot", 19, 27},
    {"Dragon", 28, 30},
    {"Direction", 31, 34},
    {"Flower", 35, 38},
    {"Season", 39, 42},
}};

} // namespace

std::string TileFaceFileName(int face)
{
    for (const SFaceFamily& family : kFaceFamilies) {
        if (face >= family.firstFace && face <= family.lastFace) {
            char name[32];
            std::snprintf(name, sizeof name, "%s %d.bmp", family.name, face - family.firstFace + 1);
            return name;
        }
    }
    return {};
}

void CTileSet::Load(CDisplay& display, std::string_view setName)
{
    Release();
    const std::string folder = std::string(kTileSetFolder) + "\\" + std::string(setName) + "\\";
    for (int face = 1; face <= kFaceCount; ++face) {
        faces[face - 1] = display.CreateSprite(folder + TileFaceFileName(face), kTilePictureSizePx, kTilePictureSizePx);
    }
}

void CTileSet::Release()
{
    for (SpritePtr& face : faces) {
        ReleaseSprite(face);
    }
}

CSprite* CTileSet::Face(int face) const
{
    if (face < 1 || face > kFaceCount) {
        return nullptr;
    }
    return faces[face - 1].get();
}

} // namespace board
