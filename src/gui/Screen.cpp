// The screen base and its widget container.
#include "gui/Screen.h"

#include "gui/CheckBox.h"
#include "gui/InputBox.h"
#include "gui/PictureSelector.h"
#include "gui/SelectionList.h"
#include "gui/Slider.h"
#include "gui/TextArea.h"
#include "gui/TextButton.h"
#include "media/Mouse.h"

#include <algorithm>

CScreen::CScreen(CDXFramework* owningFramework)
    : framework(owningFramework)
{
}

CScreen::~CScreen() = default;

bool CScreen::Update()
{
    ContainerDraw();
    return true;
}

bool CScreen::HandleInput()
{
    ContainerInput();
    return true;
}

void CScreen::SetRect(int32_t newLeft, int32_t newTop, int32_t newRight, int32_t newBottom)
{
    left = newLeft;
    top = newTop;
    right = newRight;
    bottom = newBottom;
}

bool CScreen::Activate() { return true; }

bool CScreen::Deactivate()
{
    DeleteWidgets();
    return true;
}

void CScreen::Show() { shown = true; }

void CScreen::Hide() { shown = false; }

void CScreen::LoadResources(CDisplay*, CSoundSystem*, CMouse*, CKeyboard*, CFontTable*) { }

void CScreen::ReleaseResources() { }

void CScreen::KeepDevices(
    CDisplay* newDisplay, CSoundSystem* newSounds, CMouse* newMouse, CKeyboard* newKeyboard, CFontTable* newFonts)
{
    display = newDisplay;
    sounds = newSounds;
    mouse = newMouse;
    keyboard = newKeyboard;
    fonts = newFonts;
}

void CScreen::ForgetDevices() { KeepDevices(nullptr, nullptr, nullptr, nullptr, nullptr); }

CTextButton* CScreen::AddTextButton(std::unique_ptr<CTextButton> widget) { return textButtons.Add(std::move(widget)); }

CCheckBox* CScreen::AddCheckBox(std::unique_ptr<CCheckBox> widget) { return checkBoxes.Add(std::move(widget)); }

CSelectionList* CScreen::AddSelectionList(std::unique_ptr<CSelectionList> widget)
{
    return selectionLists.Add(std::move(widget));
}

CInputBox* CScreen::AddInputBox(std::unique_ptr<CInputBox> widget) { return inputBoxes.Add(std::move(widget)); }

CSlider* CScreen::AddSlider(std::unique_ptr<CSlider> widget) { return sliders.Add(std::move(widget)); }

CPictureSelector* CScreen::AddPictureSelector(std::unique_ptr<CPictureSelector> widget)
{
    return pictureSelectors.Add(std::move(widget));
}

CTextArea* CScreen::AddTextArea(std::unique_ptr<CTextArea> widget) { return textAreas.Add(std::move(widget)); }

void CScreen::DeleteWidgets()
{
    textButtons.Clear();
    checkBoxes.Clear();
    selectionLists.Clear();
    inputBoxes.Clear();
    sliders.Clear();
    pictureSelectors.Clear();
    textAreas.Clear();
    focusBox.reset();
    focusFrame.Release();
    focusFrameLoaded = false;
}

std::vector<gui::SFocusStop> CScreen::FocusStops()
{
    std::vector<gui::SFocusStop> stops;
    const auto place = [&](const media::STextBox& b) {
        return media::STextBox{b.left + left, b.top + top, b.right + left, b.bottom + top};
    };
    textButtons.ForEachOldestFirst([&](CTextButton& w) { stops.push_back({place(w.Bounds()), &w}); });
    checkBoxes.ForEachOldestFirst([&](CCheckBox& w) { stops.push_back({place(w.Bounds()), nullptr, &w}); });
    selectionLists.ForEachOldestFirst([&](CSelectionList& w) {
        stops.push_back({place(w.Bounds()), nullptr, nullptr, &w});
    });
    sliders.ForEachOldestFirst([&](CSlider& w) {
        stops.push_back({place(w.Bounds()), nullptr, nullptr, nullptr, &w});
    });
    pictureSelectors.ForEachOldestFirst([&](CPictureSelector& w) {
        stops.push_back({place(w.Bounds()), nullptr, nullptr, nullptr, nullptr, &w});
    });
    textAreas.ForEachOldestFirst([&](CTextArea& w) {
        stops.push_back({place(w.Bounds()), nullptr, nullptr, nullptr, nullptr, nullptr, &w});
    });
    // Rows 40 pixels deep: widgets side by side whose tops differ a little
    // read from the left.
    constexpr int32_t kRowPx = 40;
    std::stable_sort(stops.begin(), stops.end(), [](const gui::SFocusStop& a, const gui::SFocusStop& b) {
        const int32_t rowA = a.box.top / kRowPx;
        const int32_t rowB = b.box.top / kRowPx;
        return rowA != rowB ? rowA < rowB : a.box.left < b.box.left;
    });
    return stops;
}

