// Zandor frame by frame: the first 30 seconds and the 10 after, the countdown
// text, the self-hint, the time-out's reshuffle with its missed pair, the
// hint's missed pair, the target rules with Flowers and a saved count at its
// largest.
#include "GameRig.h"

#include "game/SavedGame.h"
#include "screens/SharedValues.h"

#include <gtest/gtest.h>

#include <limits>

using game_test::CGameRig;

namespace {

class ZandorTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (!rig.available) {
            GTEST_SKIP() << "the run folder's data has not been built";
        }
        rig.frameMs = 0;
    }
    CZandorScreen* StartGame() { return static_cast<CZandorScreen*>(rig.Start(kZandorScreenId)); }
    static int HintedCount(const board::CBoard& b)
    {
        int count = 0;
        for (int t = 0; t < board::kTileCount; ++t) {
            count += b.Tile(t).hinted;
        }
        return count;
    }

    CGameRig rig;
};

TEST_F(ZandorTest, TheFirstTargetHasThirtySecondsTheNextTen)
{
    CZandorScreen* game = StartGame();
    EXPECT_EQ(game->Clock(), 30000);
    const auto pair = board::FindFirstPair(*game->Board());
    EXPECT_EQ(game->TargetGroup(), game->Board()->Tile(pair->first).matchGroup);
    EXPECT_EQ(game->TargetFace(), game->Board()->Tile(pair->first).face);
    rig.Frames(1);
    EXPECT_EQ(game->HudTexts()[0], "Missed Pairs: 0");
    EXPECT_EQ(game->HudTexts()[2], "Least Missed Pairs: Cy, 25");
    EXPECT_EQ(game->HudTexts()[3], "30");
    rig.Idle(1500);
    rig.Frames(1);
    EXPECT_EQ(game->HudTexts()[3], "28");

    rig.ClickTile(pair->first);
    rig.ClickTile(pair->second);
    EXPECT_EQ(game->Clock(), 10000);
    EXPECT_EQ(game->MissedPairs(), 0);
}

TEST_F(ZandorTest, TheLastSecondsMarkThePairAndTheTimeOutReshuffles)
{
    CZandorScreen* game = StartGame();
    const auto pair = board::FindFirstPair(*game->Board());
    rig.ClickTile(pair->first);
    ASSERT_EQ(game->Selection(), pair->first);
    // A frame's checks see the clock as the frame before left it.
    rig.Idle(28400); // 1,600 ms left
    rig.Frames(2);
    EXPECT_EQ(HintedCount(*game->Board()), 0);
    rig.Idle(200); // 1,400 ms left
    rig.Frames(2);
    EXPECT_EQ(HintedCount(*game->Board()), 2);
    const auto marked = board::FindFirstPair(*game->Board());
    EXPECT_EQ(game->Board()->Tile(marked->first).matchGroup, game->TargetGroup());
    EXPECT_EQ(game->MissedPairs(), 0);

    rig.Idle(900); // 500 ms left: not yet
    rig.Frames(2);
    EXPECT_EQ(game->MissedPairs(), 0);
    rig.Idle(1); // 499 ms left
    rig.Frames(2);
    EXPECT_EQ(game->MissedPairs(), 1);
    EXPECT_EQ(game->Clock(), 10000);
    EXPECT_EQ(game->Selection(), -1);
    EXPECT_FALSE(game->Board()->Tile(pair->first).selected);
    EXPECT_EQ(HintedCount(*game->Board()), 0);
    const auto first = board::FindFirstPair(*game->Board());
    EXPECT_EQ(game->TargetGroup(), game->Board()->Tile(first->first).matchGroup);
    // The next click starts a new selection.
    rig.ClickTile(first->first);
    EXPECT_EQ(game->Selection(), first->first);
}

TEST_F(ZandorTest, HintAndShuffleButtons)
{
    CZandorScreen* game = StartGame();
    rig.ClickButton(CGameScreen::kHint);
    EXPECT_EQ(game->MissedPairs(), 1);
    EXPECT_EQ(HintedCount(*game->Board()), 2);

    rig.Idle(10000);
    rig.ClickButton(CGameScreen::kShuffle);
    EXPECT_EQ(game->MissedPairs(), 1) << "shuffling is free";
    EXPECT_EQ(game->Clock(), 10000 - 2 * 130) << "a fresh ten seconds at the report frame";

    // A hint counts even when no pair can be marked.
    board::CBoard& b = *game->Board();
    b.ResetBoard();
    b.PlaceTile(0, {0, 0, 0}, 0, 1, 1);
    b.PlaceTile(1, {4, 0, 0}, 1, 2, 2);
    b.PlaceTile(2, {8, 0, 0}, 2, 1, 1);
    b.PlaceTile(3, {0, 4, 1}, 3, 2, 2);
    b.PlaceTile(4, {0, 4, 0}, 4, 1, 1); // under tile 3
    rig.ClickButton(CGameScreen::kHint);
    EXPECT_EQ(game->MissedPairs(), 2);
}

