// velmora-tilestack DATAROOT OUT.bmp: draws a small pile of tiles from every
// tile set below DATAROOT/Graphics/Tile Sets, side by side, the way the board
// puts their pictures together, and writes it as a .bmp.
#include "Image.h"
#include "StackedTiles.h"

#include <cstdio>
#include <optional>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: velmora-tilestack DATAROOT OUT.bmp\n");
        return 2;
    }
    const std::optional<assets::CImage> panels = assets::DrawTileSetPanels(argv[1]);
    if (!panels) {
        std::fprintf(stderr, "velmora-tilestack: no complete tile set below %s/Graphics/Tile Sets\n", argv[1]);
        return 1;
    }
    if (!assets::WriteBmp(argv[2], *panels)) {
        std::fprintf(stderr, "velmora-tilestack: could not write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
