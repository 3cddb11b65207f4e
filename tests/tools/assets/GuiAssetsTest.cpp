// The interface pictures and data files as the game loads them: every file
// present with its exact size and format, the black key respected, the
// presets readable, the marks placed on the tile's geometry, and the same
// bytes on every run.
#include "GeneratedTree.h"

#include "DataFiles.h"
#include "TileSets.h"

#include "platform/BinaryIo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>

namespace {

using namespace gui_assets_test;
namespace fs = std::filesystem;

// Measured at most 2.7 (the small text font at scale 2) and 0.042 (the same
// font at scale 4, its hinted glyphs outlined anew at every size).
constexpr double kMaxMeanChannelDifference = 3.5;
constexpr double kMaxKeyDisagreement = 0.05;

struct SPictureSize {
    const char* path;
    int width;
    int height;
};

// Every picture the game loads from these folders, at the size it asks for.
constexpr SPictureSize kPictures[] = {
    {"Graphics/Gui/Main Menu Background.bmp", 800, 600},
    {"Graphics/Gui/Dialog Background.bmp", 550, 475},
    {"Graphics/Gui/Cursor.bmp", 32, 32},
    {"Graphics/Gui/Wood Button Large.bmp", 200, 90},
    {"Graphics/Gui/Wood Button Small.bmp", 150, 45},
    {"Graphics/Gui/Wood Check Box Up.bmp", 32, 32},
    {"Graphics/Gui/Wood Check Box Down.bmp", 32, 32},
    {"Graphics/Gui/Wood Traditional Check Box.bmp", 100, 100},
    {"Graphics/Gui/Wood Traditional Check Box Pushed.bmp", 100, 100},
    {"Graphics/Gui/Wood Vesk Style Check Box.bmp", 100, 100},
    {"Graphics/Gui/Wood Vesk Style Check Box Pushed.bmp", 100, 100},
    {"Graphics/Gui/Wood Zandor Check Box.bmp", 100, 100},
    {"Graphics/Gui/Wood Zandor Check Box Pushed.bmp", 100, 100},
    {"Graphics/Gui/Wood Selection Box.bmp", 200, 150},
    {"Graphics/Gui/Wood Selection Bar.bmp", 25, 100},
    {"Graphics/Gui/Wood Selection Bar Button.bmp", 25, 25},
    {"Graphics/Gui/Wood Selection Arrow Up.bmp", 25, 25},
    {"Graphics/Gui/Wood Selection Arrow Down.bmp", 25, 25},
    {"Graphics/Gui/Wood Selection Arrow Up Pushed.bmp", 25, 25},
    {"Graphics/Gui/Wood Selection Arrow Down Pushed.bmp", 25, 25},
    {"Graphics/Gui/Wood Slider Bar.bmp", 200, 25},
    {"Graphics/Gui/Wood Slider Button.bmp", 25, 25},
    {"Graphics/Gui/Wood Triangle Left.bmp", 50, 50},
    {"Graphics/Gui/Wood Triangle Right.bmp", 50, 50},
    {"Graphics/Gui/Input Box.bmp", 200, 40},
    {"Graphics/Gui/Backdrop Preview.bmp", 100, 100},
    {"Graphics/Gui/Tile Preview.bmp", 64, 64},
    {"Graphics/Gui/Preview Mahjongg Tile.bmp", 16, 16},
    {"Graphics/Gui/Focus Light.bmp", 4, 4},
    {"Graphics/Gui/Focus Dark.bmp", 4, 4},
    {"Graphics/Gui/Times Roman 10 Font.bmp", 256, 256},
    {"Graphics/Gui/Times Roman 16 Font.bmp", 512, 512},
    {"Graphics/Gui/Klang MT 20 Font.bmp", 512, 512},
    {"Graphics/Game/Game Background Bar.bmp", 800, 100},
    {"Graphics/Game/Dialog Background.bmp", 500, 250},
    {"Graphics/Game/Tile Overlay.bmp", 64, 64},
    {"Graphics/Game/Tile Hint.bmp", 64, 64},
    {"Graphics/Game/Zandor Tile Background.bmp", 75, 100},
};

std::vector<std::string> FilesBelow(const std::string& root)
{
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) {
            files.push_back(fs::relative(entry.path(), root).generic_string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

TEST(GeneratedTree, EveryPictureIsAPlain24BitBitmapOfItsSize)
{
    const STree& tree = GeneratedTree();
    ASSERT_TRUE(tree.written);
    for (const SPictureSize& picture : kPictures) {
        SCOPED_TRACE(picture.path);
        const std::optional<SBitmap> bitmap = LoadBmp(tree.dir.File(picture.path));
        ASSERT_TRUE(bitmap.has_value());
        EXPECT_EQ(bitmap->Width(), picture.width);
        EXPECT_EQ(bitmap->Height(), picture.height);
    }
    // The backdrops' size is checked with their contrast in the tile set tests.
}

// Pure black is the key; a visible pixel darker than 8 in every channel
// would turn into the key at 15 or 16 bits a pixel. Surfaces drawn whole over
// others (the backdrops are the bottom layer) have no keyed pixel at all.
TEST(GeneratedTree, NoPixelIsNearlyBlackAndOpaqueSurfacesHaveNoKey)
{
    const STree& tree = GeneratedTree();
    for (const std::string& file : FilesBelow(tree.dir.Path())) {
        if (fs::path(file).extension() != ".bmp") {
            continue;
        }
        const std::optional<SBitmap> bitmap = LoadBmp(tree.dir.File(file));
        ASSERT_TRUE(bitmap.has_value()) << file;
        const bool opaque = file.starts_with("Graphics/Backdrops/") || file == "Graphics/Game/Game Background Bar.bmp"
            || file == "Graphics/Gui/Backdrop Preview.bmp";
        int nearlyBlack = 0;
        int keyed = 0;
        for (int y = 0; y < bitmap->Height(); ++y) {
            for (int x = 0; x < bitmap->Width(); ++x) {
                const SRgb& p = bitmap->At(x, y);
                nearlyBlack += !IsKey(p) && p.r < 8 && p.g < 8 && p.b < 8;
                keyed += opaque && IsKey(p);
            }
        }
        EXPECT_EQ(nearlyBlack, 0) << file;
        EXPECT_EQ(keyed, 0) << file;
    }
}

struct SScaleCheck {
    double meanChannelDifference = 0; // the reduced picture against the 1x one, 0..255
    double keyDisagreement = 0; // mean of |key share of a block - 1x pixel is key|
    int nearlyBlack = 0; // visible pixels that 15 and 16 bits would turn into the key
};

// The picture at scale s reduced by s x s box averages, against the 1x one.
SScaleCheck CompareWithBase(const SBitmap& base, const SBitmap& scaled, int scale)
{
    SScaleCheck check;
    double difference = 0;
    double disagreement = 0;
    auto channels = [](const SRgb& p) { return std::array<int, 3>{p.r, p.g, p.b}; };
    for (int y = 0; y < base.Height(); ++y) {
        for (int x = 0; x < base.Width(); ++x) {
            int sum[3] = {0, 0, 0};
            int keyed = 0;
            for (int dy = 0; dy < scale; ++dy) {
                for (int dx = 0; dx < scale; ++dx) {
                    const SRgb& p = scaled.At(x * scale + dx, y * scale + dy);
                    keyed += IsKey(p);
                    check.nearlyBlack += !IsKey(p) && p.r < 8 && p.g < 8 && p.b < 8;
                    for (int c = 0; c < 3; ++c) {
                        sum[c] += channels(p)[static_cast<size_t>(c)];
                    }
                }
            }
            for (int c = 0; c < 3; ++c) {
                difference += std::abs(
                    static_cast<double>(sum[c]) / (scale * scale) - channels(base.At(x, y))[static_cast<size_t>(c)]);
            }
            disagreement += std::abs(static_cast<double>(keyed) / (scale * scale) - IsKey(base.At(x, y)));
        }
    }
    const double pixels = static_cast<double>(base.Width()) * base.Height();
    check.meanChannelDifference = difference / (3 * pixels);
    check.keyDisagreement = disagreement / pixels;
    return check;
}

// Every picture the game loads also comes drawn at scales 2 to 4 (the soft
// backdrops at 1x only): exactly s times the size, the key rule kept, and,
// reduced by s x s box averages, close to the 1x picture.
TEST(ScaledPictures, EveryPictureHasItsFinerVersionsAndTheyMatchIt)
{
    const STree& tree = GeneratedTree();
    int checked = 0;
    for (const std::string& file : FilesBelow(tree.dir.File("Graphics"))) {
        if (fs::path(file).extension() != ".bmp" || file == "Gui/Window Icon.bmp") {
            continue;
        }
        const std::string path = tree.dir.File("Graphics/" + file);
        const std::optional<SBitmap> base = LoadBmp(path);
        ASSERT_TRUE(base.has_value()) << file;
        const int largest = file.starts_with("Backdrops/") ? 1 : 4;
        for (int scale = 2; scale <= largest; ++scale) {
            SCOPED_TRACE(file + " at " + std::to_string(scale));
            const std::optional<SBitmap> scaled = LoadScaled(path, scale);
            ASSERT_TRUE(scaled.has_value());
            ASSERT_EQ(scaled->Width(), base->Width() * scale);
            ASSERT_EQ(scaled->Height(), base->Height() * scale);
            const SScaleCheck check = CompareWithBase(*base, *scaled, scale);
            EXPECT_LE(check.meanChannelDifference, kMaxMeanChannelDifference);
            EXPECT_LE(check.keyDisagreement, kMaxKeyDisagreement);
            EXPECT_EQ(check.nearlyBlack, 0);
            ++checked;
        }
        EXPECT_FALSE(fs::exists(assets::ScaledPath(path, largest + 1))) << file;
    }
    EXPECT_GE(checked, 3 * (36 + 2 * 42));
}

// Marks drawn over a tile at its top-left cell: the tile picture's face is
// the 40 x 56 rectangle at (4, 0) with its edge to the left and below.
TEST(GeneratedTree, MarksFollowTheTileGeometry)
{
    const STree& tree = GeneratedTree();
    const auto overlay = LoadBmp(tree.dir.File("Graphics/Game/Tile Overlay.bmp"));
    const auto hint = LoadBmp(tree.dir.File("Graphics/Game/Tile Hint.bmp"));
    const auto cursor = LoadBmp(tree.dir.File("Graphics/Gui/Cursor.bmp"));
    const auto mini = LoadBmp(tree.dir.File("Graphics/Gui/Preview Mahjongg Tile.bmp"));
    ASSERT_TRUE(overlay && hint && cursor && mini);
    struct SProbe {
        const SBitmap* bitmap;
        int x, y;
        bool drawn;
        const char* why;
    };
    const SProbe probes[] = {
        {&*overlay, 24, 28, true, "overlay warms the middle of the face"},
        {&*overlay, 5, 2, true, "overlay reaches the face's upper left"},
        {&*overlay, 42, 54, true, "overlay reaches the face's lower right"},
        {&*overlay, 1, 30, false, "overlay leaves the left edge alone"},
        {&*overlay, 20, 58, false, "overlay leaves the bottom edge alone"},
        {&*overlay, 50, 30, false, "overlay is black outside the tile"},
        {&*hint, 24, 28, false, "hint keeps the face's motif visible"},
        {&*hint, 5, 28, true, "hint frames the face's left side"},
        {&*hint, 42, 28, true, "hint frames the face's right side"},
        {&*hint, 24, 1, true, "hint frames the face's top"},
        {&*hint, 24, 54, true, "hint frames the face's bottom"},
        {&*hint, 45, 4, false, "hint stays off the right neighbour, over which it is drawn whole"},
        {&*hint, 45, 52, false, "hint stays off the right neighbour below too"},
        {&*cursor, 0, 0, true, "the cursor's tip is its top-left pixel"},
        {&*cursor, 31, 0, false, "the cursor points up and left"},
        {&*cursor, 0, 31, false, "the cursor's tail stays inside"},
        {&*mini, 5, 7, true, "the miniature fills its 11 x 15 tile"},
        {&*mini, 10, 0, true, "the miniature's right column overlaps the next cell"},
        {&*mini, 11, 7, false, "nothing right of the miniature"},
        {&*mini, 5, 15, false, "nothing below the miniature"},
    };
    for (const SProbe& probe : probes) {
        EXPECT_EQ(!IsKey(probe.bitmap->At(probe.x, probe.y)), probe.drawn) << probe.why;
    }
    // Nothing of the overlay lies outside the 44 x 60 rectangle the blend uses.
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            if (x >= 44 || y >= 60) {
                ASSERT_TRUE(IsKey(overlay->At(x, y))) << x << "," << y;
            }
        }
    }
}

// The settings files hold exactly what the game's own writer would write.
TEST(GeneratedTree, DataFilesHoldTheirPresetsExactly)
{
    const STree& tree = GeneratedTree();
    const std::vector<uint8_t> options = ReadBytes(tree.dir.File("Data/Options.dat"));
    ASSERT_EQ(options.size(), 528u);
    const std::string backdrop(options.begin() + 16, std::find(options.begin() + 16, options.begin() + 272, 0));
    EXPECT_TRUE(fs::is_regular_file(tree.dir.File("Graphics/Backdrops/" + backdrop))) << backdrop;
    platform::CBinaryWriter expected;
    for (const int32_t value : {20, 100, 1, 1}) {
        expected.WriteInt32(value);
    }
    expected.WriteText(backdrop, 256);
    expected.WriteText(assets::TileSetFolderNames().front(), 256);
    EXPECT_EQ(options, expected.Bytes());
    platform::CBinaryWriter play;
    play.WriteInt32(1);
    play.WriteText("Turtle", 256);
    EXPECT_EQ(ReadBytes(tree.dir.File("Data/PlayGame.dat")), play.Bytes());

    for (const char* flag : {"Data/Help1.dat", "Data/Help2.dat", "Data/Help3.dat"}) {
        EXPECT_EQ(ReadBytes(tree.dir.File(flag)), std::vector<uint8_t>{'0'}) << flag;
    }
    EXPECT_TRUE(fs::is_directory(tree.dir.File("Saves")) && fs::is_empty(tree.dir.File("Saves")));
}

// The rules page reads 4095 characters of plain Latin-1 text with line feeds.
TEST(GeneratedTree, RulesTextIsPlainAndShortEnough)
{
    const STree& tree = GeneratedTree();
    const std::vector<uint8_t> rules = ReadBytes(tree.dir.File("Data/Rules.txt"));
    ASSERT_FALSE(rules.empty());
    EXPECT_LE(rules.size(), assets::kRulesMaxChars);
    for (const uint8_t c : rules) {
        EXPECT_TRUE(c == '\n' || (c >= 32 && c <= 126) || c >= 160) << static_cast<int>(c);
    }
    const std::string text(rules.begin(), rules.end());
    for (const char* topic :
        {"Traditional", "Vesk Style", "Zandor", "Shuffle", "Pause", "Hint", "Save", "Leave", "F1", "F2", "F5", "F12"}) {
        EXPECT_NE(text.find(topic), std::string::npos) << topic;
    }
}

TEST(GeneratedTree, TwoRunsWriteTheSameBytes)
{
    const STree& first = GeneratedTree();
    testing_support::CTempDir second;
    ASSERT_TRUE(WriteTree(second.Path()));
    const std::vector<std::string> files = FilesBelow(first.dir.Path());
    ASSERT_EQ(files, FilesBelow(second.Path()));
    for (const std::string& file : files) {
        EXPECT_TRUE(ReadBytes(first.dir.File(file)) == ReadBytes(second.File(file))) << file;
    }
}

TEST(Latin1Text, ConvertsTheLettersItCanAndRefusesTheRest)
{
    const std::pair<std::string, std::optional<std::string>> cases[]
        = {{"Plain ASCII\n", "Plain ASCII\n"}, {"caf\xC3\xA9", "caf\xE9"}, {"\xC2\xA0\xC3\xBF", "\xA0\xFF"},
            {"euro \xE2\x82\xAC", std::nullopt}, {"cut \xC3", std::nullopt}, {"lone \xA9", std::nullopt}};
    for (const auto& [utf8, latin1] : cases) {
        EXPECT_EQ(assets::Utf8ToLatin1(utf8), latin1) << utf8;
    }
}

} // namespace
