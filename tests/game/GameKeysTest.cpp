// The game played by keys, frame by frame: the bar's keys against clicks,
// the focus moved among free tiles and clicked, undo and redo with each
// type's charge and limits, and the pause when the window goes away.
#include "GameRig.h"

#include "platform/Clock.h"
#include "platform/Files.h"
#include "screens/SaveNameDialog.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

using game_test::CGameRig;

namespace {

class GameKeysTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (!rig.available) {
            GTEST_SKIP() << "the run folder's data has not been built";
        }
    }
    CGameRig rig;
};

// What a player sees frame by frame after pressing a bar button.
using SFrameTrace = std::vector<std::tuple<bool, int32_t, bool, bool, int32_t, uint32_t>>;
SFrameTrace Trace(CGameRig& rig, CGameScreen::EButton button, const std::function<void()>& press)
{
    CGameScreen* game = rig.Start(kTraditionalScreenId);
    rig.Frames(1);
    const uint32_t start = platform::GetTicks();
    press();
    SFrameTrace trace;
    for (int i = 0; i < 30 && rig.Current() == game; ++i) {
        CTextButton* b = game->Button(button);
        trace.emplace_back(b->pressed, game->Clock(), game->IsPaused(), game->SaveDialog() != nullptr,
            rig.framework.CurrentId(), b->reportTime - start);
        rig.Frames(1);
    }
    return trace;
}

TEST_F(GameKeysTest, EachBarKeyIsAClickOnItsButton)
{
    const std::tuple<uint8_t, int, CGameScreen::EButton> keys[] = {
        {DIK_S, CGameRig::kNoModifier, CGameScreen::kShuffle},
        {DIK_P, CGameRig::kNoModifier, CGameScreen::kPause},
        {DIK_PAUSE, CGameRig::kNoModifier, CGameScreen::kPause},
        {DIK_H, CGameRig::kNoModifier, CGameScreen::kHint},
        {DIK_S, CGameRig::kControl, CGameScreen::kSave},
        {DIK_L, CGameRig::kControl, CGameScreen::kLeave},
    };
    rig.frameMs = 50;
    for (const auto& [key, modifiers, button] : keys) {
        const SFrameTrace clicked = Trace(rig, button, [&] { rig.Click(25 + 150 * button + 75, 567); });
        const SFrameTrace keyed = Trace(rig, button, [&] { rig.Key(key, modifiers); });
        EXPECT_EQ(keyed, clicked) << "key " << int{key};
        ASSERT_FALSE(keyed.empty());
        EXPECT_TRUE(std::get<0>(keyed.front())) << "pushed at once";
    }
}

TEST_F(GameKeysTest, ArrowsMoveTheFocusAmongFreeTilesAndSpaceClicksIt)
{
    CGameScreen* game = rig.Start(kTraditionalScreenId);
    // 0 1 . 2 . 3 in row 0; 4 and 5 lower down.
    rig.Lay({{{0, 0, 0}, 1, 1}, {{2, 0, 0}, 1, 1}, {{8, 0, 0}, 2, 2}, {{12, 0, 0}, 2, 2}, {{0, 6, 0}, 3, 3},
        {{4, 6, 0}, 3, 3}});
    rig.Frames(1);
    EXPECT_FALSE(game->IsFocusShown());
    rig.Key(DIK_RIGHT);
    EXPECT_TRUE(game->IsFocusShown());
    EXPECT_EQ(game->FocusTile(), 0) << "the first key only shows the focus";
    rig.Key(DIK_SPACE);
    EXPECT_EQ(game->Selection(), 0);
    rig.Key(DIK_RIGHT);
    rig.Key(DIK_RETURN);
    EXPECT_FALSE(game->Board()->Tile(1).present);
    EXPECT_EQ(game->FocusTile(), 2) << "the removed tile's nearest free neighbour";
    rig.Key(DIK_DOWN);
    EXPECT_EQ(game->FocusTile(), 5);
    rig.Key(DIK_DOWN);
    EXPECT_EQ(game->FocusTile(), 5) << "the edge";

    // The undone pair covers nothing here; a shuffle keeps the focus.
    rig.Key(DIK_Z, CGameRig::kControl);
    EXPECT_TRUE(game->Board()->Tile(1).present);
    rig.Key(DIK_S);
    rig.Frames(15);
    EXPECT_EQ(game->FocusTile(), 5);

    // A mouse press hides the focus; the next key shows it where it was.
    rig.Click(5, 5);
    EXPECT_FALSE(game->IsFocusShown());
    rig.Key(DIK_LEFT);
    EXPECT_EQ(game->FocusTile(), 5);
    EXPECT_TRUE(game->IsFocusShown());

    // Paused, the arrows do nothing and Space ends the pause.
    rig.Key(DIK_P);
    rig.Frames(15);
    ASSERT_TRUE(game->IsPaused());
    rig.Key(DIK_LEFT);
    EXPECT_EQ(game->FocusTile(), 5);
    rig.Key(DIK_SPACE);
    EXPECT_FALSE(game->IsPaused());
    EXPECT_EQ(game->Selection(), -1);
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
        ASSERT_FALSE(b.Tile(pair->first).present);
        if (screenId != kVeskStyleScreenId) {
            rig.Key(DIK_H);
            rig.Idle(300);
            rig.Frames(1);
        }
        const int32_t clock = game->Clock();
        const int32_t missed = rig.zandor->MissedPairs();
        rig.Key(DIK_Z, CGameRig::kControl);
        EXPECT_TRUE(b.Tile(pair->first).present && b.Tile(pair->second).present) << screenId;
        EXPECT_EQ(std::tie(b.Tile(pair->first).face, b.Tile(pair->first).dealIndex), std::tie(before.face, before.dealIndex));
        EXPECT_EQ(CGameRig::HintedCount(b), 0);
        EXPECT_EQ(game->Selection(), -1);
        const int32_t charged[] = {0, clock + 15000, clock - 15000, CZandorScreen::kTargetMs};
        EXPECT_EQ(game->Clock(), charged[screenId - 1]) << screenId;
        if (screenId == kZandorScreenId) {
            EXPECT_EQ(rig.zandor->MissedPairs(), missed + 1);
            EXPECT_EQ(rig.zandor->TargetGroup(), before.matchGroup) << "the pair put back is the target";
        }
        const int32_t undone = game->Clock();
        rig.Key(DIK_Y, CGameRig::kControl);
        EXPECT_FALSE(b.Tile(pair->first).present || b.Tile(pair->second).present) << screenId;
        if (screenId == kVeskStyleScreenId) {
            EXPECT_GE(game->Clock(), undone + 5000);
        }
        rig.Key(DIK_BACK);
        rig.Key(DIK_Z, CGameRig::kControl | CGameRig::kShift);
        EXPECT_FALSE(b.Tile(pair->first).present) << "Backspace undoes, Ctrl+Shift+Z redoes";
        rig.frameMs = 20;
    }
}

