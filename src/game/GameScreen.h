// What the three game types share: the screen a game is played on. It owns
// the board from activation to deactivation, the game's pictures and sounds,
// the button bar (Shuffle, Pause, Hint, Save, Leave), the status line and the
// dialogs it opens over itself. Each frame runs the thirteen steps of Update;
// the game types fill in their clock, their hint charge, their selection rules
// and their extra drawing through the hooks below.
#pragma once

#include "board/Board.h"
#include "board/PairHistory.h"
#include "board/TileFocus.h"
#include "board/TileSet.h"
#include "game/SavedGame.h"
#include "gui/FocusFrame.h"
#include "gui/KeyPresses.h"
#include "gui/StateScreen.h"
#include "media/Sprite.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class CMessageDialog;
class CNameDialog;
class CRecordNameDialog;
class CSaveNameDialog;
class CSound;
class CTextButton;

class CGameScreen : public CStateScreen {
public:
    enum EButton { kShuffle, kPause, kHint, kSave, kLeave, kButtonCount };

    static constexpr uint32_t kHintShowMs = 5000;
    // The pause toggle and the record dialog stop the whole program this long.
    static constexpr uint32_t kPauseWaitMs = 500;
    static constexpr uint32_t kRecordWaitMs = 500;
    static constexpr int kHelpFlagShown = 100;
    static constexpr const char* kSaveFailedText = "Your game could not be saved.";

    CGameScreen(CDXFramework* owningFramework, int32_t ownGameType);
    ~CGameScreen() override;

    bool Update() override;
    bool HandleInput() override;
    bool Activate() override;
    bool Deactivate() override;
    void LoadResources(CDisplay* newDisplay, CSoundSystem* newSounds, CMouse* newMouse, CKeyboard* newKeyboard,
        CFontTable* newFonts) override;
    void ReleaseResources() override;
    // A running game pauses as its Pause button pauses it, and stays paused
    // until the player ends the pause (a display switch does not end it).
    void OnWindowAway() override;

    // Opens the save dialog on a click of Save and acts on its result.
    virtual void HandleSaveButton();
    // Writes the game in progress to "Saves\<name>"; false when nothing
    // could be written. Play goes on unchanged either way.
    virtual bool SaveGame(std::string_view name);

    // What tests, benchmarks and the status line read.
    board::CBoard* Board() const { return board.get(); }
    int32_t Selection() const { return selection; }
    int32_t Clock() const { return clock; }
    int32_t GameType() const { return gameType; }
    bool IsPaused() const { return paused; }
    bool IsRecordDone() const { return recordDone; }
    CTextButton* Button(EButton button) const { return buttons[button]; }
    CSaveNameDialog* SaveDialog() const { return saveDialog.get(); }
    CRecordNameDialog* RecordDialog() const { return recordDialog.get(); }
    CMessageDialog* IntroBox() const { return introBox.get(); }
    // The tile the keyboard focus is on (-1 for none), and whether it is
    // drawn: only after a key was used, until the next mouse press.
    int32_t FocusTile() const { return focusTile; }
    bool IsFocusShown() const { return focusShown; }
    const board::CPairHistory& History() const { return history; }
    // The texts of the status line as last drawn, left to right (empty
    // entries were not drawn).
    const std::array<std::string, 4>& HudTexts() const { return hudTexts; }

protected:
    // The game type's clock at the start of a new game, before any load.
    virtual int32_t InitialClockMs() const = 0;
    virtual const char* HelpFlagFile() const = 0;
    virtual const char* IntroText() const = 0;
    // After the deal of a new game / after a saved game was placed.
    virtual void StartNewGame() { }
    virtual void RestoreSavedGame(const game::SSavedGame& saved) { clock = saved.clockMs; }
    // The type's own fields of a save, added to the board and the clock.
    virtual void SaveTypeState(game::SSavedGame& saved) const { (void)saved; }
    // After the Shuffle button's shuffle.
    virtual void AfterShuffle() { }
    // The hint's charge; false when the click is used up without a hint.
    virtual bool ChargeForHint() = 0;
    // Step 11: the type's extra drawing and clock rules.
    virtual void UpdateTypeRules(bool ended) { (void)ended; }
    // Step 12.
    virtual void DrawHud(bool ended);
    // The clock while playing: elapsed ms since the last frame.
    virtual void AdvanceClock(uint32_t elapsedMs) = 0;
    virtual std::string ClockText() const = 0;
    virtual std::string RecordText() const = 0;
    // Whether a press on the board is handled at all (Vesk Style: not once
    // out of time).
    virtual bool CanClickTiles() const { return true; }
    // The type's selection rules for a free tile under the pointer. Unless a
    // type narrows them, any free tile can be selected and a matching second
    // one takes the pair off.
    virtual void ClickTile(int tile);
    // After a pair was taken off and before the delete sound.
    virtual void AfterPairRemoved() { }
    // After an undo put this pair back (and charged for it as for a hint).
    virtual void AfterPairReturned(board::STilePair pair) { (void)pair; }
    // What the record compares: the final clock, or Zandor's missed pairs.
    virtual int32_t RecordResult() const { return clock; }
    virtual void LoadTypeResources() { }
    virtual void ReleaseTypeResources() { }

