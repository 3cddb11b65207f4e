// The timed game (screen id 3, game type 2): the clock counts down from 30
// seconds, every removed pair adds 5 to 15 seconds, a hint costs 15 seconds
// and is refused with that much or less left; at 500 ms or less the game is
// out of time and the board no longer reacts. The record is the most time
// left on a cleared board.
#pragma once

#include "game/GameScreen.h"

class CVeskStyleScreen : public CGameScreen {
public:
    static constexpr int32_t kStartMs = 30000;
    static constexpr int32_t kHintCostMs = 15000;
    static constexpr int32_t kBonusBaseMs = 5000;
    static constexpr int32_t kBonusSpreadMs = 10000;

    explicit CVeskStyleScreen(CDXFramework* owningFramework);

    bool IsOutOfTime() const;

protected:
    int32_t InitialClockMs() const override { return kStartMs; }
    const char* HelpFlagFile() const override { return "Data\\Help2.dat"; }
    const char* IntroText() const override;
    bool ChargeForHint() override;
    void DrawHud(bool ended) override;
    void AdvanceClock(uint32_t elapsedMs) override;
    std::string ClockText() const override;
    std::string RecordText() const override;
    bool CanClickTiles() const override { return !IsOutOfTime(); }
    void AfterPairRemoved() override;
    void LoadTypeResources() override;
};
