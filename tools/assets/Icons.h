// The game's icon, for the window (a bitmap in the data tree) and for the
// desktop (PNG files of the sizes desktops ask for and a scalable SVG, laid
// out as the hicolor icon theme wants them).
#pragma once

#include "Image.h"

#include <cairo.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace assets {

// The desktop icons are named after the game's reverse-DNS id, as are its
// desktop entry and its software-catalogue entry.
inline constexpr const char* kIconName = "io.github.velmora.Mahjongg";
inline constexpr const char* kWindowIconFile = "Graphics/Gui/Window Icon.bmp";
inline constexpr int kWindowIconSizePx = 64;
inline constexpr std::array<int, 8> kDesktopIconSizesPx = {16, 22, 24, 32, 48, 64, 128, 256};

// Draws the icon into the square (0, 0)-(size, size) of the context.
void DrawIcon(cairo_t* cr, double sizePx);

// The icon at one size as straight (not premultiplied) 0xAARRGGBB pixels,
// row by row from the top.
std::vector<uint32_t> DrawIconPixels(int sizePx);

// The icon as the game's bitmaps are kept: 24-bit, black where it is clear.
CImage DrawWindowIcon(int sizePx);

// The window's icon into the data tree below root.
bool WriteWindowIcon(const std::string& root);

// folder/hicolor/NxN/apps/velmora-mahjongg.png for every size and
// folder/hicolor/scalable/apps/velmora-mahjongg.svg.
bool WriteDesktopIcons(const std::string& folder);

} // namespace assets
