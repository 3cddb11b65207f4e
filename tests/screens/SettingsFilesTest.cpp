// The settings files: exact bytes written and presets for missing fields.
// (Names cut to their fields are the binary fields' test.)
#include "PageRig.h"

#include <gtest/gtest.h>

using page_test::Bytes;

namespace {

// A name field laid out by hand: the text, zeros to 256 bytes.
Bytes NameField(const std::string& name)
{
    Bytes field(name.begin(), name.end());
    field.resize(256, 0);
    return field;
}

Bytes Join(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const auto& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

class SettingsFilesTest : public testing::Test {
protected:
    testing_support::CTempDir dir;
    testing_support::CScopedCurrentDir inDir{dir.Path()};
    SettingsFilesTest() { dir.MakeFolder("Data"); }
};

// (A missing file reads as the presets: the game framework's test.)
TEST_F(SettingsFilesTest, OptionsKeepThePresetsForEveryFieldTheFileLacks)
{
    const SOptions stored{55, 60, 1, 0, "Walnut Table.bmp", "Red Lacquer"};
    const std::tuple<const char*, Bytes, SOptions> cases[] = {
        {"empty", {}, SOptions{}},
        {"8 bytes", {7, 0, 0, 0, 8, 0, 0, 0}, SOptions{7, 8, 0, 1, "", ""}},
        {"10 bytes", {7, 0, 0, 0, 8, 0, 0, 0, 1, 0}, SOptions{7, 8, 0, 1, "", ""}},
        {"complete", EncodeOptions(stored), stored},
    };
    for (const auto& [what, bytes, expected] : cases) {
        dir.Write("Data/Options.dat", bytes);
        EXPECT_EQ(EncodeOptions(ReadOptionsFile()), EncodeOptions(expected)) << what;
    }
}

// Each file laid out by hand once; the other tests use the writers.
TEST_F(SettingsFilesTest, WritersProduceTheExactLayouts)
{
    ASSERT_TRUE(WriteOptionsFile(SOptions{20, 100, 1, -2, "Emerald Felt.bmp", "Ivory"}));
    EXPECT_EQ(*platform::ReadWholeFile(dir.File("Data/Options.dat")),
        Join({{20, 0, 0, 0, 100, 0, 0, 0, 1, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF}, NameField("Emerald Felt.bmp"),
            NameField("Ivory")}));

    ASSERT_TRUE(WritePlayGameFile(SPlayGame{3, "Twin Towers"}));
    EXPECT_EQ(*platform::ReadWholeFile(dir.File("Data/PlayGame.dat")), Join({{3, 0, 0, 0}, NameField("Twin Towers")}));
}

} // namespace
