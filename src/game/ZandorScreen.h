// The target game (screen id 4, game type 3): only pairs of the tile kind
// shown in the upper right corner may be removed. Each target has ten
// seconds (the first thirty); during the last 1.5 seconds the pair to take is
// marked by itself, and when the time runs out the board is shuffled, a new
// target is chosen and a missed pair is counted. A hint counts a missed pair
// too. The record is the fewest missed pairs.
#pragma once

#include "game/GameScreen.h"

class CZandorScreen : public CGameScreen {
public:
    static constexpr int32_t kFirstTargetMs = 30000;
    static constexpr int32_t kTargetMs = 10000;
    static constexpr int32_t kSelfHintBelowMs = 1500;
    static constexpr int32_t kTimeOutBelowMs = 500;
    static constexpr int32_t kPanelX = 725;
    static constexpr int32_t kPanelY = 0;
    static constexpr int32_t kTargetFaceX = 740;
    static constexpr int32_t kTargetFaceY = 12;

    explicit CZandorScreen(CDXFramework* owningFramework);

    // Chooses the target from the first available pair, shuffling first when
    // none is available; nothing once the game has ended.
    void PickTarget();

    int32_t TargetGroup() const { return targetGroup; }
    int32_t TargetFace() const { return targetFace; }
    int32_t MissedPairs() const { return missedPairs; }

protected:
    int32_t InitialClockMs() const override { return 0; }
    const char* HelpFlagFile() const override { return "Data\\Help3.dat"; }
    const char* IntroText() const override;
    void StartNewGame() override;
    void RestoreSavedGame(const game::SSavedGame& saved) override;
    void SaveTypeState(game::SSavedGame& saved) const override;
    void AfterShuffle() override { PickTarget(); }
    bool ChargeForHint() override;
    void UpdateTypeRules(bool ended) override;
    void DrawHud(bool ended) override;
    void AdvanceClock(uint32_t elapsedMs) override;
    std::string ClockText() const override;
    std::string RecordText() const override;
    void ClickTile(int tile) override;
    void AfterPairRemoved() override { PickTarget(); }
    void AfterPairReturned(board::STilePair pair) override;
    int32_t RecordResult() const override { return missedPairs; }
    void LoadTypeResources() override;
    void ReleaseTypeResources() override;

private:
    void TimeOut();
    void CountMissedPair();

    SpritePtr targetPanel;
    std::unique_ptr<CSound> shuffleSound;
    int32_t targetGroup = 0;
    int32_t targetFace = 0;
    int32_t missedPairs = 0;
};
