// Selection list: entries, sorting and preselection, row presses, the scroll
// arrows and the thumb drag, and drawing.
#include "gui/SelectionList.h"

#include "gui/WidgetTime.h"
#include "media/Display.h"
#include "media/FontTable.h"
#include "platform/Clock.h"

#include <algorithm>
#include <cassert>
#include <cmath>

namespace {

void PlayOnce(const std::unique_ptr<CSound>& sound)
{
    if (sound) {
        sound->Play();
    }
}

// Byte-wise as unsigned bytes; a text sorts before a longer one it begins.
bool IsBefore(const std::string& a, const std::string& b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
        [](char l, char r) { return static_cast<unsigned char>(l) < static_cast<unsigned char>(r); });
}

} // namespace

CSelectionList::CSelectionList(int32_t left, int32_t topEdge, int32_t right, int32_t bottom, int32_t rowsLeft,
    int32_t rowsTop, int32_t rowsRight, int32_t rowsBottom, int32_t rowPixels, SpritePtr bar, SpritePtr thumb,
    SpritePtr box, SpritePtr up, SpritePtr down, SpritePtr upPushedPicture, SpritePtr downPushedPicture,
    std::unique_ptr<CSound> scroll, std::unique_ptr<CSound> select)
    : x1(left)
    , y1(topEdge)
    , x2(right)
    , y2(bottom)
    , ix1(rowsLeft)
    , iy1(rowsTop)
    , ix2(rowsRight)
    , iy2(rowsBottom)
    , rowHeight(rowPixels)
    , visibleRows(rowPixels > 0 ? (rowsBottom - rowsTop) / rowPixels : 0)
    , boxSprite(std::move(box))
    , scrollBar(right, topEdge, bottom, CScrollBar::EBarFit::kPictureHeight, std::move(bar), std::move(thumb),
          std::move(up), std::move(down), std::move(upPushedPicture), std::move(downPushedPicture))
    , scrollSound(std::move(scroll))
    , selectSound(std::move(select))
    , barScale(rowsBottom > rowsTop ? static_cast<float>(scrollBar.BarHeight())
                  / static_cast<float>(rowsBottom - rowsTop) * static_cast<float>(rowPixels)
                                    : 0.0f)
    , selectTime(gui::ExpiredDeadline(platform::GetTicks()))
{
    assert(rowPixels > 0);
}

bool CSelectionList::Contains(int32_t x, int32_t y) const { return x1 < x && x < x2 && y1 < y && y < y2; }

void CSelectionList::AddEntry(std::string_view text)
{
    text = text.substr(0, std::min(text.find('\0'), kMaxEntryLength));
    entries.insert(entries.begin(), std::string(text));
    for (std::optional<size_t>* index : {&selected, &top}) {
        if (*index) {
            ++**index;
        }
    }
}

void CSelectionList::Sort() { std::stable_sort(entries.begin(), entries.end(), IsBefore); }

void CSelectionList::SelectByName(std::string_view text)
{
    const auto found = std::find(entries.begin(), entries.end(), text);
    if (found == entries.end()) {
        return;
    }
    const size_t index = static_cast<size_t>(found - entries.begin());
    const auto rows = static_cast<size_t>(visibleRows);
    selected = index;
    // Counted from 1, entry index + 1 below the first page puts the top at
    // index + 1 - V: the selection is the last visible row.
    const size_t scrolledBy = index + 1 > rows ? index + 1 - rows : 0;
    top = scrolledBy;
    scrollBar.thumbOffset = VisibleShare() * barScale * static_cast<float>(scrolledBy);
}

std::optional<std::string> CSelectionList::GetSelectedText() const
{
    if (!selected || *selected >= entries.size()) {
        return std::nullopt;
    }
    return entries[*selected];
}

float CSelectionList::VisibleShare() const
{
    return entries.empty() ? 0.0f : static_cast<float>(visibleRows) / static_cast<float>(entries.size());
}

void CSelectionList::HandleMouse(CSoundSystem* /*sounds*/, int32_t x, int32_t y, bool down)
{
    const uint32_t now = platform::GetTicks();
    if (!top && !entries.empty()) {
        top = 0;
    }
    if (down && gui::IsTickAfter(now, selectTime, kSelectRepeatMs)) {
        ClickRow(x, y);
    }
    if (scrollBar.IsArrowReady(now)) {
        HandleScrollBar(x, y, down);
    }
}

void CSelectionList::StepSelection(int32_t delta)
{
    if (entries.empty()) {
        return;
    }
    if (!top) {
        top = 0;
    }
    size_t index = TopIndex();
    if (selected) {
        if ((delta < 0 && *selected == 0) || (delta > 0 && *selected + 1 >= entries.size())) {
            return;
        }
        index = delta < 0 ? *selected - 1 : *selected + 1;
    }
    selected = index;
    PlayOnce(selectSound);
    while (index < TopIndex() && StepUp()) { }
    while (index >= TopIndex() + static_cast<size_t>(visibleRows) && StepDown()) { }
}

