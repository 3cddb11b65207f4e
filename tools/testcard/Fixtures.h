// Stand-ins for the game's data when the run folder lacks it: the three font
// sheets with their metrics, a sprite and a tile overlay, written as ordinary
// .bmp and metrics files into a folder of the card's own.
#pragma once

#include <string>

namespace testcard {

// The game path (relative to a run folder) of each stand-in picture.
inline constexpr const char* kFixtureSpriteFile = "Graphics\\Game\\Testcard Sprite.bmp";
inline constexpr const char* kFixtureOverlayFile = "Graphics\\Game\\Tile Overlay.bmp";

// Writes the fonts under their game paths below `folder`. Each glyph is a
// frame the width of its advance, so that placement and cell cutting show.
bool WriteFixtureFonts(const std::string& folder);

// Writes kFixtureSpriteFile and kFixtureOverlayFile below `folder`.
bool WriteFixtureSprites(const std::string& folder);

} // namespace testcard
