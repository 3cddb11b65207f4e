// libFuzzer entry for the layout readers, built only with
// -DVELMORA_LAYOUT_FUZZER=ON by clang (see tools/layout/CMakeLists.txt).
// Any input must be read without a crash, and whatever reads cleanly must
// print and read back to the same file.
#include "LayoutCheck.h"
#include "LayoutText.h"
#include "platform/BinaryIo.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace {

void RequireSameFile(const board::SLayoutData& data)
{
    board::SLayoutData expected = data;
    for (auto& record : expected.records) {
        record.holder = platform::FitText(record.holder, platform::kNameFieldBytes);
    }
    const auto back = board::CompileLayoutText(board::PrintLayoutText(data, "Fuzz"));
    if (!back || board::EncodeLayout(*back) != board::EncodeLayout(expected)) {
        __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    const std::vector<uint8_t> input(bytes, bytes + size);
    if (std::find(input.begin(), input.end(), uint8_t{0}) != input.end()) {
        const board::SLayoutDecodeResult decoded = board::DecodeLayout(input);
        if (decoded.Ok()) {
            board::CheckLayout(board::TopLeftCells(decoded.data));
            RequireSameFile(decoded.data);
        }
        return 0;
    }
    const board::SLayoutText parsed
        = board::ParseLayoutText(std::string_view(reinterpret_cast<const char*>(bytes), size));
    std::vector<board::SCellPosition> cells;
    for (const auto& tile : parsed.tiles) {
        cells.push_back(tile.topLeft);
    }
    board::CheckLayout(cells);
    if (const auto data = board::ToLayoutData(parsed)) {
        RequireSameFile(*data);
    }
    return 0;
}
