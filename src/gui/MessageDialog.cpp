// The introduction box of the game screens.
#include "gui/MessageDialog.h"

#include "gui/TextButton.h"
#include "media/FontTable.h"

CMessageDialog::CMessageDialog(CDXFramework* owningFramework, std::string_view messageText)
    : CDialogFrame(owningFramework)
    , message(messageText.substr(0, kMaxMessageChars))
{
}

CMessageDialog::~CMessageDialog() { ReleaseResources(); }

void CMessageDialog::LoadResources(
    CDisplay* newDisplay, CSoundSystem* newSounds, CMouse* newMouse, CKeyboard* newKeyboard, CFontTable* newFonts)
{
    if (LoadFrame(newDisplay, newSounds, newMouse, newKeyboard, newFonts)) {
        okButton = AddTextButton(gui::MakeSmallWoodButton(*display, sounds, 330, 180, 475, 230, "Ok"));
        enterButton = okButton;
        escapeButton = okButton;
    }
}

bool CMessageDialog::Update()
{
    if (DrawFrame() && fonts) {
        fonts->DrawText(
            *display, message, kFontTimesRoman16, left + 25, top + 15, right - 25, top + 400, media::kAlignLeft, 0);
    }
    return true;
}

void CMessageDialog::ReleaseResources()
{
    okButton = nullptr;
    ReleaseFrame();
}
