// The load game page: the list of saved games and the switch to the game
// screen of the chosen file's type.
#include "screens/LoadGameScreen.h"

#include "gui/DXFramework.h"
#include "gui/SelectionList.h"
#include "gui/StateScreen.h"
#include "gui/TextButton.h"
#include "media/Display.h"
#include "media/FontTable.h"
#include "platform/BinaryIo.h"
#include "platform/Files.h"
#include "screens/MenuPages.h"
#include "screens/SettingsFiles.h"
#include "screens/SharedValues.h"

namespace {

constexpr const char* kSavesFolder = "Saves";
constexpr menu_page::SListPlace kSavedGameListPlace{160, 120, 360, 270, 170, 130, 350, 260};

} // namespace

CLoadGameScreen::CLoadGameScreen(CDXFramework* owningFramework)
    : CScreen(owningFramework)
{
}

CLoadGameScreen::~CLoadGameScreen() { CLoadGameScreen::Deactivate(); }

bool CLoadGameScreen::Activate()
{
    menu_page::Place(*this);
    LoadResources(display, sounds, mouse, keyboard, fonts);
    return true;
}

bool CLoadGameScreen::Deactivate()
{
    ReleaseResources();
    return true;
}

bool CLoadGameScreen::HandleInput()
{
    ContainerInput();
    return true;
}

// No entry is selected here: the list selects its first entry when it is
// first drawn.
void CLoadGameScreen::LoadResources(
    CDisplay* newDisplay, CSoundSystem* newSounds, CMouse* newMouse, CKeyboard* newKeyboard, CFontTable* newFonts)
{
    KeepDevices(newDisplay, newSounds, newMouse, newKeyboard, newFonts);
    if (!display) {
        return;
    }
    background = menu_page::LoadBackground(*display);
    savedGames = AddSelectionList(menu_page::MakeWoodList(*display, sounds, kSavedGameListPlace));
    for (const std::string& name : platform::ListFiles(kSavesFolder)) {
        savedGames->AddEntry(name);
    }
    savedGames->Sort();
    // 145 x 50: the 150 x 45 picture is drawn scaled to it.
    loadButton = AddTextButton(gui::MakeSmallWoodButton(*display, sounds, 200, 300, 345, 350, "Load Game"));
}

void CLoadGameScreen::ReleaseResources()
{
    ReleaseSprite(background);
    savedGames = nullptr;
    loadButton = nullptr;
    DeleteWidgets();
    ForgetDevices();
}

bool CLoadGameScreen::Update()
{
    if (!shown || !display) {
        return true;
    }
    menu_page::DrawBackground(*this, background.get());
    ContainerDraw();
    if (fonts) {
        fonts->DrawText(*display, "Previously Saved Games...", kFontKlang20, left + 25, top + 25, left + 525, top + 100,
            media::kAlignCentre, 0);
    }
    if (loadButton && loadButton->TakeClick()) {
        LoadSelectedGame(); // may delete this page: the last thing done
    }
    return true;
}

int32_t CLoadGameScreen::ReadSavedGameType(const std::string& path)
{
    int32_t type = kGameTypeTraditional;
    if (const auto bytes = platform::ReadWholeFile(path)) {
        platform::CBinaryReader reader(*bytes);
        reader.ReadInt32(type);
    }
    return type;
}

// The type's screen gets the path through pendingLoadPath. A file of any
// other type is ignored, and so is one the game's own reader refuses (when
// the game has installed it): the page stays open and the path unchanged.
void CLoadGameScreen::LoadSelectedGame()
{
    const auto name = savedGames ? savedGames->GetSelectedText() : std::nullopt;
    if (!name || !framework) {
        return;
    }
    const std::string path = std::string(kSavesFolder) + "\\" + *name;
    const int32_t type = ReadSavedGameType(path);
    if (type < kGameTypeTraditional || type > kGameTypeZandor) {
        return;
    }
    if (savedGameCheck && !savedGameCheck(path)) {
        return;
    }
    CDXFramework* owner = framework;
    pendingLoadPath = path;
    // Type 1 Traditional (2), 2 Vesk Style (3), 3 Zandor (4). The switch
    // deletes this page.
    owner->SwitchToScreen(type + 1);
}
