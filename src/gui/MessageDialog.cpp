// The introduction box of the game screens.
#include "gui/MessageDialog.h"

#include "gui/TextButton.h"
#include "media/Display.h"
#include "media/FontTable.h"
#include "media/Sound.h"

CMessageDialog::CMessageDialog(CDXFramework* owningFramework, std::string_view messageText)
    : CScreen(owningFramework)
    , message(messageText.substr(0, kMaxMessageChars))
{
}

CMessageDialog::~CMessageDialog() { ReleaseResources(); }

bool CMessageDialog::Activate()
{
    SetRect(150, 175, 650, 425);
    layer = 0;
    Show();
    LoadResources(display, sounds, mouse, keyboard, fonts);
    return true;
}

void CMessageDialog::LoadResources(
    CDisplay* newDisplay, CSoundSystem* newSounds, CMouse* newMouse, CKeyboard* newKeyboard, CFontTable* newFonts)
{
    display = newDisplay;
    sounds = newSounds;
    mouse = newMouse;
    keyboard = newKeyboard;
    fonts = newFonts;
    if (!display) {
        return;
    }
    background = display->CreateSprite("Graphics\\Game\\Dialog Background.bmp", 500, 250);
    auto buttonSprite = display->CreateSprite("Graphics\\Gui\\Wood Button Small.bmp", 150, 45);
    auto click = std::make_unique<CSound>();
    click->Load("Sounds\\Wood Button Push.wav", sounds);
    okButton = AddTextButton(
        std::make_unique<CTextButton>(330, 180, 475, 230, std::move(buttonSprite), std::move(click), "Ok", true));
}

bool CMessageDialog::Update()
{
    if (!shown || !display) {
        return true;
    }
    display->DrawSprite(background.get(), left, top);
    ContainerDraw();
    if (fonts) {
        fonts->DrawText(*display, message, kFontTimesRoman16, left + 25, top + 15, right - 25, top + 400, media::kAlignLeft, 0);
    }
    return true;
}

bool CMessageDialog::HandleInput()
{
    ContainerInput();
    return true;
}

void CMessageDialog::ReleaseResources()
{
    ReleaseSprite(background);
    okButton = nullptr;
    DeleteWidgets();
    display = nullptr;
    sounds = nullptr;
    mouse = nullptr;
    keyboard = nullptr;
    fonts = nullptr;
}

bool CMessageDialog::Deactivate()
{
    ReleaseResources();
    return true;
}
