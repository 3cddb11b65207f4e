// The sound effects: knocks of hard wood for the GUI, clicks of ivory tiles
// for the game, and the writing of every sound under "Sounds\".
#include "Sounds.h"

#include "Generator.h"
#include "Synth.h"
#include "Wav.h"

#include <array>
#include <cmath>

namespace assets {

namespace {

using synth::CBiquad;
using synth::CBuffer;
using synth::CRandom;
using synth::SPartial;

// Loudness of the loudest 50 ms of each kind of clip, and the peak none may
// pass. The GUI clicks and the tile sounds sit at the same level; the longer
// rattles and slides a little lower, so they do not tire the ear.
constexpr double kClickRms = 0.14;
constexpr double kRattleRms = 0.11;
constexpr double kPeakCeiling = 0.89;

// A struck block of hard wood: the modes of a free bar (1 : 2.76 : 5.40 :
// 8.93), the higher ones dying sooner, over the short noise of the strike.
void AddWoodKnock(CBuffer& out, double at, double pitchHz, double amplitude, double ringSeconds, CRandom& random)
{
    constexpr std::array<double, 4> kRatios = {1.0, 2.76, 5.40, 8.93};
    constexpr std::array<double, 4> kGains = {1.0, 0.45, 0.22, 0.10};
    std::vector<SPartial> partials;
    for (size_t k = 0; k < kRatios.size(); ++k) {
        partials.push_back({pitchHz * kRatios[k] * random.Between(0.99, 1.01), amplitude * kGains[k],
            ringSeconds / (1.0 + 1.5 * static_cast<double>(k))});
    }
    synth::AddPartials(out, at, partials, 0.0006);
    synth::AddNoiseBurst(out, at, 0.012, 0.004, amplitude * 0.5, CBiquad::BandPass(pitchHz * 4, 0.8), random);
}

// An ivory tile knocked against another: bright, short modes, a tick of
// noise and the dull knock of the tile on the table.
void AddTileClick(CBuffer& out, double at, double amplitude, double brightness, CRandom& random)
{
    constexpr std::array<double, 4> kModesHz = {2350, 3720, 5180, 6940};
    constexpr std::array<double, 4> kGains = {1.0, 0.7, 0.45, 0.3};
    constexpr std::array<double, 4> kDecaysSeconds = {0.05, 0.035, 0.025, 0.018};
    std::vector<SPartial> partials;
    for (size_t k = 0; k < kModesHz.size(); ++k) {
        partials.push_back(
            {kModesHz[k] * brightness * random.Between(0.97, 1.03), amplitude * kGains[k], kDecaysSeconds[k]});
    }
    partials.push_back({320 * brightness, amplitude * 0.35, 0.03});
    synth::AddPartials(out, at, partials, 0.0004);
    synth::AddNoiseBurst(out, at, 0.006, 0.002, amplitude * 0.3, CBiquad::HighPass(2500, 0.7), random);
}

// A small glass chime: a bell-like note with slightly stretched partials.
void AddChime(CBuffer& out, double at, double pitchHz, double amplitude, double ringSeconds)
{
    synth::AddPartials(out, at,
        {{pitchHz, amplitude, ringSeconds}, {pitchHz * 2.01, amplitude * 0.35, ringSeconds * 0.5},
            {pitchHz * 3.03, amplitude * 0.12, ringSeconds * 0.3}},
        0.002);
}

std::vector<float> FinishClip(CBuffer samples, double targetRms, double fadeOutSeconds)
{
    synth::FadeEdges(samples, 0.001, fadeOutSeconds);
    return synth::Level(samples, synth::ELevelBy::LoudestWindow, targetRms, kPeakCeiling);
}

std::vector<float> MakeWoodButtonPush()
{
    CRandom random(0x5EED0001);
    CBuffer out(synth::SamplesFor(0.25), 0.0);
    AddWoodKnock(out, 0.0, 430, 1.0, 0.12, random);
    synth::AddPartials(out, 0.0, {{150, 0.5, 0.06}}, 0.002);
    // The button bottoming out a moment later.
    AddWoodKnock(out, 0.05, 640, 0.22, 0.06, random);
    return FinishClip(out, kClickRms, 0.02);
}

std::vector<float> MakeWoodCheck()
{
    CRandom random(0x5EED0002);
    CBuffer out(synth::SamplesFor(0.2), 0.0);
    // Tick-tack of a latch snapping over.
    AddWoodKnock(out, 0.0, 900, 0.6, 0.07, random);
    AddWoodKnock(out, 0.03, 1200, 1.0, 0.08, random);
    return FinishClip(out, kClickRms, 0.02);
}

std::vector<float> MakeWoodSelectionMade()
{
    CRandom random(0x5EED0003);
    CBuffer out(synth::SamplesFor(0.45), 0.0);
    // Two ringing wood-block notes a fifth apart (D5, A5): a confirmation.
    AddWoodKnock(out, 0.0, 587.33, 0.8, 0.3, random);
    AddWoodKnock(out, 0.08, 880.0, 1.0, 0.35, random);
    return FinishClip(out, kClickRms, 0.04);
}

std::vector<float> MakeRotation()
{
    CRandom random(0x5EED0004);
    CBuffer out(synth::SamplesFor(0.55), 0.0);
    // A wooden carousel turning: the hiss of wood sliding on wood, a
    // ratchet that slows down, and a soft knock as it settles.
    synth::AddNoiseSwell(out, 0.0, 0.48, 0.22, CBiquad::BandPass(700, 0.9), random);
    constexpr std::array<double, 7> kTicksSeconds = {0.0, 0.055, 0.115, 0.18, 0.25, 0.33, 0.42};
    for (size_t i = 0; i < kTicksSeconds.size(); ++i) {
        const double fading = 1.0 - 0.09 * static_cast<double>(i);
        AddWoodKnock(out, kTicksSeconds[i], 1500 * random.Between(0.95, 1.05), 0.6 * fading, 0.03, random);
    }
    AddWoodKnock(out, 0.46, 380, 0.5, 0.07, random);
    return FinishClip(out, kRattleRms, 0.02);
}

std::vector<float> MakeSelect()
{
    CRandom random(0x5EED0005);
    CBuffer out(synth::SamplesFor(0.3), 0.0);
    AddTileClick(out, 0.0, 1.0, 1.0, random);
    // A faint bright tink (E6) so that picking a tile sounds friendly.
    AddChime(out, 0.002, 1318.5, 0.18, 0.25);
    return FinishClip(out, kClickRms, 0.03);
}

std::vector<float> MakeDelete()
{
    CRandom random(0x5EED0006);
    CBuffer out(synth::SamplesFor(0.8), 0.0);
    // The two tiles clack together, then a rising chime (E6, A6).
    AddTileClick(out, 0.0, 0.8, 1.0, random);
    AddTileClick(out, 0.045, 1.0, 1.06, random);
    AddChime(out, 0.09, 1318.5, 0.3, 0.6);
    AddChime(out, 0.16, 1760.0, 0.3, 0.6);
    return FinishClip(out, kClickRms, 0.08);
}

std::vector<float> MakeShuffle()
{
    CRandom random(0x5EED0007);
    constexpr double kLengthSeconds = 1.5;
    constexpr double kRattleStart = 0.01;
    constexpr double kRattleEnd = 1.35;
    constexpr double kPeakClicksPerSecond = 110;
    CBuffer out(synth::SamplesFor(kLengthSeconds), 0.0);
    // Tiles pushed around on the table: a low rumble under many clicks.
    // Click times are a Poisson process at the peak rate, thinned by a
    // trapezoid envelope that rises for 0.15 s and falls over the last 0.35 s.
    synth::AddNoiseSwell(out, 0.0, kRattleEnd + 0.05, 0.35, CBiquad::LowPass(500, 0.7), random);
    double t = kRattleStart;
    while (true) {
        t += -std::log(1.0 - random.Uniform()) / kPeakClicksPerSecond;
        if (t >= kRattleEnd) {
            break;
        }
        const double rise = std::min(1.0, (t - kRattleStart) / 0.15);
        const double fall = std::min(1.0, (kRattleEnd - t) / 0.35);
        if (random.Uniform() >= std::min(rise, fall)) {
            continue;
        }
        const double u = random.Uniform();
        AddTileClick(out, t, 0.3 + 0.7 * u * u, random.Between(0.8, 1.25), random);
    }
    return FinishClip(out, kRattleRms, 0.1);
}

} // namespace

const std::array<SSoundRecipe, 8>& SoundRecipes()
{
    static const std::array<SSoundRecipe, 8> recipes = {{
        {"Wood Button Push.wav", ESoundKind::Clip, MakeWoodButtonPush},
        {"Wood Check.wav", ESoundKind::Clip, MakeWoodCheck},
        {"Wood Selection Made.wav", ESoundKind::Clip, MakeWoodSelectionMade},
        {"Rotation.wav", ESoundKind::Clip, MakeRotation},
        {"Select.wav", ESoundKind::Clip, MakeSelect},
        {"Delete.wav", ESoundKind::Clip, MakeDelete},
        {"Shuffle.wav", ESoundKind::Clip, MakeShuffle},
        {"Harp Intro.wav", ESoundKind::Loop, MakeHarpIntro},
    }};
    return recipes;
}

bool WriteSounds(const std::string& root)
{
    bool ok = true;
    for (const SSoundRecipe& recipe : SoundRecipes()) {
        ok = WriteWav(root + "/Sounds/" + recipe.fileName, recipe.make()) && ok;
    }
    return ok;
}

} // namespace assets
