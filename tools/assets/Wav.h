// The game's clip format: PCM, mono, 16-bit, 22050 Hz, written as a canonical
// RIFF WAVE file (format chunk first, then data).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace assets {

inline constexpr int kSampleRateHz = 22050;

// Samples in -1..1 are scaled to 16 bits (clamped); returns the whole file.
std::vector<uint8_t> EncodeWav(const std::vector<float>& samples);
bool WriteWav(const std::string& path, const std::vector<float>& samples);

} // namespace assets
