// The mixer's play semantics, looping, summing and master volume, checked on
// the frames it actually produces.
#include "platform/AudioMixer.h"
#include "platform/Audio.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

using platform::CAudioMixer;

namespace {

// Mixes frameCount frames and returns the left channel, checking that the
// right one is the same (mono clips sound on both sides).
std::vector<int16_t> Pull(CAudioMixer& mixer, size_t frameCount)
{
    std::vector<int16_t> stereo(2 * frameCount, 12345);
    mixer.Mix(stereo.data(), frameCount);
    std::vector<int16_t> left(frameCount);
    for (size_t i = 0; i < frameCount; ++i) {
        left[i] = stereo[2 * i];
        EXPECT_EQ(stereo[2 * i + 1], stereo[2 * i]) << "frame " << i;
    }
    return left;
}

using V = std::vector<int16_t>;

} // namespace

TEST(AudioMixerTest, PlaySemanticsOnWhatIsMixed)
{
    enum Action { PlayOnce, PlayLooped, Stop, Nothing };
    struct Step {
        Action action;
        size_t frames;
        V heard;
        bool playingAfter;
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
    } cases[] = {
        {"a stopped clip is silent", {{Nothing, 3, {0, 0, 0}, false}}},
        {"one-shot plays to its end, then silence",
            {{PlayOnce, 3, {1, 2, 3}, true}, {Nothing, 4, {4, 5, 0, 0}, false}}},
        {"play while playing changes nothing", {{PlayOnce, 2, {1, 2}, true}, {PlayOnce, 2, {3, 4}, true}}},
        {"play while playing keeps it one-shot", {{PlayOnce, 2, {1, 2}, true}, {PlayLooped, 4, {3, 4, 5, 0}, false}}},
        {"stop keeps the position, play resumes",
            {{PlayOnce, 2, {1, 2}, true}, {Stop, 2, {0, 0}, false}, {PlayOnce, 2, {3, 4}, true}}},
        {"a finished one-shot starts from the beginning",
            {{PlayOnce, 5, {1, 2, 3, 4, 5}, false}, {PlayOnce, 2, {1, 2}, true}}},
        {"looping goes round", {{PlayLooped, 12, {1, 2, 3, 4, 5, 1, 2, 3, 4, 5, 1, 2}, true}}},
        {"a stopped loop resumes where it stopped",
            {{PlayLooped, 7, {1, 2, 3, 4, 5, 1, 2}, true}, {Stop, 1, {0}, false}, {PlayLooped, 4, {3, 4, 5, 1}, true}}},
        {"a stopped loop played once ends at the end",
            {{PlayLooped, 7, {1, 2, 3, 4, 5, 1, 2}, true}, {Stop, 1, {0}, false}, {PlayOnce, 4, {3, 4, 5, 0}, false}}},
        {"stop on a stopped clip", {{Stop, 2, {0, 0}, false}, {PlayOnce, 1, {1}, true}}},
    };
    for (const Case& c : cases) {
        CAudioMixer mixer;
        const auto clip = mixer.AddClip({1, 2, 3, 4, 5});
        for (size_t i = 0; i < c.steps.size(); ++i) {
            const Step& step = c.steps[i];
            if (step.action == PlayOnce || step.action == PlayLooped) {
                mixer.Play(clip, step.action == PlayLooped);
            } else if (step.action == Stop) {
                mixer.Stop(clip);
            }
            EXPECT_EQ(Pull(mixer, step.frames), step.heard) << c.name << ", step " << i;
            EXPECT_EQ(mixer.IsPlaying(clip), step.playingAfter) << c.name << ", step " << i;
        }
    }
}

TEST(AudioMixerTest, ClipsAreSummedAndSaturated)
{
    struct Case {
        V a, b, heard;
    } cases[] = {
        {{1, 2, 3}, {10, 20, 30, 40}, {11, 22, 33, 40}},
        {{30000, -30000, 32767}, {30000, -30000, 1}, {32767, -32768, 32767}},
        {{-32768}, {-1}, {-32768}},
    };
    for (const Case& c : cases) {
        CAudioMixer mixer;
        const auto a = mixer.AddClip(c.a);
        const auto b = mixer.AddClip(c.b);
        mixer.Play(a, false);
        mixer.Play(b, false);
        EXPECT_EQ(Pull(mixer, c.heard.size()), c.heard);
    }
}

