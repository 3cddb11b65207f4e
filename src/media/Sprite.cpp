// The free sprite operations: keyed copies between sprites, solid fills packed
// by depth, and release.
#include "media/Sprite.h"

using platform::Rect;

void BlitSprite(CSprite* source, CSprite* destination, int32_t sourceLeft, int32_t sourceTop, int32_t sourceRight,
    int32_t sourceBottom, int32_t destLeft, int32_t destTop, int32_t destRight, int32_t destBottom)
{
    if (!source || !destination || !source->surface || !destination->surface) {
        return;
    }
    destination->surface->Blit(*source->surface, Rect{sourceLeft, sourceTop, sourceRight, sourceBottom},
        Rect{destLeft, destTop, destRight, destBottom});
}

std::optional<uint32_t> PackFillColour(int32_t bitsPerPixel, int32_t red, int32_t green, int32_t blue)
{
    const auto r = static_cast<uint32_t>(red);
    const auto g = static_cast<uint32_t>(green);
    const auto b = static_cast<uint32_t>(blue);
    switch (bitsPerPixel) {
    case 15:
        return (r % 32) << 10 | (g % 32) << 5 | (b % 32);
    case 16:
        return (r % 32) << 11 | (g % 64) << 5 | (b % 32);
    case 32:
        return (r % 256) << 16 | (g % 256) << 8 | (b % 256);
    default:
        return std::nullopt;
    }
}

void FillSpriteRect(
    CSprite* sprite, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t red, int32_t green, int32_t blue)
{
    if (!sprite || !sprite->surface) {
        return;
    }
    const std::optional<uint32_t> raw = PackFillColour(sprite->surface->Format().bitsPerPixel, red, green, blue);
    if (raw) {
        sprite->surface->Fill(Rect{left, top, right, bottom}, *raw);
    }
}

void ReleaseSprite(SpritePtr& sprite) { sprite.reset(); }
