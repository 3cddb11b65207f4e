// Small synthesis kit for the game's clips and music: a seeded random
// source, decaying partials, filtered noise, a reverb, loop folding and
// level control. Everything works on double samples at kSampleRateHz and is
// deterministic: the same calls give the same samples on every run.
#pragma once

#include "Wav.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace assets::synth {

using CBuffer = std::vector<double>;

inline constexpr double kRate = kSampleRateHz;

size_t SamplesFor(double seconds);

// xorshift64*: small, fast and the same everywhere.
class CRandom {
public:
    explicit CRandom(uint64_t seed);
    uint32_t Next();
    double Uniform(); // [0, 1)
    double Between(double low, double high);

private:
    uint64_t state;
};

// One exponentially decaying sine: decaySeconds is the time it takes to
// fall by 60 dB.
struct SPartial {
    double frequencyHz;
    double amplitude;
    double decaySeconds;
};

// Adds the partials from startSeconds on, each faded in over attackSeconds
// (a raised cosine, so nothing starts with a step) and dropped once it has
// decayed by 90 dB. Partials at or above the Nyquist frequency are skipped.
void AddPartials(CBuffer& out, double startSeconds, const std::vector<SPartial>& partials, double attackSeconds);

// Second-order filter (the usual cookbook band-pass, low-pass and
// high-pass).
class CBiquad {
public:
    static CBiquad BandPass(double centreHz, double q);
    static CBiquad LowPass(double cutoffHz, double q);
    static CBiquad HighPass(double cutoffHz, double q);
    double Process(double x);

private:
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
};

// Adds white noise through the filter, shaped by an instant rise and an
// exponential fall of decaySeconds (60 dB), lasting durationSeconds.
void AddNoiseBurst(CBuffer& out, double startSeconds, double durationSeconds, double decaySeconds, double amplitude,
    CBiquad filter, CRandom& random);

// Adds filtered white noise that swells in and out again (a sine-squared
// envelope over durationSeconds), as of something sliding or rumbling.
void AddNoiseSwell(
    CBuffer& out, double startSeconds, double durationSeconds, double amplitude, CBiquad filter, CRandom& random);

// Dry signal plus a dense mono reverb (parallel damped combs into series
// all-passes); the result is longer than the input by tailSeconds.
CBuffer Reverberate(const CBuffer& dry, double wet, double tailSeconds);

// Folds a rendering that runs past the loop's end back onto its start, as
// the loop would sound from its second pass on: sample i of the result is
// the sum of samples i, i + loopLength, i + 2 loopLength ... of the input.
CBuffer FoldIntoLoop(const CBuffer& rendered, size_t loopLength);

double Peak(const CBuffer& samples);
double Rms(const CBuffer& samples);
// The RMS of the loudest window of windowSeconds (hop of a quarter window).
double LoudestRms(const CBuffer& samples, double windowSeconds);

// Raised-cosine fades over the first and last samples.
void FadeEdges(CBuffer& samples, double fadeInSeconds, double fadeOutSeconds);

// Scales to the loudness target (the loudest 50 ms window for clips, the
// whole-file RMS for music) but never above the peak ceiling, and converts
// to the float samples the WAV writer takes.
enum class ELevelBy { LoudestWindow, WholeFile };
std::vector<float> Level(const CBuffer& samples, ELevelBy by, double targetRms, double peakCeiling);

} // namespace assets::synth
