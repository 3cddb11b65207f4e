// Drawing helpers shared by the face motifs: colours, brush characters from
// the Kai font, small index marks and simple shapes.
#pragma once

#include "TileFaces.h"

#include <string>

namespace assets::faces {

enum class EFont {
    Kai, // AR PL UKai, the brush-style Chinese font
    Sans, // DejaVu Sans Condensed Bold, for the small indices
};

// Loads the fonts once; false when one of them is missing.
bool FontsAvailable();

void SetColour(cairo_t* cr, const SColour& colour);
void SetInk(cairo_t* cr, const STilePalette& palette, EInk ink);
SColour Mix(const SColour& a, const SColour& b, double t);

// Draws UTF-8 text with its ink box centred on (cx, cy). The text is made
// bolder by stroking its outline with boldenPx as well as filling it.
void DrawTextCentred(
    cairo_t* cr, EFont font, const std::string& text, double sizePx, double cx, double cy, double boldenPx);

// Like DrawTextCentred, with the size chosen so that the ink box fits into
// maxWidth x maxHeight.
void DrawTextFitted(cairo_t* cr, EFont font, const std::string& text, double maxWidth, double maxHeight, double cx,
    double cy, double boldenPx);

// The small index in the face's upper left corner (a numeral or a letter),
// drawn with a light halo so that it reads over any motif.
void DrawIndex(cairo_t* cr, const STilePalette& palette, const std::string& text, EInk ink);

void FillCircle(cairo_t* cr, double cx, double cy, double radius);
void RoundedRectPath(cairo_t* cr, double x, double y, double w, double h, double radius);

} // namespace assets::faces

namespace assets::faces {

// The motif families, each for its numbers 1..9 or 1..4.
void DrawBamboo(cairo_t* cr, const STilePalette& palette, int number);
void DrawCrak(cairo_t* cr, const STilePalette& palette, int number);
void DrawDots(cairo_t* cr, const STilePalette& palette, int number);
void DrawDragon(cairo_t* cr, const STilePalette& palette, int number);
void DrawWind(cairo_t* cr, const STilePalette& palette, int number);
void DrawFlower(cairo_t* cr, const STilePalette& palette, int number);
void DrawSeason(cairo_t* cr, const STilePalette& palette, int number);

} // namespace assets::faces
