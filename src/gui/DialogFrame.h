// The box both dialogs in front of a game screen are drawn in: 500 x 250
// pixels at (150, 175) in layer 0, the dialog background behind its widgets,
// and the small wood buttons that close it.
#pragma once

#include "gui/Screen.h"
#include "media/Sprite.h"

#include <cstdint>
#include <memory>

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
    // Draws the background and the widgets; false while there is nothing to
    // draw on (hidden, or no display).
    bool DrawFrame();
    // A 150 x 45 wood button with its push sound; the rectangle is relative
    // to the dialog.
    std::unique_ptr<CTextButton> MakeWoodButton(
        int32_t x1, int32_t y1, int32_t x2, int32_t y2, const char* caption) const;

private:
    SpritePtr background;
};
