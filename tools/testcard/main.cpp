// velmora-testcard OUT.bmp|OUT.png [--run-folder DIR] [--fixtures]
//
// Composes the test card through the game's own display (under SDL's dummy
// video driver unless another is chosen), from the run folder's fonts and
// pictures when it has them and from stand-ins made on the spot otherwise,
// and writes the back buffer to OUT.
#include "Fixtures.h"
#include "ImageFile.h"
#include "TestCard.h"

#include "media/Display.h"
#include "media/FontTable.h"
#include "platform/Files.h"
#include "platform/Window.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

namespace fs = std::filesystem;

namespace {

struct SOptions {
    std::string output;
    std::string runFolder = "build/game";
    bool fixturesOnly = false;
};

std::optional<SOptions> ParseOptions(int argc, char** argv)
{
    SOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--run-folder" && i + 1 < argc) {
            options.runFolder = argv[++i];
        } else if (argument == "--fixtures") {
            options.fixturesOnly = true;
        } else if (!argument.empty() && argument[0] != '-' && options.output.empty()) {
            options.output = argument;
        } else {
            return std::nullopt;
        }
    }
    if (options.output.empty()) {
        return std::nullopt;
    }
    return options;
}

bool HasFonts(const fs::path& folder)
{
    for (const SFontFiles& files : kFontFiles) {
        if (!fs::exists(folder / platform::NativePath(files.sheetFile))
            || !fs::exists(folder / platform::NativePath(files.metricsFile))) {
            return false;
        }
    }
    return true;
}

// The first face of the first tile set, if the run folder has one.
std::optional<fs::path> FirstTileFace(const fs::path& runFolder)
{
    const std::string sets = (runFolder / "Graphics" / "Tile Sets").string();
    for (const std::string& set : platform::ListFolders(sets)) {
        for (const std::string& face : platform::ListFiles(sets + "/" + set)) {
            if (face.ends_with(".bmp")) {
                return fs::path(sets) / set / face;
            }
        }
    }
    return std::nullopt;
}

// A folder of the card's own for the stand-ins and the display's log,
// removed at the end.
class CWorkFolder {
public:
    CWorkFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "velmora-testcard-XXXXXX").string();
        if (::mkdtemp(pattern.data())) {
            path = pattern;
        }
    }
    ~CWorkFolder()
    {
        std::error_code ignored;
        if (!path.empty()) {
            fs::remove_all(path, ignored);
        }
    }
    CWorkFolder(const CWorkFolder&) = delete;
    CWorkFolder& operator=(const CWorkFolder&) = delete;
    const fs::path& Path() const { return path; }

private:
    fs::path path;
};

int Run(const SOptions& options)
{
    const fs::path output = fs::absolute(options.output);
    const fs::path runFolder = fs::absolute(options.runFolder);
    CWorkFolder work;
    if (work.Path().empty() || !testcard::WriteFixtureFonts(work.Path())
        || !testcard::WriteFixtureSprites(work.Path())) {
        std::cerr << "velmora-testcard: cannot write the stand-in data\n";
        return 1;
    }

    const bool gameFonts = !options.fixturesOnly && HasFonts(runFolder);
    const fs::path fontFolder = gameFonts ? runFolder : work.Path();
    testcard::SCardPictures pictures{(work.Path() / platform::NativePath(testcard::kFixtureSpriteFile)).string(),
        (work.Path() / platform::NativePath(testcard::kFixtureOverlayFile)).string()};
    if (!options.fixturesOnly) {
        if (const auto face = FirstTileFace(runFolder)) {
            pictures.spriteFile = face->string();
        }
        const fs::path overlay = runFolder / platform::NativePath(testcard::kFixtureOverlayFile);
        if (fs::exists(overlay)) {
            pictures.overlayFile = overlay.string();
        }
    }
    std::cout << "fonts from " << fontFolder.string() << "\nsprite " << pictures.spriteFile << "\noverlay "
              << pictures.overlayFile << "\n";

    // The display writes its log into the current folder: keep it out of the
    // run folder.
    fs::current_path(work.Path());
    ::setenv("SDL_VIDEODRIVER", "dummy", 0);
    auto window = platform::CWindow::Create("Velmora Mahjongg 2.3 test card", 800, 600);
    CDisplay display;
    if (!window || !display.Create(window.get()) || !display.SetWindowed(800, 600) || !display.BackBuffer()
        || !display.BackBuffer()->surface) {
        std::cerr << "velmora-testcard: no display\n";
        return 1;
    }
    fs::current_path(fontFolder);
    CFontTable fonts(display);
    testcard::ComposeTestCard(display, fonts, pictures);
    if (!testcard::WriteImage(*display.BackBuffer()->surface, output.string())) {
        return 1;
    }
    std::cout << "wrote " << output.string() << " (" << display.BackBuffer()->surface->Width() << " x "
              << display.BackBuffer()->surface->Height() << ", " << display.BackBuffer()->surface->Format().bitsPerPixel
              << " bits)\n";
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const auto options = ParseOptions(argc, argv);
    if (!options) {
        std::cerr << "usage: velmora-testcard OUT.bmp|OUT.png [--run-folder DIR] [--fixtures]\n"
                     "  --run-folder DIR  take fonts and pictures from DIR (default build/game)\n"
                     "  --fixtures        use the card's own stand-in data only\n";
        return 2;
    }
    return Run(*options);
}
