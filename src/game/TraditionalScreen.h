// The classic game (screen id 2, game type 1): clear the board against a
// running clock; every hint costs 15 seconds; the record is the fastest time.
#pragma once

#include "game/GameScreen.h"

class CTraditionalScreen : public CGameScreen {
public:
    static constexpr int32_t kHintPenaltyMs = 15000;

    explicit CTraditionalScreen(CDXFramework* owningFramework);

protected:
    int32_t InitialClockMs() const override { return 0; }
    const char* HelpFlagFile() const override { return "Data\\Help1.dat"; }
    const char* IntroText() const override;
    bool ChargeForHint() override;
    void AdvanceClock(uint32_t elapsedMs) override;
    std::string ClockText() const override;
    std::string RecordText() const override;
};