// The row area's left and right edge columns count; the boundaries between
// rows do not. Holding the button on a row selects it again every 200 ms.
void CSelectionList::ClickRow(int32_t x, int32_t y)
{
    if (entries.empty() || x < ix1 || x > ix2) {
        return;
    }
    selectTime = platform::GetTicks() + kSelectRepeatMs;
    for (int32_t r = 0; r < visibleRows; ++r) {
        if (!(iy1 + r * rowHeight < y && y < iy1 + (r + 1) * rowHeight)) {
            continue;
        }
        const size_t index = TopIndex() + static_cast<size_t>(r);
        if (index >= entries.size()) {
            return;
        }
        selected = index;
        PlayOnce(selectSound);
    }
}

// Each step ends the call when it applies (all tests strict).
void CSelectionList::HandleScrollBar(int32_t x, int32_t y, bool down)
{
    if (entries.empty()) {
        return;
    }
    if (down && scrollBar.IsOnUpArrow(x, y) && StepUp()) {
        return;
    }
    if (down && scrollBar.IsOnDownArrow(x, y)) {
        StepDown();
        return;
    }
    if (scrollBar.TrackThumb(x, y, down)) {
        DragThumb(y);
    }
}

// False at the top of the list, where the press goes on to the other tests.
bool CSelectionList::StepUp()
{
    if (TopIndex() == 0) {
        return false;
    }
    top = TopIndex() - 1;
    PlayOnce(scrollSound);
    scrollBar.thumbOffset -= VisibleShare() * barScale;
    scrollBar.PushArrow(CScrollBar::kUpArrow, platform::GetTicks());
    return true;
}

// Scrolls while an entry lies below the last visible row, so that holding
// the arrow stops with the last entry in the last row.
bool CSelectionList::StepDown()
{
    if (TopIndex() + static_cast<size_t>(visibleRows) >= entries.size()) {
        return false;
    }
    top = TopIndex() + 1;
    PlayOnce(scrollSound);
    scrollBar.thumbOffset += VisibleShare() * barScale;
    scrollBar.PushArrow(CScrollBar::kDownArrow, platform::GetTicks());
    return true;
}

// The pointer places the thumb's lower end; outside the bar's band the drag
// holds still.
void CSelectionList::DragThumb(int32_t y)
{
    if (!scrollBar.IsInThumbBand(y) || visibleRows <= 0 || barScale <= 0.0f) {
        return;
    }
    const int32_t upHeight = scrollBar.UpHeight();
    const auto rows = static_cast<int64_t>(visibleRows);
    const auto count = static_cast<int64_t>(entries.size());
    // Single precision throughout, as the bar scale and the share are kept.
    const float share = VisibleShare();
    const float pointerRows = static_cast<float>(y - upHeight - y1) / barScale / share;
    const int64_t highest = std::max<int64_t>(0, count - rows);
    const int64_t index = std::clamp<int64_t>(static_cast<int64_t>(std::trunc(pointerRows)) - rows, 0, highest);
    top = static_cast<size_t>(index);
    const int32_t rowPixels = (y2 - upHeight - y1 - scrollBar.DownHeight()) / visibleRows;
    scrollBar.thumbOffset = static_cast<float>(rowPixels) * static_cast<float>(index) * share;
}

int32_t CSelectionList::ThumbLength() const
{
    return static_cast<int32_t>(std::trunc(VisibleShare() * static_cast<float>(scrollBar.BarHeight())));
}

void CSelectionList::Draw(CDisplay* display, CFontTable* fonts, int32_t offsetX, int32_t offsetY)
{
    if (!display) {
        return;
    }
    display->DrawSprite(boxSprite.get(), x1 + offsetX, y1 + offsetY);
    scrollBar.SetThumbLength(ThumbLength());
    scrollBar.Draw(display, offsetX, offsetY);
    if (entries.empty()) {
        return;
    }
    // A non-empty list always shows a selection once drawn.
    top = top.value_or(0);
    selected = selected.value_or(0);
    if (!fonts) {
        return;
    }
    for (int32_t r = 0; r < visibleRows && TopIndex() + static_cast<size_t>(r) < entries.size(); ++r) {
        const size_t index = TopIndex() + static_cast<size_t>(r);
        const int32_t font = index == *selected ? kFontKlang20 : kFontTimesRoman16;
        fonts->DrawText(*display, entries[index], font, ix1 + offsetX, iy1 + r * rowHeight + offsetY, ix2 + offsetX,
            iy2 + r * rowHeight + offsetY, media::kAlignLeft, 0);
    }
}
