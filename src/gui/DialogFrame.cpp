// The dialog box's placement, background, input and drawing.
#include "gui/DialogFrame.h"

#include "gui/TextButton.h"
#include "media/Display.h"
#include "media/Keyboard.h"
#include "platform/InputKeyCodes.h"

CDialogFrame::CDialogFrame(CDXFramework* owningFramework)
    : CScreen(owningFramework)
{
}

CDialogFrame::~CDialogFrame() = default;

bool CDialogFrame::Activate()
{
    SetRect(kLeft, kTop, kRight, kBottom);
    layer = 0;
    Show();
    LoadResources(display, sounds, mouse, keyboard, fonts);
    return true;
}

bool CDialogFrame::Deactivate()
{
    ReleaseResources();
    return true;
}

bool CDialogFrame::HandleInput()
{
    ContainerInput();
    return true;
}

bool CDialogFrame::LoadFrame(
    CDisplay* newDisplay, CSoundSystem* newSounds, CMouse* newMouse, CKeyboard* newKeyboard, CFontTable* newFonts)
{
    KeepDevices(newDisplay, newSounds, newMouse, newKeyboard, newFonts);
    if (!display) {
        return false;
    }
    background = display->CreateSprite("Graphics\\Game\\Dialog Background.bmp", 500, 250);
    return true;
}

void CDialogFrame::ReleaseFrame()
{
    ReleaseSprite(background);
    enterButton = nullptr;
    escapeButton = nullptr;
    DeleteWidgets();
    ForgetDevices();
}

bool CDialogFrame::DrawFrame()
{
    if (!shown || !display) {
        return false;
    }
    display->DrawSprite(background.get(), left, top);
    ContainerDraw();
    // Like the input box, the keys work wherever the mouse is.
    if (keyboard) {
        if (enterButton && (keyboard->IsKeyDown(DIK_RETURN) || keyboard->IsKeyDown(DIK_NUMPADENTER))) {
            enterButton->Press(sounds);
        }
        if (escapeButton && keyboard->IsKeyDown(DIK_ESCAPE)) {
            escapeButton->Press(sounds);
        }
    }
    return true;
}
