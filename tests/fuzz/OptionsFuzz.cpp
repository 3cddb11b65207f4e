// "Data\Options.dat": any bytes give options, and options read from a file
// write back to a file that reads the same.
#include "FuzzTarget.h"

#include "platform/BinaryIo.h"
#include "screens/SettingsFiles.h"

namespace {

std::vector<uint8_t> Encode(const SOptions& options)
{
    platform::CBinaryWriter writer;
    writer.WriteInt32(options.mouseSensitivity);
    writer.WriteInt32(options.soundVolume);
    writer.WriteInt32(options.playMusic);
    writer.WriteInt32(options.fullScreen);
    writer.WriteText(options.backdrop, platform::kFileNameFieldBytes);
    writer.WriteText(options.tileSet, platform::kFileNameFieldBytes);
    return writer.TakeBytes();
}

bool Same(const SOptions& a, const SOptions& b)
{
    return a.mouseSensitivity == b.mouseSensitivity && a.soundVolume == b.soundVolume && a.playMusic == b.playMusic
        && a.fullScreen == b.fullScreen && a.backdrop == b.backdrop && a.tileSet == b.tileSet;
}

} // namespace

namespace fuzz {

size_t MaxInputBytes() { return 2048; }

std::vector<Input> Seeds()
{
    SOptions options;
    options.backdrop = "Emerald Felt.bmp";
    options.tileSet = "Ivory";
    SOptions other = options;
    other.mouseSensitivity = 100;
    other.soundVolume = 0;
    other.playMusic = 1;
    other.fullScreen = 0;
    other.tileSet = "";
    return {Encode(options), Encode(other), {}};
}

} // namespace fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    SOptions options = DecodeOptions(std::vector<uint8_t>(bytes, bytes + size));
    FUZZ_REQUIRE(options.backdrop.size() <= platform::kFileNameFieldBytes);
    FUZZ_REQUIRE(options.tileSet.size() <= platform::kFileNameFieldBytes);
    // A name that fills its whole field loses its last byte when written.
    options.backdrop = platform::FitText(options.backdrop, platform::kFileNameFieldBytes);
    options.tileSet = platform::FitText(options.tileSet, platform::kFileNameFieldBytes);
    const std::vector<uint8_t> written = Encode(options);
    FUZZ_REQUIRE(written.size() == kOptionsFileBytes);
    FUZZ_REQUIRE(Same(DecodeOptions(written), options));
    return 0;
}
