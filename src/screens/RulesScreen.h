// The rules page ("Help" in the main menu): the text of "Data\Rules.txt"
// word-wrapped on the page, scrolled line by line with a scroll bar at the
// page's right edge. The text is read once per opening.
#pragma once

#include "gui/Screen.h"
#include "media/Sprite.h"

#include <cstddef>
#include <cstdint>
#include <string>

class CTextArea;

class CRulesScreen : public CScreen {
public:
    static constexpr const char* kRulesFileName = "Data\\Rules.txt";
    // Characters used from the file; the rest of a longer file is ignored.
    static constexpr size_t kMaxTextLength = 4095;
    static constexpr int32_t kLineHeightPx = 24;
    static constexpr int32_t kLargestScrollPosition = 30;
    // Where the text is drawn, relative to the page.
    static constexpr int32_t kTextLeft = 15;
    static constexpr int32_t kTextTop = 15;
    static constexpr int32_t kTextRight = 475;
    static constexpr int32_t kTextBottom = 425;

    explicit CRulesScreen(CDXFramework* owningFramework);
    ~CRulesScreen() override;

    // Also reads the text, after the widgets are made.
    bool Activate() override;
    bool Deactivate() override;
    bool Update() override;
    bool HandleInput() override;
    void LoadResources(CDisplay* newDisplay, CSoundSystem* newSounds, CMouse* newMouse, CKeyboard* newKeyboard,
        CFontTable* newFonts) override;
    void ReleaseResources() override;

    // The file as a text-mode read sees it: each CR LF pair becomes one line
    // feed; it ends at the first zero character or after kMaxTextLength
    // characters. Empty when the file cannot be read.
    static std::string ReadRulesText();

    const std::string& Text() const { return text; }

    // Null while the resources are released.
    CTextArea* scrollBar = nullptr;

private:
    SpritePtr background;
    std::string text;
};
