// The generated sounds: the one WAV format the game plays, sane lengths, no
// clipping, silent clip edges, balanced levels, a seamless music loop, and
// the synthesis pieces those rest on.
#include "Sounds.h"
#include "Generator.h"
#include "Synth.h"
#include "Wav.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <map>

namespace {

using assets::ESoundKind;
using assets::synth::CBuffer;

std::vector<uint8_t> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

uint32_t Le(const std::vector<uint8_t>& b, size_t at, int bytes)
{
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        value = value << 8 | b[at + static_cast<size_t>(i)];
    }
    return value;
}

std::string Tag(const std::vector<uint8_t>& b, size_t at) { return std::string(b.begin() + at, b.begin() + at + 4); }

double Db(double amplitude) { return 20 * std::log10(amplitude); }

// The samples of a canonical 44-byte-header file, scaled to -1..1.
CBuffer Samples(const std::vector<uint8_t>& b)
{
    CBuffer samples;
    for (size_t at = 44; at + 1 < b.size(); at += 2) {
        samples.push_back(static_cast<int16_t>(Le(b, at, 2)) / 32768.0);
    }
    return samples;
}

// Every sound is written once for the whole suite and read back.
class SoundsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder = new testing_support::CTempDir;
        written = assets::WriteSounds(folder->Path());
        for (const assets::SSoundRecipe& recipe : assets::SoundRecipes()) {
            files[recipe.fileName] = ReadBytes(folder->Path() + "/Sounds/" + recipe.fileName);
        }
    }
    static void TearDownTestSuite()
    {
        files.clear();
        delete folder;
    }

    static inline testing_support::CTempDir* folder = nullptr;
    static inline bool written = false;
    static inline std::map<std::string, std::vector<uint8_t>> files;
};

TEST_F(SoundsTest, EveryFileTheGameLoadsIsWritten)
{
    ASSERT_TRUE(written);
    for (const char* name : {"Wood Button Push.wav", "Wood Check.wav", "Wood Selection Made.wav", "Rotation.wav",
             "Select.wav", "Delete.wav", "Shuffle.wav", "Harp Intro.wav"}) {
        EXPECT_FALSE(files[name].empty()) << name;
    }
}

TEST_F(SoundsTest, EveryFileIsMonoPcm16BitAt22050HzOfSaneLength)
{
    for (const assets::SSoundRecipe& recipe : assets::SoundRecipes()) {
        SCOPED_TRACE(recipe.fileName);
        const std::vector<uint8_t>& b = files[recipe.fileName];
        ASSERT_GE(b.size(), 46u);
        EXPECT_EQ(Tag(b, 0), "RIFF");
        EXPECT_EQ(Le(b, 4, 4), b.size() - 8);
        EXPECT_EQ(Tag(b, 8), "WAVE");
        // The game reads the first chunk as the format, so it must come first.
        EXPECT_EQ(Tag(b, 12), "fmt ");
        EXPECT_EQ(Le(b, 16, 4), 16u);
        EXPECT_EQ(Le(b, 20, 2), 1u) << "PCM";
        EXPECT_EQ(Le(b, 22, 2), 1u) << "mono";
        EXPECT_EQ(Le(b, 24, 4), 22050u);
        EXPECT_EQ(Le(b, 28, 4), 44100u);
        EXPECT_EQ(Le(b, 32, 2), 2u);
        EXPECT_EQ(Le(b, 34, 2), 16u);
        EXPECT_EQ(Tag(b, 36), "data");
        EXPECT_EQ(Le(b, 40, 4), b.size() - 44);
        EXPECT_EQ(b.size() % 2, 0u);
        const double seconds = (b.size() - 44) / 2 / 22050.0;
        if (recipe.kind == ESoundKind::Loop) {
            EXPECT_GE(seconds, 15.0);
            EXPECT_LE(seconds, 30.0);
        } else {
            EXPECT_GE(seconds, 0.1);
            EXPECT_LE(seconds, 2.0);
        }
    }
}

