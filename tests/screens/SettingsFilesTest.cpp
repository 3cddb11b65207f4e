// The settings files: exact bytes written, presets for missing fields, and a
// failed write that leaves the old file whole.
#include "PageRig.h"

#include "platform/BinaryIo.h"
#include "screens/SettingsFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>

using page_test::OptionsBytes;
using page_test::PlayGameBytes;

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
    const SOptions stored{55, 60, 1, 0, "Walnut Table.bmp", "Red Lacquer"};
    const std::vector<Case> cases = {
        {"empty", {}, SOptions{}},
        {"8 bytes", Numbers({7, 8}), SOptions{7, 8, 0, 1, "", ""}},
        {"10 bytes", [] { auto b = Numbers({7, 8}); b.push_back(1); b.push_back(0); return b; }(), SOptions{7, 8, 0, 1, "", ""}},
        {"complete", OptionsBytes({55, 60, 1, 0}, stored.backdrop, stored.tileSet), stored},
    };
    for (const Case& c : cases) {
        dir.Write("Data/Options.dat", c.bytes);
        const SOptions read = ReadOptionsFile();
        EXPECT_EQ(std::tie(read.mouseSensitivity, read.soundVolume, read.playMusic, read.fullScreen, read.backdrop,
                      read.tileSet),
            std::tie(c.expected.mouseSensitivity, c.expected.soundVolume, c.expected.playMusic, c.expected.fullScreen,
                c.expected.backdrop, c.expected.tileSet))
            << c.what;
    }
    std::filesystem::remove(dir.File("Data/Options.dat"));
    EXPECT_EQ(ReadOptionsFile().fullScreen, 1);
}

TEST_F(SettingsFilesTest, WritersProduceTheExactLayouts)
{
    ASSERT_TRUE(WriteOptionsFile(SOptions{20, 100, 1, 0, "Emerald Felt.bmp", "Ivory"}));
    EXPECT_EQ(ReadBack(dir, "Data/Options.dat"), OptionsBytes({20, 100, 1, 0}, "Emerald Felt.bmp", "Ivory"));

    ASSERT_TRUE(WritePlayGameFile(SPlayGame{3, "Twin Towers"}));
    EXPECT_EQ(ReadBack(dir, "Data/PlayGame.dat"), PlayGameBytes(3, "Twin Towers"));
    const SPlayGame read = ReadPlayGameFile();
    EXPECT_EQ(read.gameType, 3);
    EXPECT_EQ(read.layout, "Twin Towers");

    // A name that does not fit is cut to 255 characters.
    WritePlayGameFile(SPlayGame{1, std::string(300, 'x')});
    EXPECT_EQ(ReadPlayGameFile().layout, std::string(255, 'x'));
}

} // namespace
