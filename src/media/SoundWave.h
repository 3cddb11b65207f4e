// WAV files as the game reads them: the RIFF form "WAVE", its first chunk
// taken as the format, the "data" chunk found after it. Pure byte work, with
// every offset checked against the file's length.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace wave {

// The 18-byte wave format record.
struct WaveFormat {
    uint16_t formatTag = 0;
    uint16_t channels = 0;
    uint32_t samplesPerSec = 0;
    uint32_t avgBytesPerSec = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;
    uint16_t extraSize = 0;
};

inline constexpr uint16_t kFormatPcm = 1;

struct WaveData {
    WaveFormat format;
    std::span<const uint8_t> data; // inside the file's bytes
};

// Reads a WAV file:
// 1. The first top-level chunk "RIFF" whose form type is "WAVE".
// 2. Its first chunk, whatever its id, read as the format: 18 bytes from the
//    start of its data as the file runs (a 16-byte format chunk lends the
//    first two bytes of the next chunk header). Only the format tag is
//    checked: it must be 1 (PCM).
// 3. The first "data" chunk from the end of that chunk on (chunks of odd
//    size are followed by one pad byte).
// Nothing when any of these is missing or the file ends inside the format
// record. A data chunk that claims more bytes than the file holds gives the
// bytes that are there.
std::optional<WaveData> ReadWave(std::span<const uint8_t> file);

// The data as little-endian 16-bit samples, whatever the format said (the
// clips are always played as 16-bit mono at 22050 Hz). An odd last byte is
// half a sample and is dropped.
std::vector<int16_t> SamplesFromBytes(std::span<const uint8_t> data);

} // namespace wave
