// Little-endian fields of the game's binary files: signed 32-bit numbers and
// zero-terminated texts in fixed-size fields. Never cast structs onto bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Sizes of the fixed text fields the files use.
inline constexpr size_t kNameFieldBytes = 32;
inline constexpr size_t kFileNameFieldBytes = 256;
inline constexpr size_t kPathFieldBytes = 1024;

// Reads fields in order from a byte buffer it does not own. A read that would
// run past the end fails, leaves its output untouched and marks the reader as
// short, so a caller can preset values and keep them for missing fields.
class CBinaryReader {
public:
    CBinaryReader(const uint8_t* data, size_t size)
        : begin(data)
        , end(data + size)
        , cursor(data)
    {
    }
    explicit CBinaryReader(const std::vector<uint8_t>& bytes)
        : CBinaryReader(bytes.data(), bytes.size())
    {
    }

    bool ReadInt32(int32_t& value);
    // Reads a field of fieldBytes bytes and keeps the text up to its first
    // zero (all of it when there is none).
    bool ReadText(std::string& text, size_t fieldBytes);
    bool Skip(size_t count);

    size_t Offset() const { return static_cast<size_t>(cursor - begin); }
    size_t Remaining() const { return static_cast<size_t>(end - cursor); }
    bool WasShort() const { return wasShort; }

private:
    const uint8_t* begin;
    const uint8_t* end;
    const uint8_t* cursor;
    bool wasShort = false;
};

// Appends fields to a byte buffer.
class CBinaryWriter {
public:
    void WriteInt32(int32_t value);
    // Writes the text cut to fieldBytes - 1 bytes, a terminating zero and
    // zeros up to the end of the field.
    void WriteText(std::string_view text, size_t fieldBytes);

    const std::vector<uint8_t>& Bytes() const { return bytes; }
    std::vector<uint8_t> TakeBytes() { return std::move(bytes); }

private:
    std::vector<uint8_t> bytes;
};

// Copies text into a fixed field's worth of characters (at most
// fieldBytes - 1), as a setter of such a field does.
std::string FitText(std::string_view text, size_t fieldBytes);

} // namespace platform
