// Traditional: the elapsed-time clock, and its hint penalty.
#include "game/TraditionalScreen.h"

#include "game/GameTexts.h"

CTraditionalScreen::CTraditionalScreen(CDXFramework* owningFramework)
    : CGameScreen(owningFramework, board::kGameTypeTraditional)
{
}

const char* CTraditionalScreen::IntroText() const { return game::kTraditionalIntroText; }

// Charged whether or not a pair is then found.
bool CTraditionalScreen::ChargeForHint()
{
    clock = ClampToClock(int64_t{clock} + kHintPenaltyMs);
    return true;
}

void CTraditionalScreen::AdvanceClock(uint32_t elapsedMs) { clock = ClampToClock(int64_t{clock} + elapsedMs); }

std::string CTraditionalScreen::ClockText() const { return game::TraditionalClockText(clock); }

std::string CTraditionalScreen::RecordText() const
{
    return game::FastestTimeText(board->GetRecordHolder(gameType), board->GetRecordValue(gameType));
}