TEST(AudioMixerTest, MasterVolumeScalesTheWholeMix)
{
    struct Case {
        int32_t volume;
        int32_t stored;
        int16_t heard; // from a sample of 10000
    } cases[] = {
        {0, 0, 10000},
        {-500, -500, 5623}, // -5 dB
        {-600, -600, 5012}, // -6 dB
        {-900, -900, 3548}, // -9 dB
        {-2000, -2000, 1000}, // -20 dB
        {-9999, -9999, 0},
        {-10000, -10000, 0},
        {-20000, -10000, 0},
        {500, 0, 10000},
    };
    for (const Case& c : cases) {
        CAudioMixer mixer;
        const auto clip = mixer.AddClip({10000, -10000});
        mixer.SetMasterVolume(c.volume);
        EXPECT_EQ(mixer.MasterVolume(), c.stored);
        mixer.Play(clip, false);
        EXPECT_EQ(Pull(mixer, 2), (V{c.heard, static_cast<int16_t>(-c.heard)})) << c.volume;
    }
}

TEST(AudioMixerTest, LongMixesAcrossPassesAndRemovedClips)
{
    CAudioMixer mixer;
    std::vector<int16_t> ramp(700);
    for (size_t i = 0; i < ramp.size(); ++i) {
        ramp[i] = static_cast<int16_t>(i + 1);
    }
    const auto clip = mixer.AddClip(ramp);
    mixer.Play(clip, true);
    const V heard = Pull(mixer, 1500);
    for (size_t i = 0; i < heard.size(); ++i) {
        ASSERT_EQ(heard[i], ramp[i % ramp.size()]) << "frame " << i;
    }
    EXPECT_EQ(mixer.Position(clip), 1500u % 700u);

    mixer.RemoveClip(clip);
    EXPECT_FALSE(mixer.IsPlaying(clip));
    EXPECT_EQ(Pull(mixer, 3), (V{0, 0, 0}));
    // Requests for clips that are gone, or never were, are ignored.
    mixer.Play(clip, false);
    mixer.Stop(999);
    mixer.RemoveClip(999);
    EXPECT_EQ(Pull(mixer, 1), V{0});
}

TEST(AudioMixerTest, AnEmptyClipNeverPlays)
{
    CAudioMixer mixer;
    const auto clip = mixer.AddClip({});
    mixer.Play(clip, true);
    EXPECT_FALSE(mixer.IsPlaying(clip));
    EXPECT_EQ(Pull(mixer, 2), (V{0, 0}));
}

TEST(AudioMixerTest, AClipHandleRemovesItsClipAndKeepsTheMixerAlive)
{
    auto mixer = std::make_shared<CAudioMixer>();
    std::weak_ptr<CAudioMixer> watch = mixer;
    {
        platform::CAudioClip clip(mixer, {7, 8});
        clip.Play(false);
        mixer.reset();
        EXPECT_FALSE(watch.expired());
        EXPECT_TRUE(clip.IsPlaying());
    }
    EXPECT_TRUE(watch.expired());

    auto kept = std::make_shared<CAudioMixer>();
    {
        platform::CAudioClip clip(kept, {7, 8});
        clip.Play(true);
    }
    EXPECT_EQ(Pull(*kept, 2), (V{0, 0}));
}

TEST(AudioMixerTest, TheAudioCallbackFillsWholeFramesAndSilencesAStrayTail)
{
    CAudioMixer mixer;
    const auto clip = mixer.AddClip({0x0102, -2, 0x0304});
    mixer.Play(clip, false);
    std::vector<uint8_t> stream(10, 0xAA);
    platform::FillAudioStream(mixer, stream.data(), 10);
    std::vector<int16_t> frames(2 * 2);
    std::memcpy(frames.data(), stream.data(), 8);
    EXPECT_EQ(frames, (V{0x0102, 0x0102, -2, -2}));
    EXPECT_EQ(stream[8], 0);
    EXPECT_EQ(stream[9], 0);
    EXPECT_EQ(mixer.Position(clip), 2u);
}
