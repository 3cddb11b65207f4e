// The main menu's buttons, pages and music.
#include "screens/MainMenuScreen.h"

#include "gui/DXFramework.h"
#include "gui/TextButton.h"
#include "media/Display.h"
#include "media/Sound.h"
#include "screens/SharedValues.h"

namespace {

struct SMenuButton {
    const char* caption;
    int32_t top;
};

// 200 x 90 each, 116 pixels apart from top to top, at x 575..775.
constexpr std::array<SMenuButton, CMainMenuScreen::kButtonCount> kMenuButtons = {{
    {"Play Game", 23},
    {"Load Game", 139},
    {"Options", 255},
    {"Help", 371},
    {"Exit", 487},
}};
constexpr int32_t kButtonLeft = 575;
constexpr int32_t kButtonWidth = 200;
constexpr int32_t kButtonHeight = 90;

constexpr std::array<MenuPage, 4> kPageOfButton = {
    MenuPage::GameSelection, MenuPage::LoadGame, MenuPage::Options, MenuPage::Rules};

} // namespace

CMainMenuScreen::CMainMenuScreen(CDXFramework* owningFramework)
    : CStateScreen(owningFramework)
{
}

CMainMenuScreen::~CMainMenuScreen() { CMainMenuScreen::Deactivate(); }

bool CMainMenuScreen::Activate()
{
    SetNextId(kNoScreenId);
    SetRect(0, 0, framework ? framework->width : 800, framework ? framework->height : 600);
    layer = 2;
    Show();
    LoadResources(display, sounds, mouse, keyboard, fonts);
    return true;
}

void CMainMenuScreen::LoadResources(
    CDisplay* newDisplay, CSoundSystem* newSounds, CMouse* newMouse, CKeyboard* newKeyboard, CFontTable* newFonts)
{
    CStateScreen::LoadResources(newDisplay, newSounds, newMouse, newKeyboard, newFonts);
    if (!display) {
        return;
    }
    background = display->CreateSprite("Graphics\\Gui\\Main Menu Background.bmp", 800, 600);
    cursor = display->CreateSprite("Graphics\\Gui\\Cursor.bmp", 32, 32);
    music = std::make_unique<CSound>();
    music->Load("Sounds\\Harp Intro.wav", sounds);
    if (musicFlag == 1) {
        music->Play(true);
    }
    for (size_t i = 0; i < kMenuButtons.size(); ++i) {
        const SMenuButton& entry = kMenuButtons[i];
        auto click = std::make_unique<CSound>();
        click->Load("Sounds\\Wood Button Push.wav", sounds);
        buttons[i] = AddTextButton(std::make_unique<CTextButton>(kButtonLeft, entry.top, kButtonLeft + kButtonWidth,
            entry.top + kButtonHeight, display->CreateSprite("Graphics\\Gui\\Wood Button Large.bmp", 200, 90),
            std::move(click), entry.caption, true));
    }
}

void CMainMenuScreen::ReleaseResources()
{
    ReleaseSprite(background);
    ReleaseSprite(cursor);
    music.reset(); // stops it
    buttons.fill(nullptr);
    DeleteWidgets();
    CStateScreen::ReleaseResources();
}

bool CMainMenuScreen::Deactivate()
{
    ReleaseResources();
    CloseMenuPage();
    SetNextId(kNoScreenId);
    return true;
}

bool CMainMenuScreen::HandleInput()
{
    ContainerInput();
    return true;
}

bool CMainMenuScreen::Update()
{
    if (!shown || !display) {
        return true;
    }
    display->DrawSprite(background.get(), 0, 0);
    ContainerDraw();
    UpdateMusic();
    for (size_t i = 0; i < kPageOfButton.size(); ++i) {
        if (buttons[i] && buttons[i]->TakeClick()) {
            OpenMenuPage(kPageOfButton[i]);
        }
    }
    if (buttons[kExit] && buttons[kExit]->TakeClick()) {
        return false;
    }
    return true;
}

// Music off stops the harp within a frame; on again resumes where it stopped.
void CMainMenuScreen::UpdateMusic()
{
    if (!music) {
        return;
    }
    if (musicFlag == 0) {
        music->Stop();
    } else if (!music->IsPlaying()) {
        music->Play(true);
    }
}

// A second press of the same button builds that page afresh.
void CMainMenuScreen::OpenMenuPage(MenuPage page)
{
    CloseMenuPage();
    openPage = CreateMenuPage(page, framework);
    if (!openPage) {
        return;
    }
    if (framework) {
        framework->AttachScreen(openPage.get());
    }
    openPage->Activate();
}

void CMainMenuScreen::CloseMenuPage()
{
    if (!openPage) {
        return;
    }
    if (framework) {
        framework->DetachScreen(openPage.get());
    }
    openPage.reset();
}
