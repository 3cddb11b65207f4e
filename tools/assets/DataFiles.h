// The preset contents of the game's data files, shared by the generator and
// its tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace assets {

inline constexpr int32_t kPresetMouseSensitivity = 20;
inline constexpr int32_t kPresetSoundVolume = 100;
inline constexpr int32_t kPresetPlayMusic = 1;
inline constexpr int32_t kPresetFullScreen = 1;
inline constexpr int32_t kPresetGameType = 1; // Traditional
inline constexpr const char* kPresetLayout = "Turtle";

// The rules page reads at most this many characters of "Data\Rules.txt".
inline constexpr size_t kRulesMaxChars = 4095;

// "Data\Options.dat": the four numbers, the first backdrop, the first tile set.
std::vector<uint8_t> EncodePresetOptions();
// "Data\PlayGame.dat": the game type and the layout name.
std::vector<uint8_t> EncodePresetGameChoice();

// Nothing when the text holds a character beyond U+00FF or broken UTF-8.
std::optional<std::string> Utf8ToLatin1(std::string_view text);

// Our rules text as the game reads it: Latin-1, line feeds only. Nothing,
// after a message, when the source is missing, not Latin-1 or too long.
std::optional<std::string> RulesText();

} // namespace assets
