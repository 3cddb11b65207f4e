// A text box with one "Ok" button shown in front of a game screen. The owner
// polls the button and, once its click is complete, detaches and deletes the
// dialog.
#pragma once

#include "gui/DialogFrame.h"

#include <string>
#include <string_view>

class CMessageDialog : public CDialogFrame {
public:
    static constexpr size_t kMaxMessageChars = 4095;

    CMessageDialog(CDXFramework* owningFramework, std::string_view messageText);
    ~CMessageDialog() override;

    bool Update() override;
    void LoadResources(CDisplay* newDisplay, CSoundSystem* newSounds, CMouse* newMouse, CKeyboard* newKeyboard,
        CFontTable* newFonts) override;
    void ReleaseResources() override;

    // The "Ok" button, null while the resources are released.
    CTextButton* okButton = nullptr;

private:
    std::string message;
};
