// WAV files built byte by byte, regular and odd, read by the RIFF walk; clips
// played through an offline sound system and checked on the frames the mixer
// produces; the volume levels.
#include "media/Sound.h"
#include "media/SoundSystem.h"
#include "media/SoundWave.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <cstring>

using V = std::vector<int16_t>;

namespace {

using Bytes = std::vector<uint8_t>;

Bytes operator+(Bytes front, const Bytes& back)
{
    front.insert(front.end(), back.begin(), back.end());
    return front;
}

Bytes Le(uint64_t value, int byteCount)
{
    Bytes out;
    for (int i = 0; i < byteCount; ++i) {
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
    return out;
}

Bytes Text(const char* text) { return Bytes(text, text + std::strlen(text)); }

// Id, size field (by default the body's length), body, and a pad byte after an odd-sized body.
Bytes Chunk(const char* id, const Bytes& body, int64_t sizeField = -1)
{
    return Text(id) + Le(sizeField < 0 ? body.size() : static_cast<uint64_t>(sizeField), 4) + body
        + (body.size() % 2 == 1 ? Bytes{0} : Bytes{});
}

// The body of a format chunk: 16 bytes, or 18 with the extra size field.
Bytes Format(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits, bool withExtraSize = false)
{
    return Le(tag, 2) + Le(channels, 2) + Le(rate, 4) + Le(rate * channels * bits / 8, 4) + Le(channels * bits / 8, 2)
        + Le(bits, 2) + (withExtraSize ? Le(0, 2) : Bytes{});
}

Bytes Samples(std::initializer_list<int16_t> samples)
{
    Bytes out;
    for (const int16_t sample : samples) {
        out = out + Le(static_cast<uint16_t>(sample), 2);
    }
    return out;
}

Bytes Riff(const Bytes& chunks, const char* form = "WAVE") { return Chunk("RIFF", Text(form) + chunks); }

const Bytes kFormat16 = Format(1, 1, 22050, 16);
const Bytes kData = Samples({100, -200, 300});

Bytes MonoWave(std::initializer_list<int16_t> samples)
{
    return Riff(Chunk("fmt ", kFormat16) + Chunk("data", Samples(samples)));
}

// The data of the file read from a buffer of exactly its size, so that the
// sanitizer catches a read past its end.
std::optional<Bytes> DataOf(const Bytes& file)
{
    const auto exact = std::make_unique<uint8_t[]>(file.size() + 1);
    std::copy(file.begin(), file.end(), exact.get());
    const auto wave = wave::ReadWave(std::span<const uint8_t>(exact.get(), file.size()));
    return wave ? std::optional(Bytes(wave->data.begin(), wave->data.end())) : std::nullopt;
}

// An offline sound system in a run folder of its own.
struct SoundRig {
    testing_support::CTempDir folder;
    testing_support::CScopedCurrentDir inFolder{folder.Path()};
    CSoundSystem sounds;

    SoundRig()
    {
        folder.MakeFolder("Sounds");
        sounds.Create();
        sounds.CreateOfflineBuffer();
    }

    void Write(const std::string& name, const Bytes& bytes) { folder.Write("Sounds/" + name, bytes); }

    // The left channel of the next frames.
    V Pull(size_t frameCount)
    {
        V stereo(2 * frameCount);
        sounds.Mixer()->Mix(stereo.data(), frameCount);
        V left;
        for (size_t i = 0; i < frameCount; ++i) {
            left.push_back(stereo[2 * i]);
        }
        return left;
    }
};

} // namespace

TEST(SoundWaveTest, FilesThatLoadAndTheDataTheyYield)
{
    struct Case {
        const char* name;
        Bytes file, data;
    } cases[] = {
        {"16-byte format chunk", MonoWave({100, -200, 300}), kData},
        {"18-byte format chunk", Riff(Chunk("fmt ", Format(1, 1, 22050, 16, true)) + Chunk("data", kData)), kData},
        {"chunks between format and data",
            Riff(Chunk("fmt ", kFormat16) + Chunk("LIST", Bytes(10, 7)) + Chunk("junk", {1, 2, 3})
                + Chunk("data", kData)),
            kData},
        {"odd format chunk with its pad byte", Riff(Chunk("fmt ", kFormat16 + Bytes{9}) + Chunk("data", kData)), kData},
        {"8-bit stereo 44100 Hz data taken as it is",
            Riff(Chunk("fmt ", Format(1, 2, 44100, 8)) + Chunk("data", {1, 2, 3, 4})), Bytes{1, 2, 3, 4}},
        {"first chunk not the format but starting with 1, 0",
            Riff(Chunk("LIST", Bytes{1, 0} + Bytes(20, 0)) + Chunk("fmt ", Format(3, 1, 22050, 32))
                + Chunk("data", kData)),
            kData},
        {"data chunk longer than the file gives what is there",
            Riff(Chunk("fmt ", kFormat16) + Text("data") + Le(1000, 4) + Bytes{5, 6, 7, 8}), Bytes{5, 6, 7, 8}},
        {"data size 0xFFFFFFFF", Riff(Chunk("fmt ", kFormat16) + Chunk("data", kData, 0xFFFFFFFF)), kData},
        {"RIFF size wrong", Text("RIFF") + Le(4, 4) + Text("WAVE") + Chunk("fmt ", kFormat16) + Chunk("data", kData),
            kData},
        {"WAVE form after another RIFF form", Riff(Chunk("avih", Bytes(8, 0)), "AVI ") + MonoWave({100, -200, 300}),
            kData},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DataOf(c.file), c.data) << c.name;
    }
}

