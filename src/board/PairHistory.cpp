// Undo and redo of removed pairs.
#include "board/PairHistory.h"

namespace board {

void CPairHistory::Clear()
{
    done.clear();
    undone.clear();
}

CPairHistory::STakenTile CPairHistory::Describe(const CBoard& board, int tile)
{
    const CTile& t = board.Tile(tile);
    return {tile, t.dealIndex, t.matchGroup, t.face};
}

bool CPairHistory::IsOnBoardAsTaken(const CBoard& board, const STakenTile& taken)
{
    const CTile& t = board.Tile(taken.tile);
    return t.present && t.dealIndex == taken.dealIndex && t.matchGroup == taken.matchGroup && t.face == taken.face;
}

void CPairHistory::Record(const CBoard& board, int first, int second)
{
    const STakenPair pair = {Describe(board, first), Describe(board, second)};
    const STakenPair swapped = {pair[1], pair[0]};
    if (!undone.empty() && (undone.back() == pair || undone.back() == swapped)) {
        undone.pop_back();
    } else {
        undone.clear();
    }
    done.push_back(pair);
}

std::optional<STilePair> CPairHistory::Undo(CBoard& board)
{
    if (done.empty()) {
        return std::nullopt;
    }
    const STakenPair pair = done.back();
    done.pop_back();
    for (const STakenTile& taken : pair) {
        const CTile& t = board.Tile(taken.tile);
        if (t.present || !t.IsPlaced()) {
            Clear();
            return std::nullopt;
        }
    }
    for (const STakenTile& taken : pair) {
        board.SetTileIdentity(taken.tile, taken.dealIndex, taken.matchGroup, taken.face);
        CTile& t = board.Tile(taken.tile);
        t.present = 1;
        t.selected = 0;
        t.hinted = 0;
        for (CBoardCell* cell : t.cells) {
            cell->occupied = 1;
        }
    }
    undone.push_back(pair);
    return STilePair{pair[0].tile, pair[1].tile};
}

std::optional<STilePair> CPairHistory::NextRedo(const CBoard& board) const
{
    if (undone.empty()) {
        return std::nullopt;
    }
    const STakenPair& pair = undone.back();
    if (!IsOnBoardAsTaken(board, pair[0]) || !IsOnBoardAsTaken(board, pair[1])) {
        return std::nullopt;
    }
    return STilePair{pair[0].tile, pair[1].tile};
}

} // namespace board
