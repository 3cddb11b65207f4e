// Vesk Style frame by frame: the bonus per pair over a whole board won by
// clicks, its record asked for and stored, the hint rule at its edge, the time-out that freezes the board, and a clock
// that falls below zero without wrapping. (Its display switch is tested with the Traditional one's.)
#include "GameRig.h"

#include "platform/Files.h"
#include "screens/SharedValues.h"

#include <gtest/gtest.h>

using game_test::CGameRig;

namespace {

class VeskStyleTest : public game_test::CGameTest<0> {
protected:
    // A saved Vesk Style game of the free layout with the given time left.
    CGameScreen* LoadWithClock(int32_t clockMs) { return rig.LoadDealt(board::kGameTypeVeskStyle, clockMs); }
};

TEST_F(VeskStyleTest, EveryPairAddsFiveToFifteenSecondsAndTheRecordIsStored)
{
    CGameScreen* game = rig.Start(kVeskStyleScreenId);
    rig.Frames(1);
    EXPECT_EQ(game->HudTexts()[0], "Time Left:  0:30");
    EXPECT_EQ(game->HudTexts()[2], "Best Time: Bo, 1:00");
    int32_t smallest = 1 << 30;
    int32_t largest = 0;
    for (int i = 0; i < 72; ++i) {
        const auto pair = board::FindFirstPair(*game->Board());
        ASSERT_TRUE(pair);
        rig.ClickTile(pair->first);
        const int32_t before = game->Clock();
        rig.ClickTile(pair->second);
        const int32_t bonus = game->Clock() - before;
        smallest = std::min(smallest, bonus);
        largest = std::max(largest, bonus);
    }
    EXPECT_GE(smallest, 5000);
    EXPECT_LE(largest, 14999);
    EXPECT_GT(largest - smallest, 2000) << "the bonus is drawn, not fixed";
    // The board is clear with far more than a minute left: a record, asked
    // for with the clock stopped and stored under the name typed.
    rig.Frames(1);
    ASSERT_NE(game->RecordDialog(), nullptr);
    const int32_t finalClock = game->Clock();
    rig.Idle(5000, 1);
    EXPECT_EQ(game->Clock(), finalClock) << "the clock stops at the end";
    rig.Type("zed");
    rig.ClickAndWait(375, 387); // "OK"
    rig.Frames(1);
    EXPECT_TRUE(game->RecordDialog() == nullptr && game->IsRecordDone());
    EXPECT_EQ(std::pair(game->Board()->GetRecordHolder(2), game->Board()->GetRecordValue(2)),
        std::pair(std::string_view("zed"), finalClock));
    board::SLayoutData expected = game_test::AllFreeLayout();
    expected.records[1] = {"zed", finalClock};
    EXPECT_EQ(platform::ReadWholeFile("Layouts\\Free"), board::EncodeLayout(expected));
}

TEST_F(VeskStyleTest, TheHintNeedsMoreThanFifteenSecondsLeft)
{
    // The click is reported in the frame 260 ms after the press, when the
    // frames before have taken 130 ms off the clock; ClickButton's frames
    // take 390 ms in all.
    // Time left at the hint, whether it was charged, the clock after. 15,001 ms
    // leave 1 ms after the charge: out of time, the clock stops.
    const std::tuple<int32_t, bool, int32_t> cases[] = {{15000, false, 14740}, {15001, true, 1}, {40000, true, 24740}};
    for (const auto& [leftAtHintMs, charged, finalMs] : cases) {
        SCOPED_TRACE(leftAtHintMs);
        CGameScreen* game = LoadWithClock(leftAtHintMs + 130);
        ASSERT_NE(game->Board(), nullptr);
        rig.ClickButton(CGameScreen::kHint);
        EXPECT_EQ(game->Clock(), finalMs);
        EXPECT_EQ(game->Board()->Tile(board::FindFirstPair(*game->Board())->first).hinted != 0, charged);
        rig.ClickButton(CGameScreen::kLeave);
    }
}

TEST_F(VeskStyleTest, OutOfTimeFreezesTheBoardSetsNoRecordAndNeverWraps)
{
    rig.frameMs = 100;
    CGameScreen* game = rig.Start(kVeskStyleScreenId);
    auto* vesk = static_cast<CVeskStyleScreen*>(game);
    rig.Frames(294); // 29.4 s
    EXPECT_FALSE(vesk->IsOutOfTime());
    EXPECT_EQ(game->HudTexts()[0], "Time Left:  0:00");
    rig.Frames(2);
    EXPECT_TRUE(vesk->IsOutOfTime());
    EXPECT_EQ(game->HudTexts()[0], "Game Over. Out of time!");
    const int32_t frozen = game->Clock();
    EXPECT_EQ(frozen, 500);
    rig.Frames(20);
    EXPECT_EQ(game->Clock(), frozen) << "the clock no longer moves";

    const auto pair = board::FindFirstPair(*game->Board());
    rig.ClickTile(pair->first);
    EXPECT_EQ(game->Selection(), -1) << "the board no longer reacts";
    rig.ClickButton(CGameScreen::kLeave); // the buttons still do
    EXPECT_EQ(rig.framework.CurrentId(), kMainMenuScreenId);

    // A long frame drives the clock below zero without wrapping.
    game = rig.Start(kVeskStyleScreenId);
    rig.Frames(1);
    rig.Idle(3'000'000'000u, 1); // half the tick range: a wrap would read as positive
    EXPECT_LT(game->Clock(), 0);
    EXPECT_TRUE(vesk->IsOutOfTime());
    EXPECT_EQ(game->HudTexts()[0], "Game Over. Out of time!");
}

} // namespace
