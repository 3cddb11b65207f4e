// The texts of the game screens' status line: times as minutes and whole
// seconds ("%d:%d", or "%d:0%d" below ten seconds), the pairs count, the
// record lines, and the introduction texts of the three game types.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace game {

inline constexpr const char* kPausedText = "Game Paused.";
inline constexpr const char* kOutOfTimeText = "Game Over. Out of time!";

// "M:SS" of the whole seconds of a millisecond count, the seconds written
// with a leading zero below ten. Negative counts (a Vesk Style clock driven
// below zero) keep the sign on the minutes only, as C division gives it.
std::string FormatMinutesSeconds(int32_t ms);

std::string TraditionalClockText(int32_t elapsedMs); // "Your time:  M:SS"
std::string VeskStyleClockText(int32_t leftMs); // "Time Left:  M:SS"
std::string PairsLeftText(int pairs); // "Pairs left: %d"
std::string FastestTimeText(std::string_view holder, int32_t ms); // record 1
std::string BestTimeText(std::string_view holder, int32_t ms); // record 2
std::string LeastMissedText(std::string_view holder, int32_t missed); // record 3
std::string MissedPairsText(int32_t missed); // "Missed Pairs: %d"
std::string CountdownText(int32_t ms); // whole seconds, "%d"

// The goal texts shown once per game type in the introduction box.
extern const char* const kTraditionalIntroText;
extern const char* const kVeskStyleIntroText;
extern const char* const kZandorIntroText;

} // namespace game
