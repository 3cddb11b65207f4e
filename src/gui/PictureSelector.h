// One picture out of a circular list of named pictures, centred between a
// left and a right arrow button; an arrow click steps to the previous or next
// picture, which slides in at 50 pixels per second. The arrows are text
// buttons the selector owns and whose clicks it takes itself.
#pragma once

#include "media/TextLayout.h"

#include "gui/TextButton.h"
#include "media/Sound.h"
#include "media/Sprite.h"
#include "media/Stopwatch.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CDisplay;
class CFontTable;
class CSoundSystem;

struct SPictureEntry {
    SpritePtr picture;
    SpritePtr second; // carried with the entry, not drawn
    std::string name;
};

class CPictureSelector {
public:
    static constexpr float kSlidePxPerSecond = 50.0f;

    enum class EStep { Left, Right };

    // The arrows stand at the left and right ends, centred vertically, each
    // the size of its sprite.
    CPictureSelector(int32_t x1, int32_t y1, int32_t x2, int32_t y2, SpritePtr leftArrow, SpritePtr rightArrow,
        std::unique_ptr<CSound> leftSound, std::unique_ptr<CSound> rightSound);

    // Strictly inside the selector's rectangle (the container hands it the
    // mouse only then).
    bool Contains(int32_t x, int32_t y) const;
    // The rectangle relative to the screen (right and bottom exclusive).
    media::STextBox Bounds() const { return {x1, y1, x2, y2}; }

    // A new entry in front, which becomes the current one.
    void AddEntry(SpritePtr picture, SpritePtr second, std::string_view name);
    // The first entry from the front with exactly this name becomes current;
    // nothing changes when there is none.
    void SelectByName(std::string_view name);
    // None while the selector has no entries.
    std::optional<std::string> GetCurrentName() const;

    // Presses an arrow under the button; ignored while a slide runs.
    void HandleMouse(CSoundSystem* sounds, int32_t x, int32_t y, bool down);
    // The keyboard's Left and Right: a press of that arrow, as a click on it.
    void PressArrow(EStep step, CSoundSystem* sounds);
    // Takes completed arrow clicks (each starts a step), then draws the
    // arrows and the current picture or the slide.
    void Draw(CDisplay* display, CFontTable* fonts, int32_t offsetX, int32_t offsetY);

    bool IsAnimating() const { return animating; }
    // Front first.
    const std::vector<SPictureEntry>& Entries() const { return entries; }
    const CTextButton& LeftButton() const { return leftButton; }
    const CTextButton& RightButton() const { return rightButton; }

private:
    void Step(EStep step);
    void DrawSlide(CDisplay* display, int32_t offsetX, int32_t offsetY);
    // The left edge of a picture of this width centred in the rectangle.
    int32_t CentredLeft(int32_t width, int32_t offsetX) const;

    int32_t x1;
    int32_t y1;
    int32_t x2;
    int32_t y2;
    std::vector<SPictureEntry> entries;
    CTextButton leftButton;
    CTextButton rightButton;
    size_t current = 0; // meaningful only while there are entries
    CStopwatch stopwatch;
    bool animating = false;
    EStep direction = EStep::Left;
};
