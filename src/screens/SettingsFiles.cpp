// Reading and writing the settings files field by field.
#include "screens/SettingsFiles.h"

#include "platform/BinaryIo.h"
#include "platform/Files.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>
#include <limits>

SOptions DecodeOptions(const std::vector<uint8_t>& bytes)
{
    SOptions options;
    platform::CBinaryReader reader(bytes);
    reader.ReadInt32(options.mouseSensitivity);
    reader.ReadInt32(options.soundVolume);
    reader.ReadInt32(options.playMusic);
    reader.ReadInt32(options.fullScreen);
    reader.ReadText(options.backdrop, platform::kFileNameFieldBytes);
    reader.ReadText(options.tileSet, platform::kFileNameFieldBytes);
    return options;
}

SOptions ReadOptionsFile()
{
    const auto bytes = platform::ReadWholeFile(kOptionsFileName);
    return bytes ? DecodeOptions(*bytes) : SOptions{};
}

std::vector<uint8_t> EncodeOptions(const SOptions& options)
{
    platform::CBinaryWriter writer;
    writer.WriteInt32(options.mouseSensitivity);
    writer.WriteInt32(options.soundVolume);
    writer.WriteInt32(options.playMusic);
    writer.WriteInt32(options.fullScreen);
    writer.WriteText(options.backdrop, platform::kFileNameFieldBytes);
    writer.WriteText(options.tileSet, platform::kFileNameFieldBytes);
    assert(writer.Bytes().size() == kOptionsFileBytes);
    return writer.TakeBytes();
}

bool WriteOptionsFile(const SOptions& options)
{
    return platform::WriteFileAtomically(kOptionsFileName, EncodeOptions(options));
}

SPlayGame DecodePlayGame(const std::vector<uint8_t>& bytes)
{
    SPlayGame playGame;
    platform::CBinaryReader reader(bytes);
    reader.ReadInt32(playGame.gameType);
    reader.ReadText(playGame.layout, platform::kFileNameFieldBytes);
    return playGame;
}

SPlayGame ReadPlayGameFile()
{
    const auto bytes = platform::ReadWholeFile(kPlayGameFileName);
    return bytes ? DecodePlayGame(*bytes) : SPlayGame{};
}

int32_t DecodeHelpFlag(const std::vector<uint8_t>& bytes)
{
    const std::string text(bytes.begin(), bytes.end());
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (end == text.c_str()) {
        return 100;
    }
    return static_cast<int32_t>(
        std::clamp<long>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

std::vector<uint8_t> EncodePlayGame(const SPlayGame& playGame)
{
    platform::CBinaryWriter writer;
    writer.WriteInt32(playGame.gameType);
    writer.WriteText(playGame.layout, platform::kFileNameFieldBytes);
    assert(writer.Bytes().size() == kPlayGameFileBytes);
    return writer.TakeBytes();
}

bool WritePlayGameFile(const SPlayGame& playGame)
{
    return platform::WriteFileAtomically(kPlayGameFileName, EncodePlayGame(playGame));
}
