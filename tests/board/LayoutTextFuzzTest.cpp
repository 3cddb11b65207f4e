// Seeded random and mutated input for the layout readers: nothing may crash,
// every problem points at a real line or tile, and whatever reads cleanly
// prints and reads back to the same file.
#include "board/LayoutCheck.h"
#include "board/LayoutText.h"

#include "platform/BinaryIo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace board {
namespace {

constexpr int kTextCases = 1500;
constexpr int kBinaryCases = 1500;

// Portable across standard libraries: only the engine's raw output is used.
class CFuzzRandom {
public:
    explicit CFuzzRandom(uint32_t seed)
        : engine(seed)
    {
    }
    size_t Below(size_t bound) { return bound == 0 ? 0 : engine() % bound; }
    bool OneIn(size_t n) { return Below(n) == 0; }

private:
    std::mt19937 engine;
};

SLayoutData BlockLayout()
{
    SLayoutData data;
    int t = 0;
    for (int r = 0; r < 16; r += 2) {
        for (int c = 2; c < 26; c += 2) {
            data.cells[t++] = TileCells({c, r, 0});
        }
    }
    for (int r = 4; r < 12; r += 2) {
        for (int c = 2; c < 26; c += 2) {
            data.cells[t++] = TileCells({c, r, 1});
        }
    }
    data.records = DefaultRecords();
    return data;
}

SLayoutData ShuffledOverlappingLayout()
{
    SLayoutData data = BlockLayout();
    std::reverse(data.cells.begin(), data.cells.end());
    data.cells[3] = TileCells({3, 3, 0});
    data.cells[7] = data.cells[8];
    data.records[1] = {"Q\"\\\xf0", -5};
    return data;
}

int CountLines(const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1; }

std::string MutateText(std::string text, CFuzzRandom& random)
{
    static const std::vector<std::string> kTokens
        = {"level ", "tile ", "order\n", "record ", "name ", "\"", "\\x", "\\", "#", "+-", "|_", "+", "-", "|", "_",
            ".", " ", "\t", "\r", "\n", "0", "7", "8", "15", "31", "-1", "2147483647", "2147483648", "-2147483649",
            "99999999999999999999", std::string(40, '.'), std::string(3000, '+'), "\xff\xfe", "\x01"};
    const int steps = 1 + static_cast<int>(random.Below(4));
    for (int i = 0; i < steps; ++i) {
        const size_t at = random.Below(text.size() + 1);
        switch (random.Below(5)) {
        case 0:
            if (!text.empty()) {
                text[std::min(at, text.size() - 1)] = kTokens[random.Below(kTokens.size())][0];
            }
            break;
        case 1:
            text.insert(at, kTokens[random.Below(kTokens.size())]);
            break;
        case 2:
            text.erase(at, random.Below(200));
            break;
        case 3: {
            const size_t from = random.Below(text.size() + 1);
            text.insert(at, text.substr(from, random.Below(300)));
            break;
        }
        default: {
            std::string bytes;
            for (size_t n = random.Below(60); n > 0; --n) {
                bytes += static_cast<char>(1 + random.Below(255)); // no zero: it stays text
            }
            text.insert(at, bytes);
            break;
        }
        }
    }
    return text;
}

// Returns whether the text went all the way round (parsed, compiled,
// printed, compiled again).
bool ExpectSoundParse(const std::string& text, const std::string& what)
{
    const SLayoutText parsed = ParseLayoutText(text);
    const int lines = CountLines(text);
    for (const auto& problem : parsed.problems) {
        EXPECT_GE(problem.line, 0) << what;
        EXPECT_LE(problem.line, lines) << what;
    }
    std::vector<SCellPosition> positions;
    for (const auto& tile : parsed.tiles) {
        EXPECT_GE(tile.line, 1) << what;
        EXPECT_LE(tile.line, lines) << what;
        positions.push_back(tile.topLeft);
    }
    for (const auto& problem : CheckLayout(positions)) {
        EXPECT_LT(problem.tile, static_cast<int>(positions.size())) << what;
        EXPECT_LT(problem.otherTile, static_cast<int>(positions.size())) << what;
    }
    const auto data = ToLayoutData(parsed);
    if (!data) {
        return false;
    }
    const auto again = CompileLayoutText(PrintLayoutText(*data, parsed.name));
    EXPECT_TRUE(again.has_value()) << what;
    if (again) {
        EXPECT_EQ(EncodeLayout(*again), EncodeLayout(*data)) << what;
    }
    return true;
}

TEST(LayoutTextFuzzTest, MutatedTextNeverBreaksTheReader)
{
    const std::vector<std::string> seeds = {
        PrintLayoutText(BlockLayout(), "Block"),
        PrintLayoutText(ShuffledOverlappingLayout(), "Shuffled"),
        "name X\nlevel 0\n+-\n|_\n",
        "",
    };
    CFuzzRandom random(20240501);
    int roundTrips = 0;
    for (int i = 0; i < kTextCases && !HasFailure(); ++i) {
        const std::string text = MutateText(seeds[random.Below(seeds.size())], random);
        roundTrips += ExpectSoundParse(text, "text case " + std::to_string(i)) ? 1 : 0;
    }
    // Some mutated texts must stay whole layouts, or the round trip above is
    // never exercised.
    EXPECT_GT(roundTrips, kTextCases / 50);
}

SLayoutData MutateData(SLayoutData data, CFuzzRandom& random)
{
    static const int32_t kValues[] = {-1, 0, 1, 6, 7, 8, 14, 15, 16, 29, 30, 31, 32, INT32_MAX, INT32_MIN};
    const int steps = 1 + static_cast<int>(random.Below(6));
    for (int i = 0; i < steps; ++i) {
        auto& tile = data.cells[random.Below(kTileCount)];
        switch (random.Below(4)) {
        case 0: // another square: stays a readable file
            tile = TileCells({static_cast<int32_t>(random.Below(31)), static_cast<int32_t>(random.Below(15)),
                static_cast<int32_t>(random.Below(8))});
            break;
        case 1:
            tile = data.cells[random.Below(kTileCount)];
            break;
        case 2: {
            auto& cell = tile[random.Below(kCellsPerTile)];
            int32_t* fields[] = {&cell.column, &cell.row, &cell.level};
            *fields[random.Below(3)] = kValues[random.Below(std::size(kValues))];
            break;
        }
        default:
            std::swap(tile, data.cells[random.Below(kTileCount)]);
            break;
        }
    }
    return data;
}

TEST(LayoutTextFuzzTest, MutatedFilesDecodePrintAndCompileBackUnchanged)
{
    CFuzzRandom random(99);
    int decoded = 0;
    for (int i = 0; i < kBinaryCases; ++i) {
        const std::string what = "binary case " + std::to_string(i);
        std::vector<uint8_t> bytes = EncodeLayout(MutateData(ShuffledOverlappingLayout(), random));
        // Now and then raw damage: bytes changed, the file cut or lengthened.
        if (random.OneIn(4)) {
            for (size_t n = 1 + random.Below(8); n > 0; --n) {
                bytes[random.Below(bytes.size())] = static_cast<uint8_t>(random.Below(256));
            }
        }
        if (random.OneIn(10)) {
            bytes.resize(random.Below(kLayoutFileBytes + 100));
        }
        const SLayoutDecodeResult result = DecodeLayout(bytes);
        if (!result.Ok()) {
            ASSERT_GE(result.badTile, result.error == ELayoutError::Short ? -1 : 0) << what;
            ASSERT_LT(result.badTile, kTileCount) << what;
            continue;
        }
        ++decoded;
        const auto positions = TopLeftCells(result.data);
        for (const auto& problem : CheckLayout(positions)) {
            ASSERT_LT(problem.tile, kTileCount) << what;
        }
        SLayoutData expected = result.data;
        for (auto& record : expected.records) {
            record.holder = platform::FitText(record.holder, platform::kNameFieldBytes);
        }
        const std::string text = PrintLayoutText(result.data, "Fuzzed");
        const auto back = CompileLayoutText(text);
        ASSERT_TRUE(back.has_value()) << what << "\n" << ParseLayoutText(text).problems[0].message;
        ASSERT_EQ(EncodeLayout(*back), EncodeLayout(expected)) << what;
    }
    EXPECT_GT(decoded, kBinaryCases / 5);
}

} // namespace
} // namespace board
