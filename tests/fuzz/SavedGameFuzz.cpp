// The saved game reader, as the load page and the game screens use it: any
// bytes are refused or decoded; a decoded game is sound, writes back to the
// same game, and can be put on a board (a layout of two levels, where tiles
// cover one another) and played by the rules.
#include "FuzzFolder.h"
#include "FuzzTarget.h"

#include "../board/BoardTestLayouts.h"

#include "board/Board.h"
#include "board/Rules.h"
#include "game/SavedGame.h"
#include "platform/BinaryIo.h"
#include "platform/Files.h"

#include <sys/stat.h>

#include <memory>

namespace {

constexpr const char* kLayoutPath = "Layouts\\Fuzz";

void PrepareFolder()
{
    static const bool ready = [] {
        fuzz::WorkFolder();
        ::mkdir("Layouts", 0755);
        return platform::WriteFileAtomically(kLayoutPath, board::EncodeLayout(board_test::BlockLayout()));
    }();
    FUZZ_REQUIRE(ready);
}

void CheckSound(const game::SSavedGame& game)
{
    FUZZ_REQUIRE(game.gameType >= 1 && game.gameType <= 3);
    FUZZ_REQUIRE(game.tiles.size() <= static_cast<size_t>(board::kTileCount));
    FUZZ_REQUIRE(game.layoutPath.size() < platform::kPathFieldBytes + 1);
    for (const auto& tile : game.tiles) {
        FUZZ_REQUIRE(tile.face >= 1 && tile.face <= board::kFaceCount);
        for (const auto& cell : tile.cells) {
            FUZZ_REQUIRE(board::IsInsideGrid(cell));
        }
    }
}

// What a game screen does with a loaded game: pairs found, hinted, taken.
void Play(board::CBoard& board, int32_t gameType, int32_t clockMs)
{
    for (int step = 0; step < board::kTileCount / 2; ++step) {
        board::CountAvailablePairs(board);
        board::FindHintPair(board);
        board.ClearHints();
        const auto pair = board::FindFirstPair(board);
        if (!pair) {
            break;
        }
        FUZZ_REQUIRE(board::TilesMatch(board, pair->first, pair->second));
        board::RemovePair(board, pair->first, pair->second);
        int32_t clock = clockMs;
        if (board::CheckGameEnd(board, gameType, clock)) {
            break;
        }
    }
}

} // namespace

namespace fuzz {

size_t MaxInputBytes() { return 16384; }

std::vector<Input> Seeds()
{
    std::vector<Input> seeds;
    PrepareFolder();
    auto board = std::make_unique<board::CBoard>();
    FUZZ_REQUIRE(board->LoadLayout(kLayoutPath) && board::DealFaces(*board));
    for (int32_t type = 1; type <= 3; ++type) {
        game::SSavedGame whole = game::CaptureBoard(*board, type, 120000);
        whole.layoutPath = kLayoutPath;
        whole.targetGroup = 5;
        whole.targetFace = 9;
        whole.missedPairs = 2;
        seeds.push_back(game::EncodeSavedGame(whole));
        game::SSavedGame few = whole;
        few.tiles.resize(4);
        seeds.push_back(game::EncodeSavedGame(few));
    }
    return seeds;
}

} // namespace fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    PrepareFolder();
    const std::vector<uint8_t> input(bytes, bytes + size);
    const game::SSavedGameResult decoded = game::DecodeSavedGame(input);
    FUZZ_REQUIRE(game::DescribeSavedGameError(decoded.error) != nullptr);
    if (!decoded.Ok()) {
        return 0;
    }
    game::SSavedGame game = decoded.game;
    CheckSound(game);
    // A path that fills its whole field loses its last byte when written,
    // as every text field does; the rest writes back as read.
    game.layoutPath = platform::FitText(game.layoutPath, platform::kPathFieldBytes);
    const game::SSavedGameResult again = game::DecodeSavedGame(game::EncodeSavedGame(game));
    FUZZ_REQUIRE(again.Ok() && again.game == game);

    game.layoutPath = kLayoutPath;
    auto board = std::make_unique<board::CBoard>();
    FUZZ_REQUIRE(game::PlaceSavedGame(*board, game));
    const game::SSavedGame captured = game::CaptureBoard(*board, game.gameType, game.clockMs);
    FUZZ_REQUIRE(captured.tiles.size() == game.tiles.size());
    Play(*board, game.gameType, game.clockMs);
    return 0;
}
