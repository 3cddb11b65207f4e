// Partials, filters, noise, reverb and level control of the synthesis kit.
#include "Synth.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace assets::synth {

namespace {

// Amplitude ratio of a 60 dB fall, and how far below it a partial may go
// before it is dropped (90 dB in all).
constexpr double kLn1000 = 6.907755278982137;
constexpr double kDropAfterDecays = 1.5;

double DecayPerSample(double decaySeconds) { return std::exp(-kLn1000 / (decaySeconds * kRate)); }

// A feedback comb with a one-pole low-pass in its loop (the damping that
// makes high frequencies die first, as in a real room).
class CDampedComb {
public:
    CDampedComb(size_t delay, double feedbackGain, double dampingFactor)
        : line(delay, 0.0)
        , feedback(feedbackGain)
        , damping(dampingFactor)
    {
    }
    double Process(double x)
    {
        const double y = line[index];
        filtered = y * (1 - damping) + filtered * damping;
        line[index] = x + filtered * feedback;
        index = (index + 1) % line.size();
        return y;
    }

private:
    std::vector<double> line;
    size_t index = 0;
    double filtered = 0;
    double feedback;
    double damping;
};

class CAllPass {
public:
    explicit CAllPass(size_t delay)
        : line(delay, 0.0)
    {
    }
    double Process(double x)
    {
        constexpr double kGain = 0.5;
        const double delayed = line[index];
        const double y = delayed - kGain * x;
        line[index] = x + kGain * delayed;
        index = (index + 1) % line.size();
        return y;
    }

private:
    std::vector<double> line;
    size_t index = 0;
};

} // namespace

size_t SamplesFor(double seconds) { return static_cast<size_t>(std::lround(std::max(0.0, seconds) * kRate)); }

CRandom::CRandom(uint64_t seed)
    : state(seed == 0 ? 0x9E3779B97F4A7C15ull : seed)
{
}

uint32_t CRandom::Next()
{
    state ^= state >> 12;
    state ^= state << 25;
    state ^= state >> 27;
    return static_cast<uint32_t>((state * 0x2545F4914F6CDD1Dull) >> 32);
}

double CRandom::Uniform() { return Next() / 4294967296.0; }

double CRandom::Between(double low, double high) { return low + (high - low) * Uniform(); }

void AddPartials(CBuffer& out, double startSeconds, const std::vector<SPartial>& partials, double attackSeconds)
{
    const size_t start = SamplesFor(startSeconds);
    const size_t attack = std::max<size_t>(1, SamplesFor(attackSeconds));
    for (const SPartial& partial : partials) {
        if (partial.frequencyHz <= 0 || partial.frequencyHz >= kRate / 2 || partial.decaySeconds <= 0) {
            continue;
        }
        const size_t length = SamplesFor(partial.decaySeconds * kDropAfterDecays);
        const size_t end = std::min(out.size(), start + length);
        // The sine advances by rotating a unit phasor, which is exact enough
        // in double precision for the few seconds a partial lasts.
        const double step = 2 * M_PI * partial.frequencyHz / kRate;
        const double stepCos = std::cos(step);
        const double stepSin = std::sin(step);
        const double decay = DecayPerSample(partial.decaySeconds);
        double c = 1;
        double s = 0;
        double envelope = partial.amplitude;
        for (size_t i = start; i < end; ++i) {
            const size_t n = i - start;
            const double rise = n < attack ? 0.5 - 0.5 * std::cos(M_PI * static_cast<double>(n) / attack) : 1.0;
            out[i] += envelope * rise * s;
            const double nextC = c * stepCos - s * stepSin;
            s = s * stepCos + c * stepSin;
            c = nextC;
            envelope *= decay;
        }
    }
}

CBiquad CBiquad::BandPass(double centreHz, double q)
{
    const double w = 2 * M_PI * centreHz / kRate;
    const double alpha = std::sin(w) / (2 * q);
    const double a0 = 1 + alpha;
    CBiquad f;
    f.b0 = alpha / a0;
    f.b1 = 0;
    f.b2 = -alpha / a0;
    f.a1 = -2 * std::cos(w) / a0;
    f.a2 = (1 - alpha) / a0;
    return f;
}

CBiquad CBiquad::LowPass(double cutoffHz, double q)
{
    const double w = 2 * M_PI * cutoffHz / kRate;
    const double alpha = std::sin(w) / (2 * q);
    const double cosW = std::cos(w);
    const double a0 = 1 + alpha;
    CBiquad f;
    f.b0 = (1 - cosW) / 2 / a0;
    f.b1 = (1 - cosW) / a0;
    f.b2 = (1 - cosW) / 2 / a0;
    f.a1 = -2 * cosW / a0;
    f.a2 = (1 - alpha) / a0;
    return f;
}

CBiquad CBiquad::HighPass(double cutoffHz, double q)
{
    const double w = 2 * M_PI * cutoffHz / kRate;
    const double alpha = std::sin(w) / (2 * q);
    const double cosW = std::cos(w);
    const double a0 = 1 + alpha;
    CBiquad f;
    f.b0 = (1 + cosW) / 2 / a0;
    f.b1 = -(1 + cosW) / a0;
    f.b2 = (1 + cosW) / 2 / a0;
    f.a1 = -2 * cosW / a0;
    f.a2 = (1 - alpha) / a0;
    return f;
}

double CBiquad::Process(double x)
{
    const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = y;
    return y;
}

