// The pages the main menu opens to the left of its buttons, and what they
// share. Every page is a screen of layer 0 in (0, 125)-(550, 600) owned by
// the main menu: it draws the dialog background at its origin, places its
// widgets relative to that origin and keeps the device objects it is given.
#pragma once

#include "media/Sprite.h"

#include <cstdint>
#include <memory>

class CDisplay;
class CDXFramework;
class CScreen;
class CSelectionList;
class CSound;
class CSoundSystem;

enum class MenuPage {
    GameSelection, // "Play Game"
    LoadGame, // "Load Game"
    Options, // "Options"
    Rules, // "Help"
};

// A new, not yet attached page; null for a page the game does not have.
std::unique_ptr<CScreen> CreateMenuPage(MenuPage page, CDXFramework* framework);

namespace menu_page {

inline constexpr int32_t kLeft = 0;
inline constexpr int32_t kTop = 125;
inline constexpr int32_t kRight = 550;
inline constexpr int32_t kBottom = 600;
inline constexpr int32_t kLayer = 0;

// The rectangle and layer of a page, shown.
void Place(CScreen& page);

// "Graphics\Gui\Dialog Background.bmp" at 550 x 475, drawn at the origin.
SpritePtr LoadBackground(CDisplay& display);
void DrawBackground(CScreen& page, CSprite* background);
// A clip of the sound system; silent when the file or the output is missing.
std::unique_ptr<CSound> LoadSound(const char* fileName, CSoundSystem* sounds);

// The wooden list of the game selection and load pages: its outer box
// (200 x 150) and the row area inside, rows of 25 pixels.
struct SListPlace {
    int32_t x1, y1, x2, y2;
    int32_t ix1, iy1, ix2, iy2;
};
std::unique_ptr<CSelectionList> MakeWoodList(CDisplay& display, CSoundSystem* sounds, const SListPlace& place);

} // namespace menu_page
