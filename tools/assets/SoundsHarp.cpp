// "Harp Intro.wav": a lilting harp piece in D major pentatonic, 8 bars of
// 6/8 (20 seconds), rendered once with its ringing tails and reverb and then
// folded into a seamless loop.
#include "Sounds.h"

#include "Synth.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

namespace assets {

namespace {

using synth::CBuffer;
using synth::CRandom;

constexpr double kEighthSeconds = 60.0 / 144.0; // a dotted crotchet at 48 per minute
constexpr int kEighthsPerBar = 6;
constexpr int kBars = 8;
constexpr double kLoopSeconds = kEighthSeconds * kEighthsPerBar * kBars;
constexpr double kLongestRingSeconds = 9.0;
constexpr double kReverbTailSeconds = 3.0;
constexpr double kMusicRms = 0.065;
constexpr double kMusicPeakCeiling = 0.8;

// "F#5" -> 78 (MIDI numbering, A4 = 69).
int MidiNote(std::string_view name)
{
    constexpr std::array<int, 7> kPitchClasses = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G
    int pitch = kPitchClasses[static_cast<size_t>(name[0] - 'A')];
    size_t at = 1;
    if (name[at] == '#') {
        ++pitch;
        ++at;
    } else if (name[at] == 'b') {
        --pitch;
        ++at;
    }
    return pitch + 12 * (name[at] - '0' + 1);
}

double FrequencyHz(int midi) { return 440.0 * std::pow(2.0, (midi - 69) / 12.0); }

struct SScoreNote {
    int eighth; // from the start of the loop
    const char* pitch;
};

// The tune: a pentatonic line (D E F# A B) of two four-bar phrases; the
// last bar leads back into the first.
constexpr std::array<SScoreNote, 30> kMelody = {{
    {0, "F#5"}, {3, "A5"}, {5, "B5"}, // D
    {6, "A5"}, {8, "F#5"}, {9, "E5"}, {11, "D5"}, // Bm
    {12, "E5"}, {15, "D5"}, {17, "B4"}, // G
    {18, "A4"}, {20, "B4"}, {21, "E5"}, // A
    {24, "F#5"}, {26, "A5"}, {27, "D6"}, // D
    {30, "B5"}, {32, "A5"}, {33, "F#5"}, {35, "E5"}, // Bm
    {36, "D5"}, {38, "E5"}, {39, "B4"}, {41, "D5"}, // G
    {42, "E5"}, {45, "D5"}, {46, "E5"}, // A
    {27, "D5"}, {39, "G4"}, {42, "A4"}, // lower voice under the long notes
}};

// One rolling arpeggio per bar: root, fifth, octave, a chord tone above and
// back down, given as semitones above the root.
struct SBar {
    const char* root;
    std::array<int, kEighthsPerBar> pattern;
};
constexpr std::array<int, kEighthsPerBar> kMajor = {0, 7, 12, 16, 19, 16};
constexpr std::array<int, kEighthsPerBar> kMinor = {0, 7, 12, 15, 19, 15};
constexpr std::array<SBar, kBars> kBarsOfChords = {{
    {"D3", kMajor}, {"B2", kMinor}, {"G2", kMajor}, {"A2", kMajor}, {"D3", kMajor}, {"B2", kMinor}, {"G2", kMajor},
    {"A2", {0, 7, 12, 17, 16, 12}}, // suspended fourth resolving
}};

// One plucked harp string as a sum of partials: the pluck near a quarter of
// the string's length sets their strengths, the higher ones fade sooner,
// bass strings ring longer than treble ones, and a slight stiffness
// stretches the overtones.
void AddHarpNote(CBuffer& out, double at, int midi, double velocity, CRandom& random)
{
    constexpr double kStiffness = 0.00008;
    constexpr double kHighestPartialHz = 7000;
    constexpr int kMaxPartials = 14;
    const double f0 = FrequencyHz(midi);
    const double fundamentalRing = std::min(6.0, 3.2 * std::pow(440.0 / f0, 0.45));
    const double pluckPosition = random.Between(0.24, 0.3);
    std::vector<synth::SPartial> partials;
    for (int k = 1; k <= kMaxPartials; ++k) {
        const double frequency = k * f0 * std::sqrt(1 + kStiffness * k * k);
        if (frequency > kHighestPartialHz) {
            break;
        }
        const double strength = std::abs(std::sin(k * M_PI * pluckPosition)) / std::pow(k, 1.4);
        partials.push_back({frequency, velocity * strength, fundamentalRing / (1 + 0.45 * (k - 1))});
    }
    synth::AddPartials(out, at, partials, 0.004);
    synth::AddNoiseBurst(
        out, at, 0.015, 0.006, velocity * 0.02, synth::CBiquad::BandPass(std::min(3 * f0, 5000.0), 1.0), random);
}

} // namespace

std::vector<float> MakeHarpIntro()
{
    CRandom random(0x4A4B1);
    CBuffer dry(synth::SamplesFor(kLoopSeconds + kLongestRingSeconds), 0.0);
    // A player is never exactly on the beat: every note comes up to 8 ms
    // late (never early, so nothing falls before the loop's start) and
    // varies a little in strength.
    auto play = [&](int eighth, int midi, double velocity) {
        const double at = eighth * kEighthSeconds + random.Between(0, 0.008);
        AddHarpNote(dry, at, midi, velocity * random.Between(0.92, 1.08), random);
    };
    for (const SScoreNote& note : kMelody) {
        play(note.eighth, MidiNote(note.pitch), 1.0);
    }
    for (int bar = 0; bar < kBars; ++bar) {
        const SBar& chord = kBarsOfChords[static_cast<size_t>(bar)];
        const int root = MidiNote(chord.root);
        play(bar * kEighthsPerBar, root - 12, 0.55); // the bass string under each bar
        for (int step = 0; step < kEighthsPerBar; ++step) {
            play(bar * kEighthsPerBar + step, root + chord.pattern[static_cast<size_t>(step)], step == 0 ? 0.6 : 0.42);
        }
    }
    const CBuffer wet = synth::Reverberate(dry, 0.35, kReverbTailSeconds);
    const CBuffer loop = synth::FoldIntoLoop(wet, synth::SamplesFor(kLoopSeconds));
    return synth::Level(loop, synth::ELevelBy::WholeFile, kMusicRms, kMusicPeakCeiling);
}

} // namespace assets
