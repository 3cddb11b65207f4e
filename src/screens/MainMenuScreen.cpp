// The main menu's buttons, pages and music.
#include "screens/MainMenuScreen.h"

#include "gui/DXFramework.h"
#include "gui/TextButton.h"
#include "media/Display.h"
#include "media/Mouse.h"
#include "media/Sound.h"
#include "screens/SharedValues.h"

#include <algorithm>

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

constexpr std::array<MenuPage, 4> kPageOfButton
    = {MenuPage::GameSelection, MenuPage::LoadGame, MenuPage::Options, MenuPage::Rules};

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
    focusIndex = -1;
    focusShown = false;
    keyPresses.Reset(keyboard);
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
    HandleFocusKeys();
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

// A second press of the same button builds that page afresh. A page opened
// by a key takes the focus to its first widget.
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
    if (focusShown && !openPage->FocusStops().empty()) {
        focusIndex = kButtonCount;
    }
}

std::vector<gui::SFocusStop> CMainMenuScreen::FocusRing()
{
    std::vector<gui::SFocusStop> ring;
    for (CTextButton* button : buttons) {
        if (button) {
            ring.push_back({button->Bounds(), button});
        }
    }
    if (openPage) {
        const std::vector<gui::SFocusStop> pageStops = openPage->FocusStops();
        ring.insert(ring.end(), pageStops.begin(), pageStops.end());
    }
    return ring;
}

// Keys work wherever the pointer is; a mouse press hides the focus until the
// next key. The first key only shows it ("Play Game" at first).
void CMainMenuScreen::HandleFocusKeys()
{
    keyPresses.Update(keyboard);
    if (mouse && mouse->IsButtonDown(0)) {
        focusShown = false;
    }
    const std::vector<gui::SFocusStop> ring = FocusRing();
    const int32_t count = static_cast<int32_t>(ring.size());
    if (count == 0) {
        return;
    }
    focusIndex = std::clamp(focusIndex, -1, count - 1);
    const bool tab = keyPresses.WasPressed(DIK_TAB);
    const bool press = keyPresses.WasPressed(DIK_SPACE) || keyPresses.WasEnterPressed();
    struct SArrow {
        uint8_t key;
        gui::EFocusKey action;
    };
    static constexpr SArrow kArrows[] = {{DIK_UP, gui::EFocusKey::Up}, {DIK_DOWN, gui::EFocusKey::Down},
        {DIK_LEFT, gui::EFocusKey::Left}, {DIK_RIGHT, gui::EFocusKey::Right}};
    bool arrow = false;
    for (const SArrow& a : kArrows) {
        arrow = arrow || keyPresses.WasPressed(a.key);
    }
    if ((tab || press || arrow) && (!focusShown || focusIndex < 0)) {
        focusShown = true;
        focusIndex = std::max(focusIndex, 0);
    } else if (tab) {
        focusIndex = (focusIndex + (keyPresses.IsShiftDown() ? count - 1 : 1)) % count;
    } else if (focusShown) {
        const gui::SFocusStop& stop = ring[static_cast<size_t>(focusIndex)];
        if (press) {
            gui::ActOnFocus(stop, gui::EFocusKey::Press, sounds);
        }
        for (const SArrow& a : kArrows) {
            if (keyPresses.WasPressedOrRepeated(a.key)) {
                gui::ActOnFocus(stop, a.action, sounds);
            }
        }
    }
    ShowFocus();
}

// The frame is drawn by the screen that holds the widget, over its widgets.
void CMainMenuScreen::ShowFocus()
{
    focusBox.reset();
    if (openPage) {
        openPage->focusBox.reset();
    }
    if (!focusShown || focusIndex < 0) {
        return;
    }
    const gui::SFocusStop stop = FocusRing()[static_cast<size_t>(focusIndex)];
    CScreen* holder = focusIndex < kButtonCount || !openPage ? static_cast<CScreen*>(this) : openPage.get();
    holder->focusBox = stop.box;
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
