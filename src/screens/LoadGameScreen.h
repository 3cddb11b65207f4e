// The load game page ("Load Game" in the main menu): the files of "Saves\"
// in a list and a "Load Game" button that hands the chosen file to the game
// screen of its type. The page stores nothing.
#pragma once

#include "gui/Screen.h"
#include "media/Sprite.h"

#include <cstdint>
#include <string>

class CSelectionList;
class CTextButton;

class CLoadGameScreen : public CScreen {
public:
    explicit CLoadGameScreen(CDXFramework* owningFramework);
    ~CLoadGameScreen() override;

    bool Activate() override;
    bool Deactivate() override;
    bool Update() override;
    bool HandleInput() override;
    void LoadResources(CDisplay* newDisplay, CSoundSystem* newSounds, CMouse* newMouse, CKeyboard* newKeyboard,
        CFontTable* newFonts) override;
    void ReleaseResources() override;

    // The game type a saved game's first field names; 1 for a file that
    // cannot be read or is too short to hold the field.
    static int32_t ReadSavedGameType(const std::string& path);

    // The widgets, null while the resources are released.
    CSelectionList* savedGames = nullptr;
    CTextButton* loadButton = nullptr;

private:
    // After a completed click: the game screen for the selected file, or
    // nothing when there is no file or the file cannot be played.
    void LoadSelectedGame();

    SpritePtr background;
};
