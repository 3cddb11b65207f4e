// Formatting of the status line texts.
#include "game/GameTexts.h"

#include <cstdio>

namespace game {
namespace {

// Minutes and seconds as the status line shows them: both from the whole
// seconds, so -1,500 ms reads 0:0-1 exactly as the C format gives it.
std::string FormatTime(const char* prefix, int32_t ms)
{
    const int32_t seconds = ms / 1000;
    const int32_t minutes = seconds / 60;
    const int32_t rest = seconds % 60;
    char text[96];
    std::snprintf(text, sizeof text, rest < 10 ? "%s%d:0%d" : "%s%d:%d", prefix, minutes, rest);
    return text;
}

std::string FormatRecordTime(const char* prefix, std::string_view holder, int32_t ms)
{
    return FormatTime((std::string(prefix) + std::string(holder) + ", ").c_str(), ms);
}

} // namespace

std::string FormatMinutesSeconds(int32_t ms) { return FormatTime("", ms); }

std::string TraditionalClockText(int32_t elapsedMs) { return FormatTime("Your time:  ", elapsedMs); }

std::string VeskStyleClockText(int32_t leftMs) { return FormatTime("Time Left:  ", leftMs); }

std::string PairsLeftText(int pairs) { return "Pairs left: " + std::to_string(pairs); }

std::string FastestTimeText(std::string_view holder, int32_t ms)
{
    return FormatRecordTime("Fastest Time: ", holder, ms);
}

std::string BestTimeText(std::string_view holder, int32_t ms) { return FormatRecordTime("Best Time: ", holder, ms); }

std::string LeastMissedText(std::string_view holder, int32_t missed)
{
    return "Least Missed Pairs: " + std::string(holder) + ", " + std::to_string(missed);
}

std::string MissedPairsText(int32_t missed) { return "Missed Pairs: " + std::to_string(missed); }

std::string CountdownText(int32_t ms) { return std::to_string(ms / 1000); }

const char* const kTraditionalIntroText
    = "The goal of Mahjongg Solitaire is to remove all the tiles.  Tiles are removed in matching pairs, where each "
      "tile is uncovered and at least one side of the tile (left or right) has no tile beside it.\n\nSee the Help "
      "for more information.";

const char* const kVeskStyleIntroText
    = "The goal of Vesk Style Mahjongg is to remove all the tiles, like Mahjongg Solitaire.  Each pair of tiles you "
      "remove adds a random amount of time to the clock between 5-15 seconds.  If your time runs out (the clock "
      "decreases as you play), the game is over, so watch out!\n\nSee the Help for more information.";

const char* const kZandorIntroText
    = "The goal of Zandor Mahjongg is to remove all the tiles, like Mahjongg Solitaire.  You can only remove tile "
      "pairs that match the tile type in the upper right corner of the screen.  You have ten seconds to find a match "
      "before the board is shuffled and a new tile is selected.\n\nSee the Help for more information.";

} // namespace game
