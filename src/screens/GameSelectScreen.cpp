// The game selection page: the game type boxes kept exclusive, the layout
// list, the miniature of the selected layout and the start of a new game.
#include "screens/GameSelectScreen.h"

#include "board/Rules.h"
#include "gui/CheckBox.h"
#include "gui/DXFramework.h"
#include "gui/SelectionList.h"
#include "gui/StateScreen.h"
#include "gui/TextButton.h"
#include "media/Display.h"
#include "media/FontTable.h"
#include "platform/Files.h"
#include "screens/MenuPages.h"
#include "screens/SettingsFiles.h"
#include "screens/SharedValues.h"

#include <algorithm>
#include <tuple>

namespace {

constexpr const char* kLayoutFolder = "Layouts";

enum ETypeBox { kTraditionalBox, kVeskStyleBox, kZandorBox };

struct STypeBoxLook {
    int32_t left;
    const char* unchecked;
    const char* checked;
};
// 100 x 100 each at y 65..165, in game type order.
constexpr std::array<STypeBoxLook, 3> kTypeBoxes = {{
    {60, "Graphics\\Gui\\Wood Traditional Check Box.bmp", "Graphics\\Gui\\Wood Traditional Check Box Pushed.bmp"},
    {220, "Graphics\\Gui\\Wood Vesk Style Check Box.bmp", "Graphics\\Gui\\Wood Vesk Style Check Box Pushed.bmp"},
    {380, "Graphics\\Gui\\Wood Zandor Check Box.bmp", "Graphics\\Gui\\Wood Zandor Check Box Pushed.bmp"},
}};
constexpr int32_t kTypeBoxTop = 65;
constexpr int32_t kTypeBoxSizePx = 100;
constexpr std::array<int32_t, 3> kScreenOfBox = {kTraditionalScreenId, kVeskStyleScreenId, kZandorScreenId};

constexpr menu_page::SListPlace kLayoutListPlace{50, 220, 250, 370, 60, 230, 240, 360};
constexpr int32_t kFrameX = 300;
constexpr int32_t kFrameY = 220;

// Source rectangles of the four quarters in "Preview Mahjongg Tile.bmp"; the
// right and bottom quarters are a pixel larger and overlap the next cell.
struct SQuarter {
    int32_t left, top, right, bottom;
};
constexpr std::array<SQuarter, board::kCellsPerTile> kQuarters = {{
    {0, 0, 5, 7},
    {5, 0, 11, 7},
    {0, 7, 5, 15},
    {5, 7, 11, 15},
}};

} // namespace

CGameSelectScreen::CGameSelectScreen(CDXFramework* owningFramework)
    : CScreen(owningFramework)
{
}

CGameSelectScreen::~CGameSelectScreen() { CGameSelectScreen::Deactivate(); }

bool CGameSelectScreen::Activate()
{
    menu_page::Place(*this);
    LoadResources(display, sounds, mouse, keyboard, fonts);
    return true;
}

bool CGameSelectScreen::Deactivate()
{
    ReleaseResources();
    return true;
}

bool CGameSelectScreen::HandleInput()
{
    ContainerInput();
    return true;
}

void CGameSelectScreen::LoadResources(
    CDisplay* newDisplay, CSoundSystem* newSounds, CMouse* newMouse, CKeyboard* newKeyboard, CFontTable* newFonts)
{
    KeepDevices(newDisplay, newSounds, newMouse, newKeyboard, newFonts);
    if (!display) {
        return;
    }
    background = menu_page::LoadBackground(*display);
    previewTile = display->CreateSprite("Graphics\\Gui\\Preview Mahjongg Tile.bmp", 16, 16);
    frame = display->CreateSprite("Graphics\\Gui\\Wood Selection Box.bmp", 200, 150);

    const SPlayGame stored = ReadPlayGameFile();
    gameType = stored.gameType;
    storedLayout = stored.layout;

    for (size_t i = 0; i < kTypeBoxes.size(); ++i) {
        const STypeBoxLook& look = kTypeBoxes[i];
        typeBoxes[i] = AddCheckBox(std::make_unique<CCheckBox>(look.left, kTypeBoxTop, look.left + kTypeBoxSizePx,
            kTypeBoxTop + kTypeBoxSizePx, display->CreateSprite(look.unchecked, kTypeBoxSizePx, kTypeBoxSizePx),
            display->CreateSprite(look.checked, kTypeBoxSizePx, kTypeBoxSizePx),
            menu_page::LoadSound("Sounds\\Wood Check.wav", sounds)));
        typeBoxes[i]->checked = gameType == static_cast<int32_t>(i) + 1;
    }

    layoutList = AddSelectionList(menu_page::MakeWoodList(*display, sounds, kLayoutListPlace));
    for (const std::string& name : platform::ListFiles(kLayoutFolder)) {
        layoutList->AddEntry(name);
    }
    layoutList->Sort();
    layoutList->SelectByName(stored.layout);
    // A stored layout that is gone: the first one listed takes its place, so
    // the miniature and the stored name agree with what the list shows.
    if (!layoutList->GetSelectedText() && !layoutList->Entries().empty()) {
        layoutList->SelectByName(layoutList->Entries().front());
    }
    if (const auto selected = layoutList->GetSelectedText()) {
        BuildPreview(*selected);
    }

    playButton = AddTextButton(gui::MakeSmallWoodButton(*display, sounds, 380, 410, 530, 455, "Play Game"));
}

