// WAV files built byte by byte, regular and odd, read by the RIFF walk; clips
// played through an offline sound system and checked on the frames the mixer
// produces; the volume levels.
#include "media/Sound.h"
#include "media/SoundSystem.h"
#include "media/SoundWave.h"
#include "support/TempDir.h"
#include "support/WaveFile.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

using V = std::vector<int16_t>;

namespace {

using namespace testing_support::wave_file;

const Bytes kFormat16 = Format(1, 1, 22050, 16);
const Bytes kData = Samples({100, -200, 300});

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
        V stereo(2 * frameCount), left;
        sounds.Mixer()->Mix(stereo.data(), frameCount);
        for (size_t i = 0; i < stereo.size(); i += 2) {
            left.push_back(stereo[i]);
        }
        return left;
    }
};

} // namespace

TEST(SoundWaveTest, OddFilesAreReadSafelyOrRefused)
{
    const Bytes fmt = Chunk("fmt ", kFormat16), data = Chunk("data", kData);
    // The file, and the data it yields (nothing: refused).
    const std::pair<Bytes, std::optional<Bytes>> cases[] = {
        {MonoWave({100, -200, 300}), kData}, // a 16-byte format chunk
        {Riff(fmt + Chunk("LIST", Bytes(10, 7)) + Chunk("junk", {1, 2, 3}) + data), kData}, // an odd chunk between
        {Riff(Chunk("fmt ", kFormat16 + Bytes{9}) + data), kData}, // an odd format chunk with its pad byte
        {Riff(Chunk("fmt ", Format(1, 2, 44100, 8)) + Chunk("data", {1, 2, 3, 4})), Bytes{1, 2, 3, 4}}, // 8-bit stereo
        // The first chunk is the format whatever its id: here it starts with 1, 0 (PCM).
        {Riff(Chunk("LIST", Bytes{1, 0} + Bytes(20, 0)) + Chunk("fmt ", Format(3, 1, 22050, 32)) + data), kData},
        {Riff(Chunk("LIST", Text("INFO") + Le(0, 4)) + fmt + data), std::nullopt},
        // Sizes larger than the file.
        {Riff(fmt + Text("data") + Le(1000, 4) + Bytes{5, 6, 7, 8}), Bytes{5, 6, 7, 8}},
        {Riff(fmt + Chunk("data", kData, 0xFFFFFFFF)), kData},
        {Riff(Chunk("fmt ", kFormat16, 0xFFFFFFFF) + data), std::nullopt},
        {Riff(fmt + Chunk("junk", Bytes(4, 0), 0xFFFFFFF0) + data), std::nullopt},
        {Riff(Chunk("avih", Bytes(8, 0)), "AVI ") + MonoWave({100, -200, 300}), kData}, // after another form
        // Truncated, not RIFF, not PCM, or without data.
        {Bytes{}, std::nullopt}, // empty
        {Text("RIFF") + Le(20, 4) + Text("WA"), std::nullopt}, // cut inside the header
        {Text("RIFF") + Le(100, 4) + Text("WAVEfmt ") + Le(16, 4) + Bytes(17, 0), std::nullopt}, // inside the format
        {Riff(fmt) + Text("data") + Le(2, 2), std::nullopt}, // inside the data header
        {Text("RIFX") + MonoWave({1, 2}), std::nullopt}, // not RIFF
        {Riff(fmt + data, "AVI "), std::nullopt}, // not WAVE
        {Riff(Chunk("fmt ", Format(3, 1, 22050, 32)) + data), std::nullopt}, // float
        {Riff(fmt), std::nullopt}, // no data
        {Riff(Chunk("data", Samples({1, 0, 0, 0, 0, 0, 0, 0, 0})) + fmt), std::nullopt}, // data read as a PCM format
    };
    int row = 0;
    for (const auto& [file, yield] : cases) {
        EXPECT_EQ(DataOf(file), yield) << "row " << row++;
    }
}

TEST(SoundTest, VolumeLevelsInHundredthsOfADecibelAndWhatIsHeard)
{
    const std::pair<int32_t, int32_t> volumes[] = {{100, 0}, {99, -10}, {50, -500}, {10, -900}, {9, -10000},
        {0, -10000}, {INT_MIN, -10000}, {101, 0}, {INT_MAX, 0}};
    for (const auto& [level, volume] : volumes) {
        EXPECT_EQ(CSoundSystem::VolumeFromLevel(level), volume) << level;
    }
    SoundRig rig;
    rig.Write("Tone.wav", MonoWave({20000}));
    CSound tone;
    ASSERT_TRUE(tone.Load("Sounds\\Tone.wav", &rig.sounds));
    // The level reaches the mixer (whose scaling is the mixer's test).
    rig.sounds.SetVolume(50);
    tone.Play();
    EXPECT_EQ(rig.Pull(1), V{11247});
}

// A sound hands on the loop flag and the stop (the mixer's play semantics
// are the mixer's tests); a failed load leaves a silent sound that is never
// playing, the clip it had gone with it.
TEST(SoundTest, ASoundLoopsAndStopsAndAFailedLoadLeavesItSilent)
{
    SoundRig rig;
    rig.Write("Half.wav", Riff(Chunk("fmt ", kFormat16) + Chunk("data", {0x01}))); // half a sample: none
    rig.Write("Good.wav", MonoWave({5, 6}));
    CSoundSystem noOutput;
    noOutput.Create();
    const std::pair<const char*, CSoundSystem*> cases[] = {{"Sounds\\Missing.wav", &rig.sounds},
        {"Sounds\\Half.wav", &rig.sounds}, {"Sounds\\Good.wav", nullptr}, {"Sounds\\Good.wav", &noOutput}};
    for (const auto& [file, sounds] : cases) {
        CSound sound;
        ASSERT_TRUE(sound.Load("Sounds\\Good.wav", &rig.sounds));
        sound.Play(true);
        EXPECT_EQ(rig.Pull(3), (V{5, 6, 5}));
        EXPECT_FALSE(sound.Load(file, sounds)) << file;
        sound.Play(true);
        EXPECT_FALSE(sound.IsPlaying()) << file;
        EXPECT_EQ(rig.Pull(1), V{0}) << file;
    }
    CSound music;
    ASSERT_TRUE(music.Load("Sounds\\Good.wav", &rig.sounds));
    music.Play(true);
    music.Stop();
    EXPECT_FALSE(music.IsPlaying());
    EXPECT_EQ(rig.Pull(1), V{0});
}