TEST_F(SoundsTest, NothingClipsAndNothingIsSilent)
{
    for (const assets::SSoundRecipe& recipe : assets::SoundRecipes()) {
        const CBuffer samples = Samples(files[recipe.fileName]);
        const double peak = assets::synth::Peak(samples);
        EXPECT_LT(peak, 0.95) << recipe.fileName;
        EXPECT_GT(peak, 0.2) << recipe.fileName;
    }
}

TEST_F(SoundsTest, ClipsStartAndEndInSilence)
{
    constexpr double kNearZero = 64 / 32768.0;
    for (const assets::SSoundRecipe& recipe : assets::SoundRecipes()) {
        if (recipe.kind != ESoundKind::Clip) {
            continue;
        }
        const CBuffer samples = Samples(files[recipe.fileName]);
        ASSERT_FALSE(samples.empty());
        EXPECT_LE(std::abs(samples.front()), kNearZero) << recipe.fileName;
        EXPECT_LE(std::abs(samples.back()), kNearZero) << recipe.fileName;
    }
}

TEST_F(SoundsTest, LevelsAreBalanced)
{
    // Clips by their loudest 50 ms, the music by its whole length: all in a
    // band a few decibels wide, the music below the clicks it plays under.
    double quietestClip = 0;
    double loudestClip = -100;
    for (const assets::SSoundRecipe& recipe : assets::SoundRecipes()) {
        const CBuffer samples = Samples(files[recipe.fileName]);
        if (recipe.kind == ESoundKind::Clip) {
            const double level = Db(assets::synth::LoudestRms(samples, 0.05));
            quietestClip = std::min(quietestClip, level);
            loudestClip = std::max(loudestClip, level);
            EXPECT_GT(level, -22.0) << recipe.fileName;
            EXPECT_LT(level, -12.0) << recipe.fileName;
        } else {
            const double level = Db(assets::synth::Rms(samples));
            EXPECT_GT(level, -28.0) << recipe.fileName;
            EXPECT_LT(level, -18.0) << recipe.fileName;
        }
    }
    EXPECT_LE(loudestClip - quietestClip, 6.0);
}

TEST_F(SoundsTest, TheMusicLoopsWithoutAClickOrAGap)
{
    const CBuffer music = Samples(files["Harp Intro.wav"]);
    ASSERT_GT(music.size(), 22050u);
    // The step from the last sample back to the first is an ordinary step.
    std::vector<double> steps;
    for (size_t i = 1; i < music.size(); ++i) {
        steps.push_back(std::abs(music[i] - music[i - 1]));
    }
    std::nth_element(steps.begin(), steps.begin() + steps.size() * 99 / 100, steps.end());
    const double typicalLargeStep = steps[steps.size() * 99 / 100];
    EXPECT_LE(std::abs(music.front() - music.back()), typicalLargeStep);
    // No stretch of half a second falls silent, the seam included.
    const double overall = assets::synth::Rms(music);
    const size_t window = 11025;
    for (size_t start = 0; start < music.size(); start += window / 2) {
        CBuffer piece;
        for (size_t i = 0; i < window; ++i) {
            piece.push_back(music[(start + i) % music.size()]);
        }
        EXPECT_GT(assets::synth::Rms(piece), 0.3 * overall) << "at sample " << start;
    }
}

TEST(SoundsDeterminismTest, TwoRunsGiveTheSameBytes)
{
    for (const assets::SSoundRecipe& recipe : assets::SoundRecipes()) {
        EXPECT_EQ(assets::EncodeWav(recipe.make()), assets::EncodeWav(recipe.make())) << recipe.fileName;
    }
}

