// velmora-assets DIR: writes the game's whole data tree (all but the layouts)
// below DIR.
// velmora-assets --icons DIR: the desktop icons, in a hicolor tree below DIR.
// velmora-assets --contact-sheet DIR OUT.bmp: every picture below DIR on one
// sheet; velmora-assets --mock-ups DIR OUTDIR: screens composed from DIR.
#include "ContactSheet.h"
#include "Generator.h"
#include "Icons.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    if (argc == 4 && std::string(argv[1]) == "--contact-sheet") {
        return assets::WriteContactSheet(argv[2], argv[3]) ? 0 : 1;
    }
    if (argc == 4 && std::string(argv[1]) == "--mock-ups") {
        return assets::WriteMockUps(argv[2], argv[3]) ? 0 : 1;
    }
    if (argc == 3 && std::string(argv[1]) == "--icons") {
        return assets::WriteDesktopIcons(argv[2]) ? 0 : 1;
    }
    if (argc != 2) {
        std::fprintf(stderr,
            "usage: velmora-assets DIR\n"
            "       velmora-assets --icons DIR\n"
            "       velmora-assets --contact-sheet DIR OUT.bmp\n"
            "       velmora-assets --mock-ups DIR OUTDIR\n");
        return 2;
    }
    const std::string root = argv[1];
    bool ok = true;
    ok = assets::WriteGuiPictures(root) && ok;
    ok = assets::WriteDataFiles(root) && ok;
    ok = assets::WriteTileSets(root) && ok;
    ok = assets::WriteSounds(root) && ok;
    ok = assets::WriteWindowIcon(root) && ok;
    if (!ok) {
        std::fprintf(stderr, "velmora-assets: could not write every file below %s\n", root.c_str());
        return 1;
    }
    return 0;
}
