// The shared body of the two name-entry dialogs shown in front of a game
// screen: a background, a prompt, an input box that has the keyboard from the
// start, a confirming button and "Cancel". The owner polls `result` (0 open,
// 1 confirmed, 2 cancelled) and `name` once a frame and deletes the dialog
// as soon as the result is not 0; the dialog never closes itself.
#pragma once

#include "gui/DialogFrame.h"

#include <cstdint>
#include <string>

class CInputBox;
class CTextButton;

struct SNameDialogLook {
    const char* defaultName;
    const char* prompt;
    int32_t promptAlignment;
    // The input box's rectangle and its text rectangle, relative to the dialog.
    int32_t boxLeft, boxTop, boxRight, boxBottom;
    int32_t textLeft, textTop, textRight, textBottom;
    const char* confirmCaption;
    // The record dialog stops at a confirmation; the save dialog goes on to
    // look at "Cancel", so that both clicks in one frame read as cancelled.
    bool confirmEndsUpdate;
};

class CNameDialog : public CDialogFrame {
public:
    static constexpr int32_t kResultOpen = 0;
    static constexpr int32_t kResultConfirmed = 1;
    static constexpr int32_t kResultCancelled = 2;

    CNameDialog(CDXFramework* owningFramework, const SNameDialogLook& dialogLook);
    ~CNameDialog() override;

    bool Update() override;
    void LoadResources(CDisplay* newDisplay, CSoundSystem* newSounds, CMouse* newMouse, CKeyboard* newKeyboard,
        CFontTable* newFonts) override;
    void ReleaseResources() override;

    int32_t result = kResultOpen;
    // The default name until a confirmation copies the input box's text.
    std::string name;

    // The widgets, null while the resources are released.
    CInputBox* inputBox = nullptr;
    CTextButton* confirmButton = nullptr;
    CTextButton* cancelButton = nullptr;

private:
    SNameDialogLook look;
    // What the player typed survives a display switch, which rebuilds the
    // widgets.
    std::string typedText;
};
