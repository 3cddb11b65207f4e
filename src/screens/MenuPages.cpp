// The one place that knows which screen each menu button opens, and the
// pieces the pages share.
#include "screens/MenuPages.h"

#include "gui/Screen.h"
#include "gui/SelectionList.h"
#include "media/Display.h"
#include "media/Sound.h"
#include "screens/GameSelectScreen.h"
#include "screens/LoadGameScreen.h"
#include "screens/OptionsScreen.h"
#include "screens/RulesScreen.h"

std::unique_ptr<CScreen> CreateMenuPage(MenuPage page, CDXFramework* framework)
{
    switch (page) {
    case MenuPage::GameSelection:
        return std::make_unique<CGameSelectScreen>(framework);
    case MenuPage::LoadGame:
        return std::make_unique<CLoadGameScreen>(framework);
    case MenuPage::Options:
        return std::make_unique<COptionsScreen>(framework);
    case MenuPage::Rules:
        return std::make_unique<CRulesScreen>(framework);
    }
    return nullptr;
}

namespace menu_page {

namespace {

constexpr int32_t kRowHeightPx = 25;
constexpr int32_t kArrowSizePx = 25;

} // namespace

void Place(CScreen& page)
{
    page.SetRect(kLeft, kTop, kRight, kBottom);
    page.layer = kLayer;
    page.Show();
}

SpritePtr LoadBackground(CDisplay& display)
{
    return display.CreateSprite("Graphics\\Gui\\Dialog Background.bmp", kRight - kLeft, kBottom - kTop);
}

void DrawBackground(CScreen& page, CSprite* background)
{
    if (page.display) {
        page.display->DrawSprite(background, page.left, page.top);
    }
}

std::unique_ptr<CSound> LoadSound(const char* fileName, CSoundSystem* sounds)
{
    auto sound = std::make_unique<CSound>();
    sound->Load(fileName, sounds);
    return sound;
}

std::unique_ptr<CSelectionList> MakeWoodList(CDisplay& display, CSoundSystem* sounds, const SListPlace& place)
{
    auto arrow = [&](const char* name) { return display.CreateSprite(name, kArrowSizePx, kArrowSizePx); };
    return std::make_unique<CSelectionList>(place.x1, place.y1, place.x2, place.y2, place.ix1, place.iy1, place.ix2,
        place.iy2, kRowHeightPx, display.CreateSprite("Graphics\\Gui\\Wood Selection Bar.bmp", 25, 100),
        arrow("Graphics\\Gui\\Wood Selection Bar Button.bmp"),
        display.CreateSprite("Graphics\\Gui\\Wood Selection Box.bmp", 200, 150),
        arrow("Graphics\\Gui\\Wood Selection Arrow Up.bmp"), arrow("Graphics\\Gui\\Wood Selection Arrow Down.bmp"),
        arrow("Graphics\\Gui\\Wood Selection Arrow Up Pushed.bmp"),
        arrow("Graphics\\Gui\\Wood Selection Arrow Down Pushed.bmp"), LoadSound("Sounds\\Wood Button Push.wav", sounds),
        LoadSound("Sounds\\Wood Selection Made.wav", sounds));
}

} // namespace menu_page
