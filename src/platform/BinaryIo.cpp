// Field-by-field reading and writing of little-endian binary files.
#include "platform/BinaryIo.h"

#include <algorithm>
#include <cstring>

namespace platform {

bool CBinaryReader::ReadInt32(int32_t& value)
{
    if (Remaining() < 4) {
        wasShort = true;
        return false;
    }
    const uint32_t raw = static_cast<uint32_t>(cursor[0]) | static_cast<uint32_t>(cursor[1]) << 8
        | static_cast<uint32_t>(cursor[2]) << 16 | static_cast<uint32_t>(cursor[3]) << 24;
    value = static_cast<int32_t>(raw);
    cursor += 4;
    return true;
}

bool CBinaryReader::ReadText(std::string& text, size_t fieldBytes)
{
    if (Remaining() < fieldBytes) {
        wasShort = true;
        return false;
    }
    const auto* terminator = static_cast<const uint8_t*>(std::memchr(cursor, 0, fieldBytes));
    const size_t length = terminator ? static_cast<size_t>(terminator - cursor) : fieldBytes;
    text.assign(reinterpret_cast<const char*>(cursor), length);
    cursor += fieldBytes;
    return true;
}

bool CBinaryReader::Skip(size_t count)
{
    if (Remaining() < count) {
        wasShort = true;
        return false;
    }
    cursor += count;
    return true;
}

void CBinaryWriter::WriteInt32(int32_t value)
{
    const auto raw = static_cast<uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) {
        bytes.push_back(static_cast<uint8_t>(raw >> shift));
    }
}

void CBinaryWriter::WriteText(std::string_view text, size_t fieldBytes)
{
    if (fieldBytes == 0) {
        return;
    }
    const std::string fitted = FitText(text, fieldBytes);
    bytes.insert(bytes.end(), fitted.begin(), fitted.end());
    bytes.insert(bytes.end(), fieldBytes - fitted.size(), 0);
}

std::string FitText(std::string_view text, size_t fieldBytes)
{
    if (fieldBytes == 0) {
        return {};
    }
    // A text field ends at its first zero, so an embedded zero ends it too.
    const size_t zero = text.find('\0');
    const size_t length = std::min({text.size(), zero, fieldBytes - 1});
    return std::string(text.substr(0, length));
}

} // namespace platform
