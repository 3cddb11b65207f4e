// The RIFF walk over a WAV file held in memory.
#include "media/SoundWave.h"

#include <cstring>

namespace wave {
namespace {

constexpr uint64_t kChunkHeaderBytes = 8;
constexpr uint64_t kFormatRecordBytes = 18;

uint16_t Read16(std::span<const uint8_t> file, uint64_t at)
{
    return static_cast<uint16_t>(file[at] | (file[at + 1] << 8));
}

uint32_t Read32(std::span<const uint8_t> file, uint64_t at)
{
    return static_cast<uint32_t>(Read16(file, at)) | (static_cast<uint32_t>(Read16(file, at + 2)) << 16);
}

bool IdIs(std::span<const uint8_t> file, uint64_t at, const char (&id)[5])
{
    return std::memcmp(file.data() + at, id, 4) == 0;
}

struct Chunk {
    uint64_t dataStart = 0;
    uint32_t size = 0;

    // Where the next chunk begins: after the data and its pad byte.
    uint64_t End() const { return dataStart + size + (size & 1u); }
};

// The chunk header at offset "at", if the file holds all of it.
std::optional<Chunk> ChunkAt(std::span<const uint8_t> file, uint64_t at)
{
    if (at + kChunkHeaderBytes > file.size()) {
        return std::nullopt;
    }
    return Chunk{at + kChunkHeaderBytes, Read32(file, at + 4)};
}

// The first chunk with this id from offset "at" on, at the same nesting level.
std::optional<Chunk> FindChunk(std::span<const uint8_t> file, uint64_t at, const char (&id)[5])
{
    while (auto chunk = ChunkAt(file, at)) {
        if (IdIs(file, at, id)) {
            return chunk;
        }
        at = chunk->End();
    }
    return std::nullopt;
}

std::optional<Chunk> FindWaveForm(std::span<const uint8_t> file)
{
    uint64_t at = 0;
    while (auto riff = FindChunk(file, at, "RIFF")) {
        if (riff->dataStart + 4 <= file.size() && IdIs(file, riff->dataStart, "WAVE")) {
            return riff;
        }
        at = riff->End();
    }
    return std::nullopt;
}

WaveFormat ReadFormat(std::span<const uint8_t> file, uint64_t at)
{
    WaveFormat format;
    format.formatTag = Read16(file, at);
    format.channels = Read16(file, at + 2);
    format.samplesPerSec = Read32(file, at + 4);
    format.avgBytesPerSec = Read32(file, at + 8);
    format.blockAlign = Read16(file, at + 12);
    format.bitsPerSample = Read16(file, at + 14);
    format.extraSize = Read16(file, at + 16);
    return format;
}

} // namespace

std::optional<WaveData> ReadWave(std::span<const uint8_t> file)
{
    const auto form = FindWaveForm(file);
    if (!form) {
        return std::nullopt;
    }
    const auto formatChunk = ChunkAt(file, form->dataStart + 4);
    if (!formatChunk || formatChunk->dataStart + kFormatRecordBytes > file.size()) {
        return std::nullopt;
    }
    WaveData wave;
    wave.format = ReadFormat(file, formatChunk->dataStart);
    if (wave.format.formatTag != kFormatPcm) {
        return std::nullopt;
    }
    const auto dataChunk = FindChunk(file, formatChunk->End(), "data");
    if (!dataChunk) {
        return std::nullopt;
    }
    const uint64_t available = file.size() - dataChunk->dataStart;
    const uint64_t length = dataChunk->size < available ? dataChunk->size : available;
    wave.data = file.subspan(static_cast<size_t>(dataChunk->dataStart), static_cast<size_t>(length));
    return wave;
}

std::vector<int16_t> SamplesFromBytes(std::span<const uint8_t> data)
{
    std::vector<int16_t> samples(data.size() / 2);
    for (size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<int16_t>(static_cast<uint16_t>(data[2 * i] | (data[2 * i + 1] << 8)));
    }
    return samples;
}

} // namespace wave
