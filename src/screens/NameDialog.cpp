// The name-entry dialogs' layout, drawing and result.
#include "screens/NameDialog.h"

#include "gui/InputBox.h"
#include "gui/TextButton.h"
#include "media/Display.h"
#include "media/FontTable.h"

CNameDialog::CNameDialog(CDXFramework* owningFramework, const SNameDialogLook& dialogLook)
    : CDialogFrame(owningFramework)
    , name(dialogLook.defaultName)
    , look(dialogLook)
{
}

CNameDialog::~CNameDialog() { CNameDialog::ReleaseResources(); }

void CNameDialog::LoadResources(
    CDisplay* newDisplay, CSoundSystem* newSounds, CMouse* newMouse, CKeyboard* newKeyboard, CFontTable* newFonts)
{
    if (!LoadFrame(newDisplay, newSounds, newMouse, newKeyboard, newFonts)) {
        return;
    }
    inputBox = AddInputBox(std::make_unique<CInputBox>(look.boxLeft, look.boxTop, look.boxRight, look.boxBottom,
        look.textLeft, look.textTop, look.textRight, look.textBottom,
        display->CreateSprite("Graphics\\Gui\\Input Box.bmp", 200, 40), typedText));
    inputBox->focused = true;
    confirmButton = AddTextButton(gui::MakeSmallWoodButton(*display, sounds, 150, 190, 300, 235, look.confirmCaption));
    cancelButton = AddTextButton(gui::MakeSmallWoodButton(*display, sounds, 315, 190, 465, 235, "Cancel"));
    enterButton = confirmButton;
    escapeButton = cancelButton;
}

void CNameDialog::ReleaseResources()
{
    if (inputBox) {
        typedText = inputBox->text;
    }
    inputBox = nullptr;
    confirmButton = nullptr;
    cancelButton = nullptr;
    ReleaseFrame();
}

bool CNameDialog::Update()
{
    if (!DrawFrame()) {
        return true;
    }
    if (fonts) {
        fonts->DrawText(*display, look.prompt, kFontTimesRoman16, left + 25, top + 25, left + 475, top + 100,
            look.promptAlignment, 0);
    }
    if (confirmButton && confirmButton->IsClickComplete()) {
        name = inputBox ? inputBox->text : std::string();
        result = kResultConfirmed;
        if (look.confirmEndsUpdate) {
            return true;
        }
    }
    if (cancelButton && cancelButton->IsClickComplete()) {
        result = kResultCancelled;
    }
    return true;
}
