// The WAV clips: any bytes are refused or give a data range inside the
// file, whose samples load into the mixer and play to their end.
#include "FuzzTarget.h"

#include "media/SoundWave.h"
#include "platform/AudioMixer.h"
#include "support/WaveFile.h"

#include <array>
#include <string>

namespace {

using namespace testing_support::wave_file;

// A clip of the game's format with an odd chunk before the data, one with an
// 18-byte format chunk, and a one-sample clip.
fuzz::Input OddWave()
{
    return Riff(
        Chunk("fmt ", Format(1, 1, 22050, 16)) + Chunk("LIST", {'a', 'b', 'c'}) + Chunk("data", Samples({977, -977})));
}

} // namespace

namespace fuzz {

size_t MaxInputBytes() { return 65536; }

std::vector<Input> Seeds()
{
    return {MonoWave({0, 977, 1954, -2931, 3908, 30000, -30000, 5}), OddWave(),
        Riff(Chunk("fmt ", Format(1, 1, 22050, 16) + Bytes{0, 0}) + Chunk("data", Samples({1, 2, 3}))), MonoWave({7})};
}

} // namespace fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    const std::span<const uint8_t> file(bytes, size);
    const auto wave = wave::ReadWave(file);
    if (!wave) {
        return 0;
    }
    FUZZ_REQUIRE(wave->format.formatTag == wave::kFormatPcm);
    FUZZ_REQUIRE(wave->data.data() >= bytes && wave->data.data() + wave->data.size() <= bytes + size);
    std::vector<int16_t> samples = wave::SamplesFromBytes(wave->data);
    FUZZ_REQUIRE(samples.size() == wave->data.size() / 2);
    // Played once to the end and then looped for a while, under a volume.
    platform::CAudioMixer mixer;
    const size_t length = samples.size();
    const auto clip = mixer.AddClip(std::move(samples));
    mixer.SetMasterVolume(-600);
    std::array<int16_t, 2 * 512> frames{};
    mixer.Play(clip, false);
    for (size_t mixed = 0; mixed <= length; mixed += 512) {
        mixer.Mix(frames.data(), 512);
    }
    FUZZ_REQUIRE(!mixer.IsPlaying(clip));
    mixer.Play(clip, true);
    mixer.Mix(frames.data(), 512);
    FUZZ_REQUIRE(mixer.IsPlaying(clip) == (length > 0));
    mixer.RemoveClip(clip);
    return 0;
}
