// The WAV clips: any bytes are refused or give a data range inside the
// file, whose samples load into the mixer and play to their end.
#include "FuzzTarget.h"

#include "media/SoundWave.h"
#include "platform/AudioMixer.h"

#include <array>
#include <string>

namespace {

void Put16(fuzz::Input& bytes, uint32_t value)
{
    bytes.push_back(static_cast<uint8_t>(value));
    bytes.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(fuzz::Input& bytes, uint32_t value)
{
    Put16(bytes, value & 0xffff);
    Put16(bytes, value >> 16);
}

void PutId(fuzz::Input& bytes, const char* id) { bytes.insert(bytes.end(), id, id + 4); }

// A RIFF WAVE file: a format chunk of formatBytes (16 or 18), an optional
// odd-sized chunk before the data, and sampleCount 16-bit samples.
fuzz::Input MakeWave(uint32_t formatBytes, bool oddChunk, int sampleCount)
{
    fuzz::Input body;
    PutId(body, "WAVE");
    PutId(body, "fmt ");
    Put32(body, formatBytes);
    Put16(body, 1);
    Put16(body, 1);
    Put32(body, 22050);
    Put32(body, 44100);
    Put16(body, 2);
    Put16(body, 16);
    if (formatBytes == 18) {
        Put16(body, 0);
    }
    if (oddChunk) {
        PutId(body, "LIST");
        Put32(body, 3);
        body.insert(body.end(), {'a', 'b', 'c', 0});
    }
    PutId(body, "data");
    Put32(body, static_cast<uint32_t>(2 * sampleCount));
    for (int i = 0; i < sampleCount; ++i) {
        Put16(body, static_cast<uint32_t>(i * 977));
    }
    fuzz::Input file;
    PutId(file, "RIFF");
    Put32(file, static_cast<uint32_t>(body.size()));
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

} // namespace

namespace fuzz {

size_t MaxInputBytes() { return 65536; }

std::vector<Input> Seeds() { return {MakeWave(16, false, 40), MakeWave(18, true, 25), MakeWave(16, true, 1)}; }

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
