// File access: path mapping, binary fields, atomic replacement, listings, clock.
#include "platform/Files.h"
#include "platform/BinaryIo.h"
#include "platform/Clock.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace platform;
using testing_support::CTempDir;

TEST(FilesTest, NativePathTurnsBackslashesIntoSlashes)
{
    EXPECT_EQ(NativePath("Data\\Options.dat"), "Data/Options.dat");
    EXPECT_EQ(NativePath("Graphics\\Tile Sets\\Ivory\\Dot 1.bmp"), "Graphics/Tile Sets/Ivory/Dot 1.bmp");
    EXPECT_EQ(NativePath("plain"), "plain");
}

TEST(BinaryIoTest, Int32IsLittleEndianAndSigned)
{
    CBinaryWriter writer;
    writer.WriteInt32(0x01020304);
    writer.WriteInt32(-2);
    EXPECT_EQ(writer.Bytes(), (Bytes{4, 3, 2, 1, 0xFE, 0xFF, 0xFF, 0xFF}));
    CBinaryReader reader(writer.Bytes());
    int32_t a = 0, b = 0;
    EXPECT_TRUE(reader.ReadInt32(a));
    EXPECT_TRUE(reader.ReadInt32(b));
    EXPECT_EQ(a, 0x01020304);
    EXPECT_EQ(b, -2);
}

TEST(BinaryIoTest, TextFieldsAreCutTerminatedAndZeroPadded)
{
    struct Case {
        std::string text;
        size_t field;
        std::string stored;
    } cases[] = {
        {"Player", 32, "Player"},
        {std::string(40, 'x'), 32, std::string(31, 'x')},
        {std::string(31, 'y'), 32, std::string(31, 'y')},
        {"", 32, ""},
        {std::string("ab\0cd", 5), 32, "ab"},
    };
    for (const auto& c : cases) {
        CBinaryWriter writer;
        writer.WriteText(c.text, c.field);
        ASSERT_EQ(writer.Bytes().size(), c.field);
        for (size_t i = c.stored.size(); i < c.field; ++i) {
            EXPECT_EQ(writer.Bytes()[i], 0) << "byte " << i << " of '" << c.text << "'";
        }
        CBinaryReader reader(writer.Bytes());
        std::string read = "preset";
        EXPECT_TRUE(reader.ReadText(read, c.field));
        EXPECT_EQ(read, c.stored);
    }
}

TEST(BinaryIoTest, ReaderStopsAtFirstZeroAndTakesUnterminatedFieldWhole)
{
    Bytes field = {'A', 'B', 0, 'C', 'D'};
    CBinaryReader reader(field);
    std::string text;
    ASSERT_TRUE(reader.ReadText(text, 5));
    EXPECT_EQ(text, "AB");

    Bytes full = {'W', 'X', 'Y', 'Z'};
    CBinaryReader whole(full);
    ASSERT_TRUE(whole.ReadText(text, 4));
    EXPECT_EQ(text, "WXYZ");
}

TEST(BinaryIoTest, ShortReadKeepsPresetValues)
{
    Bytes bytes = {7, 0, 0, 0, 1, 2};
    CBinaryReader reader(bytes);
    int32_t first = 20, second = 100;
    std::string name = "none";
    EXPECT_TRUE(reader.ReadInt32(first));
    EXPECT_FALSE(reader.ReadInt32(second));
    EXPECT_FALSE(reader.ReadText(name, 256));
    EXPECT_EQ(first, 7);
    EXPECT_EQ(second, 100);
    EXPECT_EQ(name, "none");
    EXPECT_TRUE(reader.WasShort());
}

TEST(FilesTest, AtomicWriteReplacesWholeAndLeavesNoTemporaryFiles)
{
    CTempDir dir;
    const std::string path = dir.File("Options.dat");
    ASSERT_TRUE(WriteFileAtomically(path, Bytes(528, 1)));
    ASSERT_TRUE(WriteFileAtomically(path, Bytes{1, 2, 3}));
    EXPECT_EQ(ReadWholeFile(path), (Bytes{1, 2, 3}));
    EXPECT_EQ(ListFiles(dir.Path()), std::vector<std::string>{"Options.dat"});
}

TEST(FilesTest, FailedAtomicWriteLeavesOldFileAndReportsFailure)
{
    CTempDir dir;
    EXPECT_FALSE(WriteFileAtomically(dir.File("missing folder/file.dat"), Bytes{1}));
    // A file that cannot be replaced because its folder is read-only.
    dir.MakeFolder("locked");
    const std::string path = dir.File("locked/Records");
    ASSERT_TRUE(WriteFileAtomically(path, Bytes{9, 9}));
    ::chmod(dir.File("locked").c_str(), 0555);
    if (::geteuid() != 0) { // root ignores folder permissions
        EXPECT_FALSE(WriteFileAtomically(path, Bytes{1}));
    }
    ::chmod(dir.File("locked").c_str(), 0755);
    EXPECT_EQ(ReadWholeFile(path), (Bytes{9, 9}));
}

TEST(FilesTest, ListingsSeparateFilesFromFoldersSortedWithoutHiddenEntries)
{
    CTempDir dir;
    dir.Write("b.txt", "b");
    dir.Write("a.txt", "a");
    dir.Write(".hidden", "h");
    dir.MakeFolder("Ivory");
    dir.MakeFolder("Jade");
    EXPECT_EQ(ListFiles(dir.Path()), (std::vector<std::string>{"a.txt", "b.txt"}));
    EXPECT_EQ(ListFolders(dir.Path()), (std::vector<std::string>{"Ivory", "Jade"}));
    EXPECT_TRUE(ListFiles(dir.File("nowhere")).empty());
    EXPECT_FALSE(ReadWholeFile(dir.File("nowhere")).has_value());
    EXPECT_FALSE(ReadWholeFile(dir.Path()).has_value());
}

TEST(ClockTest, FakeClockReplacesTheSystemClockAndWaitAdvancesIt)
{
    {
        CScopedFakeClock clock(0xFFFFFFF0u);
        EXPECT_EQ(GetTicks(), 0xFFFFFFF0u);
        WaitMs(500);
        EXPECT_EQ(GetTicks(), 0xFFFFFFF0u + 500u); // wraps like the system tick count
        clock->Advance(10);
        EXPECT_EQ(GetTicks(), 494u);
    }
    const uint32_t first = GetTicks();
    WaitMs(2);
    EXPECT_NE(GetTicks(), first);
}
