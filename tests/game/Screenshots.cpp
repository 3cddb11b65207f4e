// Pictures of the game screens for a developer to look at, not a test:
//   VELMORA_GAME_SHOTS=DIR velmora_tests_game --gtest_also_run_disabled_tests
//       --gtest_filter='*Screenshots*'
// writes one .ppm per situation into DIR (each game type in play, paused,
// with a selection and the hint mark, each dialog, Vesk Style out of time,
// Zandor with its panel, at 32 and 16 bits).
#include "GameRig.h"

#include "game/SavedGame.h"
#include "platform/FakeVideoBackend.h"
#include "platform/Surface.h"
#include "screens/SharedValues.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>

using game_test::CGameRig;

namespace {

void WriteShown(CGameRig& rig, const std::string& folder, const std::string& name)
{
    platform::CSurface* shown = rig.harness.video.state.shown.get();
    ASSERT_NE(shown, nullptr);
    auto rgb = platform::CSurface::Create(shown->Width(), shown->Height(), platform::PixelFormat::ForDepth(32));
    rgb->Blit(*shown, {0, 0, shown->Width(), shown->Height()}, {0, 0, shown->Width(), shown->Height()});
    std::ofstream out(folder + "/" + name + ".ppm", std::ios::binary);
    out << "P6\n" << rgb->Width() << " " << rgb->Height() << "\n255\n";
    for (int y = 0; y < rgb->Height(); ++y) {
        for (int x = 0; x < rgb->Width(); ++x) {
            const uint32_t p = rgb->GetPixel(x, y);
            const char bytes[3] = {static_cast<char>(p >> 16), static_cast<char>(p >> 8), static_cast<char>(p)};
            out.write(bytes, 3);
        }
    }
}

TEST(GameScreens, DISABLED_Screenshots)
{
    const char* folder = std::getenv("VELMORA_GAME_SHOTS");
    if (!folder) {
        GTEST_SKIP() << "VELMORA_GAME_SHOTS names no folder";
    }
    const std::string out = folder;
    for (int32_t bits : {32, 16}) {
        CGameRig rig(board::SLayoutData{});
        ASSERT_TRUE(rig.available);
        rig.CopyBuiltLayouts();
        rig.framework.SetFullScreenMode(800, 600, bits);
        const std::string depth = "-" + std::to_string(bits);
        for (int32_t id : {kTraditionalScreenId, kVeskStyleScreenId, kZandorScreenId}) {
            const std::string type = std::to_string(id - 1);
            CGameScreen* game = rig.Start(id, "Turtle");
            ASSERT_NE(game->Board(), nullptr);
            rig.Frames(2, 400, 300);
            WriteShown(rig, out, "type" + type + "-play" + depth);
            const auto pair = board::FindFirstPair(*game->Board());
            rig.ClickTile(pair->first);
            rig.ClickButton(CGameScreen::kHint);
            rig.Frames(1, 700, 450);
            WriteShown(rig, out, "type" + type + "-selection-hint" + depth);
            rig.ClickButton(CGameScreen::kPause);
            WriteShown(rig, out, "type" + type + "-paused" + depth);
            rig.Click(400, 300);
            rig.ClickButton(CGameScreen::kSave);
            rig.Type("my game");
            WriteShown(rig, out, "type" + type + "-save-dialog" + depth);
            rig.ClickAndWait(540, 387);
            rig.ClickButton(CGameScreen::kLeave);
        }
        rig.harness.runFolder.Write("Data/Help2.dat", std::string("0"));
        CGameScreen* game = rig.Start(kVeskStyleScreenId, "Turtle");
        rig.Frames(1, 400, 300);
        WriteShown(rig, out, "intro" + depth);
        rig.ClickAndWait(552, 380);
        rig.Idle(40000);
        rig.Frames(2, 400, 300);
        WriteShown(rig, out, "vesk-out-of-time" + depth);
        rig.ClickButton(CGameScreen::kLeave);
        game = rig.Start(kTraditionalScreenId, "Turtle");
        game->Board()->ResetBoard();
        rig.Frames(2, 400, 300);
        WriteShown(rig, out, "record-dialog" + depth);
        rig.ClickButton(CGameScreen::kLeave);
    }
    // The near-empty saved game the end-to-end suite loads, with the
    // pointer outside the picture's board area.
    CGameRig rig(board::SLayoutData{});
    rig.CopyBuiltLayouts();
    auto board = std::make_unique<board::CBoard>();
    board->LoadLayout("Layouts\\Turtle");
    board->ResetBoard();
    board->PlaceTile(0, {2, 2, 0}, 0, 5, 5);
    board->PlaceTile(1, {10, 2, 0}, 1, 5, 5);
    board->PlaceTile(2, {2, 8, 0}, 2, 101, 35);
    board->PlaceTile(3, {10, 8, 0}, 3, 101, 37);
    game::WriteSavedGame("near", game::CaptureBoard(*board, 1, 1000));
    pendingLoadPath = "Saves\\near";
    rig.framework.SwitchToScreen(kTraditionalScreenId);
    rig.Frames(2, 790, 590);
    WriteShown(rig, out, "near-saved");
}

} // namespace
