// The keyboard's way round the board: which free tile the arrow keys move a
// focus to, judged by where the tiles are drawn, so that the focus goes where
// the player looks whatever the levels and gaps of the layout.
#pragma once

namespace board {

class CBoard;

enum class EFocusDirection { Left, Right, Up, Down };

// The present free tile drawn nearest the board's top-left corner (ties to
// the lower tile number); -1 when no tile is free.
int FirstFocusTile(const CBoard& board);

// The present free tile nearest to `from` among those clearly on that side
// (more than twice a level's shift away), the sideways offset weighing twice
// the distance ahead. -1 at the edge, when no free tile lies that way.
int NextFocusTile(const CBoard& board, int from, EFocusDirection direction);

// The present free tile drawn nearest to where `from` is drawn (`from` itself
// when it is still present and free); -1 when no tile is free. `from` may
// have left the board: its cells keep its position.
int NearestFreeTile(const CBoard& board, int from);

} // namespace board
