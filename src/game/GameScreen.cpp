// The game screen's activation, resources, frame and tile click.
#include "game/GameScreen.h"

#include "board/BoardDrawing.h"
#include "board/BoardGeometry.h"
#include "board/Rules.h"
#include "board/TilePick.h"
#include "game/GameTexts.h"
#include "game/Records.h"
#include "gui/DXFramework.h"
#include "gui/MessageDialog.h"
#include "gui/TextButton.h"
#include "gui/WidgetTime.h"
#include "media/Display.h"
#include "media/FontTable.h"
#include "media/Mouse.h"
#include "media/Sound.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "screens/RecordNameDialog.h"
#include "screens/SaveNameDialog.h"
#include "screens/SettingsFiles.h"
#include "screens/SharedValues.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace {

struct SBarButton {
    const char* caption;
    int32_t left;
    const char* sound;
};
constexpr std::array<SBarButton, CGameScreen::kButtonCount> kBarButtons = {{
    {"Shuffle", 25, "Sounds\\Shuffle.wav"},
    {"Pause", 175, "Sounds\\Wood Button Push.wav"},
    {"Hint", 325, "Sounds\\Wood Button Push.wav"},
    {"Save", 475, "Sounds\\Wood Button Push.wav"},
    {"Leave", 625, "Sounds\\Wood Button Push.wav"},
}};
constexpr int32_t kBarButtonWidth = 150;
constexpr int32_t kBarButtonTop = 545;
constexpr int32_t kBarButtonBottom = 590;
constexpr int32_t kBarTopPx = 500;

constexpr const char* kBackdropFolder = "Graphics\\Backdrops";
constexpr const char* kLayoutFolder = "Layouts";

// The named entry when it exists, else the first one there is (the options
// may name a backdrop or tile set that has since been removed).
std::string ExistingOrFirst(const std::string& wanted, const std::vector<std::string>& present)
{
    if (std::find(present.begin(), present.end(), wanted) != present.end() || present.empty()) {
        return wanted;
    }
    return present.front();
}

// The help flag file's number; 100 (no intro) when it cannot be read.
int ReadHelpFlag(const char* path)
{
    const auto bytes = platform::ReadWholeFile(path);
    return bytes ? DecodeHelpFlag(*bytes) : CGameScreen::kHelpFlagShown;
}

} // namespace

CGameScreen::CGameScreen(CDXFramework* owningFramework, int32_t ownGameType)
    : CStateScreen(owningFramework)
    , gameType(ownGameType)
    , ownType(ownGameType)
{
}

CGameScreen::~CGameScreen() = default;

// ---- Activation

bool CGameScreen::Activate()
{
    SetNextId(kNoScreenId);
    pausedWhileAway = false;
    SetRect(0, 0, framework ? framework->width : 800, framework ? framework->height : 600);
    layer = 1;
    Show();
    LoadResources(display, sounds, mouse, keyboard, fonts);

    selection = -1;
    saveDialog.reset();
    recordDialog.reset();
    introBox.reset();
    gameType = ownType;
    clock = InitialClockMs();
    history.Clear();
    focusTile = -1;
    focusShown = false;
    keyPresses.Reset(keyboard);
    hintExpiry = gui::ExpiredDeadline(platform::GetTicks());
    if (!SetUpGame()) {
        RefuseGame();
        return true;
    }
    ShowIntroOnce();
    lastTick = platform::GetTicks();
    recordDone = false;
    return true;
}

bool CGameScreen::SetUpGame()
{
    board = std::make_unique<board::CBoard>();
    if (!pendingLoadPath.empty()) {
        return LoadPendingGame();
    }
    return StartGameFromChoice();
}

bool CGameScreen::LoadPendingGame()
{
    const std::string path = pendingLoadPath;
    pendingLoadPath.clear();
    const game::SSavedGameResult loaded = game::LoadSavedGame(path, *board, ownType);
    if (!loaded.Ok()) {
        return false;
    }
    RestoreSavedGame(loaded.game);
    return true;
}

// The screen plays its own type whatever the file says: the pages write the
// type of the screen they switch to, and a mismatch must not give one type's
// rules another type's record.
bool CGameScreen::StartGameFromChoice()
{
    std::string layout = ReadPlayGameFile().layout;
    if (layout.empty()) {
        const auto layouts = platform::ListFiles(kLayoutFolder);
        if (layouts.empty()) {
            return false;
        }
        layout = layouts.front();
    }
    if (!board->LoadLayout(std::string(kLayoutFolder) + "\\" + layout) || !board::DealNewGame(*board)) {
        return false;
    }
    StartNewGame();
    return true;
}

