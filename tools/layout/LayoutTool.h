// The commands of velmora-layout: compile a text layout into the game's file,
// print a layout file as text, check layouts, and draw a preview picture.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace layout_tool {

inline constexpr int kExitOk = 0;
inline constexpr int kExitProblems = 1;
inline constexpr int kExitUsage = 2;

// args are the command-line arguments after the program name. Results go to
// out, problems and usage to err.
int RunLayoutTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace layout_tool
