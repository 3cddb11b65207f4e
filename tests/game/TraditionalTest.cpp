// The Traditional game played frame by frame: its status line, the hint's
// charge, pauses, clicks, the introduction and display switches. (A whole
// game to its stored record is Vesk Style's test, a cancelled record the
// saved games'; the charge of a stuck end and which results are records are
// the board's and the records' tests.)
#include "GameRig.h"

#include "platform/Files.h"
#include "screens/SharedValues.h"

#include <gtest/gtest.h>

using game_test::CGameRig;

namespace {

using TraditionalTest = game_test::CGameTest<>;

TEST_F(TraditionalTest, EveryHintCostsFifteenSecondsAndItsMarksGoAfterFive)
{
    rig.frameMs = 0;
    CGameScreen* game = rig.Start(kTraditionalScreenId);
    rig.ClickButton(CGameScreen::kHint);
    EXPECT_EQ(game->Clock(), 15000 + CGameRig::kClickFramesMs);
    EXPECT_EQ(CGameRig::HintedCount(*game->Board()), 2);
    rig.Idle(4900);
    EXPECT_TRUE(game->Board()->Tile(board::FindFirstPair(*game->Board())->first).hinted);
    rig.Idle(200, 1);
    EXPECT_FALSE(game->Board()->Tile(board::FindFirstPair(*game->Board())->first).hinted);

    // Charged even when the board offers no pair to mark.
    const int32_t before = game->Clock();
    rig.Lay({{{0, 0, 0}, 1, 1}, {{4, 0, 0}, 2, 2}});
    rig.ClickButton(CGameScreen::kHint);
    rig.ClickButton(CGameScreen::kHint);
    EXPECT_EQ(game->Clock(), before + 30000 + 2 * CGameRig::kClickFramesMs + 130);
}

TEST_F(TraditionalTest, PauseByButtonEndsByAClickAnywhere)
{
    CGameScreen* game = rig.Start(kTraditionalScreenId);
    rig.Frames(1);
    EXPECT_EQ(std::pair(game->HudTexts()[0], game->HudTexts()[2]),
        std::pair(std::string("Your time:  0:00"), std::string("Fastest Time: Ada, 15:00")));
    rig.ClickButton(CGameScreen::kPause);
    ASSERT_TRUE(game->IsPaused());
    EXPECT_EQ(game->HudTexts()[0], "Game Paused.");
    const int32_t pausedAt = game->Clock();
    rig.Idle(10000, 2);
    EXPECT_EQ(game->Clock(), pausedAt);

    // A tile click while paused only ends the pause.
    rig.ClickTile(board::FindFirstPair(*game->Board())->first);
    EXPECT_FALSE(game->IsPaused());
    EXPECT_EQ(game->Selection(), -1);

    // A short click on Pause while paused ends the pause and does not
    // pause again.
    rig.ClickButton(CGameScreen::kPause);
    ASSERT_TRUE(game->IsPaused());
    rig.ClickAndWait(250, 567);
    rig.Frames(30);
    EXPECT_FALSE(game->IsPaused());
    EXPECT_FALSE(game->Button(CGameScreen::kPause)->pressed);
}

TEST_F(TraditionalTest, ClicksFollowTheSelectionRules)
{
    CGameScreen* game = rig.Start(kTraditionalScreenId);
    const board::CBoard& b = *game->Board();
    // 0, 1 and 2 apart on row 0, 1 and 2 alike. Tile 3 is half covered by
    // tile 4; tile 5 is free, its picture partly under tile 3's.
    rig.Lay({{{0, 0, 0}, 1, 1}, {{8, 0, 0}, 2, 2}, {{16, 0, 0}, 2, 2}, {{4, 4, 1}, 3, 3}, {{3, 4, 2}, 4, 4},
        {{6, 5, 0}, 3, 3}});
    rig.ClickTile(0);
    rig.ClickTile(0);
    EXPECT_EQ(game->Selection(), 0) << "a second click on the selection does nothing";
    rig.ClickTile(1);
    EXPECT_EQ(game->Selection(), 1) << "another kind moves the selection";
    EXPECT_FALSE(b.Tile(0).selected);
    EXPECT_TRUE(b.Tile(1).selected);

    // Holding the button and dragging onto the partner removes the pair.
    const auto from = rig.PointOnTile(1);
    const auto to = rig.PointOnTile(2);
    rig.Frame(from->x, from->y, true);
    rig.Frame(from->x, from->y, true);
    rig.Frame(to->x, to->y, true);
    rig.Frame(to->x, to->y, false);
    EXPECT_FALSE(b.Tile(1).present || b.Tile(2).present);

    // A blocked tile on top is not looked through: (187, 180) lies in the
    // pick boxes of tiles 3 and 5; the upper one wins and, being blocked,
    // selects nothing.
    ASSERT_EQ(board::PickTile(b, 187, 180), 3);
    rig.Click(187, 180);
    EXPECT_EQ(game->Selection(), -1);
    rig.Click(220, 215);
    EXPECT_EQ(game->Selection(), 5);
}

TEST_F(TraditionalTest, TheIntroductionShowsOnceAndHoldsTheClock)
{
    rig.harness.runFolder.Write("Data/Help1.dat", std::string("0"));
    CGameScreen* game = rig.Start(kTraditionalScreenId);
    ASSERT_NE(game->IntroBox(), nullptr);
    EXPECT_TRUE(game->IsPaused());
    EXPECT_EQ(platform::ReadWholeFile("Data\\Help1.dat"), platform::Bytes({'1', '0', '0'}));
    rig.Idle(5000, 3);
    EXPECT_EQ(game->Clock(), 0);
    rig.ClickAndWait(552, 380); // "Ok" at (330, 180)-(475, 230) in the box
    EXPECT_EQ(game->IntroBox(), nullptr);
    EXPECT_FALSE(game->IsPaused());

    rig.ClickButton(CGameScreen::kLeave);
    game = rig.Start(kTraditionalScreenId);
    EXPECT_EQ(game->IntroBox(), nullptr);
}

// A display switch keeps the game and ends a pause; Vesk Style drops the
// selection and its overlay, so that the partner then starts a new selection
// instead of removing the pair. Not while the save dialog is open: the clock
// must not run behind it.
TEST_F(TraditionalTest, ADisplaySwitchKeepsTheGameAndEndsAPause)
{
    for (const int32_t screenId : {kTraditionalScreenId, kVeskStyleScreenId}) {
        SCOPED_TRACE(screenId);
        const bool vesk = screenId == kVeskStyleScreenId;
        CGameScreen* game = rig.Start(screenId);
        const auto pair = board::FindFirstPair(*game->Board());
        rig.ClickTile(pair->first);
        rig.ClickButton(CGameScreen::kPause);
        ASSERT_TRUE(game->IsPaused());
        rig.framework.SetWindowedMode(800, 600);
        EXPECT_FALSE(game->IsPaused());
        EXPECT_NE(game->Button(CGameScreen::kShuffle), nullptr);
        EXPECT_EQ(game->Selection(), vesk ? -1 : pair->first);
        EXPECT_TRUE(!vesk || !game->Board()->Tile(pair->first).selected);
        rig.framework.SetFullScreenMode(800, 600, 16);
        rig.ClickTile(pair->second);
        EXPECT_EQ(game->Board()->Tile(pair->second).present, vesk);
        EXPECT_EQ(game->Selection(), vesk ? pair->second : -1);
    }
    rig.ClickButton(CGameScreen::kSave);
    ASSERT_NE(rig.Current()->SaveDialog(), nullptr);
    rig.framework.SetWindowedMode(800, 600);
    EXPECT_TRUE(rig.Current()->IsPaused());
}

} // namespace
