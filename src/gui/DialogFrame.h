// The box both dialogs in front of a game screen are drawn in: 500 x 250
// pixels at (150, 175) in layer 0 with the dialog background behind its
// widgets. Enter and Escape press the buttons a dialog names for them, as a
// click on them would.
#pragma once

#include "gui/Screen.h"
#include "media/Sprite.h"

#include <cstdint>

class CTextButton;

class CDialogFrame : public CScreen {
public:
    static constexpr int32_t kLeft = 150;
    static constexpr int32_t kTop = 175;
    static constexpr int32_t kRight = 650;
    static constexpr int32_t kBottom = 425;

    explicit CDialogFrame(CDXFramework* owningFramework);
    ~CDialogFrame() override;

    // Places and shows the box, then loads the resources with the devices it
    // already has.
    bool Activate() override;
    bool Deactivate() override;
    bool HandleInput() override;

protected:
    // Keeps the devices and loads the background; false without a display,
    // when the dialog has nothing to build its widgets with.
    bool LoadFrame(
        CDisplay* newDisplay, CSoundSystem* newSounds, CMouse* newMouse, CKeyboard* newKeyboard, CFontTable* newFonts);
    // Drops the background and every widget and forgets the devices; the
    // dialog clears its own widget pointers first.
    void ReleaseFrame();
    // Draws the background and the widgets and presses the buttons named
    // for Enter and Escape while those keys are down; false while there is
    // nothing to draw on (hidden, or no display).
    bool DrawFrame();

    // The buttons Enter (either Enter key) and Escape press; cleared with
    // the widgets.
    CTextButton* enterButton = nullptr;
    CTextButton* escapeButton = nullptr;

private:
    SpritePtr background;
};
