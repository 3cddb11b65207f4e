// A list of text entries in a box, one per row, with a scroll bar column on
// its right: up arrow, bar, proportional thumb, down arrow. A press on a row
// selects its entry; the arrows scroll by one row; the thumb can be dragged.
#pragma once

#include "media/TextLayout.h"

#include "gui/ScrollBar.h"
#include "media/Sound.h"
#include "media/Sprite.h"

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

class CSelectionList {
public:
    static constexpr size_t kMaxEntryLength = 1023;
    // Arrows and thumb, and row presses, are ignored this long after each use.
    static constexpr uint32_t kArrowRepeatMs = CScrollBar::kArrowRepeatMs;
    static constexpr uint32_t kSelectRepeatMs = 200;
    static constexpr int32_t kMinThumbLengthPx = CScrollBar::kMinThumbLengthPx;

    // Box rectangle (the scroll bar column stands at x = x2, right of it),
    // row area rectangle, pixels per row (positive), then the pictures and
    // the sounds of an arrow scroll and of a row selection.
    CSelectionList(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t ix1, int32_t iy1, int32_t ix2, int32_t iy2,
        int32_t rowHeight, SpritePtr bar, SpritePtr thumb, SpritePtr box, SpritePtr up, SpritePtr down,
        SpritePtr upPushed, SpritePtr downPushed, std::unique_ptr<CSound> scrollSound,
        std::unique_ptr<CSound> selectSound);

    // Strictly inside the box rectangle.
    bool Contains(int32_t x, int32_t y) const;
    // The rectangle relative to the screen (right and bottom exclusive).
    media::STextBox Bounds() const { return {x1, y1, x2, y2}; }

    // A new entry in front (texts are cut to kMaxEntryLength characters).
    // The selected and top entries stay the same entries.
    void AddEntry(std::string_view text);
    // Ascending byte order (unsigned, case-sensitive, a prefix first); equal
    // texts keep their order. The selection and the top stay at their rows.
    void Sort();
    // Selects the first entry with exactly this text and scrolls so that it
    // is visible (the last visible row when it lies below the first page).
    // Nothing changes when no entry has that text.
    void SelectByName(std::string_view text);
    // The selected entry's text; none while nothing is selected (an empty
    // list, or a list never drawn nor clicked).
    std::optional<std::string> GetSelectedText() const;

    // Called with the point relative to the screen every time the screen
    // gets input, with the state of the left button.
    void HandleMouse(CSoundSystem* sounds, int32_t x, int32_t y, bool down);
    // The keyboard's Up (-1) and Down (+1): the entry above or below is
    // selected (from none, the top entry shown), and the list scrolls as its
    // arrows do until that entry is in view.
    void StepSelection(int32_t delta);
    void Draw(CDisplay* display, CFontTable* fonts, int32_t offsetX, int32_t offsetY);

    // Front first.
    const std::vector<std::string>& Entries() const { return entries; }
    // The index of the first visible entry (0 until the list scrolls).
    size_t TopIndex() const { return top.value_or(0); }
    int32_t VisibleRows() const { return visibleRows; }

private:
    void ClickRow(int32_t x, int32_t y);
    void HandleScrollBar(int32_t x, int32_t y, bool down);
    bool StepUp();
    bool StepDown();
    void DragThumb(int32_t y);
    // V / N, the share of the entries visible at once (0 for an empty list).
    float VisibleShare() const;
    // The thumb's share of the bar in pixels, before the scroll bar's limits.
    int32_t ThumbLength() const;

    int32_t x1;
    int32_t y1;
    int32_t x2;
    int32_t y2;
    int32_t ix1;
    int32_t iy1;
    int32_t ix2;
    int32_t iy2;
    int32_t rowHeight;
    int32_t visibleRows; // V
    SpritePtr boxSprite;
    CScrollBar scrollBar;
    std::unique_ptr<CSound> scrollSound;
    std::unique_ptr<CSound> selectSound;
    // bar height / row area height x row height: the bar's pixels per row.
    float barScale;
    std::vector<std::string> entries;
    std::optional<size_t> selected;
    std::optional<size_t> top;
    uint32_t selectTime;
};
