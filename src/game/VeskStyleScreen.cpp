// Vesk Style: the count-down clock, its bonus per pair and its time-out.
#include "game/VeskStyleScreen.h"

#include "board/Random.h"
#include "game/GameTexts.h"
#include "game/Records.h"
#include "media/TextLayout.h"
#include "platform/Clock.h"

CVeskStyleScreen::CVeskStyleScreen(CDXFramework* owningFramework)
    : CGameScreen(owningFramework, board::kGameTypeVeskStyle)
{
}

const char* CVeskStyleScreen::IntroText() const { return game::kVeskStyleIntroText; }

bool CVeskStyleScreen::IsOutOfTime() const { return clock <= game::kOutOfTimeMs; }

// With 15 seconds or less left the click is used up and nothing happens.
bool CVeskStyleScreen::ChargeForHint()
{
    if (clock <= kHintCostMs) {
        return false;
    }
    clock -= kHintCostMs;
    return true;
}

// Paused, then out of time (the clock stops there), then the usual line. The
// frame whose advance runs the time out already shows the time-out text.
void CVeskStyleScreen::DrawHud(bool ended)
{
    if (paused) {
        CGameScreen::DrawHud(ended);
        return;
    }
    if (!ended && !IsOutOfTime()) {
        AdvanceClock(TakeElapsedMs());
    }
    hudTexts.fill(std::string());
    if (IsOutOfTime()) {
        hudTexts[0] = game::kOutOfTimeText;
        DrawHudText(hudTexts[0], 15, 515, 800, 600, media::kAlignCentre);
        return;
    }
    DrawStatusLine();
}

// A frame longer than the time left (a display switch) drives the clock
// below zero; it saturates instead of wrapping to a large value.
void CVeskStyleScreen::AdvanceClock(uint32_t elapsedMs) { clock = ClampToClock(int64_t{clock} - elapsedMs); }

std::string CVeskStyleScreen::ClockText() const { return game::VeskStyleClockText(clock); }

std::string CVeskStyleScreen::RecordText() const
{
    return game::BestTimeText(board->GetRecordHolder(gameType), board->GetRecordValue(gameType));
}

// 5,000 to 14,999 ms from the program-wide generator.
void CVeskStyleScreen::AfterPairRemoved()
{
    clock = ClampToClock(int64_t{clock} + kBonusBaseMs + board::NextRandom() % kBonusSpreadMs);
}

// A display switch drops the selection; the overlay goes with it, so that no
// tile looks selected that the next click would not treat as selected.
void CVeskStyleScreen::LoadTypeResources()
{
    selection = -1;
    if (board) {
        board->ClearSelection();
    }
}
