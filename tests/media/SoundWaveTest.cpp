// The RIFF walk over regular and odd WAV files: what loads, what it yields,
// and that nothing is read past the end of the bytes.
#include "media/SoundWave.h"
#include "WaveBytes.h"

#include <gtest/gtest.h>

#include <optional>

using namespace wave_bytes;

namespace {

const Bytes kFormat16 = FormatBody(1, 1, 22050, 16);
const Bytes kData = Samples({100, -200, 300});

// The file copied into a buffer of exactly its size, so that the sanitizer
// catches a read past its end.
std::optional<Bytes> DataOf(const Bytes& file)
{
    const auto exact = std::make_unique<uint8_t[]>(file.size() + 1);
    std::copy(file.begin(), file.end(), exact.get());
    const auto wave = wave::ReadWave(std::span<const uint8_t>(exact.get(), file.size()));
    if (!wave) {
        return std::nullopt;
    }
    return Bytes(wave->data.begin(), wave->data.end());
}

} // namespace

TEST(SoundWaveTest, FilesThatLoadAndTheDataTheyYield)
{
    const Bytes junk3 = Chunk("junk", {1, 2, 3});
    struct Case {
        const char* name;
        Bytes file;
        Bytes data;
    } cases[] = {
        {"16-byte format chunk", MonoWave({100, -200, 300}), kData},
        {"18-byte format chunk", Riff(Concat({Chunk("fmt ", FormatBody(1, 1, 22050, 16, true)), Chunk("data", kData)})),
            kData},
        {"chunks between format and data",
            Riff(Concat({Chunk("fmt ", kFormat16), Chunk("LIST", Bytes(10, 7)), junk3, Chunk("data", kData)})), kData},
        {"odd format chunk with its pad byte",
            Riff(Concat({Chunk("fmt ", Concat({kFormat16, Bytes{9}})), Chunk("data", kData)})), kData},
        {"8-bit stereo 44100 Hz data taken as it is",
            Riff(Concat({Chunk("fmt ", FormatBody(1, 2, 44100, 8)), Chunk("data", {1, 2, 3, 4})})), Bytes{1, 2, 3, 4}},
        {"first chunk not the format but starting with 1, 0",
            Riff(Concat({Chunk("LIST", Concat({Bytes{1, 0}, Bytes(20, 0)})), Chunk("fmt ", FormatBody(3, 1, 22050, 32)),
                Chunk("data", kData)})),
            kData},
        {"data chunk longer than the file gives what is there",
            Riff(Concat({Chunk("fmt ", kFormat16), Bytes{'d', 'a', 't', 'a', 0xE8, 0x03, 0, 0, 5, 6, 7, 8}})),
            Bytes{5, 6, 7, 8}},
        {"data size 0xFFFFFFFF", Riff(Concat({Chunk("fmt ", kFormat16), Chunk("data", kData, 0xFFFFFFFF)})), kData},
        {"empty data chunk", Riff(Concat({Chunk("fmt ", kFormat16), Chunk("data", {})})), Bytes{}},
        {"RIFF size wrong",
            Concat({Bytes{'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V', 'E'}, Chunk("fmt ", kFormat16),
                Chunk("data", kData)}),
            kData},
        {"WAVE form after another RIFF form",
            Concat({Riff(Chunk("avih", Bytes(8, 0)), "AVI "), MonoWave({100, -200, 300})}), kData},
    };
    for (const Case& c : cases) {
        const auto data = DataOf(c.file);
        ASSERT_TRUE(data.has_value()) << c.name;
        EXPECT_EQ(*data, c.data) << c.name;
    }
}

TEST(SoundWaveTest, FilesThatDoNotLoad)
{
    const Bytes truncatedFormat = Concat(
        {Bytes{'R', 'I', 'F', 'F', 100, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0, 0}, Bytes(17, 0)});
    struct Case {
        const char* name;
        Bytes file;
    } cases[] = {
        {"empty file", {}},
        {"not RIFF", Concat({Bytes{'R', 'I', 'F', 'X'}, MonoWave({1, 2})})},
        {"RIFF of another form", Riff(Concat({Chunk("fmt ", kFormat16), Chunk("data", kData)}), "AVI ")},
        {"RIFF header cut short", Bytes{'R', 'I', 'F', 'F', 20, 0, 0, 0, 'W', 'A'}},
        {"nothing inside the form", Riff({})},
        {"file ends inside the 18-byte format record", truncatedFormat},
        {"format tag 3 (float)", Riff(Concat({Chunk("fmt ", FormatBody(3, 1, 22050, 32)), Chunk("data", kData)}))},
        {"format tag 0xFFFE (extensible)",
            Riff(Concat({Chunk("fmt ", FormatBody(0xFFFE, 1, 22050, 16, true)), Chunk("data", kData)}))},
        {"first chunk not the format",
            Riff(Concat({Chunk("LIST", Bytes{'I', 'N', 'F', 'O', 0, 0, 0, 0}), Chunk("fmt ", kFormat16),
                Chunk("data", kData)}))},
        {"no data chunk", Riff(Chunk("fmt ", kFormat16))},
        {"data before the format",
            Riff(Concat({Chunk("data", Samples({1, 0, 0, 0, 0, 0, 0, 0, 0})), Chunk("fmt ", kFormat16)}))},
        {"format chunk size runs past the end",
            Riff(Concat({Chunk("fmt ", kFormat16, 0xFFFFFFFF), Chunk("data", kData)}))},
        {"huge chunk before the data",
            Riff(Concat({Chunk("fmt ", kFormat16), Chunk("junk", Bytes(4, 0), 0xFFFFFFF0), Chunk("data", kData)}))},
        {"data header cut short", Concat({Riff(Chunk("fmt ", kFormat16)), Bytes{'d', 'a', 't', 'a', 2, 0}})},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(DataOf(c.file).has_value()) << c.name;
    }
}

TEST(SoundWaveTest, TheFormatRecordIsReadAsTheFileRuns)
{
    // A 16-byte format chunk lends the first two bytes of the next header
    // ("da") as the extra size; the data search still starts after 16 bytes.
    const Bytes file = MonoWave({5});
    const auto wave = wave::ReadWave(file);
    ASSERT_TRUE(wave.has_value());
    EXPECT_EQ(wave->format.channels, 1);
    EXPECT_EQ(wave->format.samplesPerSec, 22050u);
    EXPECT_EQ(wave->format.bitsPerSample, 16);
    EXPECT_EQ(wave->format.extraSize, 'd' | ('a' << 8));
    EXPECT_EQ(wave->data.size(), 2u);
}

TEST(SoundWaveTest, SamplesAreLittleEndianSignedAndAnOddByteIsDropped)
{
    struct Case {
        Bytes bytes;
        std::vector<int16_t> samples;
    } cases[] = {
        {{}, {}},
        {{0x01}, {}},
        {{0x01, 0x00, 0xFF, 0xFF, 0x00, 0x80, 0xFF, 0x7F}, {1, -1, -32768, 32767}},
        {{0x34, 0x12, 0x56}, {0x1234}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(wave::SamplesFromBytes(c.bytes), c.samples);
    }
}
