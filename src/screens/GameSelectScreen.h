// The game selection page ("Play Game" in the main menu): three picture
// check boxes for the game type, the list of layout files with a miniature
// of the chosen layout, and the page's own "Play Game" button that starts a
// new game. The choice is read from "Data\PlayGame.dat" when the page opens
// and stored there whenever it releases its resources.
#pragma once

#include "board/Board.h"
#include "gui/Screen.h"
#include "media/Sprite.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CCheckBox;
class CSelectionList;
class CTextButton;

class CGameSelectScreen : public CScreen {
public:
    // The miniature: half-tile cells of 5 x 7 pixels, each level 1 pixel
    // right and up, origin at page position (320, 240).
    static constexpr int32_t kPreviewCellWidthPx = 5;
    static constexpr int32_t kPreviewCellHeightPx = 7;
    static constexpr int32_t kPreviewLevelShiftPx = 1;
    static constexpr int32_t kPreviewOriginX = 320;
    static constexpr int32_t kPreviewOriginY = 240;

    explicit CGameSelectScreen(CDXFramework* owningFramework);
    ~CGameSelectScreen() override;

    bool Activate() override;
    bool Deactivate() override;
    bool Update() override;
    bool HandleInput() override;
    void LoadResources(CDisplay* newDisplay, CSoundSystem* newSounds, CMouse* newMouse, CKeyboard* newKeyboard,
        CFontTable* newFonts) override;
    // Stores the checked game type and the selected layout.
    void ReleaseResources() override;

    // 1 Traditional, 2 Vesk Style, 3 Zandor.
    int32_t gameType = 1;

    // The widgets, null while the resources are released.
    std::array<CCheckBox*, 3> typeBoxes{};
    CSelectionList* layoutList = nullptr;
    CTextButton* playButton = nullptr;

    // The layout the miniature shows ("" for none), and how often a board
    // was built for it.
    const std::string& PreviewedLayout() const { return previewedLayout; }
    int32_t PreviewBuilds() const { return previewBuilds; }

private:
    // One quarter of the preview tile, drawn at its cell.
    struct SPreviewPiece {
        int32_t x, y; // relative to the preview origin
        int32_t quarter; // 0 top-left, 1 top-right, 2 bottom-left, 3 bottom-right
    };

    void KeepOneTypeChecked();
    void BuildPreview(const std::string& layout);
    void DrawPreview();
    // The game screen of the checked type, 0 with none checked.
    int32_t ChosenScreenId() const;

    SpritePtr background;
    SpritePtr previewTile;
    SpritePtr frame;
    std::unique_ptr<board::CBoard> previewBoard;
    std::string previewedLayout;
    // The pieces of the preview board in painting order, made when the
    // board is built, so that a frame draws without walking the grid.
    std::vector<SPreviewPiece> previewPieces;
    int32_t previewBuilds = 0;
    // What "Data\PlayGame.dat" named when the page opened: kept when there is
    // no layout to select.
    std::string storedLayout;
};