TEST_F(ZandorTest, OnlyTargetPairsGoAndAnyTwoFlowersMatch)
{
    CZandorScreen* game = StartGame();
    board::CBoard& b = *game->Board();
    b.ResetBoard();
    // Two Flowers of different faces first in the scan, then a Dot pair.
    b.PlaceTile(0, {0, 0, 0}, 0, board::kFlowerGroup, 36);
    b.PlaceTile(1, {4, 0, 0}, 1, 20, 20);
    b.PlaceTile(2, {8, 0, 0}, 2, board::kFlowerGroup, 38);
    b.PlaceTile(3, {12, 0, 0}, 3, 20, 20);
    game->PickTarget();
    EXPECT_EQ(game->TargetGroup(), board::kFlowerGroup);
    EXPECT_EQ(game->TargetFace(), 36);

    rig.ClickTile(1);
    EXPECT_EQ(game->Selection(), -1) << "another kind selects nothing";
    rig.ClickTile(0);
    EXPECT_EQ(game->Selection(), 0);
    rig.ClickTile(3);
    EXPECT_EQ(game->Selection(), 0) << "a non-target tile does not take the selection";
    rig.ClickTile(2);
    EXPECT_FALSE(b.Tile(0).present);
    EXPECT_FALSE(b.Tile(2).present);
    EXPECT_EQ(game->TargetGroup(), 20);
    EXPECT_EQ(game->Clock(), 10000);

    rig.ClickTile(1);
    rig.ClickTile(3);
    rig.Frames(1);
    EXPECT_EQ(game->HudTexts()[1], "Pairs left: 0");
    EXPECT_NE(game->RecordDialog(), nullptr) << "no missed pair beats 25";
}

TEST_F(ZandorTest, MissedPairsAtTheRecordAreNoRecord)
{
    struct SCase {
        int32_t record;
        bool asked;
    };
    for (const SCase& c : {SCase{0, false}, SCase{1, true}}) {
        board::SLayoutData layout = game_test::AllFreeLayout();
        layout.records[2] = {"Cy", c.record};
        rig.WriteLayout("Free", layout);
        CZandorScreen* game = StartGame();
        ASSERT_TRUE(rig.ClearBoard());
        rig.Frames(1);
        EXPECT_EQ(game->RecordDialog() != nullptr, c.asked) << "record " << c.record;
        rig.ClickButton(CGameScreen::kLeave);
    }
}

} // namespace

namespace {

// A saved game may hold any count of missed pairs: a miss at the largest
// count keeps it there instead of wrapping round to a negative record.
TEST_F(ZandorTest, ASavedCountAtItsLargestStaysThere)
{
    auto board = std::make_unique<board::CBoard>();
    board->LoadLayout("Layouts\\Free");
    board::DealNewGame(*board);
    game::SSavedGame saved = game::CaptureBoard(*board, board::kGameTypeZandor, 20000);
    saved.missedPairs = std::numeric_limits<int32_t>::max();
    saved.targetGroup = board->Tile(0).matchGroup;
    saved.targetFace = board->Tile(0).face;
    ASSERT_TRUE(game::WriteSavedGame("Many", saved));
    pendingLoadPath = "Saves\\Many";
    rig.framework.SwitchToScreen(kZandorScreenId);
    auto* game = static_cast<CZandorScreen*>(rig.Current());
    ASSERT_NE(game, nullptr);
    ASSERT_EQ(game->MissedPairs(), std::numeric_limits<int32_t>::max());
    rig.ClickButton(CGameScreen::kHint);
    EXPECT_EQ(game->MissedPairs(), std::numeric_limits<int32_t>::max());
    rig.Idle(25000); // the target's time runs out: another miss
    rig.Frames(2);
    EXPECT_EQ(game->MissedPairs(), std::numeric_limits<int32_t>::max());
}

} // namespace