TEST(SynthTest, FoldingWrapsEverythingPastTheEndOntoTheStart)
{
    struct SCase {
        CBuffer rendered;
        size_t loop;
        CBuffer folded;
    };
    const std::vector<SCase> cases = {
        {{1, 2}, 4, {1, 2, 0, 0}},
        {{1, 2, 3, 4}, 4, {1, 2, 3, 4}},
        {{1, 2, 3, 4, 5, 6}, 4, {6, 8, 3, 4}},
        {{1, 1, 1, 1, 1, 1, 1, 1, 1}, 3, {3, 3, 3}},
        {{5}, 0, {}},
    };
    for (const SCase& c : cases) {
        EXPECT_EQ(assets::synth::FoldIntoLoop(c.rendered, c.loop), c.folded);
    }
}

TEST(SynthTest, PartialsRiseFromSilenceAndDecayBySixtyDecibels)
{
    CBuffer out(assets::synth::SamplesFor(1.0), 0.0);
    assets::synth::AddPartials(out, 0.1, {{441, 0.5, 0.4}}, 0.002);
    const size_t start = assets::synth::SamplesFor(0.1);
    EXPECT_EQ(out[start - 1], 0.0);
    EXPECT_EQ(out[start], 0.0) << "the attack starts at zero";
    auto peakAround = [&](double seconds) {
        const size_t at = assets::synth::SamplesFor(seconds);
        return assets::synth::Peak(
            CBuffer(out.begin() + static_cast<long>(at), out.begin() + static_cast<long>(at) + 100));
    };
    EXPECT_NEAR(peakAround(0.103), 0.5 * std::pow(10.0, -3 * 0.003 / 0.4), 0.015);
    EXPECT_NEAR(Db(peakAround(0.5) / peakAround(0.1 + 0.003)), -60.0, 1.5);
    // Above the Nyquist frequency nothing is added.
    CBuffer silent(1000, 0.0);
    assets::synth::AddPartials(silent, 0.0, {{11025, 1, 1}, {15000, 1, 1}}, 0.001);
    EXPECT_EQ(assets::synth::Peak(silent), 0.0);
}

TEST(SynthTest, LevelMeetsTheTargetUnlessThePeakWouldPassTheCeiling)
{
    struct SCase {
        CBuffer samples;
        double target;
        double expectedPeak;
    };
    // A square wave of 0.1 has RMS = peak; a single spike is held by the ceiling.
    const std::vector<SCase> cases = {
        {CBuffer(2000, 0.1), 0.2, 0.2},
        {CBuffer(2000, -0.4), 0.1, 0.1},
        {[] {
             CBuffer spike(2000, 0.0);
             spike[500] = 0.5;
             return spike;
         }(),
            0.5, 0.9},
        {CBuffer(2000, 0.0), 0.2, 0.0},
    };
    for (const SCase& c : cases) {
        const std::vector<float> levelled
            = assets::synth::Level(c.samples, assets::synth::ELevelBy::WholeFile, c.target, 0.9);
        float peak = 0;
        for (const float s : levelled) {
            peak = std::max(peak, std::abs(s));
        }
        EXPECT_NEAR(peak, c.expectedPeak, 1e-6);
    }
}

TEST(SynthTest, FadesEndExactlyAtZero)
{
    CBuffer samples(500, 1.0);
    assets::synth::FadeEdges(samples, 0.001, 0.005);
    EXPECT_EQ(samples.front(), 0.0);
    EXPECT_NEAR(samples.back(), 0.0, 1e-12);
    EXPECT_EQ(samples[250], 1.0);
    EXPECT_TRUE(std::is_sorted(samples.begin(), samples.begin() + 22));
}

TEST(SynthTest, RandomIsSeededAndInRange)
{
    assets::synth::CRandom a(7);
    assets::synth::CRandom b(7);
    assets::synth::CRandom c(8);
    int differing = 0;
    for (int i = 0; i < 1000; ++i) {
        const double x = a.Uniform();
        EXPECT_EQ(x, b.Uniform());
        EXPECT_GE(x, 0.0);
        EXPECT_LT(x, 1.0);
        differing += x != c.Uniform();
    }
    EXPECT_GT(differing, 990);
}

} // namespace
