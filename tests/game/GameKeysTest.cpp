// The game played by keys, frame by frame: the bar's keys against clicks,
// the focus moved among free tiles and clicked, undo and redo with each
// type's charge and limits, and the pause when the window goes away.
#include "GameRig.h"

#include "platform/Clock.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

using game_test::CGameRig;

namespace {

using GameKeysTest = game_test::CGameTest<>;

// Frame by frame after a press on a bar button, what the player sees and
// pays: the pushed look, its report time, the clock, pause, dialog, screen.
using SFrameTrace = std::vector<std::tuple<bool, uint32_t, int32_t, bool, bool, int32_t>>;
SFrameTrace Trace(CGameRig& rig, CGameScreen::EButton button, const std::function<void()>& press)
{
    CGameScreen* game = rig.Start(kTraditionalScreenId);
    rig.Frames(1);
    const uint32_t start = platform::GetTicks();
    press();
    SFrameTrace trace;
    for (int i = 0; i < 30 && rig.Current() == game; ++i, rig.Frames(1)) {
        const CTextButton* b = game->Button(button);
        trace.emplace_back(b->pressed, b->reportTime - start, game->Clock(), game->IsPaused(),
            game->SaveDialog() != nullptr, rig.framework.CurrentId());
    }
    return trace;
}

TEST_F(GameKeysTest, EachBarKeyIsAClickOnItsButton)
{
    const std::tuple<uint8_t, int, CGameScreen::EButton> keys[]
        = {{DIK_S, CGameRig::kNoModifier, CGameScreen::kShuffle}, {DIK_P, CGameRig::kNoModifier, CGameScreen::kPause},
            {DIK_PAUSE, CGameRig::kNoModifier, CGameScreen::kPause}, {DIK_H, CGameRig::kNoModifier, CGameScreen::kHint},
            {DIK_S, CGameRig::kControl, CGameScreen::kSave}, {DIK_L, CGameRig::kControl, CGameScreen::kLeave}};
    rig.frameMs = 50;
    for (const auto& [key, modifiers, button] : keys) {
        const SFrameTrace clicked = Trace(rig, button, [&] { rig.Click(25 + 150 * button + 75, 567); });
        const SFrameTrace keyed = Trace(rig, button, [&] { rig.Key(key, modifiers); });
        EXPECT_EQ(keyed, clicked) << "key " << int{key};
        EXPECT_TRUE(!keyed.empty() && std::get<0>(keyed.front())) << "pushed at once";
    }
}

// The focus on the screen: the first key only shows it, Space and Enter
// click it, a shuffle keeps it, a mouse press hides it and the next key shows
// it where it was; paused, the arrows do nothing and Space ends the pause as a
// click. (Where an arrow leads is the board's rule.)
TEST_F(GameKeysTest, ArrowsMoveTheFocusAmongFreeTilesAndSpaceClicksIt)
{
    CGameScreen* game = rig.Start(kTraditionalScreenId);
    // 0 1 . 2 in row 0 (0 and 1 alike), 3 lower down.
    rig.Lay({{{0, 0, 0}, 1, 1}, {{2, 0, 0}, 1, 1}, {{8, 0, 0}, 2, 2}, {{4, 6, 0}, 3, 3}});
    // A key (0: a mouse press), then the focus shown, the focused tile, the selection, the pause.
    const std::tuple<uint8_t, bool, int, int, bool> steps[]
        = {{DIK_RIGHT, true, 0, -1, false}, {DIK_SPACE, true, 0, 0, false}, {DIK_RIGHT, true, 1, 0, false},
            {DIK_RETURN, true, 2, -1, false}, // the pair goes; the nearest free tile takes the focus
            {DIK_DOWN, true, 3, -1, false}, {DIK_S, true, 3, -1, false}, {0, false, 3, -1, false},
            {DIK_LEFT, true, 3, -1, false}, {DIK_P, true, 3, -1, true}, {DIK_LEFT, true, 3, -1, true},
            {DIK_SPACE, true, 3, -1, false}};
    for (const auto& [key, shown, focus, selection, paused] : steps) {
        SCOPED_TRACE(int{key});
        key == 0 ? rig.Click(5, 5) : rig.Key(key);
        rig.Frames(15); // a bar button's click is reported
        EXPECT_EQ(std::tuple(game->IsFocusShown(), game->FocusTile(), game->Selection(), game->IsPaused()),
            std::tuple(shown, focus, selection, paused));
    }
    EXPECT_FALSE(game->Board()->Tile(1).present);
}

// Each undo costs what a hint costs; a redo takes the pair off as two clicks
// would (Vesk Style's bonus included).
TEST_F(GameKeysTest, UndoIsChargedAsAHintAndRedoTakesThePairAgain)
{
    for (const int32_t screenId : {kTraditionalScreenId, kVeskStyleScreenId, kZandorScreenId}) {
        CGameScreen* game = rig.Start(screenId);
        rig.frameMs = 0;
        const board::CBoard& b = *game->Board();
        const auto pair = board::FindFirstPair(b);
        const board::CTile before = b.Tile(pair->first);
        rig.ClickTile(pair->first);
        rig.ClickTile(pair->second);
        if (screenId != kVeskStyleScreenId) { // its marks go with the undo
            rig.Key(DIK_H);
            rig.Idle(300, 1);
        }
        const int32_t clock = game->Clock();
        const int32_t missed = rig.zandor->MissedPairs();
        rig.Key(DIK_Z, CGameRig::kControl);
        EXPECT_TRUE(b.Tile(pair->first).present && b.Tile(pair->second).present) << screenId;
        EXPECT_EQ(
            std::tie(b.Tile(pair->first).face, b.Tile(pair->first).dealIndex), std::tie(before.face, before.dealIndex));
        EXPECT_EQ(CGameRig::HintedCount(b) + game->Selection(), -1);
        const int32_t charged[] = {clock + 15000, clock - 15000, CZandorScreen::kTargetMs};
        EXPECT_EQ(game->Clock(), charged[screenId - kTraditionalScreenId]) << screenId;
        if (screenId == kZandorScreenId) {
            EXPECT_EQ(rig.zandor->MissedPairs(), missed + 1);
            EXPECT_EQ(rig.zandor->TargetGroup(), before.matchGroup) << "the pair put back is the target";
        }
        const int32_t undone = game->Clock();
        rig.Key(DIK_Y, CGameRig::kControl);
        EXPECT_FALSE(b.Tile(pair->first).present || b.Tile(pair->second).present) << screenId;
        EXPECT_GE(game->Clock(), undone + (screenId == kVeskStyleScreenId ? 5000 : 0));
        rig.Key(DIK_BACK);
        rig.Key(DIK_Z, CGameRig::kControl | CGameRig::kShift);
        EXPECT_FALSE(b.Tile(pair->first).present) << "Backspace undoes, Ctrl+Shift+Z redoes";
    }
}

TEST_F(GameKeysTest, NoUndoAtTheStartPausedBehindADialogOrOnceEnded)
{
    CGameScreen* game = rig.Start(kVeskStyleScreenId);
    const auto first = board::FindFirstPair(*game->Board());
    rig.Key(DIK_BACK); // nothing to undo yet
    rig.ClickTile(first->first);
    rig.ClickTile(first->second);
    const std::vector<std::function<void()>> blocks = {
        [&] { rig.Key(DIK_P); },
        [&] {
            rig.Key(DIK_P); // plays on
            rig.Frames(15);
            rig.Key(DIK_S, CGameRig::kControl);
        },
        [&] { rig.Idle(static_cast<uint32_t>(game->Clock() - 15000)); }, // too little time left to pay
        [&] { rig.ClearBoard(); }, // the game has ended
    };
    for (const auto& block : blocks) {
        block();
        rig.Frames(15);
        rig.Key(DIK_BACK);
        EXPECT_FALSE(game->Board()->Tile(first->first).present);
        rig.Key(DIK_ESCAPE);
        rig.Frames(15);
    }
}

TEST_F(GameKeysTest, AGameAwayFromTheScreenPausesAndStaysPaused)
{
    CGameScreen* game = rig.Start(kTraditionalScreenId);
    rig.framework.OnWindowAway();
    const int32_t clock = game->Clock();
    rig.Idle(5000);
    rig.framework.SetWindowedMode(800, 600); // a display switch does not end it
    rig.framework.OnFocusGained();
    rig.Frames(3);
    EXPECT_EQ(std::make_tuple(game->IsPaused(), game->Clock()), std::make_tuple(true, clock));
    rig.Key(DIK_P);
    EXPECT_FALSE(game->IsPaused());

    // Full screen losing the focus goes windowed and pauses too.
    rig.framework.SetFullScreenMode(800, 600, 32);
    rig.framework.OnFocusLost();
    EXPECT_TRUE(game->IsPaused());
}

} // namespace
