// velmora-assets DIR: writes the game's whole data tree (all but the layouts)
// below DIR.
#include "Generator.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: velmora-assets DIR\n");
        return 2;
    }
    const std::string root = argv[1];
    bool ok = true;
    ok = assets::WriteGuiPictures(root) && ok;
    ok = assets::WriteDataFiles(root) && ok;
    ok = assets::WriteTileSets(root) && ok;
    ok = assets::WriteSounds(root) && ok;
    if (!ok) {
        std::fprintf(stderr, "velmora-assets: could not write every file below %s\n", root.c_str());
        return 1;
    }
    return 0;
}