// A layout or saved game that cannot be played never starts a game: no board,
// and the framework goes back to the main menu at the end of the frame.
void CGameScreen::RefuseGame()
{
    board.reset();
    SetNextId(kMainMenuScreenId);
}

void CGameScreen::ShowIntroOnce()
{
    if (ReadHelpFlag(HelpFlagFile()) != 0) {
        return;
    }
    OpenMessage(IntroText());
    const std::string flag = std::to_string(kHelpFlagShown);
    platform::WriteFileAtomically(HelpFlagFile(), platform::Bytes(flag.begin(), flag.end()));
}

void CGameScreen::OpenMessage(const char* text)
{
    if (introBox) {
        CloseDialog(introBox);
    }
    introBox = std::make_unique<CMessageDialog>(framework, text);
    OpenDialog(*introBox);
    paused = true;
}

void CGameScreen::OpenDialog(CScreen& dialog)
{
    if (framework) {
        framework->AttachScreen(&dialog);
    } else {
        dialog.LoadResources(display, sounds, mouse, keyboard, fonts);
    }
    dialog.Activate();
}

template <typename Dialog> void CGameScreen::CloseDialog(std::unique_ptr<Dialog>& dialog)
{
    if (framework) {
        framework->DetachScreen(dialog.get());
    }
    dialog.reset();
}

bool CGameScreen::Deactivate()
{
    ReleaseResources();
    CloseDialog(saveDialog);
    CloseDialog(recordDialog);
    CloseDialog(introBox);
    board.reset();
    return true;
}

// ---- Resources

void CGameScreen::LoadResources(
    CDisplay* newDisplay, CSoundSystem* newSounds, CMouse* newMouse, CKeyboard* newKeyboard, CFontTable* newFonts)
{
    CStateScreen::LoadResources(newDisplay, newSounds, newMouse, newKeyboard, newFonts);
    if (!display) {
        return;
    }
    const SOptions options = ReadOptionsFile();
    const std::string backdropName = ExistingOrFirst(options.backdrop, platform::ListFiles(kBackdropFolder));
    const std::string tileSetName = ExistingOrFirst(options.tileSet, platform::ListFolders(board::kTileSetFolder));
    backdrop = display->CreateSprite(std::string(kBackdropFolder) + "\\" + backdropName, 800, 600);
    tileSet.Load(*display, tileSetName);
    bar = display->CreateSprite("Graphics\\Game\\Game Background Bar.bmp", 800, 100);
    cursor = display->CreateSprite("Graphics\\Gui\\Cursor.bmp", 32, 32);
    overlay = display->CreateSprite("Graphics\\Game\\Tile Overlay.bmp", 64, 64);
    hintMark = display->CreateSprite("Graphics\\Game\\Tile Hint.bmp", 64, 64);
    selectSound = std::make_unique<CSound>();
    selectSound->Load("Sounds\\Select.wav", sounds);
    deleteSound = std::make_unique<CSound>();
    deleteSound->Load("Sounds\\Delete.wav", sounds);
    for (size_t i = 0; i < kBarButtons.size(); ++i) {
        const SBarButton& entry = kBarButtons[i];
        auto click = std::make_unique<CSound>();
        click->Load(entry.sound, sounds);
        buttons[i]
            = AddTextButton(std::make_unique<CTextButton>(entry.left, kBarButtonTop, entry.left + kBarButtonWidth,
                kBarButtonBottom, display->CreateSprite("Graphics\\Gui\\Wood Button Small.bmp", 150, 45),
                std::move(click), entry.caption, true));
    }
    focusFrame.Load(*display);
    // A display switch ends a pause, but not while a dialog is open in front
    // (the clock must not run behind the save dialog or the introduction)
    // nor one the window's absence started.
    paused = saveDialog != nullptr || introBox != nullptr || pausedWhileAway;
    LoadTypeResources();
}

void CGameScreen::ReleaseResources()
{
    ReleaseTypeResources();
    ReleaseSprite(backdrop);
    ReleaseSprite(bar);
    ReleaseSprite(cursor);
    ReleaseSprite(overlay);
    ReleaseSprite(hintMark);
    tileSet.Release();
    focusFrame.Release();
    selectSound.reset();
    deleteSound.reset();
    buttons.fill(nullptr);
    DeleteWidgets();
    CStateScreen::ReleaseResources();
}

// ---- The frame

