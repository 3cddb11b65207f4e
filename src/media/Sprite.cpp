// The free sprite operations: keyed copies between sprites, solid fills packed
// by depth, and release.
#include "media/Sprite.h"

#include "media/FrameRecord.h"

using platform::Rect;

namespace {

// The sprite's recipe gains `edit`; its pixels at other scales are made anew
// when next drawn (a frame that recorded the old ones keeps them).
void AddEdit(CSprite& sprite, SpriteRecipe::Edit edit)
{
    auto recipe = std::make_shared<SpriteRecipe>(*sprite.scaled->recipe);
    recipe->edits.push_back(std::move(edit));
    sprite.scaled = std::make_shared<CScaledPixels>();
    sprite.scaled->recipe = std::move(recipe);
    sprite.scaled->oneX = sprite.surface;
}

} // namespace

void BlitSprite(CSprite* source, CSprite* destination, int32_t sourceLeft, int32_t sourceTop, int32_t sourceRight,
    int32_t sourceBottom, int32_t destLeft, int32_t destTop, int32_t destRight, int32_t destBottom)
{
    if (!source || !destination || !source->surface || !destination->surface) {
        return;
    }
    const Rect from{sourceLeft, sourceTop, sourceRight, sourceBottom};
    const Rect to{destLeft, destTop, destRight, destBottom};
    destination->surface->Blit(*source->surface, from, to);
    if (!source->scaled) {
        return;
    }
    if (destination->record) {
        destination->record->AddCopy(source->scaled, from, to);
    } else if (destination->scaled) {
        AddEdit(*destination, SpriteRecipe::Edit{source->scaled->recipe, from, to});
    }
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
    if (!raw) {
        return;
    }
    const Rect area{left, top, right, bottom};
    sprite->surface->Fill(area, *raw);
    if (sprite->record) {
        sprite->record->AddFill(area, PackFillColour(32, red, green, blue).value_or(0));
    } else if (sprite->scaled) {
        AddEdit(*sprite, SpriteRecipe::Edit{nullptr, Rect{}, area, red, green, blue});
    }
}

void ReleaseSprite(SpritePtr& sprite) { sprite.reset(); }
