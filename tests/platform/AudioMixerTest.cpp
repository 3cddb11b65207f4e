// The mixer's play semantics, looping, summing and master volume, checked on
// the frames it actually produces.
#include "platform/AudioMixer.h"
#include "platform/Audio.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <numeric>
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
        V heard; // one frame a sample
        bool playingAfter;
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
    } cases[] = {
        {"a one-shot plays to its end", {{PlayOnce, {1, 2, 3}, true}, {Nothing, {4, 5, 0, 0}, false}}},
        {"play while playing keeps it one-shot", {{PlayOnce, {1, 2}, true}, {PlayLooped, {3, 4, 5, 0}, false}}},
        {"stop, then play resumes", {{PlayOnce, {1, 2}, true}, {Stop, {0}, false}, {PlayOnce, {3, 4}, true}}},
        {"a finished one-shot restarts", {{PlayOnce, {1, 2, 3, 4, 5}, false}, {PlayOnce, {1, 2}, true}}},
        {"looping goes round", {{PlayLooped, {1, 2, 3, 4, 5, 1, 2, 3, 4, 5, 1, 2}, true}}},
        {"a loop resumes", {{PlayLooped, {1, 2, 3, 4, 5, 1}, true}, {Stop, {0}, false}, {PlayLooped, {2, 3}, true}}},
        {"a loop played once ends", {{PlayLooped, {1, 2, 3}, true}, {Stop, {0}, false}, {PlayOnce, {4, 5, 0}, false}}},
    };
    for (const Case& c : cases) {
        CAudioMixer mixer;
        const auto clip = mixer.AddClip({1, 2, 3, 4, 5});
        for (size_t i = 0; i < c.steps.size(); ++i) {
            const Step& step = c.steps[i];
            if (step.action != Nothing) {
                step.action == Stop ? mixer.Stop(clip) : mixer.Play(clip, step.action == PlayLooped);
            }
            EXPECT_EQ(Pull(mixer, step.heard.size()), step.heard) << c.name << ", step " << i;
            EXPECT_EQ(mixer.IsPlaying(clip), step.playingAfter) << c.name << ", step " << i;
        }
    }
}

// Volume in hundredths of a decibel, kept within -10000 (silence) and 0.
TEST(AudioMixerTest, ClipsAreSummedScaledByTheMasterVolumeAndSaturated)
{
    struct Case {
        int32_t volume, stored;
        V a, b, heard;
    } cases[] = {
        {0, 0, {1, 2, 3}, {10, 20, 30, 40}, {11, 22, 33, 40}},
        {0, 0, {30000, -30000, 32767}, {30000, -30000, 1}, {32767, -32768, 32767}},
        {-600, -600, {10000, -10000}, {}, {5012, -5012}},
        {-2000, -2000, {10000, -10000}, {}, {1000, -1000}},
        {-2000, -2000, {30000}, {30000}, {6000}}, // the sum is scaled, not each clip cut first
        {-10000, -10000, {10000, -10000}, {}, {0, 0}},
    };
    for (const Case& c : cases) {
        CAudioMixer mixer;
        mixer.SetMasterVolume(c.volume);
        EXPECT_EQ(mixer.MasterVolume(), c.stored);
        mixer.Play(mixer.AddClip(c.a), false);
        mixer.Play(mixer.AddClip(c.b), false);
        EXPECT_EQ(Pull(mixer, c.heard.size()), c.heard) << c.volume;
    }
}

// 1500 frames take several internal passes; requests for clips that are
// gone, never were or are empty change nothing.
TEST(AudioMixerTest, LongMixesRemovedAndEmptyClips)
{
    CAudioMixer mixer;
    V ramp(700);
    std::iota(ramp.begin(), ramp.end(), int16_t{1});
    const auto clip = mixer.AddClip(ramp);
    mixer.Play(clip, true);
    const V heard = Pull(mixer, 1500);
    for (size_t i = 0; i < heard.size(); ++i) {
        ASSERT_EQ(heard[i], ramp[i % ramp.size()]) << "frame " << i;
    }
    mixer.RemoveClip(clip);
    mixer.RemoveClip(999);
    mixer.Stop(999);
    const auto empty = mixer.AddClip({});
    for (const CAudioMixer::ClipId id : {clip, empty, 999u}) {
        mixer.Play(id, true);
        EXPECT_FALSE(mixer.IsPlaying(id)) << id;
    }
    EXPECT_EQ(Pull(mixer, 3), (V{0, 0, 0}));
}

TEST(AudioMixerTest, AClipHandleRemovesItsClipAndKeepsTheMixerAlive)
{
    auto mixer = std::make_shared<CAudioMixer>();
    std::weak_ptr<CAudioMixer> watch = mixer;
    {
        platform::CAudioClip kept(mixer, {7, 8});
        platform::CAudioClip(mixer, {1, 1}).Play(true);
        kept.Play(true);
        EXPECT_EQ(Pull(*mixer, 2), (V{7, 8})) << "the clip whose handle went is silent";
        mixer.reset();
        EXPECT_TRUE(kept.IsPlaying()) << "the handle keeps its mixer";
    }
    EXPECT_TRUE(watch.expired());
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
    EXPECT_EQ(stream[8] | stream[9], 0) << "the odd bytes are silenced";
    EXPECT_EQ(mixer.Position(clip), 2u);
}
