// The motifs painted on a tile's face (circles, bamboo sticks, characters,
// dragons, winds, flowers and seasons) and the colours a tile set paints
// them in.
#pragma once

#include <cairo.h>

#include <array>
#include <cstddef>

namespace assets {

// Colour with channels 0..1, as cairo takes them.
struct SColour {
    double r = 0;
    double g = 0;
    double b = 0;
};

// The inks of a face. Each tile set maps them to its own colours so that the
// same motif reads well on a light or a dark face.
enum class EInk : std::size_t {
    Dark, // the black ink of characters and winds
    Red,
    Green,
    Blue,
    Gold,
    Pink,
    Violet,
    Orange,
    Leaf, // stems and leaves of the flowers
    Paper, // the ground inside circles and behind the indices
    Shade, // outlines around coloured shapes
    Count
};

struct STilePalette {
    SColour faceTop; // face gradient, upper left
    SColour faceBottom; // face gradient, lower right
    SColour faceRim; // thin line where the face meets the edge
    SColour lipLeft; // the face-coloured layer of the edge, left side
    SColour lipBottom; // ... bottom side
    SColour backLeft; // the back layer of the edge, left side
    SColour backBottom; // ... bottom side
    SColour outline; // around the whole tile
    std::array<SColour, static_cast<std::size_t>(EInk::Count)> inks;

    const SColour& Ink(EInk ink) const { return inks[static_cast<std::size_t>(ink)]; }
};

// The face's paintable area inside its rim, in picture pixels.
inline constexpr double kFaceLeft = 5;
inline constexpr double kFaceTop = 1;
inline constexpr double kFaceRight = 43;
inline constexpr double kFaceBottom = 55;
inline constexpr double kFaceCentreX = (kFaceLeft + kFaceRight) / 2;
inline constexpr double kFaceCentreY = (kFaceTop + kFaceBottom) / 2;

// The families of faces in the game's face order: face f belongs to the
// family whose range firstFace .. firstFace + count - 1 holds it, and has the
// number f - firstFace + 1 within it.
struct SFaceFamily {
    const char* name;
    int firstFace;
    int count;
};
inline constexpr std::array<SFaceFamily, 7> kFaceFamilies = {{
    {"Bamboo", 1, 9},
    {"Crak", 10, 9},
    {"Dot", 19, 9},
    {"Dragon", 28, 3},
    {"Direction", 31, 4},
    {"Flower", 35, 4},
    {"Season", 39, 4},
}};

// A painter of one family's faces, given the face's number within it.
using FDrawFamily = void (*)(cairo_t* cr, const STilePalette& palette, int number);
// One painter per entry of kFaceFamilies, in the same order.
using SFamilyPainters = std::array<FDrawFamily, kFaceFamilies.size()>;

// Paints face 1..42 with its family's painter (false for any other face).
bool PaintFamilyFace(cairo_t* cr, const STilePalette& palette, int face, const SFamilyPainters& painters);

// Paints the motif of face 1..42 onto the face area. Returns false when a
// font it needs cannot be loaded.
bool DrawFaceMotif(cairo_t* cr, const STilePalette& palette, int face);

// The large print version of face 1..42: a large numeral or letter and a
// bold mark of its suit or group, all told apart by lightness alone.
bool DrawLargePrintFace(cairo_t* cr, const STilePalette& palette, int face);

} // namespace assets
