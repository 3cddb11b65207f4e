// Values that pass between screens for the whole run.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Empty, or the saved game the next game screen activation loads (set by the
// load page, consumed and emptied by the game screen).
extern std::string pendingLoadPath;

// 1 while the menu music is on (set from the options at start-up and by the
// options page every frame, read by the main menu).
extern int32_t musicFlag;

// Whether a saved game can be played: the load page asks before it switches
// to a game screen, so that a file the game cannot use never starts a game.
// Set at start-up by the program to the game's own reader; while unset, the
// page goes by the first field alone (a file too short for it counts as a
// Traditional game).
extern std::function<bool(const std::string& path)> savedGameCheck;
