// The name-entry dialogs' layout, drawing and result.
#include "screens/NameDialog.h"

#include "gui/InputBox.h"
#include "gui/TextButton.h"
#include "media/Display.h"
#include "media/FontTable.h"
#include "media/Sound.h"

namespace {

constexpr int32_t kDialogLeft = 150;
constexpr int32_t kDialogTop = 175;
constexpr int32_t kDialogRight = 650;
constexpr int32_t kDialogBottom = 425;

std::unique_ptr<CTextButton> MakeButton(
    CDisplay* display, CSoundSystem* sounds, int32_t x1, int32_t x2, const char* caption)
{
    auto click = std::make_unique<CSound>();
    click->Load("Sounds\\Wood Button Push.wav", sounds);
    return std::make_unique<CTextButton>(x1, 190, x2, 235,
        display->CreateSprite("Graphics\\Gui\\Wood Button Small.bmp", 150, 45), std::move(click), caption, true);
}

} // namespace

CNameDialog::CNameDialog(CDXFramework* owningFramework, const SNameDialogLook& dialogLook)
    : CScreen(owningFramework)
    , name(dialogLook.defaultName)
    , look(dialogLook)
{
}

CNameDialog::~CNameDialog() { CNameDialog::Deactivate(); }

bool CNameDialog::Activate()
{
    SetRect(kDialogLeft, kDialogTop, kDialogRight, kDialogBottom);
    layer = 0;
    Show();
    LoadResources(display, sounds, mouse, keyboard, fonts);
    return true;
}

void CNameDialog::LoadResources(
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
    inputBox = AddInputBox(std::make_unique<CInputBox>(look.boxLeft, look.boxTop, look.boxRight, look.boxBottom,
        look.textLeft, look.textTop, look.textRight, look.textBottom,
        display->CreateSprite("Graphics\\Gui\\Input Box.bmp", 200, 40), typedText));
    inputBox->focused = true;
    confirmButton = AddTextButton(MakeButton(display, sounds, 150, 300, look.confirmCaption));
    cancelButton = AddTextButton(MakeButton(display, sounds, 315, 465, "Cancel"));
}

void CNameDialog::ReleaseResources()
{
    if (inputBox) {
        typedText = inputBox->text;
    }
    ReleaseSprite(background);
    inputBox = nullptr;
    confirmButton = nullptr;
    cancelButton = nullptr;
    DeleteWidgets();
    display = nullptr;
    sounds = nullptr;
    mouse = nullptr;
    keyboard = nullptr;
    fonts = nullptr;
}

bool CNameDialog::Deactivate()
{
    ReleaseResources();
    return true;
}

bool CNameDialog::HandleInput()
{
    ContainerInput();
    return true;
}

bool CNameDialog::Update()
{
    if (!shown || !display) {
        return true;
    }
    display->DrawSprite(background.get(), left, top);
    ContainerDraw();
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