TEST(SoundWaveTest, FilesThatDoNotLoad)
{
    struct Case {
        const char* name;
        Bytes file;
    } cases[] = {
        {"empty file", {}},
        {"not RIFF", Text("RIFX") + MonoWave({1, 2})},
        {"RIFF of another form", Riff(Chunk("fmt ", kFormat16) + Chunk("data", kData), "AVI ")},
        {"RIFF header cut short", Text("RIFF") + Le(20, 4) + Text("WA")},
        {"file ends inside the 18-byte format record",
            Text("RIFF") + Le(100, 4) + Text("WAVEfmt ") + Le(16, 4) + Bytes(17, 0)},
        {"format tag 3 (float)", Riff(Chunk("fmt ", Format(3, 1, 22050, 32)) + Chunk("data", kData))},
        {"first chunk not the format",
            Riff(Chunk("LIST", Text("INFO") + Le(0, 4)) + Chunk("fmt ", kFormat16) + Chunk("data", kData))},
        {"no data chunk", Riff(Chunk("fmt ", kFormat16))},
        {"data before the format",
            Riff(Chunk("data", Samples({1, 0, 0, 0, 0, 0, 0, 0, 0})) + Chunk("fmt ", kFormat16))},
        {"format chunk size runs past the end", Riff(Chunk("fmt ", kFormat16, 0xFFFFFFFF) + Chunk("data", kData))},
        {"huge chunk before the data",
            Riff(Chunk("fmt ", kFormat16) + Chunk("junk", Bytes(4, 0), 0xFFFFFFF0) + Chunk("data", kData))},
        {"data header cut short", Riff(Chunk("fmt ", kFormat16)) + Text("data") + Le(2, 2)},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(DataOf(c.file).has_value()) << c.name;
    }
}

TEST(SoundWaveTest, SamplesAreLittleEndianSignedAndAnOddByteIsDropped)
{
    EXPECT_EQ(wave::SamplesFromBytes(Bytes{0x01}), V{});
    EXPECT_EQ(
        wave::SamplesFromBytes(Bytes{0x01, 0x00, 0xFF, 0xFF, 0x00, 0x80, 0xFF, 0x7F, 0x56}), (V{1, -1, -32768, 32767}));
}

TEST(SoundTest, VolumeLevelsInHundredthsOfADecibelAndWhatIsHeard)
{
    const std::pair<int32_t, int32_t> volumes[] = {{100, 0}, {99, -10}, {50, -500}, {10, -900}, {9, -10000},
        {0, -10000}, {INT_MIN, -10000}, {101, 0}, {INT_MAX, 0}};
    for (const auto& [level, volume] : volumes) {
        EXPECT_EQ(CSoundSystem::VolumeFromLevel(level), volume) << level;
    }
    const std::pair<int32_t, int16_t> heard[] = {{100, 20000}, {50, 11247}, {10, 7096}, {9, 0}, {150, 20000}};
    for (const auto& [level, sample] : heard) {
        SoundRig rig;
        rig.Write("Tone.wav", MonoWave({20000}));
        CSound tone;
        ASSERT_TRUE(tone.Load("Sounds\\Tone.wav", &rig.sounds));
        rig.sounds.SetVolume(level);
        tone.Play();
        EXPECT_EQ(rig.Pull(1), V{sample}) << level;
    }
}

