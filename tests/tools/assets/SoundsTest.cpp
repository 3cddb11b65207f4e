// The generated sounds: the one WAV format the game plays, sane lengths, no
// clipping, silent clip edges, balanced levels and a seamless music loop.
#include "GeneratedTree.h"

#include "Sounds.h"
#include "Synth.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

using assets::ESoundKind;
using assets::synth::CBuffer;
using namespace gui_assets_test;

double Db(double amplitude) { return 20 * std::log10(amplitude); }

std::string Tag(const std::vector<uint8_t>& b, size_t at) { return std::string(b.begin() + at, b.begin() + at + 4); }

// The samples of a canonical 44-byte-header file, scaled to -1..1.
CBuffer Samples(const std::string& fileName)
{
    const std::vector<uint8_t> b = ReadBytes(GeneratedTree().dir.File("Sounds/" + fileName));
    CBuffer samples;
    for (size_t at = 44; at + 1 < b.size(); at += 2) {
        samples.push_back(static_cast<int16_t>(Le(b, at, 2)) / 32768.0);
    }
    return samples;
}

TEST(Sounds, EveryFileTheGameLoadsIsMonoPcm16BitAt22050HzOfSaneLength)
{
    ASSERT_TRUE(GeneratedTree().written);
    for (const char* name : {"Wood Button Push.wav", "Wood Check.wav", "Wood Selection Made.wav", "Rotation.wav",
             "Select.wav", "Delete.wav", "Shuffle.wav", "Harp Intro.wav"}) {
        SCOPED_TRACE(name);
        const std::vector<uint8_t> b = ReadBytes(GeneratedTree().dir.File(std::string("Sounds/") + name));
        ASSERT_GE(b.size(), 46u);
        const auto size = static_cast<uint32_t>(b.size());
        EXPECT_EQ(size % 2, 0u);
        // The game reads the first chunk as the format, so it must come first.
        EXPECT_EQ(Tag(b, 0) + Tag(b, 8) + Tag(b, 12) + Tag(b, 36), "RIFFWAVEfmt data");
        const std::pair<size_t, uint32_t> fields[] = {{4, size - 8}, {16, 16}, {20, 1 | 1 << 16}, {24, 22050},
            {28, 44100}, {32, 2 | 16 << 16}, {40, size - 44}}; // PCM mono, 2 bytes a frame of 16 bits
        for (const auto& [at, value] : fields) {
            EXPECT_EQ(Le(b, at, 4), value) << "field at " << at;
        }
        const double seconds = (size - 44) / 2 / 22050.0;
        const bool music = std::string(name) == "Harp Intro.wav";
        EXPECT_GE(seconds, music ? 15.0 : 0.1);
        EXPECT_LE(seconds, music ? 30.0 : 2.0);
    }
}

// Clips by their loudest 50 ms, the music by its whole length: all in a band
// a few decibels wide, the music below the clicks it plays under.
TEST(Sounds, NothingClipsClipsEdgesAreSilentAndLevelsAreBalanced)
{
    double quietestClip = 0;
    double loudestClip = -100;
    for (const assets::SSoundRecipe& recipe : assets::SoundRecipes()) {
        SCOPED_TRACE(recipe.fileName);
        const CBuffer samples = Samples(recipe.fileName);
        ASSERT_FALSE(samples.empty());
        EXPECT_LT(assets::synth::Peak(samples), 0.95);
        EXPECT_GT(assets::synth::Peak(samples), 0.2);
        if (recipe.kind == ESoundKind::Loop) {
            EXPECT_NEAR(Db(assets::synth::Rms(samples)), -23.0, 5.0);
            continue;
        }
        EXPECT_LE(std::abs(samples.front()), 64 / 32768.0);
        EXPECT_LE(std::abs(samples.back()), 64 / 32768.0);
        const double level = Db(assets::synth::LoudestRms(samples, 0.05));
        EXPECT_NEAR(level, -17.0, 5.0);
        quietestClip = std::min(quietestClip, level);
        loudestClip = std::max(loudestClip, level);
    }
    EXPECT_LE(loudestClip - quietestClip, 6.0);
}

TEST(Sounds, TheMusicLoopsWithoutAClickOrAGap)
{
    const CBuffer music = Samples("Harp Intro.wav");
    ASSERT_GT(music.size(), 22050u);
    // The step from the last sample back to the first is an ordinary step.
    std::vector<double> steps;
    for (size_t i = 1; i < music.size(); ++i) {
        steps.push_back(std::abs(music[i] - music[i - 1]));
    }
    std::nth_element(steps.begin(), steps.begin() + steps.size() * 99 / 100, steps.end());
    EXPECT_LE(std::abs(music.front() - music.back()), steps[steps.size() * 99 / 100]);
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

TEST(Synth, FoldingWrapsEverythingPastTheEndOntoTheStart)
{
    const std::tuple<CBuffer, size_t, CBuffer> cases[] = {{{1, 2}, 4, {1, 2, 0, 0}}, {{1, 2, 3, 4}, 4, {1, 2, 3, 4}},
        {{1, 2, 3, 4, 5, 6}, 4, {6, 8, 3, 4}}, {{1, 1, 1, 1, 1, 1, 1, 1, 1}, 3, {3, 3, 3}}, {{5}, 0, {}}};
    for (const auto& [rendered, loop, folded] : cases) {
        EXPECT_EQ(assets::synth::FoldIntoLoop(rendered, loop), folded) << loop;
    }
}

// A square wave has RMS = peak; a single spike is held by the ceiling of 0.9;
// silence stays silence.
TEST(Synth, LevelMeetsTheTargetUnlessThePeakWouldPassTheCeiling)
{
    CBuffer spike(2000, 0.0);
    spike[500] = 0.5;
    const std::tuple<CBuffer, double, double> cases[] = {{CBuffer(2000, 0.1), 0.2, 0.2},
        {CBuffer(2000, -0.4), 0.1, 0.1}, {spike, 0.5, 0.9}, {CBuffer(2000, 0.0), 0.2, 0.0}};
    for (const auto& [samples, target, expectedPeak] : cases) {
        const std::vector<float> levelled
            = assets::synth::Level(samples, assets::synth::ELevelBy::WholeFile, target, 0.9);
        EXPECT_NEAR(assets::synth::Peak(CBuffer(levelled.begin(), levelled.end())), expectedPeak, 1e-6) << target;
    }
}

} // namespace
