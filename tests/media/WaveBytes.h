// Builds WAV files byte by byte for the sound tests, including broken ones.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace wave_bytes {

using Bytes = std::vector<uint8_t>;

inline void Put16(Bytes& out, uint32_t value)
{
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

inline void Put32(Bytes& out, uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

inline Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& part : parts) {
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}

// A chunk with its id, the given size field (by default the body's length),
// the body, and a pad byte after an odd-sized body.
inline Bytes Chunk(const std::string& id, const Bytes& body, int64_t sizeField = -1)
{
    Bytes out(id.begin(), id.end());
    Put32(out, sizeField < 0 ? static_cast<uint32_t>(body.size()) : static_cast<uint32_t>(sizeField));
    out.insert(out.end(), body.begin(), body.end());
    if (body.size() % 2 == 1) {
        out.push_back(0);
    }
    return out;
}

// The body of a format chunk: 16 bytes, or 18 with the extra size field.
inline Bytes FormatBody(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits, bool withExtraSize = false)
{
    Bytes out;
    Put16(out, tag);
    Put16(out, channels);
    Put32(out, rate);
    Put32(out, rate * channels * bits / 8);
    Put16(out, channels * bits / 8);
    Put16(out, bits);
    if (withExtraSize) {
        Put16(out, 0);
    }
    return out;
}

inline Bytes Samples(std::initializer_list<int16_t> samples)
{
    Bytes out;
    for (int16_t sample : samples) {
        Put16(out, static_cast<uint16_t>(sample));
    }
    return out;
}

// RIFF chunk of the given form around the chunks.
inline Bytes Riff(const Bytes& chunks, const std::string& form = "WAVE")
{
    return Chunk("RIFF", Concat({Bytes(form.begin(), form.end()), chunks}));
}

// A regular file: a 16-byte PCM mono 16-bit 22050 Hz format chunk and the data.
inline Bytes MonoWave(std::initializer_list<int16_t> samples)
{
    return Riff(Concat({Chunk("fmt ", FormatBody(1, 1, 22050, 16)), Chunk("data", Samples(samples))}));
}

} // namespace wave_bytes
