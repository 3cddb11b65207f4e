// The dialog box's placement, background and buttons.
#include "gui/DialogFrame.h"

#include "gui/TextButton.h"
#include "media/Display.h"
#include "media/Sound.h"

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
    return true;
}

std::unique_ptr<CTextButton> CDialogFrame::MakeWoodButton(
    int32_t x1, int32_t y1, int32_t x2, int32_t y2, const char* caption) const
{
    auto click = std::make_unique<CSound>();
    click->Load("Sounds\\Wood Button Push.wav", sounds);
    return std::make_unique<CTextButton>(x1, y1, x2, y2,
        display->CreateSprite("Graphics\\Gui\\Wood Button Small.bmp", 150, 45), std::move(click), caption, true);
}
