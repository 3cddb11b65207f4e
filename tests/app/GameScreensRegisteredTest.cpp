// The framework's start-up registers the three game screens under their ids
// and hands the load page the game's own saved-game check.
#include "app/GameFramework.h"
#include "game/GameScreen.h"
#include "game/SavedGame.h"
#include "gui/FrameworkHarness.h"
#include "screens/SharedValues.h"

#include <gtest/gtest.h>

namespace {

TEST(GameScreensRegistered, IdsTwoToFourAreTheGameTypesAndTheLoadPageAsksTheGame)
{
    testing_support::CFrameworkHarness harness;
    harness.CopyRunData("Data");
    savedGameCheck = nullptr;
    CGameFramework framework(&harness.desktop);
    ASSERT_TRUE(framework.Init());
    EXPECT_EQ(framework.StateScreenCount(), 4);
    const CStateScreen* screens[] = {framework.traditionalGame, framework.veskStyleGame, framework.zandorGame};
    for (int i = 0; i < 3; ++i) {
        const auto* game = dynamic_cast<const CGameScreen*>(screens[i]);
        ASSERT_NE(game, nullptr);
        EXPECT_EQ(game->GetId(), i + 2);
        EXPECT_EQ(game->GameType(), i + 1);
    }
    ASSERT_TRUE(savedGameCheck);
    // A file whose first field names a type but whose layout is gone: the
    // game's check refuses what a look at the type alone would pass.
    game::SSavedGame saved;
    saved.layoutPath = "Layouts\\Gone";
    ASSERT_TRUE(game::WriteSavedGame("gone", saved));
    EXPECT_FALSE(savedGameCheck("Saves\\gone"));
    savedGameCheck = nullptr;
}

} // namespace
