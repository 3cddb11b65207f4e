// Seeded random and mutated input for the layout readers: nothing may crash,
// every problem points at a real line or tile, and whatever reads cleanly
// prints and reads back to the same file.
#include "BoardTestLayouts.h"

#include "board/LayoutCheck.h"
#include "platform/BinaryIo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>

namespace board {
namespace {

constexpr int kCases = 1500;

// Only the engine's raw output is used, so the cases are the same with every
// standard library.
size_t Below(std::mt19937& random, size_t bound) { return bound == 0 ? 0 : random() % bound; }

// Out of order, two tiles on one spot, one half over others, odd records.
SLayoutData ShuffledOverlappingLayout()
{
    SLayoutData data = board_test::BlockLayout();
    std::reverse(data.cells.begin(), data.cells.end());
    data.cells[3] = TileCells({3, 3, 0});
    data.cells[7] = data.cells[8];
    data.records[1] = {"Q\"\\\xf0", -5};
    return data;
}

std::string MutateText(std::string text, std::mt19937& random)
{
    static const std::string kTokens[]
        = {"level ", "tile ", "order\n", "record ", "name ", "\"", "\\x", "\\", "#", "+-", "|_", "+", "-", "|", "_",
            ".", " ", "\t", "\r", "\n", "0", "7", "8", "15", "31", "-1", "2147483647", "2147483648", "-2147483649",
            "99999999999999999999", std::string(40, '.'), std::string(3000, '+'), "\xff\xfe", "\x01"};
    for (size_t steps = 1 + Below(random, 4); steps > 0; --steps) {
        const size_t at = Below(random, text.size() + 1);
        const std::string& token = kTokens[Below(random, std::size(kTokens))];
        switch (Below(random, 5)) {
        case 0:
            text.replace(std::min(at, text.size()), 1, 1, token[0]);
            break;
        case 1:
            text.insert(at, token);
            break;
        case 2:
            text.erase(at, Below(random, 200));
            break;
        case 3:
            text.insert(at, text.substr(Below(random, text.size() + 1), Below(random, 300)));
            break;
        default:
            for (size_t n = Below(random, 60); n > 0; --n) {
                text.insert(at, 1, static_cast<char>(1 + Below(random, 255))); // no zero: it stays text
            }
        }
    }
    return text;
}

TEST(LayoutTextFuzzTest, MutatedTextNeverBreaksTheReader)
{
    const std::string seeds[] = {PrintLayoutText(board_test::BlockLayout(), "Block"),
        PrintLayoutText(ShuffledOverlappingLayout(), "Shuffled"), "name X\nlevel 0\n+-\n|_\n", ""};
    std::mt19937 random(20240501);
    int roundTrips = 0;
    for (int i = 0; i < kCases && !HasFailure(); ++i) {
        SCOPED_TRACE(i);
        const std::string text = MutateText(seeds[Below(random, std::size(seeds))], random);
        const int lines = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
        const SLayoutText parsed = ParseLayoutText(text);
        for (const auto& problem : parsed.problems) {
            EXPECT_TRUE(problem.line >= 0 && problem.line <= lines) << problem.line;
        }
        std::vector<SCellPosition> positions;
        for (const auto& tile : parsed.tiles) {
            EXPECT_TRUE(tile.line >= 1 && tile.line <= lines) << tile.line;
            positions.push_back(tile.topLeft);
        }
        for (const auto& problem : CheckLayout(positions)) {
            EXPECT_LT(std::max(problem.tile, problem.otherTile), static_cast<int>(positions.size()));
        }
        const auto data = ToLayoutData(parsed);
        if (data) {
            ++roundTrips;
            const auto again = CompileLayoutText(PrintLayoutText(*data, parsed.name));
            ASSERT_TRUE(again.has_value());
            EXPECT_EQ(EncodeLayout(*again), EncodeLayout(*data));
        }
    }
    // Some mutated texts must stay whole layouts, or the round trip is never exercised.
    EXPECT_GT(roundTrips, kCases / 50);
}

TEST(LayoutTextFuzzTest, MutatedFilesDecodePrintAndCompileBackUnchanged)
{
    const int32_t kValues[] = {-1, 0, 1, 6, 7, 8, 14, 15, 16, 29, 30, 31, 32, INT32_MAX, INT32_MIN};
    std::mt19937 random(99);
    int decoded = 0;
    for (int i = 0; i < kCases; ++i) {
        SCOPED_TRACE(i);
        SLayoutData data = ShuffledOverlappingLayout();
        for (size_t steps = 1 + Below(random, 6); steps > 0; --steps) {
            auto& tile = data.cells[Below(random, kTileCount)];
            auto& cell = tile[Below(random, kCellsPerTile)];
            int32_t* fields[] = {&cell.column, &cell.row, &cell.level};
            switch (Below(random, 4)) {
            case 0: // another square: stays a readable file
                tile = TileCells({static_cast<int32_t>(Below(random, 31)), static_cast<int32_t>(Below(random, 15)),
                    static_cast<int32_t>(Below(random, 8))});
                break;
            case 1:
                tile = data.cells[Below(random, kTileCount)];
                break;
            case 2:
                *fields[Below(random, 3)] = kValues[Below(random, std::size(kValues))];
                break;
            default:
                std::swap(tile, data.cells[Below(random, kTileCount)]);
            }
        }
        std::vector<uint8_t> bytes = EncodeLayout(data);
        // Now and then raw damage: bytes changed, the file cut or lengthened.
        for (size_t n = Below(random, 4) == 0 ? 1 + Below(random, 8) : 0; n > 0; --n) {
            bytes[Below(random, bytes.size())] = static_cast<uint8_t>(Below(random, 256));
        }
        if (Below(random, 10) == 0) {
            bytes.resize(Below(random, kLayoutFileBytes + 100));
        }
        const SLayoutDecodeResult result = DecodeLayout(bytes);
        if (!result.Ok()) {
            ASSERT_GE(result.badTile, result.error == ELayoutError::Short ? -1 : 0);
            ASSERT_LT(result.badTile, kTileCount);
            continue;
        }
        ++decoded;
        for (const auto& problem : CheckLayout(TopLeftCells(result.data))) {
            ASSERT_LT(problem.tile, kTileCount);
        }
        SLayoutData expected = result.data;
        for (auto& record : expected.records) {
            record.holder = platform::FitText(record.holder, platform::kNameFieldBytes);
        }
        const std::string text = PrintLayoutText(result.data, "Fuzzed");
        const auto back = CompileLayoutText(text);
        ASSERT_TRUE(back.has_value()) << ParseLayoutText(text).problems[0].message;
        ASSERT_EQ(EncodeLayout(*back), EncodeLayout(expected));
    }
    EXPECT_GT(decoded, kCases / 5);
}

} // namespace
} // namespace board
