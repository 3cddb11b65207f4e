// The help flags ("Data\Help1.dat" and its siblings): any bytes give a
// number, and the number a file starts with is the number read.
#include "FuzzTarget.h"

#include "screens/SettingsFiles.h"

#include <cctype>
#include <string>

namespace fuzz {

size_t MaxInputBytes() { return 256; }

std::vector<Input> Seeds()
{
    const auto text = [](const std::string& s) { return Input(s.begin(), s.end()); };
    return {text("0"), text("100"), text(" -12\n"), text("99999999999"), {}};
}

} // namespace fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    const std::vector<uint8_t> input(bytes, bytes + size);
    const int32_t flag = DecodeHelpFlag(input);
    // What the game writes is always read back as written.
    const std::string text = std::to_string(flag);
    FUZZ_REQUIRE(DecodeHelpFlag(std::vector<uint8_t>(text.begin(), text.end())) == flag);
    // Text that starts with no sign or digit (after blanks) is no number.
    size_t at = 0;
    while (at < input.size() && std::isspace(input[at])) {
        ++at;
    }
    if (at == input.size() || !(std::isdigit(input[at]) || input[at] == '-' || input[at] == '+')) {
        FUZZ_REQUIRE(flag == 100);
    }
    return 0;
}
