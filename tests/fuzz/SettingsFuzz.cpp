// The settings files: "Data\Options.dat", "Data\PlayGame.dat" and the help
// flags ("Data\Help1.dat" and its siblings). The first byte chooses the
// reader; any bytes give settings that the game's writer turns into a file
// that reads the same.
#include "FuzzTarget.h"

#include "platform/BinaryIo.h"
#include "screens/SettingsFiles.h"

#include <cctype>
#include <string>

namespace {

void CheckOptions(const std::vector<uint8_t>& bytes)
{
    SOptions options = DecodeOptions(bytes);
    FUZZ_REQUIRE(options.backdrop.size() <= platform::kFileNameFieldBytes);
    FUZZ_REQUIRE(options.tileSet.size() <= platform::kFileNameFieldBytes);
    // A name that fills its whole field loses its last byte when written.
    options.backdrop = platform::FitText(options.backdrop, platform::kFileNameFieldBytes);
    options.tileSet = platform::FitText(options.tileSet, platform::kFileNameFieldBytes);
    // Read back, every field writes the same bytes again.
    FUZZ_REQUIRE(EncodeOptions(DecodeOptions(EncodeOptions(options))) == EncodeOptions(options));
}

void CheckPlayGame(const std::vector<uint8_t>& bytes)
{
    SPlayGame playGame = DecodePlayGame(bytes);
    FUZZ_REQUIRE(playGame.layout.size() <= platform::kFileNameFieldBytes);
    playGame.layout = platform::FitText(playGame.layout, platform::kFileNameFieldBytes);
    FUZZ_REQUIRE(EncodePlayGame(DecodePlayGame(EncodePlayGame(playGame))) == EncodePlayGame(playGame));
}

// What the game writes is always read back as written; text that starts
// with no sign or digit (after blanks) is no number.
void CheckHelpFlag(const std::vector<uint8_t>& bytes)
{
    const int32_t flag = DecodeHelpFlag(bytes);
    const std::string text = std::to_string(flag);
    FUZZ_REQUIRE(DecodeHelpFlag(std::vector<uint8_t>(text.begin(), text.end())) == flag);
    size_t at = 0;
    while (at < bytes.size() && std::isspace(bytes[at])) {
        ++at;
    }
    if (at == bytes.size() || !(std::isdigit(bytes[at]) || bytes[at] == '-' || bytes[at] == '+')) {
        FUZZ_REQUIRE(flag == 100);
    }
}

} // namespace

namespace fuzz {

size_t MaxInputBytes() { return 2048; }

std::vector<Input> Seeds()
{
    const auto with = [](uint8_t reader, Input bytes) {
        bytes.insert(bytes.begin(), reader);
        return bytes;
    };
    const auto text = [](const std::string& s) { return Input(s.begin(), s.end()); };
    return {with(0, EncodeOptions({20, 100, 0, 1, "Emerald Felt.bmp", "Ivory"})),
        with(0, EncodeOptions({100, 0, 1, 0, "Emerald Felt.bmp", ""})), with(0, {}),
        with(1, EncodePlayGame({kGameTypeTraditional, "Turtle"})), with(1, EncodePlayGame({kGameTypeZandor, ""})),
        with(2, text("0")), with(2, text("100")), with(2, text(" -12\n")), with(2, text("99999999999")), with(2, {})};
}

} // namespace fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    if (size == 0) {
        return 0;
    }
    const std::vector<uint8_t> input(bytes + 1, bytes + size);
    switch (bytes[0] % 3) {
    case 0:
        CheckOptions(input);
        break;
    case 1:
        CheckPlayGame(input);
        break;
    default:
        CheckHelpFlag(input);
    }
    return 0;
}
