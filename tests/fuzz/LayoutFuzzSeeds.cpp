// Seeds of the layout readers' entry (tools/layout/LayoutFuzz.cpp): a sound
// layout and one out of order with two tiles on one spot, each as text and
// compiled, and a text of one tile.
#include "FuzzTarget.h"

#include "LayoutText.h"

#include "../board/BoardTestLayouts.h"

#include <algorithm>

namespace fuzz {

size_t MaxInputBytes() { return 16384; }

std::vector<Input> Seeds()
{
    const board::SLayoutData block = board_test::BlockLayout();
    board::SLayoutData odd = block;
    std::reverse(odd.cells.begin(), odd.cells.end());
    odd.cells[7] = odd.cells[8];
    const auto text = [](const std::string& s) { return Input(s.begin(), s.end()); };
    return {text(board::PrintLayoutText(block, "Block")), text(board::PrintLayoutText(odd, "Odd")),
        board::EncodeLayout(block), board::EncodeLayout(odd), text("name X\nlevel 0\n+-\n|_\n"), {}};
}

} // namespace fuzz
