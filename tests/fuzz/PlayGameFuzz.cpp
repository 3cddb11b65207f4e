// "Data\PlayGame.dat": any bytes give a game choice that writes back to a
// file reading the same.
#include "FuzzTarget.h"

#include "platform/BinaryIo.h"
#include "screens/SettingsFiles.h"

namespace {

std::vector<uint8_t> Encode(const SPlayGame& playGame)
{
    platform::CBinaryWriter writer;
    writer.WriteInt32(playGame.gameType);
    writer.WriteText(playGame.layout, platform::kFileNameFieldBytes);
    return writer.TakeBytes();
}

} // namespace

namespace fuzz {

size_t MaxInputBytes() { return 1024; }

std::vector<Input> Seeds() { return {Encode({kGameTypeTraditional, "Turtle"}), Encode({kGameTypeZandor, ""}), {}}; }

} // namespace fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    SPlayGame playGame = DecodePlayGame(std::vector<uint8_t>(bytes, bytes + size));
    FUZZ_REQUIRE(playGame.layout.size() <= platform::kFileNameFieldBytes);
    playGame.layout = platform::FitText(playGame.layout, platform::kFileNameFieldBytes);
    const std::vector<uint8_t> written = Encode(playGame);
    FUZZ_REQUIRE(written.size() == kPlayGameFileBytes);
    const SPlayGame back = DecodePlayGame(written);
    FUZZ_REQUIRE(back.gameType == playGame.gameType && back.layout == playGame.layout);
    return 0;
}