bool CGameScreen::Update()
{
    if (!shown || !display) {
        return true;
    }
    DrawBackground(); // 1
    if (!board) {
        return true; // a refused game, waiting for the switch to the menu
    }
    if (!paused) {
        pausedWhileAway = false;
    }
    if (!paused) { // 2
        board::DrawBoard(*display, *board, {&tileSet, overlay.get(), hintMark.get()}, board::kBoardOriginXPx,
            board::kBoardOriginYPx);
        DrawFocus();
    }
    if (buttons[kShuffle]->TakeClick()) { // 3
        DoShuffle();
    }
    if (buttons[kPause]->TakeClick()) { // 4
        paused = !paused;
        platform::WaitMs(kPauseWaitMs);
    }
    if (gui::IsTickAfter(platform::GetTicks(), hintExpiry, kHintShowMs)) { // 5
        board->ClearHints();
    }
    if (buttons[kHint]->TakeClick()) { // 6
        DoHint();
    }
    HandleSaveButton(); // 7
    if (buttons[kLeave]->TakeClick()) { // 8
        SetNextId(kMainMenuScreenId);
    }
    if (!recordDone) { // 9
        CheckRecord();
    }
    const bool ended = board::CheckGameEnd(*board, gameType, clock); // 10
    HandleKeys(ended);
    UpdateTypeRules(ended); // 11
    DrawHud(ended); // 12
    CloseIntroOnOk(); // 13
    return true;
}

void CGameScreen::DrawBackground()
{
    display->DrawSprite(backdrop.get(), 0, 0);
    display->DrawSprite(bar.get(), 0, kBarTopPx);
    ContainerDraw();
}

void CGameScreen::DoShuffle()
{
    history.ForgetRedo();
    board->ClearHints();
    board->ClearSelection();
    selection = -1;
    board::Shuffle(*board);
    board::ShuffleUntilPlayable(*board);
    AfterShuffle();
}

void CGameScreen::DoHint()
{
    if (!ChargeForHint()) {
        return;
    }
    if (board::FindHintPair(*board)) {
        hintExpiry = platform::GetTicks() + kHintShowMs;
    }
}

void CGameScreen::HandleSaveButton()
{
    if (buttons[kSave] && buttons[kSave]->TakeClick() && !saveDialog) {
        paused = true;
        saveDialog = std::make_unique<CSaveNameDialog>(framework);
        OpenDialog(*saveDialog);
    }
    if (!saveDialog || saveDialog->result == CNameDialog::kResultOpen) {
        return;
    }
    const bool confirmed = saveDialog->result == CNameDialog::kResultConfirmed;
    std::string name = saveDialog->name;
    paused = false;
    CloseDialog(saveDialog);
    if (!confirmed) {
        return;
    }
    // The dialog accepts an empty box; saving nowhere would silently lose
    // the game, so the name the dialog offers by default is used.
    if (name.find_first_not_of(' ') == std::string::npos) {
        name = CSaveNameDialog::kDefaultName;
    }
    if (!SaveGame(name)) {
        OpenMessage(kSaveFailedText);
    }
}

bool CGameScreen::SaveGame(std::string_view name)
{
    if (!board) {
        return false;
    }
    game::SSavedGame saved = game::CaptureBoard(*board, gameType, clock);
    SaveTypeState(saved);
    return game::WriteSavedGame(name, saved);
}

void CGameScreen::CheckRecord()
{
    if (recordDialog) {
        const int32_t result = recordDialog->result;
        if (result == CNameDialog::kResultOpen) {
            return;
        }
        const std::string name = recordDialog->name;
        CloseDialog(recordDialog);
        recordDone = true;
        if (result != CNameDialog::kResultConfirmed) {
            return;
        }
        // The name as entered, the empty one included.
        board->SetRecordHolder(gameType, name);
        board->SetRecordValue(gameType, RecordResult());
        board->SaveRecords();
        board->ResetBoard();
        return;
    }
    // The name box reads held keys: it waits until the Space or Enter that
    // took the last pair is let go.
    const bool clickKeyHeld
        = keyPresses.IsDown(DIK_SPACE) || keyPresses.IsDown(DIK_RETURN) || keyPresses.IsDown(DIK_NUMPADENTER);
    if (!clickKeyHeld && board::CheckGameEnd(*board, gameType, clock)
        && game::IsBetterResult(gameType, RecordResult(), board->GetRecordValue(gameType))) {
        platform::WaitMs(kRecordWaitMs);
        recordDialog = std::make_unique<CRecordNameDialog>(framework);
        OpenDialog(*recordDialog);
    }
}

void CGameScreen::CloseIntroOnOk()
{
    if (introBox && introBox->okButton && introBox->okButton->TakeClick()) {
        CloseDialog(introBox);
        paused = false;
    }
}

