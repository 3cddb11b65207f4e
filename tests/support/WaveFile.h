// WAV files built byte by byte for the tests: RIFF chunks with their size
// fields and pad bytes, the 16-byte format chunk, 16-bit samples.
#pragma once

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <vector>

namespace testing_support::wave_file {

using Bytes = std::vector<uint8_t>;

inline Bytes operator+(Bytes front, const Bytes& back)
{
    front.insert(front.end(), back.begin(), back.end());
    return front;
}

// Little-endian unsigned field of byteCount bytes.
inline Bytes Le(uint64_t value, int byteCount)
{
    return byteCount == 0 ? Bytes{} : Bytes{uint8_t(value)} + Le(value >> 8, byteCount - 1);
}

inline Bytes Text(const char* text) { return Bytes(text, text + std::strlen(text)); }

// Id, size field (by default the body's length), body, and a pad byte after an odd-sized body.
inline Bytes Chunk(const char* id, const Bytes& body, int64_t sizeField = -1)
{
    return Text(id) + Le(sizeField < 0 ? body.size() : static_cast<uint64_t>(sizeField), 4) + body
        + (body.size() % 2 == 1 ? Bytes{0} : Bytes{});
}

// The body of a 16-byte format chunk.
inline Bytes Format(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits)
{
    return Le(tag, 2) + Le(channels, 2) + Le(rate, 4) + Le(rate * channels * bits / 8, 4) + Le(channels * bits / 8, 2)
        + Le(bits, 2);
}

inline Bytes Samples(std::initializer_list<int16_t> samples)
{
    Bytes out;
    for (const int16_t sample : samples) {
        out = out + Le(static_cast<uint16_t>(sample), 2);
    }
    return out;
}

inline Bytes Riff(const Bytes& chunks, const char* form = "WAVE") { return Chunk("RIFF", Text(form) + chunks); }

// The game's one format: PCM, mono, 22050 Hz, 16 bits.
inline Bytes MonoWave(std::initializer_list<int16_t> samples)
{
    return Riff(Chunk("fmt ", Format(1, 1, 22050, 16)) + Chunk("data", Samples(samples)));
}

} // namespace testing_support::wave_file
