// The settings files: exact bytes written, presets for missing fields, and a
// failed write that leaves the old file whole.
#include "gui/FrameworkHarness.h"
#include "platform/BinaryIo.h"
#include "screens/SettingsFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

std::vector<uint8_t> Numbers(std::initializer_list<int32_t> values)
{
    platform::CBinaryWriter writer;
    for (int32_t value : values) {
        writer.WriteInt32(value);
    }
    return writer.TakeBytes();
}

std::vector<uint8_t> ReadBack(const testing_support::CTempDir& dir, const std::string& relative)
{
    return *platform::ReadWholeFile(dir.File(relative));
}

class SettingsFilesTest : public testing::Test {
protected:
    testing_support::CTempDir dir;
    testing_support::CScopedCurrentDir inDir{dir.Path()};
    SettingsFilesTest() { dir.MakeFolder("Data"); }
};

TEST_F(SettingsFilesTest, OptionsKeepThePresetsForEveryFieldTheFileLacks)
{
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        SOptions expected;
    };
    SOptions stored{55, 60, 1, 0, "Walnut Table.bmp", "Red Lacquer"};
    platform::CBinaryWriter full;
    for (int32_t v : {55, 60, 1, 0}) {
        full.WriteInt32(v);
    }
    full.WriteText(stored.backdrop, 256);
    full.WriteText(stored.tileSet, 256);
    const std::vector<Case> cases = {
        {"empty", {}, SOptions{}},
        {"8 bytes", Numbers({7, 8}), SOptions{7, 8, 0, 1, "", ""}},
        {"10 bytes", [] { auto b = Numbers({7, 8}); b.push_back(1); b.push_back(0); return b; }(), SOptions{7, 8, 0, 1, "", ""}},
        {"complete", full.Bytes(), stored},
    };
    for (const Case& c : cases) {
        dir.Write("Data/Options.dat", c.bytes);
        const SOptions read = ReadOptionsFile();
        EXPECT_EQ(read.mouseSensitivity, c.expected.mouseSensitivity) << c.what;
        EXPECT_EQ(read.soundVolume, c.expected.soundVolume) << c.what;
        EXPECT_EQ(read.playMusic, c.expected.playMusic) << c.what;
        EXPECT_EQ(read.fullScreen, c.expected.fullScreen) << c.what;
        EXPECT_EQ(read.backdrop, c.expected.backdrop) << c.what;
        EXPECT_EQ(read.tileSet, c.expected.tileSet) << c.what;
    }
    std::filesystem::remove(dir.File("Data/Options.dat"));
    EXPECT_EQ(ReadOptionsFile().fullScreen, 1);
}

TEST_F(SettingsFilesTest, WritersProduceTheExactLayouts)
{
    ASSERT_TRUE(WriteOptionsFile(SOptions{20, 100, 1, 0, "Emerald Felt.bmp", "Ivory"}));
    const auto options = ReadBack(dir, "Data/Options.dat");
    ASSERT_EQ(options.size(), 528u);
    platform::CBinaryWriter expected;
    for (int32_t v : {20, 100, 1, 0}) {
        expected.WriteInt32(v);
    }
    expected.WriteText("Emerald Felt.bmp", 256);
    expected.WriteText("Ivory", 256);
    EXPECT_EQ(options, expected.Bytes());

    ASSERT_TRUE(WritePlayGameFile(SPlayGame{3, "Twin Towers"}));
    const auto playGame = ReadBack(dir, "Data/PlayGame.dat");
    ASSERT_EQ(playGame.size(), 260u);
    EXPECT_EQ(playGame[0], 3);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&playGame[4])), "Twin Towers");
    EXPECT_EQ(playGame[4 + 11], 0);
    EXPECT_EQ(playGame.back(), 0);
    const SPlayGame read = ReadPlayGameFile();
    EXPECT_EQ(read.gameType, 3);
    EXPECT_EQ(read.layout, "Twin Towers");

    // A name that does not fit is cut to 255 characters.
    WritePlayGameFile(SPlayGame{1, std::string(300, 'x')});
    EXPECT_EQ(ReadPlayGameFile().layout, std::string(255, 'x'));
}

} // namespace
