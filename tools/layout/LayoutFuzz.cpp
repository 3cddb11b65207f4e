// The fuzz entry of the layout readers: libFuzzer's target with
// -DVELMORA_LAYOUT_FUZZER=ON (clang, see tools/layout/CMakeLists.txt), and the
// seeded mutations of `make test` (tests/fuzz). Any input must be read without
// a crash, every fault must name a line and a tile that exist, and whatever
// reads cleanly must print and read back to the same file.
#include "LayoutCheck.h"
#include "LayoutText.h"
#include "platform/BinaryIo.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace {

void Require(bool condition)
{
    if (!condition) {
        __builtin_trap();
    }
}

void CheckProblems(const std::vector<board::SCellPosition>& cells)
{
    for (const auto& problem : board::CheckLayout(cells)) {
        Require(std::max(problem.tile, problem.otherTile) < static_cast<int>(cells.size()));
    }
}

void RequireSameFile(const board::SLayoutData& data)
{
    board::SLayoutData expected = data;
    for (auto& record : expected.records) {
        record.holder = platform::FitText(record.holder, platform::kNameFieldBytes);
    }
    const auto back = board::CompileLayoutText(board::PrintLayoutText(data, "Fuzz"));
    Require(back && board::EncodeLayout(*back) == board::EncodeLayout(expected));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    const std::vector<uint8_t> input(bytes, bytes + size);
    if (std::find(input.begin(), input.end(), uint8_t{0}) != input.end()) {
        const board::SLayoutDecodeResult decoded = board::DecodeLayout(input);
        Require(decoded.badTile >= (decoded.Ok() || decoded.error == board::ELayoutError::Short ? -1 : 0)
            && decoded.badTile < board::kTileCount);
        CheckProblems(board::TopLeftCells(decoded.data));
        if (decoded.Ok()) {
            RequireSameFile(decoded.data);
        }
        return 0;
    }
    const board::SLayoutText parsed
        = board::ParseLayoutText(std::string_view(reinterpret_cast<const char*>(bytes), size));
    const int lines = static_cast<int>(std::count(bytes, bytes + size, '\n')) + 1;
    for (const auto& problem : parsed.problems) {
        Require(problem.line >= 0 && problem.line <= lines);
    }
    std::vector<board::SCellPosition> cells;
    for (const auto& tile : parsed.tiles) {
        Require(tile.line >= 1 && tile.line <= lines);
        cells.push_back(tile.topLeft);
    }
    CheckProblems(cells);
    if (const auto data = board::ToLayoutData(parsed)) {
        RequireSameFile(*data);
    }
    return 0;
}
