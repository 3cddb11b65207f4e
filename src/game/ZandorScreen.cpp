// Zandor: the target, its countdown, the self-hint and the time-out.
#include "game/ZandorScreen.h"

#include "board/Rules.h"
#include "game/GameTexts.h"
#include "media/Display.h"
#include "media/Sound.h"
#include "media/TextLayout.h"
#include "platform/Clock.h"

#include <algorithm>
#include <limits>

CZandorScreen::CZandorScreen(CDXFramework* owningFramework)
    : CGameScreen(owningFramework, board::kGameTypeZandor)
{
}

const char* CZandorScreen::IntroText() const { return game::kZandorIntroText; }

void CZandorScreen::StartNewGame()
{
    PickTarget();
    missedPairs = 0;
    clock = kFirstTargetMs;
}

void CZandorScreen::RestoreSavedGame(const game::SSavedGame& saved)
{
    clock = saved.clockMs;
    targetGroup = saved.targetGroup;
    targetFace = saved.targetFace;
    missedPairs = saved.missedPairs;
}

void CZandorScreen::PickTarget()
{
    if (board::CheckGameEnd(*board, gameType, clock)) {
        return;
    }
    if (board::CountAvailablePairs(*board) == 0) {
        if (shuffleSound) {
            shuffleSound->Play();
        }
        board->ClearHints();
        board->ClearSelection();
        selection = -1;
        if (board::ShuffleUntilPlayable(*board) > 0) {
            clock = kTargetMs;
        }
    }
    // Taken from the first pair of the hint's own scan, so that a hint on
    // the same board marks a pair of the target kind.
    if (const auto pair = board::FindFirstPair(*board)) {
        targetGroup = board->Tile(pair->first).matchGroup;
        targetFace = board->Tile(pair->first).face;
        clock = kTargetMs;
    }
}

// An undo has cost a missed pair, as a time-out or a hint does, and like a
// time-out it gives a target with a fresh countdown: the kind of the pair put
// back, so that the player can take another pair of that kind instead. Its
// pair is known to be free, so it offers nothing a hint would not.
void CZandorScreen::AfterPairReturned(board::STilePair pair)
{
    const int returned = std::min(pair.first, pair.second);
    targetGroup = board->Tile(returned).matchGroup;
    targetFace = board->Tile(returned).face;
    clock = kTargetMs;
}

// Counted whether or not a pair is then marked.
bool CZandorScreen::ChargeForHint()
{
    CountMissedPair();
    return true;
}

// A saved game may start at any count; it stops at the largest one.
void CZandorScreen::CountMissedPair()
{
    if (missedPairs < std::numeric_limits<int32_t>::max()) {
        ++missedPairs;
    }
}

void CZandorScreen::UpdateTypeRules(bool ended)
{
    display->DrawSprite(targetPanel.get(), kPanelX, kPanelY);
    if (ended) {
        return;
    }
    display->DrawSprite(tileSet.Face(targetFace), kTargetFaceX, kTargetFaceY);
    // Renewed every frame of the last 1.5 seconds.
    if (clock < kSelfHintBelowMs) {
        board::FindHintPair(*board);
        hintExpiry = platform::GetTicks() + kHintShowMs;
    }
    if (clock < kTimeOutBelowMs) {
        TimeOut();
    }
}

void CZandorScreen::TimeOut()
{
    board->ClearSelection();
    selection = -1;
    board->ClearHints();
    if (shuffleSound) {
        shuffleSound->Play();
    }
    board::Shuffle(*board);
    PickTarget();
    CountMissedPair();
}

void CZandorScreen::DrawHud(bool ended)
{
    CGameScreen::DrawHud(ended);
    if (!paused) {
        hudTexts[3] = game::CountdownText(clock);
        DrawHudText(hudTexts[3], 725, 63, 800, 600, media::kAlignCentre);
    }
}

void CZandorScreen::AdvanceClock(uint32_t elapsedMs) { clock = ClampToClock(int64_t{clock} - elapsedMs); }

std::string CZandorScreen::ClockText() const { return game::MissedPairsText(missedPairs); }

std::string CZandorScreen::RecordText() const
{
    return game::LeastMissedText(board->GetRecordHolder(gameType), board->GetRecordValue(gameType));
}

// A selected tile is always of the target kind, so only target pairs go.
void CZandorScreen::ClickTile(int tile)
{
    const int selected = SelectedTile();
    const bool isTarget = board->Tile(tile).matchGroup == targetGroup;
    if (selected < 0) {
        if (isTarget) {
            SelectTile(tile);
        }
        return;
    }
    if (selected == tile) {
        return;
    }
    if (board::TilesMatch(*board, selected, tile)) {
        RemoveTilePair(selected, tile);
        return;
    }
    if (isTarget) {
        SelectTile(tile);
    }
}

void CZandorScreen::LoadTypeResources()
{
    targetPanel = display->CreateSprite("Graphics\\Game\\Zandor Tile Background.bmp", 75, 100);
    shuffleSound = std::make_unique<CSound>();
    shuffleSound->Load("Sounds\\Shuffle.wav", sounds);
}

void CZandorScreen::ReleaseTypeResources()
{
    ReleaseSprite(targetPanel);
    shuffleSound.reset();
}

void CZandorScreen::SaveTypeState(game::SSavedGame& saved) const
{
    saved.targetGroup = targetGroup;
    saved.targetFace = targetFace;
    saved.missedPairs = missedPairs;
}
