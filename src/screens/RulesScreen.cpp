// The rules page: the text read at each opening and drawn from the scroll
// bar's position on.
#include "screens/RulesScreen.h"

#include "gui/TextArea.h"
#include "media/Display.h"
#include "media/FontTable.h"
#include "platform/Files.h"
#include "screens/MenuPages.h"

CRulesScreen::CRulesScreen(CDXFramework* owningFramework)
    : CScreen(owningFramework)
{
}

CRulesScreen::~CRulesScreen() { CRulesScreen::Deactivate(); }

bool CRulesScreen::Activate()
{
    menu_page::Place(*this);
    LoadResources(display, sounds, mouse, keyboard, fonts);
    text = ReadRulesText();
    return true;
}

bool CRulesScreen::Deactivate()
{
    ReleaseResources();
    return true;
}

bool CRulesScreen::HandleInput()
{
    ContainerInput();
    return true;
}

// The scroll range is fixed, whatever the text's length: positions 0 to 30.
// A display mode switch makes a new scroll bar, back at position 0.
void CRulesScreen::LoadResources(
    CDisplay* newDisplay, CSoundSystem* newSounds, CMouse* newMouse, CKeyboard* newKeyboard, CFontTable* newFonts)
{
    KeepDevices(newDisplay, newSounds, newMouse, newKeyboard, newFonts);
    if (!display) {
        return;
    }
    background = menu_page::LoadBackground(*display);
    auto piece = [&](const char* name, int32_t height) { return display->CreateSprite(name, 25, height); };
    scrollBar = AddTextArea(std::make_unique<CTextArea>(490, 10, 515, 465, kLineHeightPx, kLargestScrollPosition,
        piece("Graphics\\Gui\\Wood Selection Bar.bmp", 100), piece("Graphics\\Gui\\Wood Selection Bar Button.bmp", 25),
        piece("Graphics\\Gui\\Wood Selection Arrow Up.bmp", 25),
        piece("Graphics\\Gui\\Wood Selection Arrow Down.bmp", 25),
        piece("Graphics\\Gui\\Wood Selection Arrow Up Pushed.bmp", 25),
        piece("Graphics\\Gui\\Wood Selection Arrow Down Pushed.bmp", 25),
        menu_page::LoadSound("Sounds\\Wood Button Push.wav", sounds)));
}

void CRulesScreen::ReleaseResources()
{
    ReleaseSprite(background);
    scrollBar = nullptr;
    DeleteWidgets();
    ForgetDevices();
}

bool CRulesScreen::Update()
{
    if (!shown || !display) {
        return true;
    }
    menu_page::DrawBackground(*this, background.get());
    ContainerDraw();
    if (fonts) {
        fonts->DrawText(*display, text, kFontTimesRoman16, left + kTextLeft, top + kTextTop, left + kTextRight,
            top + kTextBottom, media::kAlignLeft, scrollBar ? scrollBar->Position() : 0);
    }
    return true;
}

std::string CRulesScreen::ReadRulesText()
{
    const auto bytes = platform::ReadWholeFile(kRulesFileName);
    std::string result;
    if (!bytes) {
        return result;
    }
    for (size_t i = 0; i < bytes->size() && result.size() < kMaxTextLength; ++i) {
        const auto c = static_cast<char>((*bytes)[i]);
        if (c == '\0') {
            break;
        }
        if (c == '\r' && i + 1 < bytes->size() && (*bytes)[i + 1] == '\n') {
            continue; // the line feed that follows stands for the pair
        }
        result += c;
    }
    return result;
}
