// The settings files' exact bytes, laid out by hand once; the other tests use
// the writers. (Short files keeping the presets, and names cut to their
// fields, are the binary fields' tests; the fields' order shows in every
// page that reads back what a writer laid out.)
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

// (Where the writers put the files shows in every page test that reads them.)
TEST(SettingsFilesTest, EncodersProduceTheExactLayouts)
{
    EXPECT_EQ(EncodeOptions({20, 100, 1, -2, "Emerald Felt.bmp", "Ivory"}),
        Join({{20, 0, 0, 0, 100, 0, 0, 0, 1, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF}, NameField("Emerald Felt.bmp"),
            NameField("Ivory")}));
    EXPECT_EQ(EncodePlayGame({3, "Twin Towers"}), Join({{3, 0, 0, 0}, NameField("Twin Towers")}));
}

} // namespace
