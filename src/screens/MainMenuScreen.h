// The main menu (screen id 1): the menu background, five large wooden buttons
// down the right edge, the harp music, and at most one open menu page. Tab and
// Shift+Tab move a keyboard focus round its buttons and the open page's
// widgets as one ring.
#pragma once

#include "gui/KeyPresses.h"
#include "gui/StateScreen.h"
#include "media/Sprite.h"
#include "screens/MenuPages.h"

#include <array>
#include <memory>

class CSound;
class CTextButton;

class CMainMenuScreen : public CStateScreen {
public:
    explicit CMainMenuScreen(CDXFramework* owningFramework);
    ~CMainMenuScreen() override;

    bool Activate() override;
    bool Deactivate() override;
    bool Update() override;
    bool HandleInput() override;
    void LoadResources(CDisplay* newDisplay, CSoundSystem* newSounds, CMouse* newMouse, CKeyboard* newKeyboard,
        CFontTable* newFonts) override;
    void ReleaseResources() override;

    // The buttons in their order down the screen.
    enum Button { kPlayGame, kLoadGame, kOptions, kHelp, kExit, kButtonCount };
    CTextButton* ButtonAt(Button button) const { return buttons[button]; }
    CScreen* OpenPage() const { return openPage.get(); }
    CSound* Music() const { return music.get(); }
    // The focused place in the ring (the buttons, then the page's widgets in
    // reading order), -1 for none; drawn only after a key was used.
    int32_t FocusIndex() const { return focusIndex; }
    bool IsFocusShown() const { return focusShown; }
    std::vector<gui::SFocusStop> FocusRing();

private:
    void UpdateMusic();
    void OpenMenuPage(MenuPage page);
    void CloseMenuPage();
    void HandleFocusKeys();
    void ShowFocus();

    SpritePtr background;
    std::unique_ptr<CSound> music;
    std::array<CTextButton*, kButtonCount> buttons{};
    std::unique_ptr<CScreen> openPage;
    gui::CKeyPresses keyPresses;
    int32_t focusIndex = -1;
    bool focusShown = false;
};
