// The parts of the data tree, each written below the root folder given.
// Every writer is deterministic: the same bytes on every run.
#pragma once

#include <string>

namespace assets {

// "Graphics\Gui\", "Graphics\Game\", "Graphics\Backdrops\", the font sheets.
bool WriteGuiPictures(const std::string& root);
// "Data\" (font metrics, settings presets, help flags, "Rules.txt"), "Saves\".
bool WriteDataFiles(const std::string& root);
// "Graphics\Tile Sets\".
bool WriteTileSets(const std::string& root);
// "Sounds\".
bool WriteSounds(const std::string& root);

// The folder holding our hand-written sources (texts), compiled in.
std::string AssetSourceDir();

} // namespace assets
