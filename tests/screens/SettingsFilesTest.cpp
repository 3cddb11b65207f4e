// The settings files: exact bytes written, presets for missing fields, and a
// failed write that leaves the old file whole.
#include "PageRig.h"

#include "screens/SettingsFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>

using page_test::OptionsBytes;

namespace {

// A name field laid out by hand: the text, zeros to 256 bytes.
std::vector<uint8_t> NameField(const std::string& name)
{
    std::vector<uint8_t> field(name.begin(), name.end());
    field.resize(256, 0);
    return field;
}

std::vector<uint8_t> Join(std::initializer_list<std::vector<uint8_t>> parts)
{
    std::vector<uint8_t> all;
    for (const auto& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
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
        {"8 bytes", {7, 0, 0, 0, 8, 0, 0, 0}, SOptions{7, 8, 0, 1, "", ""}},
        {"10 bytes", {7, 0, 0, 0, 8, 0, 0, 0, 1, 0}, SOptions{7, 8, 0, 1, "", ""}},
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

// Each file laid out by hand once; the other tests use the writers.
TEST_F(SettingsFilesTest, WritersProduceTheExactLayouts)
{
    ASSERT_TRUE(WriteOptionsFile(SOptions{20, 100, 1, -2, "Emerald Felt.bmp", "Ivory"}));
    EXPECT_EQ(ReadBack(dir, "Data/Options.dat"),
        Join({{20, 0, 0, 0, 100, 0, 0, 0, 1, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF}, NameField("Emerald Felt.bmp"),
            NameField("Ivory")}));

    ASSERT_TRUE(WritePlayGameFile(SPlayGame{3, "Twin Towers"}));
    EXPECT_EQ(ReadBack(dir, "Data/PlayGame.dat"), Join({{3, 0, 0, 0}, NameField("Twin Towers")}));
    const SPlayGame read = ReadPlayGameFile();
    EXPECT_EQ(read.gameType, 3);
    EXPECT_EQ(read.layout, "Twin Towers");

    // A name that does not fit is cut to 255 characters.
    WritePlayGameFile(SPlayGame{1, std::string(300, 'x')});
    EXPECT_EQ(ReadPlayGameFile().layout, std::string(255, 'x'));
}

} // namespace
