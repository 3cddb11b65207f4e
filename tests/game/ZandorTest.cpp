// Zandor frame by frame: the first 30 seconds and the 10 after, the countdown
// text, the self-hint, the time-out's reshuffle with its missed pair, the
// shuffle's fresh target, the target rules with Flowers and a saved count at its
// largest.
#include "GameRig.h"

#include "platform/Files.h"
#include "screens/SharedValues.h"

#include <gtest/gtest.h>

#include <limits>
#include <sys/stat.h>

using game_test::CGameRig;

namespace {

class ZandorTest : public game_test::CGameTest<0> {
protected:
    CZandorScreen* StartGame() { return static_cast<CZandorScreen*>(rig.Start(kZandorScreenId)); }
};

// The first target has 30 seconds: the countdown, the pair marked in the last
// 1.5 seconds, the time-out at 0.5 seconds left with its missed pair and a
// reshuffle; each target after it has 10.
TEST_F(ZandorTest, TheFirstTargetHasThirtySecondsTheNextTen)
{
    CZandorScreen* game = StartGame();
    EXPECT_EQ(game->Clock(), 30000);
    const auto pair = board::FindFirstPair(*game->Board());
    EXPECT_EQ(std::pair(game->TargetGroup(), game->TargetFace()),
        std::pair(game->Board()->Tile(pair->first).matchGroup, game->Board()->Tile(pair->first).face));
    rig.Frames(1);
    EXPECT_EQ(game->HudTexts()[0], "Missed Pairs: 0");
    EXPECT_EQ(game->HudTexts()[2], "Least Missed Pairs: Cy, 25");
    EXPECT_EQ(game->HudTexts()[3], "30");
    rig.Idle(1500, 1);
    EXPECT_EQ(game->HudTexts()[3], "28");

    rig.ClickTile(pair->first);
    ASSERT_EQ(game->Selection(), pair->first);
    // A frame's checks see the clock as the frame before left it.
    rig.Idle(26900, 2); // 1,600 ms left
    EXPECT_EQ(CGameRig::HintedCount(*game->Board()), 0);
    rig.Idle(200, 2); // 1,400 ms left
    EXPECT_EQ(CGameRig::HintedCount(*game->Board()), 2);
    const auto marked = board::FindFirstPair(*game->Board());
    EXPECT_EQ(game->Board()->Tile(marked->first).matchGroup, game->TargetGroup());
    EXPECT_EQ(game->MissedPairs(), 0);

    rig.Idle(900, 2); // 500 ms left: not yet
    EXPECT_EQ(game->MissedPairs(), 0);
    rig.Idle(1, 2); // 499 ms left
    EXPECT_EQ(std::tuple(game->MissedPairs(), game->Clock(), game->Selection(), CGameRig::HintedCount(*game->Board())),
        std::tuple(1, 10000, -1, 0));
    EXPECT_FALSE(game->Board()->Tile(pair->first).selected);
    const auto next = board::FindFirstPair(*game->Board());
    EXPECT_EQ(game->TargetGroup(), game->Board()->Tile(next->first).matchGroup);
    rig.ClickTile(next->first);
    EXPECT_EQ(game->Selection(), next->first) << "the next click starts a new selection";
}

// (A hint's missed pair is counted as an undo's is: the keys' test.)
TEST_F(ZandorTest, AShuffleIsFreeAndGivesAFreshTenSeconds)
{
    CZandorScreen* game = StartGame();
    rig.Idle(10000);
    rig.ClickButton(CGameScreen::kShuffle);
    EXPECT_EQ(game->MissedPairs(), 0) << "shuffling is free";
    EXPECT_EQ(game->Clock(), 10000 - 2 * 130) << "a fresh ten seconds at the report frame";
}

TEST_F(ZandorTest, OnlyTargetPairsGoAndAnyTwoFlowersMatch)
{
    CZandorScreen* game = StartGame();
    // Two Flowers of different faces first in the scan, then a Dot pair.
    rig.Lay({{{0, 0, 0}, board::kFlowerGroup, 36}, {{4, 0, 0}, 20, 20}, {{8, 0, 0}, board::kFlowerGroup, 38},
        {{12, 0, 0}, 20, 20}});
    const board::CBoard& b = *game->Board();
    game->PickTarget();
    EXPECT_EQ(std::pair(game->TargetGroup(), game->TargetFace()), std::pair(board::kFlowerGroup, 36));
    rig.Idle(3000, 1);
    // Another kind selects nothing, nor takes the selection; the other Flower
    // takes the pair, and the next target has a fresh 10 s.
    for (const auto& [tile, selection] : {std::pair(1, -1), {0, 0}, {3, 0}, {2, -1}}) {
        rig.ClickTile(tile);
        EXPECT_EQ(game->Selection(), selection) << tile;
    }
    EXPECT_FALSE(b.Tile(0).present || b.Tile(2).present);
    EXPECT_EQ(std::pair(game->TargetGroup(), game->Clock()), std::pair(20, 10000));

    rig.ClickTile(1);
    rig.ClickTile(3);
    rig.Frames(1);
    EXPECT_EQ(game->HudTexts()[1], "Pairs left: 0");
    ASSERT_NE(game->RecordDialog(), nullptr) << "no missed pair beats 25";

    // "OK" on an empty box: the record takes the name as entered. The layout
    // file is read-only, so it keeps its old records on disk while the board
    // shows the new one.
    const std::optional<platform::Bytes> before = platform::ReadWholeFile("Layouts/Free");
    ASSERT_EQ(::chmod("Layouts/Free", 0444), 0);
    rig.ClickAndWait(375, 387);
    rig.Frames(1);
    EXPECT_TRUE(game->IsRecordDone());
    EXPECT_EQ(game->HudTexts()[2], "Least Missed Pairs: , 0");
    EXPECT_EQ(platform::ReadWholeFile("Layouts/Free"), before);
}

// A saved game loads with its clock, its target (not one picked anew; a
// Flower or Season, whose kind and face differ) and its count of missed
// pairs, which may be any: a miss at the largest count keeps it there
// instead of wrapping round to a negative record.
TEST_F(ZandorTest, ASavedGameLoadsItsStateAndACountAtItsLargestStaysThere)
{
    constexpr int32_t kMost = std::numeric_limits<int32_t>::max();
    std::pair<int32_t, int32_t> target;
    auto* game = static_cast<CZandorScreen*>(
        rig.LoadDealt(board::kGameTypeZandor, 20000, [&target](game::SSavedGame& saved, const board::CBoard& dealt) {
            const int32_t picked = dealt.Tile(board::FindFirstPair(dealt)->first).matchGroup;
            int t = 0;
            while (dealt.Tile(t).matchGroup == picked || dealt.Tile(t).matchGroup == dealt.Tile(t).face) {
                ++t;
            }
            target = {dealt.Tile(t).matchGroup, dealt.Tile(t).face};
            std::tie(saved.targetGroup, saved.targetFace) = target;
            saved.missedPairs = kMost;
        }));
    ASSERT_NE(game, nullptr);
    ASSERT_EQ(std::tuple(game->Clock(), std::pair(game->TargetGroup(), game->TargetFace()), game->MissedPairs()),
        std::tuple(20000, target, kMost));
    rig.ClickButton(CGameScreen::kHint);
    EXPECT_EQ(game->MissedPairs(), kMost);
    rig.Idle(25000, 2); // the target's time runs out: another miss
    EXPECT_EQ(game->MissedPairs(), kMost);
}

} // namespace