    // Shared pieces of the selection rules.
    void SelectTile(int tile);
    void RemoveTilePair(int first, int second);
    // The selected tile, or -1 when none is (or it has left the board).
    int SelectedTile() const;

    void DrawHudText(
        const std::string& text, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t alignment);
    void DrawStatusLine();
    // The clock's advance since the last frame, with the last tick moved on.
    uint32_t TakeElapsedMs();
    static int32_t ClampToClock(int64_t ms);

    std::unique_ptr<board::CBoard> board;
    SpritePtr backdrop;
    SpritePtr bar;
    board::CTileSet tileSet;
    SpritePtr overlay;
    SpritePtr hintMark;
    std::unique_ptr<CSound> selectSound;
    std::unique_ptr<CSound> deleteSound;
    std::array<CTextButton*, kButtonCount> buttons{};
    int32_t selection = -1;
    int32_t gameType;
    bool paused = false;
    bool recordDone = false;
    uint32_t hintExpiry = 0;
    int32_t clock = 0;
    uint32_t lastTick = 0;
    std::unique_ptr<CSaveNameDialog> saveDialog;
    std::unique_ptr<CRecordNameDialog> recordDialog;
    // The introduction box, or the message that a save failed.
    std::unique_ptr<CMessageDialog> introBox;
    std::array<std::string, 4> hudTexts;
    board::CPairHistory history;

private:
    const int32_t ownType;
    gui::CKeyPresses keyPresses;
    gui::CFocusFrame focusFrame;
    int32_t focusTile = -1;
    bool focusShown = false;
    bool pausedWhileAway = false;

    // Activate's steps.
    bool SetUpGame();
    bool LoadPendingGame();
    bool StartGameFromChoice();
    void ShowIntroOnce();
    void RefuseGame();

    // Update's steps.
    void DrawBackground();
    void DoShuffle();
    void DoHint();
    void CheckRecord();
    void CloseIntroOnOk();

    void TileClick();
    void EndPauseByClick();

    // The keyboard, after the end-of-game test of each frame.
    void HandleKeys(bool ended);
    void HandleBoardKeys();
    void PressBarButton(EButton button);
    void UndoPair(bool ended);
    void RedoPair(bool ended);
    bool IsDialogOpen() const { return introBox || saveDialog || recordDialog; }
    bool HasTilesLeft() const;
    void KeepFocusOnFreeTile();
    void DrawFocus();
    void OpenMessage(const char* text);
    void OpenDialog(CScreen& dialog);
    template <typename Dialog> void CloseDialog(std::unique_ptr<Dialog>& dialog);
};
