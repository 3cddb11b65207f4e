// The options page ("Options" in the main menu): mouse sensitivity and sound
// volume sliders, "Play Music" and "Full Screen" check boxes, and picture
// selectors for the in-game backdrop and the tile set. The sliders and boxes
// act on the game every frame; all six settings are stored in
// "Data\Options.dat" whenever the page releases its resources, so a display
// mode switch stores them before and reads them back after.
#pragma once

#include "gui/Screen.h"
#include "media/Sprite.h"

#include <string>

class CCheckBox;
class CPictureSelector;
class CSlider;

class COptionsScreen : public CScreen {
public:
    explicit COptionsScreen(CDXFramework* owningFramework);
    ~COptionsScreen() override;

    bool Activate() override;
    bool Deactivate() override;
    bool Update() override;
    bool HandleInput() override;
    void LoadResources(CDisplay* newDisplay, CSoundSystem* newSounds, CMouse* newMouse, CKeyboard* newKeyboard,
        CFontTable* newFonts) override;
    // Stores the six settings from the widgets.
    void ReleaseResources() override;

    // The widgets, null while the resources are released.
    CSlider* sensitivitySlider = nullptr;
    CSlider* volumeSlider = nullptr;
    CCheckBox* musicBox = nullptr;
    CCheckBox* fullScreenBox = nullptr;
    CPictureSelector* backdropSelector = nullptr;
    CPictureSelector* tileSetSelector = nullptr;

private:
    void AddBackdropSelector();
    void AddTileSetSelector();
    void ApplySettings();

    SpritePtr background;
    // The names read from the file: stored again when a folder holds nothing
    // to choose from.
    std::string storedBackdrop;
    std::string storedTileSet;
};