void CGameScreen::DrawHud(bool ended)
{
    hudTexts.fill(std::string());
    if (paused) {
        lastTick = platform::GetTicks();
        hudTexts[0] = game::kPausedText;
        DrawHudText(hudTexts[0], 15, 515, 800, 600, media::kAlignCentre);
        return;
    }
    if (!ended) {
        AdvanceClock(TakeElapsedMs());
    }
    DrawStatusLine();
}

void CGameScreen::DrawStatusLine()
{
    hudTexts[0] = ClockText();
    hudTexts[1] = game::PairsLeftText(board::CountAvailablePairs(*board));
    hudTexts[2] = RecordText();
    DrawHudText(hudTexts[0], 15, 510, 500, 600, media::kAlignLeft);
    DrawHudText(hudTexts[1], 250, 510, 600, 600, media::kAlignLeft);
    DrawHudText(hudTexts[2], 475, 510, 800, 600, media::kAlignLeft);
}

void CGameScreen::DrawHudText(const std::string& text, int32_t textLeft, int32_t textTop, int32_t textRight,
    int32_t textBottom, int32_t alignment)
{
    if (fonts) {
        fonts->DrawText(*display, text, kFontTimesRoman16, textLeft, textTop, textRight, textBottom, alignment, 0);
    }
}

uint32_t CGameScreen::TakeElapsedMs()
{
    const uint32_t now = platform::GetTicks();
    const uint32_t elapsed = now - lastTick;
    lastTick = now;
    return elapsed;
}

