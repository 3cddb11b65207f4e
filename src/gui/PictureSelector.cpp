// Picture selector: the circular list, the arrow clicks and the slide.
#include "gui/PictureSelector.h"

#include "media/Display.h"

#include <algorithm>
#include <cmath>

namespace {

int32_t WidthOf(const SpritePtr& sprite) { return sprite ? sprite->width : 0; }
int32_t HeightOf(const SpritePtr& sprite) { return sprite ? sprite->height : 0; }

enum class EEdge { Left, Right };

// An arrow button of its sprite's size against the given edge, centred on the
// rectangle's vertical middle.
CTextButton MakeArrow(EEdge side, int32_t edge, int32_t middle, SpritePtr sprite, std::unique_ptr<CSound> sound)
{
    const int32_t w = WidthOf(sprite);
    const int32_t h = HeightOf(sprite);
    const int32_t left = side == EEdge::Left ? edge : edge - w;
    return CTextButton(left, middle - h / 2, left + w, middle + h / 2, std::move(sprite), std::move(sound), " ", true);
}

} // namespace

CPictureSelector::CPictureSelector(int32_t left, int32_t top, int32_t right, int32_t bottom, SpritePtr leftArrow,
    SpritePtr rightArrow, std::unique_ptr<CSound> leftSound, std::unique_ptr<CSound> rightSound)
    : x1(left)
    , y1(top)
    , x2(right)
    , y2(bottom)
    , leftButton(MakeArrow(EEdge::Left, left, top + (bottom - top) / 2, std::move(leftArrow), std::move(leftSound)))
    , rightButton(
          MakeArrow(EEdge::Right, right, top + (bottom - top) / 2, std::move(rightArrow), std::move(rightSound)))
{
}

bool CPictureSelector::Contains(int32_t x, int32_t y) const { return x1 < x && x < x2 && y1 < y && y < y2; }

void CPictureSelector::AddEntry(SpritePtr picture, SpritePtr second, std::string_view name)
{
    entries.insert(entries.begin(), SPictureEntry{std::move(picture), std::move(second), std::string(name)});
    current = 0;
}

void CPictureSelector::SelectByName(std::string_view name)
{
    const auto found
        = std::find_if(entries.begin(), entries.end(), [&](const SPictureEntry& entry) { return entry.name == name; });
    if (found != entries.end()) {
        current = static_cast<size_t>(found - entries.begin());
    }
}

std::optional<std::string> CPictureSelector::GetCurrentName() const
{
    if (entries.empty()) {
        return std::nullopt;
    }
    return entries[current].name;
}

void CPictureSelector::HandleMouse(CSoundSystem* sounds, int32_t x, int32_t y, bool down)
{
    if (animating || !down) {
        return;
    }
    if (leftButton.Contains(x, y)) {
        leftButton.Press(sounds);
    }
    if (rightButton.Contains(x, y)) {
        rightButton.Press(sounds);
    }
}

void CPictureSelector::PressArrow(EStep step, CSoundSystem* sounds)
{
    if (!animating) {
        (step == EStep::Left ? leftButton : rightButton).Press(sounds);
    }
}

// Left goes to the entry before current, from the front to the last; right to
// the one after, from the last to the front. Without entries there is
// nothing to step to.
void CPictureSelector::Step(EStep step)
{
    if (entries.empty()) {
        return;
    }
    const size_t count = entries.size();
    current = step == EStep::Left ? (current + count - 1) % count : (current + 1) % count;
    stopwatch.Start(kSlidePxPerSecond);
    animating = true;
    direction = step;
}

int32_t CPictureSelector::CentredLeft(int32_t width, int32_t offsetX) const
{
    return x1 + (x2 - x1) / 2 - width / 2 + offsetX;
}

void CPictureSelector::Draw(CDisplay* display, CFontTable* fonts, int32_t offsetX, int32_t offsetY)
{
    if (leftButton.TakeClick()) {
        Step(EStep::Left);
    }
    if (rightButton.TakeClick()) {
        Step(EStep::Right);
    }
    if (!display) {
        return;
    }
    leftButton.Draw(display, fonts, offsetX, offsetY);
    rightButton.Draw(display, fonts, offsetX, offsetY);
    if (entries.empty()) {
        return;
    }
    if (animating) {
        DrawSlide(display, offsetX, offsetY);
        return;
    }
    CSprite* picture = entries[current].picture.get();
    display->DrawSprite(picture, CentredLeft(picture ? picture->width : 0, offsetX), y1 + offsetY);
}

// The new picture P slides in over d = 50 px/s x elapsed pixels while the old
// one Q makes way, from the right after a right step and from the left after
// a left step. The slide ends (nothing drawn that frame) once d reaches P's
// width. The source rectangles leave out the last column and row of either
// picture, as the game has always drawn them while sliding.
void CPictureSelector::DrawSlide(CDisplay* display, int32_t offsetX, int32_t offsetY)
{
    const size_t count = entries.size();
    CSprite* p = entries[current].picture.get();
    const size_t previous = direction == EStep::Right ? (current + count - 1) % count : (current + 1) % count;
    CSprite* q = entries[previous].picture.get();
    const int32_t w = p ? p->width : 0;
    const int32_t h = p ? p->height : 0;
    const int32_t wq = q ? q->width : 0;
    const int32_t hq = q ? q->height : 0;
    const auto d = static_cast<int32_t>(std::trunc(stopwatch.Elapsed()));
    if (d >= w) {
        animating = false;
        return;
    }
    const int32_t left = CentredLeft(w, offsetX);
    const int32_t top = y1 + offsetY;
    if (direction == EStep::Right) {
        display->DrawSpritePart(p, left + w - d, top, 0, 0, d, h - 1);
        if (d < wq) {
            display->DrawSpritePart(q, left, top, d, 0, wq - 1, hq - 1);
        }
        return;
    }
    display->DrawSpritePart(p, left, top, w - d, 0, w - 1, h - 1);
    if (w - d - 1 >= 0) {
        display->DrawSpritePart(q, left + d, top, 0, 0, std::min(w - d - 1, wq), hq - 1);
    }
}
