// The two settings files beside the game: "Data\Options.dat" (528 bytes: four
// numbers, the backdrop and the tile set) and "Data\PlayGame.dat" (260 bytes:
// the last game type and layout). Readers preset every number and keep the
// preset for a field the file lacks; writers replace the whole file at once,
// so a crash or a full disk leaves the old file whole.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

inline constexpr const char* kOptionsFileName = "Data\\Options.dat";
inline constexpr const char* kPlayGameFileName = "Data\\PlayGame.dat";
inline constexpr size_t kOptionsFileBytes = 528;
inline constexpr size_t kPlayGameFileBytes = 260;

struct SOptions {
    int32_t mouseSensitivity = 20; // 0..100
    int32_t soundVolume = 100; // 0..100, 100 loudest
    int32_t playMusic = 0; // nonzero: menu music on
    int32_t fullScreen = 1; // 1 full screen, anything else windowed
    std::string backdrop; // file name inside "Graphics\Backdrops\"
    std::string tileSet; // folder name inside "Graphics\Tile Sets\"

    bool IsFullScreen() const { return fullScreen == 1; }
};

// The game types as the files store them.
inline constexpr int32_t kGameTypeTraditional = 1;
inline constexpr int32_t kGameTypeVeskStyle = 2;
inline constexpr int32_t kGameTypeZandor = 3;

struct SPlayGame {
    // No presets are stored anywhere: a missing file gives Traditional and
    // no layout, and the readers fall back to the first layout found.
    int32_t gameType = kGameTypeTraditional;
    std::string layout; // file name inside "Layouts\"
};

// The readers' byte work: a field the bytes lack keeps its preset, bytes
// after the last field are ignored.
SOptions DecodeOptions(const std::vector<uint8_t>& bytes);
SPlayGame DecodePlayGame(const std::vector<uint8_t>& bytes);
// The whole files as the writers store them.
std::vector<uint8_t> EncodeOptions(const SOptions& options);
std::vector<uint8_t> EncodePlayGame(const SPlayGame& playGame);
// The number a help flag file ("Data\Help1.dat" and its siblings) holds as
// decimal text: 100 (no intro) for an empty file or one that starts with no
// number; numbers beyond the int range are clamped.
int32_t DecodeHelpFlag(const std::vector<uint8_t>& bytes);

SOptions ReadOptionsFile();
bool WriteOptionsFile(const SOptions& options);
SPlayGame ReadPlayGameFile();
bool WritePlayGameFile(const SPlayGame& playGame);
