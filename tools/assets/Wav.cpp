// RIFF WAVE encoding of mono 16-bit clips.
#include "Wav.h"

#include "Image.h"
#include "platform/BinaryIo.h"

#include <algorithm>
#include <cmath>

namespace assets {

std::vector<uint8_t> EncodeWav(const std::vector<float>& samples)
{
    const auto dataBytes = static_cast<int32_t>(samples.size() * 2);
    platform::CBinaryWriter out;
    auto tag = [&](const char* fourCc) {
        out.WriteInt32(static_cast<int32_t>(static_cast<uint32_t>(fourCc[0]) | static_cast<uint32_t>(fourCc[1]) << 8
            | static_cast<uint32_t>(fourCc[2]) << 16 | static_cast<uint32_t>(fourCc[3]) << 24));
    };
    tag("RIFF");
    out.WriteInt32(36 + dataBytes);
    tag("WAVE");
    tag("fmt ");
    out.WriteInt32(16);
    out.WriteInt32(1 | 1 << 16); // PCM, one channel
    out.WriteInt32(kSampleRateHz);
    out.WriteInt32(kSampleRateHz * 2); // bytes per second
    out.WriteInt32(2 | 16 << 16); // block align 2, 16 bits per sample
    tag("data");
    out.WriteInt32(dataBytes);
    std::vector<uint8_t> bytes = out.TakeBytes();
    bytes.reserve(bytes.size() + samples.size() * 2);
    for (const float sample : samples) {
        const auto value = static_cast<int16_t>(std::lround(std::clamp(sample, -1.0f, 1.0f) * 32767.0f));
        bytes.push_back(static_cast<uint8_t>(value & 0xFF));
        bytes.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
    }
    return bytes;
}

bool WriteWav(const std::string& path, const std::vector<float>& samples)
{
    return WriteBytes(path, EncodeWav(samples));
}

} // namespace assets