void gui::ActOnFocus(const SFocusStop& stop, EFocusKey key, CSoundSystem* sounds)
{
    const bool back = key == EFocusKey::Up || key == EFocusKey::Left;
    if (key == EFocusKey::Press) {
        if (stop.button) {
            stop.button->Press(sounds);
        }
        if (stop.checkBox) {
            stop.checkBox->Toggle(sounds);
        }
        return;
    }
    const bool vertical = key == EFocusKey::Up || key == EFocusKey::Down;
    if (vertical && stop.list) {
        stop.list->StepSelection(back ? -1 : 1);
    }
    if (vertical && stop.textArea) {
        stop.textArea->Step(back ? -1 : 1);
    }
    if (!vertical && stop.slider) {
        stop.slider->Step(back ? -1 : 1);
    }
    if (!vertical && stop.selector) {
        stop.selector->PressArrow(back ? CPictureSelector::EStep::Left : CPictureSelector::EStep::Right, sounds);
    }
}

// Each pass visits the kinds in the order text buttons, check boxes,
// selection lists, input boxes, sliders, picture selectors, text areas.
void CScreen::ContainerInput()
{
    if (!shown || !mouse) {
        return;
    }
    mouse->Poll();
    const int32_t x = mouse->x - left;
    const int32_t y = mouse->y - top;
    const bool down = mouse->IsButtonDown(0);
    if (down) {
        textButtons.ForEachNewestFirst([&](CTextButton& button) {
            if (button.Contains(x, y)) {
                button.Press(sounds);
            }
        });
        checkBoxes.ForEachNewestFirst([&](CCheckBox& box) {
            if (box.Contains(x, y)) {
                box.Toggle(sounds);
            }
        });
        selectionLists.ForEachNewestFirst([&](CSelectionList& list) { list.HandleMouse(sounds, x, y, true); });
        // A press decides the focus of every box: inside focuses, outside
        // takes the focus away.
        inputBoxes.ForEachNewestFirst([&](CInputBox& box) {
            box.focused = box.Contains(x, y);
            if (box.focused) {
                box.HandleKeys(keyboard, x, y);
            }
        });
        sliders.ForEachNewestFirst([&](CSlider& slider) { slider.HandleMouse(x, y, true); });
        pictureSelectors.ForEachNewestFirst([&](CPictureSelector& selector) {
            if (selector.Contains(x, y)) {
                selector.HandleMouse(sounds, x, y, true);
            }
        });
    } else {
        selectionLists.ForEachNewestFirst([&](CSelectionList& list) { list.HandleMouse(sounds, x, y, false); });
        sliders.ForEachNewestFirst([&](CSlider& slider) { slider.HandleMouse(x, y, false); });
        pictureSelectors.ForEachNewestFirst([&](CPictureSelector& selector) {
            if (selector.Contains(x, y)) {
                selector.HandleMouse(sounds, x, y, false);
            }
        });
    }
    textAreas.ForEachNewestFirst([&](CTextArea& area) { area.HandleMouse(sounds, x, y, down); });
    inputBoxes.ForEachNewestFirst([&](CInputBox& box) {
        if (box.focused) {
            box.HandleKeys(keyboard, x, y);
        }
    });
}

void CScreen::ContainerDraw()
{
    if (!shown || !display) {
        return;
    }
    textButtons.ForEachNewestFirst([&](CTextButton& button) { button.Draw(display, fonts, left, top); });
    checkBoxes.ForEachNewestFirst([&](CCheckBox& box) { box.Draw(display, left, top); });
    selectionLists.ForEachNewestFirst([&](CSelectionList& list) { list.Draw(display, fonts, left, top); });
    inputBoxes.ForEachNewestFirst([&](CInputBox& box) { box.Draw(display, fonts, left, top); });
    sliders.ForEachNewestFirst([&](CSlider& slider) { slider.Draw(display, left, top); });
    pictureSelectors.ForEachNewestFirst([&](CPictureSelector& selector) { selector.Draw(display, fonts, left, top); });
    textAreas.ForEachNewestFirst([&](CTextArea& area) { area.Draw(display, fonts, left, top); });
    if (focusBox) {
        if (!focusFrameLoaded) {
            focusFrame.Load(*display);
            focusFrameLoaded = true;
        }
        focusFrame.Draw(*display, focusBox->left, focusBox->top, focusBox->right, focusBox->bottom);
    }
    // An input box keeps reading keys while its screen is shown, even when
    // the mouse is over another screen.
    const int32_t x = mouse ? mouse->x - left : 0;
    const int32_t y = mouse ? mouse->y - top : 0;
    inputBoxes.ForEachNewestFirst([&](CInputBox& box) {
        if (box.focused) {
            box.HandleKeys(keyboard, x, y);
        }
    });
}
