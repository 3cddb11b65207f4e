// Pictures for judging the generated data by eye: a contact sheet of every
// bitmap of a data tree, and mock-ups of the screens composed the way the
// game composes them (keyed copies, stretched buttons, the bitmap fonts).
#pragma once

#include "Image.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace assets {

// Every .bmp below root on one sheet, each labelled with its path; keyed
// (black) pixels show as a checkerboard.
bool WriteContactSheet(const std::string& root, const std::string& outPath);

// "Main Menu.bmp", "Game Select Page.bmp", "Options Page.bmp", "Rules Page.bmp",
// "Game Screen.bmp" and "Save Dialog.bmp" in outFolder, built from the data
// tree below root.
bool WriteMockUps(const std::string& root, const std::string& outFolder);

} // namespace assets
