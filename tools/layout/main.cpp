// velmora-layout: compiles, prints, checks and previews the game's layouts.
#include "LayoutTool.h"

#include <iostream>

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    return layout_tool::RunLayoutTool(args, std::cout, std::cerr);
}
