// Slider: the knob drag and the conversion between knob position and value.
#include "gui/Slider.h"

#include "media/Display.h"

#include <algorithm>
#include <cmath>

namespace {

// The single-precision hundredth the value scale is computed with; the rest
// is double precision. It makes 20, 100 and the other stored values read
// back unchanged.
constexpr float kHundredth = 0.01f;
constexpr int32_t kMaxValue = 100;

} // namespace

CSlider::CSlider(int32_t left, int32_t top, int32_t right, int32_t bottom, SpritePtr bar, SpritePtr knob)
    : barSprite(std::move(bar))
    , knobSprite(std::move(knob))
    , x1(left)
    , y1(top)
    , x2(right)
    , y2(bottom)
{
}

bool CSlider::Contains(int32_t x, int32_t y) const { return x1 < x && x < x2 && y1 < y && y < y2; }

// Bar width less knob width; never negative.
int32_t CSlider::Travel() const
{
    const int32_t barWidth = barSprite ? barSprite->width : 0;
    const int32_t knobWidth = knobSprite ? knobSprite->width : 0;
    return std::max(barWidth - knobWidth, 0);
}

void CSlider::HandleMouse(int32_t x, int32_t y, bool down)
{
    const int32_t knobWidth = knobSprite ? knobSprite->width : 0;
    const int32_t knobHeight = knobSprite ? knobSprite->height : 0;
    const bool onKnob = x1 + position < x && x < x1 + position + knobWidth && y1 < y && y < y1 + knobHeight;
    if (onKnob) {
        dragging = down;
        position = std::clamp(position, 0, Travel());
    }
    if (Contains(x, y)) {
        if (!down) {
            dragging = false;
        } else if (dragging) {
            position = std::clamp(x - x1, 0, Travel());
        }
    }
}

void CSlider::Step(int32_t direction)
{
    const int32_t stepPx = std::max(Travel() / 20, 1);
    position = std::clamp(position + (direction < 0 ? -stepPx : stepPx), 0, Travel());
}

int32_t CSlider::GetValue() const
{
    const int32_t travel = Travel();
    if (travel == 0) {
        return 1; // the knob cannot leave the far left
    }
    const double perValue = static_cast<double>(travel) * static_cast<double>(kHundredth);
    const double value = std::trunc(static_cast<double>(position) / perValue) + 1.0;
    return static_cast<int32_t>(std::clamp(value, 0.0, static_cast<double>(kMaxValue)));
}

void CSlider::SetValue(int32_t value)
{
    const int32_t v = std::clamp(value, 0, kMaxValue);
    position = static_cast<int32_t>(
        std::trunc(static_cast<double>(v) * static_cast<double>(Travel()) * static_cast<double>(kHundredth)));
}

void CSlider::Draw(CDisplay* display, int32_t offsetX, int32_t offsetY)
{
    if (!display) {
        return;
    }
    display->DrawSprite(barSprite.get(), x1 + offsetX, y1 + offsetY);
    display->DrawSprite(knobSprite.get(), x1 + position + offsetX, y1 + offsetY);
}
