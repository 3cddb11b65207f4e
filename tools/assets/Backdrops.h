// The backdrops under "Graphics\Backdrops\": calm 800 x 600 surfaces to play
// on, each painted procedurally from fixed seeds.
#pragma once

#include "GuiPictures.h"

#include <string>
#include <vector>

namespace assets::gui {

// The file names in the order they are painted; the first is the preset
// backdrop of the options file.
std::vector<std::string> BackdropFileNames();

std::vector<SPictureJob> BackdropJobs();

} // namespace assets::gui
