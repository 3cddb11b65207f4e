// The base of every screen and dialog: a rectangle on the 800 x 600 picture
// with a layer, the device objects it draws with, and the widgets it owns.
// The container hands the mouse to the widgets and draws them; widgets never
// call their screen, the screen polls them in its own Update.
#pragma once

#include "gui/FocusFrame.h"
#include "gui/FocusStop.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class CCheckBox;
class CDisplay;
class CDXFramework;
class CFontTable;
class CInputBox;
class CKeyboard;
class CMouse;
class CPictureSelector;
class CSelectionList;
class CSlider;
class CTextArea;
class CSoundSystem;
class CTextButton;

// Widgets of one kind, owned, visited from the most recently added to the
// first added (new widgets go in front).
template <typename Widget> class CWidgetList {
public:
    Widget* Add(std::unique_ptr<Widget> widget)
    {
        widgets.push_back(std::move(widget));
        return widgets.back().get();
    }
    void Clear() { widgets.clear(); }
    int32_t Count() const { return static_cast<int32_t>(widgets.size()); }
    template <typename Visit> void ForEachOldestFirst(Visit visit)
    {
        for (auto& widget : widgets) {
            visit(*widget);
        }
    }
    template <typename Visit> void ForEachNewestFirst(Visit visit)
    {
        for (auto it = widgets.rbegin(); it != widgets.rend(); ++it) {
            visit(**it);
        }
    }

private:
    std::vector<std::unique_ptr<Widget>> widgets;
};

class CScreen {
public:
    explicit CScreen(CDXFramework* owningFramework = nullptr);
    virtual ~CScreen();
    CScreen(const CScreen&) = delete;
    CScreen& operator=(const CScreen&) = delete;

    // Once a frame while shown: draws. False ends the program.
    virtual bool Update();
    // When this is the topmost shown screen under the mouse. False ends the
    // program.
    virtual bool HandleInput();
    virtual void SetRect(int32_t newLeft, int32_t newTop, int32_t newRight, int32_t newBottom);
    virtual bool Activate();
    // Deletes every widget.
    virtual bool Deactivate();
    virtual void Show();
    virtual void Hide();
    virtual void LoadResources(
        CDisplay* newDisplay, CSoundSystem* newSounds, CMouse* newMouse, CKeyboard* newKeyboard, CFontTable* newFonts);
    virtual void ReleaseResources();

    // The container takes ownership and returns the widget for polling.
    CTextButton* AddTextButton(std::unique_ptr<CTextButton> widget);
    CCheckBox* AddCheckBox(std::unique_ptr<CCheckBox> widget);
    CSelectionList* AddSelectionList(std::unique_ptr<CSelectionList> widget);
    CInputBox* AddInputBox(std::unique_ptr<CInputBox> widget);
    CSlider* AddSlider(std::unique_ptr<CSlider> widget);
    CPictureSelector* AddPictureSelector(std::unique_ptr<CPictureSelector> widget);
    CTextArea* AddTextArea(std::unique_ptr<CTextArea> widget);
    void DeleteWidgets();

    // Hands the mouse (and the keyboard to a focused input box) to the
    // widgets; nothing while hidden.
    void ContainerInput();
    // Draws every widget, kind by kind; then a focused input box reads keys.
    void ContainerDraw();

    // The widgets the keyboard focus visits, in reading order (by rows, then
    // from the left), with their rectangles in the picture. Input boxes are
    // not among them: only the dialogs have one, and it always has the keys.
    std::vector<gui::SFocusStop> FocusStops();

    // The screen's own hit test: edges included.
    bool ContainsPoint(int32_t x, int32_t y) const { return left <= x && x <= right && top <= y && y <= bottom; }

    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    int32_t layer = 0;
    CDisplay* display = nullptr;
    CSoundSystem* sounds = nullptr;
    CKeyboard* keyboard = nullptr;
    CMouse* mouse = nullptr;
    CFontTable* fonts = nullptr;
    bool shown = false;
    CDXFramework* framework = nullptr;
    // While set, ContainerDraw frames this rectangle of the picture (the
    // keyboard focus); cleared with the widgets.
    std::optional<media::STextBox> focusBox;

protected:
    // What an override of LoadResources keeps and ReleaseResources forgets.
    void KeepDevices(
        CDisplay* newDisplay, CSoundSystem* newSounds, CMouse* newMouse, CKeyboard* newKeyboard, CFontTable* newFonts);
    void ForgetDevices();

private:
    CWidgetList<CTextButton> textButtons;
    CWidgetList<CCheckBox> checkBoxes;
    CWidgetList<CSelectionList> selectionLists;
    CWidgetList<CInputBox> inputBoxes;
    CWidgetList<CSlider> sliders;
    CWidgetList<CPictureSelector> pictureSelectors;
    CWidgetList<CTextArea> textAreas;
    gui::CFocusFrame focusFrame;
    bool focusFrameLoaded = false;
};