void AddNoiseBurst(CBuffer& out, double startSeconds, double durationSeconds, double decaySeconds, double amplitude,
    CBiquad filter, CRandom& random)
{
    const size_t start = SamplesFor(startSeconds);
    const size_t end = std::min(out.size(), start + SamplesFor(durationSeconds));
    const double decay = DecayPerSample(decaySeconds);
    double envelope = amplitude;
    for (size_t i = start; i < end; ++i) {
        out[i] += envelope * filter.Process(random.Between(-1, 1));
        envelope *= decay;
    }
}

void AddNoiseSwell(
    CBuffer& out, double startSeconds, double durationSeconds, double amplitude, CBiquad filter, CRandom& random)
{
    const size_t start = SamplesFor(startSeconds);
    const size_t length = SamplesFor(durationSeconds);
    const size_t end = std::min(out.size(), start + length);
    for (size_t i = start; i < end; ++i) {
        const double shape = std::sin(M_PI * static_cast<double>(i - start) / static_cast<double>(length));
        out[i] += amplitude * shape * shape * filter.Process(random.Between(-1, 1));
    }
}

CBuffer Reverberate(const CBuffer& dry, double wet, double tailSeconds)
{
    // Mutually prime delays around 25-37 ms for the combs and 5-12 ms for
    // the all-passes give a smooth, colourless tail.
    constexpr std::array<size_t, 8> kCombDelays = {557, 593, 641, 677, 709, 743, 779, 809};
    constexpr std::array<size_t, 4> kAllPassDelays = {277, 221, 173, 113};
    constexpr double kFeedback = 0.82;
    constexpr double kDamping = 0.3;
    std::vector<CDampedComb> combs;
    for (const size_t delay : kCombDelays) {
        combs.emplace_back(delay, kFeedback, kDamping);
    }
    std::vector<CAllPass> allPasses;
    for (const size_t delay : kAllPassDelays) {
        allPasses.emplace_back(delay);
    }
    CBuffer out(dry.size() + SamplesFor(tailSeconds), 0.0);
    const double combGain = 1.0 / static_cast<double>(combs.size());
    for (size_t i = 0; i < out.size(); ++i) {
        const double x = i < dry.size() ? dry[i] : 0.0;
        double sum = 0;
        for (CDampedComb& comb : combs) {
            sum += comb.Process(x);
        }
        double y = sum * combGain;
        for (CAllPass& allPass : allPasses) {
            y = allPass.Process(y);
        }
        out[i] = x + wet * y;
    }
    return out;
}

CBuffer FoldIntoLoop(const CBuffer& rendered, size_t loopLength)
{
    CBuffer loop(loopLength, 0.0);
    if (loopLength == 0) {
        return loop;
    }
    for (size_t i = 0; i < rendered.size(); ++i) {
        loop[i % loopLength] += rendered[i];
    }
    return loop;
}

double Peak(const CBuffer& samples)
{
    double peak = 0;
    for (const double s : samples) {
        peak = std::max(peak, std::abs(s));
    }
    return peak;
}

double Rms(const CBuffer& samples)
{
    if (samples.empty()) {
        return 0;
    }
    double sum = 0;
    for (const double s : samples) {
        sum += s * s;
    }
    return std::sqrt(sum / static_cast<double>(samples.size()));
}

double LoudestRms(const CBuffer& samples, double windowSeconds)
{
    const size_t window = std::max<size_t>(1, SamplesFor(windowSeconds));
    if (samples.size() <= window) {
        return Rms(samples);
    }
    const size_t hop = std::max<size_t>(1, window / 4);
    double loudest = 0;
    for (size_t start = 0; start + window <= samples.size(); start += hop) {
        double sum = 0;
        for (size_t i = start; i < start + window; ++i) {
            sum += samples[i] * samples[i];
        }
        loudest = std::max(loudest, std::sqrt(sum / static_cast<double>(window)));
    }
    return loudest;
}

void FadeEdges(CBuffer& samples, double fadeInSeconds, double fadeOutSeconds)
{
    const size_t fadeIn = std::min(samples.size(), SamplesFor(fadeInSeconds));
    const size_t fadeOut = std::min(samples.size(), SamplesFor(fadeOutSeconds));
    for (size_t n = 0; n < fadeIn; ++n) {
        samples[n] *= 0.5 - 0.5 * std::cos(M_PI * static_cast<double>(n) / static_cast<double>(fadeIn));
    }
    // The last sample gets gain 0 exactly.
    for (size_t n = 0; n < fadeOut; ++n) {
        samples[samples.size() - 1 - n]
            *= 0.5 - 0.5 * std::cos(M_PI * static_cast<double>(n) / static_cast<double>(fadeOut));
    }
}

std::vector<float> Level(const CBuffer& samples, ELevelBy by, double targetRms, double peakCeiling)
{
    constexpr double kClipWindowSeconds = 0.05;
    const double measured = by == ELevelBy::LoudestWindow ? LoudestRms(samples, kClipWindowSeconds) : Rms(samples);
    const double peak = Peak(samples);
    double gain = measured > 0 ? targetRms / measured : 0;
    if (peak * gain > peakCeiling) {
        gain = peakCeiling / peak;
    }
    std::vector<float> out;
    out.reserve(samples.size());
    for (const double s : samples) {
        out.push_back(static_cast<float>(s * gain));
    }
    return out;
}

} // namespace assets::synth