int32_t CGameScreen::ClampToClock(int64_t ms)
{
    return static_cast<int32_t>(
        std::clamp<int64_t>(ms, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

// ---- Input

bool CGameScreen::HandleInput()
{
    if (introBox || saveDialog || recordDialog) {
        return true;
    }
    ContainerInput();
    if (!board || !mouse) {
        return true;
    }
    if (mouse->IsButtonDown(0)) {
        focusShown = false;
    }
    if (!paused && CanClickTiles()) {
        TileClick();
    }
    // A click anywhere ends a pause, the Pause button's own click included.
    if (paused && mouse->IsButtonDown(0)) {
        EndPauseByClick();
    }
    return true;
}

void CGameScreen::EndPauseByClick()
{
    paused = false;
    if (buttons[kPause]) {
        buttons[kPause]->pressed = false;
    }
}

// The button state is a level: this runs in every frame the button is held,
// so dragging from a selected tile onto its partner removes the pair.
void CGameScreen::TileClick()
{
    if (!mouse->IsButtonDown(0)) {
        return;
    }
    const int tile = board::PickTile(*board, mouse->x, mouse->y);
    if (tile < 0 || !board::IsTileFree(*board, tile)) {
        return;
    }
    ClickTile(tile);
}

void CGameScreen::ClickTile(int tile)
{
    const int selected = SelectedTile();
    if (selected == tile) {
        return;
    }
    if (selected >= 0 && board::TilesMatch(*board, selected, tile)) {
        RemoveTilePair(selected, tile);
        return;
    }
    SelectTile(tile);
}

int CGameScreen::SelectedTile() const
{
    if (selection < 0 || selection >= board::kTileCount || !board->Tile(selection).present) {
        return -1;
    }
    return selection;
}

void CGameScreen::SelectTile(int tile)
{
    board->ClearSelection();
    board->Tile(tile).selected = 1;
    selection = tile;
    if (selectSound) {
        selectSound->Play();
    }
}

void CGameScreen::RemoveTilePair(int first, int second)
{
    history.Record(*board, first, second);
    board::RemovePair(*board, first, second);
    selection = -1;
    AfterPairRemoved();
    if (deleteSound) {
        deleteSound->Play();
    }
}

// ---- Keyboard

void CGameScreen::OnWindowAway()
{
    if (!board || paused || IsDialogOpen() || !HasTilesLeft()) {
        return;
    }
    paused = true;
    pausedWhileAway = true;
}

bool CGameScreen::HasTilesLeft() const
{
    for (int t = 0; t < board::kTileCount; ++t) {
        if (board->Tile(t).present) {
            return true;
        }
    }
    return false;
}

// The keys work wherever the pointer is, but not behind a dialog: there
// Enter and Escape belong to the dialog, as the mouse does.
void CGameScreen::HandleKeys(bool ended)
{
    keyPresses.Update(keyboard);
    if (IsDialogOpen()) {
        return;
    }
    const gui::CKeyPresses& keys = keyPresses;
    // Leave, Save, Undo and Redo need Control: a stray key never throws
    // away or rewinds a game.
    if (keys.IsControlDown()) {
        if (keys.WasPressed(DIK_S)) {
            PressBarButton(kSave);
        }
        if (keys.WasPressed(DIK_L)) {
            PressBarButton(kLeave);
        }
        if (keys.WasPressed(DIK_Z)) {
            keys.IsShiftDown() ? RedoPair(ended) : UndoPair(ended);
        }
        if (keys.WasPressed(DIK_Y)) {
            RedoPair(ended);
        }
        return;
    }
    if (keys.WasPressed(DIK_S)) {
        PressBarButton(kShuffle);
    }
    if (keys.WasPressed(DIK_P) || keys.WasPressed(DIK_PAUSE)) {
        PressBarButton(kPause);
    }
    if (keys.WasPressed(DIK_H)) {
        PressBarButton(kHint);
    }
    if (keys.WasPressed(DIK_BACK)) {
        UndoPair(ended);
    }
    HandleBoardKeys();
}

// A key for a bar button is a click on it: pushed at once with its sound,
// reported 250 ms later, and like any click it ends a pause.
void CGameScreen::PressBarButton(EButton button)
{
    if (!buttons[button]) {
        return;
    }
    buttons[button]->Press(sounds);
    if (paused) {
        EndPauseByClick();
    }
}

// The arrows move the focus, Space and Enter click the focused tile. While
// the focus is not shown, the first key only shows it.
void CGameScreen::HandleBoardKeys()
{
    static constexpr std::array<std::pair<uint8_t, board::EFocusDirection>, 4> kArrows = {{
        {DIK_LEFT, board::EFocusDirection::Left},
        {DIK_RIGHT, board::EFocusDirection::Right},
        {DIK_UP, board::EFocusDirection::Up},
        {DIK_DOWN, board::EFocusDirection::Down},
    }};
    const bool click = keyPresses.WasPressed(DIK_SPACE) || keyPresses.WasEnterPressed();
    if (paused) {
        if (click) {
            EndPauseByClick();
        }
        return;
    }
    KeepFocusOnFreeTile();
    for (const auto& [key, direction] : kArrows) {
        if (!keyPresses.WasPressedOrRepeated(key)) {
            continue;
        }
        if (!focusShown || focusTile < 0) {
            focusShown = true;
            focusTile = focusTile < 0 ? board::FirstFocusTile(*board) : focusTile;
            continue;
        }
        const int next = board::NextFocusTile(*board, focusTile, direction);
        focusTile = next >= 0 ? next : focusTile;
    }
    if (!click) {
        return;
    }
    if (!focusShown || focusTile < 0) {
        focusShown = true;
        focusTile = focusTile < 0 ? board::FirstFocusTile(*board) : focusTile;
        return;
    }
    if (CanClickTiles()) {
        ClickTile(focusTile);
        KeepFocusOnFreeTile();
    }
}

void CGameScreen::KeepFocusOnFreeTile()
{
    if (focusTile >= 0) {
        focusTile = board::NearestFreeTile(*board, focusTile);
    }
}

void CGameScreen::DrawFocus()
{
    KeepFocusOnFreeTile();
    if (!focusShown || focusTile < 0) {
        return;
    }
    const board::CBoardCell& cell = *board->Tile(focusTile).cells[0];
    const board::SPixelPoint corner = board::CellPixel({cell.column, cell.row, cell.level});
    focusFrame.Draw(
        *display, corner.x, corner.y, corner.x + board::kTilePictureWidthPx, corner.y + board::kTilePictureHeightPx);
}

// Each undo is charged as the game type charges a hint (a Vesk Style game
// with 15 seconds or less left cannot pay, and nothing happens).
void CGameScreen::UndoPair(bool ended)
{
    if (paused || ended || IsDialogOpen() || !history.CanUndo() || !ChargeForHint()) {
        return;
    }
    const auto pair = history.Undo(*board);
    if (!pair) {
        return;
    }
    board->ClearSelection();
    board->ClearHints();
    selection = -1;
    AfterPairReturned(*pair);
    if (selectSound) {
        selectSound->Play();
    }
}

// A redo takes the pair off again as two clicks on it would, by the game
// type's own rules: Vesk Style's bonus, Zandor's target (a pair that is not
// the target stays).
void CGameScreen::RedoPair(bool ended)
{
    if (paused || ended || IsDialogOpen() || !CanClickTiles()) {
        return;
    }
    const auto pair = history.NextRedo(*board);
    if (!pair || !board::IsTileFree(*board, pair->first) || !board::IsTileFree(*board, pair->second)) {
        return;
    }
    board->ClearHints();
    board->ClearSelection();
    selection = -1;
    ClickTile(pair->first);
    ClickTile(pair->second);
    if (board->Tile(pair->first).present) {
        board->ClearSelection();
        selection = -1;
    }
}
