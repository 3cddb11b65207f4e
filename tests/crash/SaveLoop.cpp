// A headless stand-in for a game that saves all the time: generation after
// generation it writes a saved game, the options, the game choice and a
// layout's records through the game's own save functions, each file's bytes
// a function of the generation (and its size too, for the saved game and the
// records' names). The kill and full-disk tests run it in a scratch run
// folder and then ask it which generation each file holds.
//
//   velmora-save-loop prepare DIR        generation 0 of every file
//   velmora-save-loop run DIR FIRST [N]  generations FIRST, FIRST + 1, ...
//                                        (N of them, or until killed); each
//                                        finished generation is printed
//   velmora-save-loop check DIR          each file's generation, or "bad"
#include "board/Board.h"
#include "board/LayoutFile.h"
#include "game/SavedGame.h"
#include "platform/Files.h"
#include "screens/SettingsFiles.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char* kSaveName = "Kill";
constexpr const char* kLayoutPath = "Layouts\\Kill";

board::SLayoutData Layout()
{
    board::SLayoutData data;
    for (int t = 0; t < board::kTileCount; ++t) {
        const int column = 2 * (t % 16);
        const int row = 2 * ((t / 16) % 8);
        data.cells[static_cast<size_t>(t)] = board::TileCells({column, row, t / 128});
    }
    return data;
}

std::string Repeat(char c, int32_t generation, int32_t modulo)
{
    return std::string(static_cast<size_t>(generation % modulo), c);
}

game::SSavedGame SavedGameOf(int32_t generation)
{
    game::SSavedGame saved;
    saved.gameType = 1 + generation % 3;
    saved.clockMs = generation;
    saved.targetGroup = generation;
    saved.targetFace = 7;
    saved.missedPairs = generation;
    saved.layoutPath = kLayoutPath;
    const board::SLayoutData layout = Layout();
    for (int t = 0; t < generation % (board::kTileCount + 1); ++t) {
        saved.tiles.push_back({t, t % 36, 1 + t % 42, layout.cells[static_cast<size_t>(t)]});
    }
    return saved;
}

SOptions OptionsOf(int32_t generation)
{
    SOptions options;
    options.mouseSensitivity = generation;
    options.backdrop = Repeat('b', generation, 200);
    options.tileSet = Repeat('t', generation, 50);
    return options;
}

SPlayGame PlayGameOf(int32_t generation) { return {generation, Repeat('l', generation, 200)}; }

board::SLayoutData RecordsOf(int32_t generation)
{
    board::SLayoutData data = Layout();
    for (auto& record : data.records) {
        record.holder = "R" + Repeat('r', generation, 30);
        record.value = generation;
    }
    return data;
}

// The writes the file system refused.
int failedWrites = 0;

void WriteGeneration(int32_t generation)
{
    failedWrites += !game::WriteSavedGame(kSaveName, SavedGameOf(generation));
    failedWrites += !WriteOptionsFile(OptionsOf(generation));
    failedWrites += !WritePlayGameFile(PlayGameOf(generation));
    // Records go as the game writes them: onto a board that loaded the layout.
    auto board = std::make_unique<board::CBoard>();
    bool recorded = board->LoadLayout(kLayoutPath);
    for (int type = 1; type <= 3 && recorded; ++type) {
        board->SetRecordHolder(type, RecordsOf(generation).records[0].holder);
        board->SetRecordValue(type, generation);
    }
    failedWrites += !(recorded && board->SaveRecords());
}

// The generation whose bytes the file holds exactly, or -1: the one named by
// its number at `offset`.
template <typename Encode> int32_t GenerationOf(const std::string& path, size_t offset, Encode encode)
{
    const auto bytes = platform::ReadWholeFile(path);
    if (!bytes || bytes->size() < offset + 4) {
        return -1;
    }
    const uint8_t* at = bytes->data() + offset;
    const auto generation = static_cast<int32_t>(at[0] | at[1] << 8 | at[2] << 16 | uint32_t{at[3]} << 24);
    return generation >= 0 && *bytes == encode(generation) ? generation : -1;
}

int Check()
{
    std::printf("saved %d options %d playgame %d records %d\n",
        GenerationOf(
            game::SavedGamePath(kSaveName), 4, [](int32_t g) { return game::EncodeSavedGame(SavedGameOf(g)); }),
        GenerationOf(kOptionsFileName, 0, [](int32_t g) { return EncodeOptions(OptionsOf(g)); }),
        GenerationOf(kPlayGameFileName, 0, [](int32_t g) { return EncodePlayGame(PlayGameOf(g)); }),
        // The first record's value, after its 32-byte holder.
        GenerationOf(
            kLayoutPath, board::kRecordsOffset + 32, [](int32_t g) { return board::EncodeLayout(RecordsOf(g)); }));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3 || ::chdir(argv[2]) != 0) {
        std::fprintf(stderr, "usage: %s prepare|run|check DIR [FIRST [N]]\n", argv[0]);
        return 2;
    }
    const std::string mode = argv[1];
    if (mode == "check") {
        return Check();
    }
    if (mode == "prepare") {
        ::mkdir("Data", 0755);
        ::mkdir("Layouts", 0755);
        if (!platform::WriteFileAtomically(kLayoutPath, board::EncodeLayout(RecordsOf(0)))) {
            return 1;
        }
        WriteGeneration(0);
        return failedWrites == 0 ? 0 : 1;
    }
    if (mode != "run" || argc < 4) {
        return 2;
    }
    // A file size limit (the full-disk test without a small file system)
    // makes writes fail instead of killing the process.
    std::signal(SIGXFSZ, SIG_IGN);
    const long first = std::strtol(argv[3], nullptr, 10);
    const long count = argc > 4 ? std::strtol(argv[4], nullptr, 10) : -1;
    for (long g = first; count < 0 || g < first + count; ++g) {
        WriteGeneration(static_cast<int32_t>(g));
        const std::string line = std::to_string(g) + "\n";
        if (::write(STDOUT_FILENO, line.data(), line.size()) < 0) {
            return 1;
        }
    }
    std::printf("failed writes %d\n", failedWrites);
    return 0;
}
