// Cost of text: one 40-character line through DrawText (layout and glyph
// copies), the layout alone, and 30 lines added to a composed 800 x 600
// frame; the whole frame is also measured with a full board of tile pieces. Uses the run folder's fonts when
// VELMORA_RUN_DIR (or build/game) has them, otherwise stand-in sheets whose glyphs are frames of their advance's width.
#include "media/Display.h"
#include "media/FontTable.h"
#include "platform/FakeVideoBackend.h"
#include "platform/Files.h"
#include "support/TempDir.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr const char* kLine40 = "Remove matching pairs of free tiles now.";
static_assert(std::char_traits<char>::length(kLine40) == 40);

void Put32(std::vector<uint8_t>& bytes, size_t at, uint32_t value)
{
    for (size_t i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

// A 24-bit .bmp of size x size; pixel(x, y) gives 0xRRGGBB.
template <typename Pixel> std::vector<uint8_t> Bmp(int size, Pixel pixel)
{
    const size_t rowBytes = static_cast<size_t>(size) * 3;
    std::vector<uint8_t> bytes(54 + rowBytes * static_cast<size_t>(size), 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    Put32(bytes, 2, static_cast<uint32_t>(bytes.size()));
    Put32(bytes, 10, 54);
    Put32(bytes, 14, 40);
    Put32(bytes, 18, static_cast<uint32_t>(size));
    Put32(bytes, 22, static_cast<uint32_t>(size));
    bytes[26] = 1;
    bytes[28] = 24;
    for (int y = 0; y < size; ++y) {
        uint8_t* row = &bytes[54 + rowBytes * static_cast<size_t>(size - 1 - y)];
        for (int x = 0; x < size; ++x) {
            const uint32_t rgb = pixel(x, y);
            row[x * 3] = static_cast<uint8_t>(rgb);
            row[x * 3 + 1] = static_cast<uint8_t>(rgb >> 8);
            row[x * 3 + 2] = static_cast<uint8_t>(rgb >> 16);
        }
    }
    return bytes;
}

int StandInAdvance(int code, int cell) { return code == ' ' ? cell / 4 : cell * 5 / 8 + code % 3; }

void WriteStandInFonts(const testing_support::CTempDir& folder)
{
    for (const SFontFiles& files : kFontFiles) {
        const int cell = files.cellSize;
        folder.Write(platform::NativePath(files.sheetFile), Bmp(files.sheetSize, [cell](int x, int y) -> uint32_t {
            const int code = (y / cell) * 16 + x / cell;
            const int advance = StandInAdvance(code, cell);
            const int column = x % cell - (cell - advance) / 2;
            const int row = y % cell;
            const bool stroke = column == 1 || column == advance - 2 || row == cell / 8 || row == cell * 7 / 8
                || column == row * advance / cell;
            return code != ' ' && column >= 1 && column <= advance - 2 && row >= cell / 8 && row <= cell * 7 / 8
                    && stroke
                ? 0xF0E0C0
                : 0;
        }));
        std::vector<uint8_t> metrics(256);
        for (int code = 0; code < 256; ++code) {
            metrics[static_cast<size_t>(code)] = static_cast<uint8_t>(StandInAdvance(code, cell));
        }
        folder.Write(platform::NativePath(files.metricsFile), metrics);
    }
    // A tile picture: a 45 x 61 tile in the top-left of a keyed 64 x 64 sheet.
    folder.Write("Graphics/Tile Sets/Bench/Dot 1.bmp", Bmp(64, [](int x, int y) -> uint32_t {
        return x < 45 && y < 61 ? 0xF0E8D0u - static_cast<uint32_t>((x + y) % 16) : 0;
    }));
    // A backdrop for the composed frame.
    folder.Write("Graphics/Backdrops/Bench.bmp",
        Bmp(800, [](int x, int y) -> uint32_t { return 0x203040u + ((x / 8) << 16) % 0x800000 + (y / 4); }));
}

bool HasGameFonts(const fs::path& folder)
{
    for (const SFontFiles& files : kFontFiles) {
        if (!fs::exists(folder / platform::NativePath(files.sheetFile))) {
            return false;
        }
    }
    return true;
}

// A full-screen 800 x 600 x 32 display on the screenless backend and the
// font table, loaded from the run folder or from stand-ins.
class CTextBench {
public:
    CTextBench()
    {
        const char* runDir = std::getenv("VELMORA_RUN_DIR");
        const fs::path runFolder = runDir ? runDir : "build/game";
        WriteStandInFonts(work);
        const bool gameFonts = HasGameFonts(runFolder);
        fs::current_path(work.Path());
        display = std::make_unique<CDisplay>();
        display->Create(nullptr, std::make_unique<platform::CFakeVideoBackend>(video));
        display->SetFullScreen(800, 600, 32);
        backdrop = display->CreateSprite("Graphics\\Backdrops\\Bench.bmp", 800, 600);
        tile = display->CreateSprite("Graphics\\Tile Sets\\Bench\\Dot 1.bmp", 64, 64);
        if (gameFonts) {
            fs::current_path(runFolder);
        }
        fonts = std::make_unique<CFontTable>(*display);
        fs::current_path(work.Path());
        source = gameFonts ? "game fonts" : "stand-in fonts";
    }
    ~CTextBench()
    {
        fonts.reset();
        ReleaseSprite(backdrop);
        ReleaseSprite(tile);
        display.reset();
    }

    testing_support::CTempDir work;
    platform::FakeVideoState video;
    std::unique_ptr<CDisplay> display;
    std::unique_ptr<CFontTable> fonts;
    SpritePtr backdrop;
    SpritePtr tile;
    std::string source;
};

CTextBench& Bench()
{
    static CTextBench bench;
    return bench;
}

void BM_DrawTextLine40(benchmark::State& state)
{
    CTextBench& b = Bench();
    const int32_t font = static_cast<int32_t>(state.range(0));
    const int32_t alignment = static_cast<int32_t>(state.range(1));
    for (auto _ : state) {
        b.fonts->DrawText(*b.display, kLine40, font, 20, 200, 780, 260, alignment, 0);
    }
    state.SetLabel(b.source);
}
BENCHMARK(BM_DrawTextLine40)
    ->ArgNames({"font", "align"})
    ->Args({1, 1})
    ->Args({2, 1})
    ->Args({2, 2})
    ->Args({2, 3})
    ->Args({3, 3})
    ->Unit(benchmark::kMicrosecond);

void BM_LayOutLine40(benchmark::State& state)
{
    CTextBench& b = Bench();
    const media::SFontMetrics& metrics = b.fonts->Font(kFontTimesRoman16)->Metrics();
    std::vector<media::SGlyphPlacement> placements;
    for (auto _ : state) {
        placements.clear();
        media::LayOutText(kLine40, metrics, {20, 200, 780, 260}, media::kAlignCentre, 0, placements);
        benchmark::DoNotOptimize(placements.data());
    }
}
BENCHMARK(BM_LayOutLine40)->Unit(benchmark::kMicrosecond);

// A frame as a screen composes it: cleared, backdrop, optionally a full board
// (144 tiles in four pieces each, stacked on four levels), then optionally
// 30 lines: a centred title, 20 wrapped body lines, right-aligned figures and
// centred captions.
enum class EFrame { Backdrop, WithText, WithBoardAndText };

void DrawBoard(CTextBench& b)
{
    static constexpr int32_t kPieces[4][4] = {{0, 0, 23, 31}, {21, 0, 44, 31}, {0, 29, 23, 61}, {21, 29, 45, 61}};
    for (int tile = 0; tile < 144; ++tile) {
        const int32_t level = tile / 36;
        const int32_t x = 65 + (tile % 12) * 40 + level * 4 + level * 20;
        const int32_t y = 25 + (tile / 12 % 3) * 56 + level * 84 - level * 4;
        for (const auto& piece : kPieces) {
            b.display->DrawSpritePart(b.tile.get(), x + piece[0], y + piece[1], piece[0], piece[1], piece[2], piece[3]);
        }
    }
}

void ComposeFrame(CTextBench& b, EFrame frame)
{
    b.display->ClearBackBuffer();
    b.display->DrawSprite(b.backdrop.get(), 0, 0);
    if (frame == EFrame::WithBoardAndText) {
        DrawBoard(b);
    }
    if (frame == EFrame::Backdrop) {
        return;
    }
    CFontTable& fonts = *b.fonts;
    CDisplay& display = *b.display;
    fonts.DrawText(display, "Velmora Mahjongg", kFontKlang20, 0, 10, 800, 50, media::kAlignCentre, 0);
    for (int line = 0; line < 20; ++line) {
        fonts.DrawText(display, kLine40, kFontTimesRoman16, 40, 60 + line * 24, 760, 600, media::kAlignLeft, 0);
    }
    for (int line = 0; line < 5; ++line) {
        fonts.DrawText(display, "Pairs left: 144", kFontTimesRoman16, 0, 60 + line * 24, 780, 0, media::kAlignRight, 0);
    }
    for (int line = 0; line < 4; ++line) {
        fonts.DrawText(
            display, "New Game", kFontTimesRoman16, 600 + 0, 480 + line * 28, 780, 0, media::kAlignCentre, 0);
    }
}

void BM_ComposedFrame(benchmark::State& state)
{
    CTextBench& b = Bench();
    const auto frame = static_cast<EFrame>(state.range(0));
    for (auto _ : state) {
        ComposeFrame(b, frame);
    }
    static constexpr const char* kLabels[] = {", no text", ", with 30 lines", ", with 576 tile pieces and 30 lines"};
    state.SetLabel(b.source + kLabels[state.range(0)]);
}
BENCHMARK(BM_ComposedFrame)->ArgName("frame")->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

} // namespace