void CGameSelectScreen::ReleaseResources()
{
    // Released twice in a row (a mode switch, then the page's deletion)
    // stores only once, from the widgets that were there.
    if (layoutList) {
        const std::string layout = layoutList->GetSelectedText().value_or(storedLayout);
        WritePlayGameFile(SPlayGame{gameType, layout});
    }
    ReleaseSprite(background);
    ReleaseSprite(previewTile);
    ReleaseSprite(frame);
    previewBoard.reset();
    previewPieces.clear();
    previewedLayout.clear();
    typeBoxes.fill(nullptr);
    layoutList = nullptr;
    playButton = nullptr;
    DeleteWidgets();
    ForgetDevices();
}

bool CGameSelectScreen::Update()
{
    if (!shown || !display) {
        return true;
    }
    menu_page::DrawBackground(*this, background.get());
    ContainerDraw();
    if (fonts) {
        fonts->DrawText(*display, "Game Type Options:", kFontTimesRoman16, left, top + 30, left + 550, top + 75,
            media::kAlignCentre, 0);
        fonts->DrawText(*display, "Tile Layout Options:", kFontTimesRoman16, left, top + 180, left + 550, top + 210,
            media::kAlignCentre, 0);
    }
    KeepOneTypeChecked();
    const auto selected = layoutList ? layoutList->GetSelectedText() : std::nullopt;
    if (selected && *selected != previewedLayout) {
        BuildPreview(*selected);
    }
    display->DrawSprite(frame.get(), left + kFrameX, top + kFrameY);
    DrawPreview();

    if (playButton && playButton->TakeClick()) {
        const int32_t screenId = ChosenScreenId();
        if (screenId == kNoScreenId || !selected || !framework) {
            return true;
        }
        // The game screen reads this in its activation, inside the switch:
        // empty, it deals a new game. The switch deletes this page, which
        // stores "Data\PlayGame.dat" on its way out, before the game screen
        // reads it; nothing of the page may be touched after it.
        pendingLoadPath.clear();
        framework->SwitchToScreen(screenId);
        return true;
    }
    return true;
}

// The steps run in this order: a box checked besides the current type's
// takes over; with none checked, the current type's box is checked again
// (a type outside 1 to 3 becomes Zandor).
void CGameSelectScreen::KeepOneTypeChecked()
{
    if (!typeBoxes[kTraditionalBox]) {
        return;
    }
    CCheckBox& traditional = *typeBoxes[kTraditionalBox];
    CCheckBox& veskStyle = *typeBoxes[kVeskStyleBox];
    CCheckBox& zandor = *typeBoxes[kZandorBox];
    if (gameType != kGameTypeTraditional && traditional.checked) {
        gameType = kGameTypeTraditional;
        veskStyle.checked = false;
        zandor.checked = false;
    }
    if (gameType != kGameTypeVeskStyle && veskStyle.checked) {
        gameType = kGameTypeVeskStyle;
        zandor.checked = false;
        traditional.checked = false;
    }
    if (gameType != kGameTypeZandor && zandor.checked) {
        gameType = kGameTypeZandor;
        veskStyle.checked = false;
        traditional.checked = false;
    }
    if (!traditional.checked && !veskStyle.checked && !zandor.checked) {
        if (gameType == kGameTypeTraditional) {
            traditional.checked = true;
        } else if (gameType == kGameTypeVeskStyle) {
            veskStyle.checked = true;
        } else {
            gameType = kGameTypeZandor;
            zandor.checked = true;
        }
    }
}

int32_t CGameSelectScreen::ChosenScreenId() const
{
    for (size_t i = 0; i < typeBoxes.size(); ++i) {
        if (typeBoxes[i] && typeBoxes[i]->checked) {
            return kScreenOfBox[i];
        }
    }
    return kNoScreenId;
}

// A dealt board of the layout, and its quarter cells in the order they are
// painted: level by level from the bottom, row by row from the top, column
// by column from the right, and on one cell the tiles in slot order. Later
// pieces paint over earlier ones.
void CGameSelectScreen::BuildPreview(const std::string& layout)
{
    ++previewBuilds;
    previewedLayout = layout;
    previewBoard = std::make_unique<board::CBoard>();
    previewBoard->LoadLayout(std::string(kLayoutFolder) + "\\" + layout);
    board::DealFaces(*previewBoard);

    struct SKeyedPiece {
        int32_t level, row, column, tile;
        SPreviewPiece piece;
    };
    std::vector<SKeyedPiece> keyed;
    for (int tile = 0; tile < board::kTileCount; ++tile) {
        const board::CTile& t = previewBoard->Tile(tile);
        if (!t.present) {
            continue;
        }
        for (int32_t quarter = 0; quarter < board::kCellsPerTile; ++quarter) {
            const board::CBoardCell* cell = t.cells[static_cast<size_t>(quarter)];
            if (!cell) {
                continue;
            }
            const SPreviewPiece piece{kPreviewCellWidthPx * cell->column + kPreviewLevelShiftPx * cell->level,
                kPreviewCellHeightPx * cell->row - kPreviewLevelShiftPx * cell->level, quarter};
            keyed.push_back({cell->level, cell->row, cell->column, tile, piece});
        }
    }
    std::sort(keyed.begin(), keyed.end(), [](const SKeyedPiece& a, const SKeyedPiece& b) {
        return std::tie(a.level, a.row, b.column, a.tile) < std::tie(b.level, b.row, a.column, b.tile);
    });
    previewPieces.clear();
    for (const SKeyedPiece& k : keyed) {
        previewPieces.push_back(k.piece);
    }
}

void CGameSelectScreen::DrawPreview()
{
    const int32_t originX = left + kPreviewOriginX;
    const int32_t originY = top + kPreviewOriginY;
    for (const SPreviewPiece& piece : previewPieces) {
        const SQuarter& q = kQuarters[static_cast<size_t>(piece.quarter)];
        display->DrawSpritePart(
            previewTile.get(), originX + piece.x, originY + piece.y, q.left, q.top, q.right, q.bottom);
    }
}
