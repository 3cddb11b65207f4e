// The main menu (screen id 1): the menu background, five large wooden buttons
// down the right edge, the harp music, and at most one open menu page.
#pragma once

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

private:
    void UpdateMusic();
    void OpenMenuPage(MenuPage page);
    void CloseMenuPage();

    SpritePtr background;
    std::unique_ptr<CSound> music;
    std::array<CTextButton*, kButtonCount> buttons{};
    std::unique_ptr<CScreen> openPage;
};
