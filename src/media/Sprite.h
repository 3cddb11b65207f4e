// One off-screen picture of fixed size, loaded from a .bmp file and keyed on
// black, and the free operations between sprites (keyed copy, fill, release).
// Drawing into the back buffer goes through CDisplay (Display.h).
#pragma once

#include "platform/Surface.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CFrameRecord;

// How a sprite's pixels are made, so that they can be made again at any
// display scale: its file, then the copies and fills made into it since.
// Never changed once shared: an edit makes a new recipe.
struct SpriteRecipe {
    struct Edit {
        std::shared_ptr<const SpriteRecipe> source; // null: a fill
        platform::Rect from;
        platform::Rect to;
        int32_t red = 0;
        int32_t green = 0;
        int32_t blue = 0;
    };
    std::string fileName;
    int32_t width = 0;
    int32_t height = 0;
    std::vector<Edit> edits;
};

// A sprite's pixels at the display's scale (32 bits), made the first time it
// is drawn at that scale (shared by the sprites of one file without edits).
// Until they are made, the 1x pixels stand in.
struct CScaledPixels {
    std::shared_ptr<const SpriteRecipe> recipe;
    std::shared_ptr<platform::CSurface> oneX;
    std::shared_ptr<platform::CSurface> surface;
    int32_t scale = 0; // the scale `surface` was made at; 0: not made
    uint32_t lastDrawnTick = 0;
};

// The record of one picture. The creator owns it (CDisplay::CreateSprite
// hands it out). The display's back buffer uses the same record with only
// `surface` set; in full screen that surface is shared with the flip chain.
// `surface` holds the picture's own pixels, at 1x; the game composes every
// frame from those. `scaled` says how to make them at the display's scale
// (null for the back buffer and for sprites made without the display).
struct CSprite {
    std::shared_ptr<platform::CSurface> surface;
    int32_t width = 0; // as requested at creation
    int32_t height = 0; // as requested at creation
    std::shared_ptr<CScaledPixels> scaled;
    // Set on the display's back buffer only: what is drawn into it is
    // recorded, to be drawn again at the display's scale.
    CFrameRecord* record = nullptr;
};

using SpritePtr = std::unique_ptr<CSprite>;

// Colour-keyed copy of the source rectangle of `source` into the destination
// rectangle of `destination`, scaled (nearest neighbour) when the sizes
// differ. Rectangles are left, top, right, bottom, right and bottom
// exclusive. Does nothing when either sprite or surface is missing.
void BlitSprite(CSprite* source, CSprite* destination, int32_t sourceLeft, int32_t sourceTop, int32_t sourceRight,
    int32_t sourceBottom, int32_t destLeft, int32_t destTop, int32_t destRight, int32_t destBottom);

// Fills the rectangle with one colour, no key. The components are given in
// the channel ranges of the sprite's depth: 0-31 (0-63 for green at 16 bits)
// at 15 and 16 bits, 0-255 at 32 bits; larger values wrap. Surfaces of any
// other depth are left unchanged.
void FillSpriteRect(CSprite* sprite, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t red,
    int32_t green, int32_t blue);

// The raw pixel value FillSpriteRect writes for these components at `bitsPerPixel`
// (nothing for depths other than 15, 16 and 32).
std::optional<uint32_t> PackFillColour(int32_t bitsPerPixel, int32_t red, int32_t green, int32_t blue);

// Frees the sprite and its surface; the caller's pointer becomes null.
void ReleaseSprite(SpritePtr& sprite);
