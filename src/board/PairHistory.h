// The pairs taken off the board in one game, so that they can be put back
// (undo) and taken off again (redo). A pair returns to its own cells with the
// identity it had when it was removed; positions never change in a game, so
// those cells are empty until then.
#pragma once

#include "board/Rules.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace board {

class CPairHistory {
public:
    // Forgets every pair (a new or loaded game, a board that was reset).
    void Clear();

    // Called just before the pair leaves the board. Taking off the pair that
    // the next redo would take keeps the rest of the redo list; any other
    // pair is a new move and forgets it.
    void Record(const CBoard& board, int first, int second);

    bool CanUndo() const { return !done.empty(); }
    bool CanRedo() const { return !undone.empty(); }

    // Puts the last removed pair back, present, occupying its cells, with the
    // identity it left with, and keeps it for a redo. Nothing (and the pair
    // forgotten) when its tiles are no longer off the board.
    std::optional<STilePair> Undo(CBoard& board);

    // The pair the next redo takes off again, if its tiles are still on the
    // board with the identity they came back with; the caller takes it off
    // by the game's own rules (and Record keeps the list).
    std::optional<STilePair> NextRedo(const CBoard& board) const;

    // A shuffle gives the tiles new identities: a pair put back can no
    // longer be taken off as it was.
    void ForgetRedo() { undone.clear(); }

private:
    struct STakenTile {
        int tile = -1;
        int32_t dealIndex = 0;
        int32_t matchGroup = 0;
        int32_t face = 0;
        bool operator==(const STakenTile&) const = default;
    };
    using STakenPair = std::array<STakenTile, 2>;

    static STakenTile Describe(const CBoard& board, int tile);
    static bool IsOnBoardAsTaken(const CBoard& board, const STakenTile& taken);

    std::vector<STakenPair> done;
    std::vector<STakenPair> undone;
};

} // namespace board
