// File access: binary fields, atomic replacement, path mapping, listings, clock.
#include "platform/Files.h"
#include "platform/BinaryIo.h"
#include "platform/Clock.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <tuple>

using namespace platform;

TEST(BinaryIoTest, Int32IsLittleEndianAndSignedAndShortReadsKeepPresets)
{
    CBinaryWriter writer;
    writer.WriteInt32(0x01020304);
    writer.WriteInt32(-2);
    EXPECT_EQ(writer.Bytes(), (Bytes{4, 3, 2, 1, 0xFE, 0xFF, 0xFF, 0xFF}));
    Bytes bytes = writer.Bytes();
    bytes.push_back(9); // the start of a third value
    CBinaryReader reader(bytes);
    int32_t a = 0, b = 0, c = 100;
    std::string name = "none";
    EXPECT_TRUE(reader.ReadInt32(a) && reader.ReadInt32(b));
    EXPECT_FALSE(reader.ReadInt32(c));
    EXPECT_FALSE(reader.ReadText(name, 256));
    EXPECT_TRUE(reader.WasShort());
    EXPECT_EQ(std::tuple(a, b, c, name), std::tuple(0x01020304, -2, 100, std::string("none")));
}

TEST(BinaryIoTest, TextFieldsAreCutTerminatedAndZeroPadded)
{
    const std::pair<std::string, std::string> cases[] = {
        {std::string(40, 'x'), std::string(31, 'x')},
        {std::string(31, 'y'), std::string(31, 'y')},
        {"", ""},
        {std::string("ab\0cd", 5), "ab"},
    };
    for (const auto& [text, stored] : cases) {
        CBinaryWriter writer;
        writer.WriteText(text, 32);
        Bytes expected(stored.begin(), stored.end());
        expected.resize(32, 0);
        EXPECT_EQ(writer.Bytes(), expected) << text;
    }
    // Reading stops at the first zero and takes an unterminated field whole.
    const std::pair<Bytes, std::string> reads[] = {{{'A', 'B', 0, 'C', 'D'}, "AB"}, {{'W', 'X', 'Y', 'Z'}, "WXYZ"}};
    for (const auto& [field, text] : reads) {
        CBinaryReader reader(field);
        std::string read = "preset";
        EXPECT_TRUE(reader.ReadText(read, field.size()));
        EXPECT_EQ(read, text);
    }
}

// A replacement is whole or nothing, succeeds only where writing the file in
// place would, and the file keeps its permission bits. Root may write
// anything, so a file whose owner may not write it is refused to everyone:
// the player made it read-only.
TEST(FilesTest, AtomicWriteReplacesWholeOrNotAtAllAndKeepsPermissionBits)
{
    testing_support::CTempDir dir;
    const std::string path = dir.File("Options.dat");
    ASSERT_TRUE(WriteFileAtomically(path, Bytes(528, 1)));
    ASSERT_TRUE(WriteFileAtomically(path, Bytes{1, 2, 3}));
    EXPECT_EQ(ReadWholeFile(path), (Bytes{1, 2, 3}));
    // Failures are reported and leave what was there: a missing folder, a
    // folder in the file's place.
    EXPECT_FALSE(WriteFileAtomically(dir.File("missing folder/file.dat"), Bytes{1}));
    dir.Write("Saves/kept", "x");
    EXPECT_FALSE(WriteFileAtomically(dir.File("Saves"), Bytes{1}));
    EXPECT_EQ(ReadWholeFile(path), (Bytes{1, 2, 3}));
    for (const mode_t mode : {0444, 0400, 0464, 0600, 0640, 0664}) {
        SCOPED_TRACE(mode);
        ASSERT_TRUE(WriteFileAtomically(path, Bytes{1}));
        ASSERT_EQ(::chmod(path.c_str(), mode), 0);
        const bool writable = (mode & S_IWUSR) != 0;
        EXPECT_EQ(WriteFileAtomically(path, Bytes{2}), writable);
        EXPECT_EQ(ReadWholeFile(path), Bytes{static_cast<uint8_t>(writable ? 2 : 1)});
        struct stat info { };
        ASSERT_EQ(::stat(path.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, mode);
        ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
    }
    EXPECT_EQ(ListFiles(dir.Path()), std::vector<std::string>{"Options.dat"}) << "no temporary file is left";
}

TEST(FilesTest, PathsMapAndListingsSeparateFilesFromFoldersSortedWithoutHiddenEntries)
{
    EXPECT_EQ(NativePath("Graphics\\Tile Sets\\Dot 1.bmp"), "Graphics/Tile Sets/Dot 1.bmp");
    testing_support::CTempDir dir;
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
        clock->Advance(10);
        EXPECT_EQ(GetTicks(), 494u) << "wraps like the system tick count";
    }
    const uint32_t first = GetTicks();
    WaitMs(2);
    EXPECT_NE(GetTicks(), first) << "the system clock is back";
}