TEST(SoundTest, PlayStopResumeAndLoopOnWhatIsMixed)
{
    SoundRig rig;
    rig.Write("Click.wav", MonoWave({1, 2, 3, 4}));
    rig.Write("Harp Intro.wav", MonoWave({10, 20, 30}));
    CSound click;
    CSound music;
    ASSERT_TRUE(click.Load("Sounds\\Click.wav", &rig.sounds));
    ASSERT_TRUE(music.Load("Sounds\\Harp Intro.wav", &rig.sounds));

    // A button clicked twice in quick succession sounds once.
    click.Play();
    EXPECT_EQ(rig.Pull(2), (V{1, 2}));
    click.Play();
    EXPECT_EQ(rig.Pull(3), (V{3, 4, 0}));
    EXPECT_FALSE(click.IsPlaying());
    // Played to its end, it starts from the beginning.
    click.Play();
    EXPECT_EQ(rig.Pull(1), V{1});
    click.Stop();

    // The menu's music: looped, stopped where it is, resumed from there.
    music.Play(true);
    EXPECT_EQ(rig.Pull(4), (V{10, 20, 30, 10}));
    music.Stop();
    EXPECT_FALSE(music.IsPlaying());
    EXPECT_EQ(rig.Pull(1), V{0});
    music.Play(true);
    EXPECT_TRUE(music.IsPlaying());
    // The stopped click resumes where it stopped and mixes with the music.
    click.Play();
    EXPECT_EQ(rig.Pull(4), (V{22, 33, 14, 20}));
}

TEST(SoundTest, FileFormatIsIgnoredAndALoadReplacesTheClip)
{
    SoundRig rig;
    rig.Write("Eight.wav", Riff(Chunk("fmt ", Format(1, 2, 44100, 8)) + Chunk("data", {0x01, 0x02, 0x03, 0x04})));
    rig.Write("Long.wav", MonoWave({1, 1, 1}));
    CSound sound;
    ASSERT_TRUE(sound.Load("Sounds\\Long.wav", &rig.sounds));
    sound.Play(true);
    ASSERT_TRUE(sound.Load("Sounds\\Eight.wav", &rig.sounds));
    EXPECT_FALSE(sound.IsPlaying());
    sound.Play();
    EXPECT_EQ(rig.Pull(3), (V{0x0201, 0x0403, 0})) << "8-bit stereo data played as 16-bit mono";
    // A failed load leaves no clip behind either.
    sound.Play(true);
    EXPECT_FALSE(sound.Load("Sounds\\Missing.wav", &rig.sounds));
    EXPECT_EQ(rig.Pull(1), V{0});
}

TEST(SoundTest, SoundsThatDoNotLoadStaySilentAndAnswerNotPlaying)
{
    SoundRig rig;
    rig.Write("Empty.wav", Riff(Chunk("fmt ", kFormat16) + Chunk("data", {})));
    rig.Write("Text.wav", Text("hello"));
    rig.Write("Good.wav", MonoWave({5}));
    CSoundSystem noOutput;
    noOutput.Create();
    const std::pair<const char*, CSoundSystem*> cases[] = {{"Sounds\\Missing.wav", &rig.sounds},
        {"Nowhere\\Select.wav", &rig.sounds}, {"Sounds\\Empty.wav", &rig.sounds}, {"Sounds\\Text.wav", &rig.sounds},
        {"Sounds\\Good.wav", nullptr}, {"Sounds\\Good.wav", &noOutput}};
    for (const auto& [file, sounds] : cases) {
        CSound sound;
        EXPECT_FALSE(sound.Load(file, sounds)) << file;
        sound.Play(true);
        EXPECT_FALSE(sound.IsPlaying()) << file;
        EXPECT_EQ(rig.Pull(1), V{0}) << file;
    }
}

TEST(SoundTest, TheSystemDeviceLoadsClipsUnderTheSilentDriver)
{
    // SDL's dummy driver is a real device that plays into nothing.
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    SoundRig rig;
    rig.Write("Click.wav", MonoWave({1, 2}));
    CSoundSystem sounds;
    ASSERT_TRUE(sounds.Create());
    ASSERT_TRUE(sounds.CreatePrimaryBuffer());
    sounds.SetVolume(100);
    CSound sound;
    EXPECT_TRUE(sound.Load("Sounds\\Click.wav", &sounds));
}