TEST_F(GameKeysTest, NoUndoAtTheStartPausedBehindADialogOrOnceEnded)
{
    CGameScreen* game = rig.Start(kVeskStyleScreenId);
    const board::CBoard& b = *game->Board();
    const auto countPresent = [&] {
        int n = 0;
        for (int t = 0; t < board::kTileCount; ++t) {
            n += b.Tile(t).present;
        }
        return n;
    };
    rig.Key(DIK_BACK);
    EXPECT_EQ(countPresent(), 144);
    const auto first = board::FindFirstPair(b);
    rig.ClickTile(first->first);
    rig.ClickTile(first->second);
    rig.Key(DIK_P);
    rig.Frames(15);
    rig.Key(DIK_BACK); // ends nothing: Backspace is no click
    EXPECT_TRUE(game->IsPaused());
    EXPECT_EQ(countPresent(), 142);
    rig.Key(DIK_P);
    rig.Key(DIK_S, CGameRig::kControl);
    rig.Frames(15);
    ASSERT_NE(game->SaveDialog(), nullptr);
    rig.Key(DIK_BACK);
    EXPECT_EQ(countPresent(), 142);
    rig.Key(DIK_ESCAPE);
    rig.Frames(15);

    // Vesk Style cannot pay with 15 seconds or less left.
    rig.Idle(static_cast<uint32_t>(game->Clock() - 15000));
    rig.Frames(1);
    ASSERT_LE(game->Clock(), 15000);
    rig.Key(DIK_BACK);
    EXPECT_EQ(countPresent(), 142);

    // After an undo the game saves the pair back on the board; the saved
    // game loads with nothing to undo.
    game = rig.LoadDealt(board::kGameTypeTraditional, 0);
    const auto pair = board::FindFirstPair(*game->Board());
    rig.ClickTile(pair->first);
    rig.ClickTile(pair->second);
    rig.Key(DIK_BACK);
    ASSERT_TRUE(game->SaveGame("undone"));
    EXPECT_EQ(platform::ReadWholeFile("Saves\\undone")->size(), 1036u + 144 * 60);
    EXPECT_FALSE(game->History().CanUndo());
    rig.ClickTile(pair->first);
    rig.ClickTile(pair->second);
    pendingLoadPath = "Saves\\undone";
    rig.framework.SwitchToScreen(kTraditionalScreenId);
    EXPECT_FALSE(rig.Current()->History().CanUndo());

    // Once the board is cleared, nothing comes back.
    ASSERT_TRUE(rig.ClearBoard());
    rig.Frames(1);
    rig.Key(DIK_BACK);
    EXPECT_EQ(game->Board()->Tile(pair->first).present, 0);
}

TEST_F(GameKeysTest, AGameAwayFromTheScreenPausesAndStaysPaused)
{
    CGameScreen* game = rig.Start(kTraditionalScreenId);
    rig.Frames(2);
    rig.framework.OnWindowAway();
    ASSERT_TRUE(game->IsPaused());
    const int32_t clock = game->Clock();
    rig.Idle(5000);
    rig.framework.SetWindowedMode(800, 600);
    rig.framework.OnFocusGained();
    rig.Frames(3);
    EXPECT_TRUE(game->IsPaused()) << "not ended by coming back";
    EXPECT_EQ(game->Clock(), clock);
    rig.Key(DIK_P);
    EXPECT_FALSE(game->IsPaused());

    // Full screen losing the focus goes windowed and pauses too.
    rig.framework.SetFullScreenMode(800, 600, 32);
    rig.Frames(1);
    rig.framework.OnFocusLost();
    EXPECT_TRUE(game->IsPaused());
    rig.Click(5, 5);
    EXPECT_FALSE(game->IsPaused());

    // An ended game has no clock to stop.
    ASSERT_TRUE(rig.ClearBoard());
    rig.Frames(2);
    if (game->RecordDialog()) {
        rig.Key(DIK_ESCAPE);
        rig.Frames(15);
    }
    rig.framework.OnWindowAway();
    EXPECT_FALSE(game->IsPaused());
}

} // namespace
