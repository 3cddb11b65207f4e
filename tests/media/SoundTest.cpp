// Clips loaded from WAV files and played through an offline sound system,
// checked on the frames the mixer produces; the volume levels.
#include "media/Sound.h"
#include "WaveBytes.h"
#include "media/SoundSystem.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <vector>

using namespace wave_bytes;
using testing_support::CScopedCurrentDir;
using testing_support::CTempDir;
using V = std::vector<int16_t>;

namespace {

// An offline sound system in a run folder of its own.
struct SoundRig {
    CTempDir folder;
    CScopedCurrentDir inFolder{folder.Path()};
    CSoundSystem sounds;

    SoundRig()
    {
        folder.MakeFolder("Sounds");
        sounds.Create();
        sounds.CreateOfflineBuffer();
    }

    void Write(const std::string& name, const Bytes& bytes) { folder.Write("Sounds/" + name, bytes); }

    V Pull(size_t frameCount)
    {
        std::vector<int16_t> stereo(2 * frameCount);
        sounds.Mixer()->Mix(stereo.data(), frameCount);
        V left(frameCount);
        for (size_t i = 0; i < frameCount; ++i) {
            left[i] = stereo[2 * i];
        }
        return left;
    }
};

} // namespace

TEST(SoundTest, VolumeLevelsInHundredthsOfADecibel)
{
    struct Case {
        int32_t level;
        int32_t volume;
    } cases[] = {{100, 0}, {99, -10}, {50, -500}, {10, -900}, {9, -10000}, {1, -10000}, {0, -10000}, {-1, -10000},
        {INT_MIN, -10000}, {101, 0}, {1000, 0}, {INT_MAX, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(CSoundSystem::VolumeFromLevel(c.level), c.volume) << c.level;
    }
}

TEST(SoundTest, TheVolumeScalesWhatIsHeard)
{
    struct Case {
        int32_t level;
        int16_t heard; // from a sample of 20000
    } cases[] = {{100, 20000}, {50, 11247}, {10, 7096}, {9, 0}, {0, 0}, {150, 20000}};
    for (const Case& c : cases) {
        SoundRig rig;
        rig.Write("Tone.wav", MonoWave({20000}));
        CSound tone;
        ASSERT_TRUE(tone.Load("Sounds\\Tone.wav", &rig.sounds));
        rig.sounds.SetVolume(c.level);
        tone.Play();
        EXPECT_EQ(rig.Pull(1), V{c.heard}) << c.level;
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

TEST(SoundTest, FileFormatIsIgnoredAndDataPlayedAsSixteenBitMono)
{
    SoundRig rig;
    rig.Write("Eight.wav",
        Riff(Concat({Chunk("fmt ", FormatBody(1, 2, 44100, 8)), Chunk("data", {0x01, 0x02, 0x03, 0x04})})));
    CSound sound;
    ASSERT_TRUE(sound.Load("Sounds\\Eight.wav", &rig.sounds));
    sound.Play();
    EXPECT_EQ(rig.Pull(3), (V{0x0201, 0x0403, 0}));
}

TEST(SoundTest, SoundsThatDoNotLoadStaySilentAndAnswerNotPlaying)
{
    SoundRig rig;
    rig.Write("Empty.wav", Riff(Concat({Chunk("fmt ", FormatBody(1, 1, 22050, 16)), Chunk("data", {})})));
    rig.Write("Float.wav", Riff(Concat({Chunk("fmt ", FormatBody(3, 1, 22050, 32)), Chunk("data", {1, 2, 3, 4})})));
    rig.Write("Text.wav", Bytes{'h', 'e', 'l', 'l', 'o'});
    rig.Write("Good.wav", MonoWave({5}));
    CSoundSystem noOutput;
    noOutput.Create();
    struct Case {
        const char* name;
        const char* file;
        CSoundSystem* sounds;
    } cases[] = {
        {"missing file", "Sounds\\Missing.wav", &rig.sounds},
        {"missing folder", "Nowhere\\Select.wav", &rig.sounds},
        {"no samples", "Sounds\\Empty.wav", &rig.sounds},
        {"not PCM", "Sounds\\Float.wav", &rig.sounds},
        {"not a WAV file", "Sounds\\Text.wav", &rig.sounds},
        {"no sound system", "Sounds\\Good.wav", nullptr},
        {"sound system without output", "Sounds\\Good.wav", &noOutput},
    };
    for (const Case& c : cases) {
        CSound sound;
        EXPECT_FALSE(sound.Load(c.file, c.sounds)) << c.name;
        sound.Play(true);
        EXPECT_FALSE(sound.IsPlaying()) << c.name;
        sound.Stop();
        EXPECT_EQ(rig.Pull(1), V{0}) << c.name;
    }
}

TEST(SoundTest, LoadingAgainReplacesTheClip)
{
    SoundRig rig;
    rig.Write("A.wav", MonoWave({1, 1, 1}));
    rig.Write("B.wav", MonoWave({7}));
    CSound sound;
    ASSERT_TRUE(sound.Load("Sounds\\A.wav", &rig.sounds));
    sound.Play(true);
    ASSERT_TRUE(sound.Load("Sounds\\B.wav", &rig.sounds));
    EXPECT_FALSE(sound.IsPlaying());
    sound.Play();
    EXPECT_EQ(rig.Pull(2), (V{7, 0}));
    // A failed load leaves no clip behind either.
    sound.Play(true);
    EXPECT_FALSE(sound.Load("Sounds\\Missing.wav", &rig.sounds));
    EXPECT_EQ(rig.Pull(1), V{0});
}

TEST(SoundTest, TheSystemDeviceLoadsClipsUnderTheSilentDriver)
{
    // SDL's dummy driver is a real device that plays into nothing.
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    CTempDir folder;
    CScopedCurrentDir inFolder(folder.Path());
    folder.Write("Click.wav", MonoWave({1, 2}));
    CSoundSystem sounds;
    ASSERT_TRUE(sounds.Create());
    ASSERT_TRUE(sounds.CreatePrimaryBuffer());
    sounds.SetVolume(100);
    CSound sound;
    EXPECT_TRUE(sound.Load("Click.wav", &sounds));
}
