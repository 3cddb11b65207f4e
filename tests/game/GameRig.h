// A game screen on the fake framework, driven frame by frame as a player
// would: the run folder's pictures, sounds and fonts, layouts written by the
// test, clicks at the tiles' pick boxes and keys typed into dialogs.
#pragma once

#include "board/Board.h"
#include "board/BoardGeometry.h"
#include "board/LayoutFile.h"
#include "board/Rules.h"
#include "board/TilePick.h"
#include "game/GameScreen.h"
#include "game/SavedGame.h"
#include "game/TraditionalScreen.h"
#include "game/VeskStyleScreen.h"
#include "game/ZandorScreen.h"
#include "gui/DXFramework.h"
#include "gui/FrameworkHarness.h"
#include "gui/TextButton.h"
#include "media/Mouse.h"
#include "platform/InputKeyCodes.h"
#include "screens/MainMenuScreen.h"
#include "screens/SettingsFiles.h"
#include "screens/SharedValues.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace game_test {

// 144 tiles that are all free from the start and stay so: level 0 at columns
// 0, 4, ..., 28 and level 1 at columns 2, 6, ..., 30 on every second row, and
// 16 tiles on level 2 over the level-0 tiles of rows 0 and 2 (nothing lies
// on the tiles below them, so no tile is ever covered).
inline board::SLayoutData AllFreeLayout()
{
    board::SLayoutData data;
    int t = 0;
    for (int r = 0; r < board::kRows; r += 2) {
        for (int c = 0; c < board::kColumns; c += 4) {
            data.cells[t++] = board::TileCells({c, r, 0});
            data.cells[t++] = board::TileCells({c + 2, r, 1});
        }
    }
    for (int r = 0; r < 4; r += 2) {
        for (int c = 0; c < board::kColumns; c += 4) {
            data.cells[t++] = board::TileCells({c, r, 2});
        }
    }
    data.records = {{{"Ada", 900000}, {"Bo", 60000}, {"Cy", 25}}};
    return data;
}

class CGameRig {
public:
    static constexpr const char* kLayoutName = "Free";

    explicit CGameRig(const board::SLayoutData& layout = AllFreeLayout())
    {
        available = harness.CopyRunData("Graphics") && harness.CopyRunData("Sounds") && harness.CopyRunData("Data");
        for (const char* flag : {"Data/Help1.dat", "Data/Help2.dat", "Data/Help3.dat"}) {
            harness.runFolder.Write(flag, std::string("100"));
        }
        harness.runFolder.MakeFolder("Layouts");
        WriteLayout(kLayoutName, layout);
        SOptions options;
        options.backdrop = "Emerald Felt.bmp";
        options.tileSet = "Ivory";
        WriteOptionsFile(options);
        framework.SetFullScreenMode(800, 600, 32);
        zandor = new CZandorScreen(&framework);
        const std::pair<CStateScreen*, int32_t> screens[] = {{new CMainMenuScreen(&framework), kMainMenuScreenId},
            {new CTraditionalScreen(&framework), kTraditionalScreenId},
            {new CVeskStyleScreen(&framework), kVeskStyleScreenId}, {zandor, kZandorScreenId}};
        for (const auto& [screen, id] : screens) {
            screen->SetId(id);
            framework.AddScreen(screen);
        }
    }

    // The layouts the game ships, beside the test's own.
    bool CopyBuiltLayouts() { return harness.CopyRunData("Layouts"); }

    void WriteLayout(const std::string& name, const board::SLayoutData& layout)
    {
        harness.runFolder.Write("Layouts/" + name, board::EncodeLayout(layout));
    }

    // A fresh deal of the free layout saved with this clock (and whatever
    // `adjust` changes), then loaded into the screen of its type.
    CGameScreen* LoadDealt(int32_t gameType, int32_t clockMs,
        const std::function<void(game::SSavedGame&, const board::CBoard&)>& adjust = {})
    {
        auto board = std::make_unique<board::CBoard>();
        board->LoadLayout("Layouts\\Free");
        board::DealNewGame(*board);
        game::SSavedGame saved = game::CaptureBoard(*board, gameType, clockMs);
        if (adjust) {
            adjust(saved, *board);
        }
        EXPECT_TRUE(game::WriteSavedGame("Dealt", saved));
        pendingLoadPath = "Saves\\Dealt";
        framework.SwitchToScreen(gameType + 1);
        return Current();
    }

    // The current board emptied and these tiles placed, numbered in order.
    struct SLaidTile {
        board::SCellPosition topLeft;
        int group, face;
    };
    void Lay(const std::vector<SLaidTile>& tiles)
    {
        board::CBoard& b = *Current()->Board();
        b.ResetBoard();
        for (size_t t = 0; t < tiles.size(); ++t) {
            b.PlaceTile(static_cast<int>(t), tiles[t].topLeft, static_cast<int>(t), tiles[t].group, tiles[t].face);
        }
    }

    static int HintedCount(const board::CBoard& b)
    {
        int count = 0;
        for (int t = 0; t < board::kTileCount; ++t) {
            count += b.Tile(t).hinted;
        }
        return count;
    }

    // Starts a new game of the screen's type on the layout.
    CGameScreen* Start(int32_t screenId, const std::string& layout = kLayoutName)
    {
        WritePlayGameFile({screenId - 1, layout});
        framework.SwitchToScreen(screenId);
        return Current();
    }

    CGameScreen* Current() const { return dynamic_cast<CGameScreen*>(framework.CurrentScreen()); }

    // One frame with the pointer at (x, y) and the left button as given,
    // then the clock moves on by frameMs.
    void Frame(int32_t x, int32_t y, bool down)
    {
        framework.Mouse()->x = x;
        framework.Mouse()->y = y;
        harness.SetLeftButton(down);
        framework.RunFrame();
        harness.clock->Advance(frameMs);
    }
    void Frames(int count, int32_t x = 5, int32_t y = 5)
    {
        for (int i = 0; i < count; ++i) {
            Frame(x, y, false);
        }
    }
    // Runs `frames` with each frame taking ms.
    template <typename Frames> void Taking(uint32_t ms, const Frames& frames)
    {
        const uint32_t saved = std::exchange(frameMs, ms);
        frames();
        frameMs = saved;
    }
    // One frame that takes ms, then so many ordinary ones.
    void Idle(uint32_t ms, int thenFrames = 0)
    {
        Taking(ms, [this] { Frame(5, 5, false); });
        Frames(thenFrames);
    }

    // Down for one frame, then up.
    void Click(int32_t x, int32_t y)
    {
        Frame(x, y, true);
        Frame(x, y, false);
    }

    // A press and the frames until the click is reported (250 ms later) and
    // the button takes a new press (500 ms): four frames of 130 ms after the
    // press, so 390 ms pass within frames.
    static constexpr int32_t kClickFramesMs = 390;
    void ClickAndWait(int32_t x, int32_t y)
    {
        Frame(x, y, true);
        Taking(130, [&] { Frames(4, x, y); });
    }

    void ClickButton(CGameScreen::EButton button) { ClickAndWait(25 + 150 * static_cast<int32_t>(button) + 75, 567); }

    // A point where the pick finds this tile, searched over its pick box.
    std::optional<board::SPixelPoint> PointOnTile(int tile) const
    {
        const board::CBoard& board = *Current()->Board();
        const board::CBoardCell& cell = *board.Tile(tile).cells[0];
        const auto [px, py] = board::CellPixel({cell.column, cell.row, cell.level});
        for (int y = py + 1; y < py + 57; ++y) {
            for (int x = px + 1; x < px + 40; ++x) {
                if (board::PickTile(board, x, y) == tile) {
                    return board::SPixelPoint{x, y};
                }
            }
        }
        return std::nullopt;
    }

    void ClickTile(int tile)
    {
        const auto point = PointOnTile(tile);
        ASSERT_TRUE(point) << "no point picks tile " << tile;
        Click(point->x, point->y);
    }

    // A key held for one frame (with Control and Shift as given), then let go.
    enum EModifier { kNoModifier = 0, kControl = 1, kShift = 2 };
    void Key(uint8_t key, int modifiers = kNoModifier)
    {
        harness.SetKey(DIK_LCONTROL, (modifiers & kControl) != 0);
        harness.SetKey(DIK_LSHIFT, (modifiers & kShift) != 0);
        harness.SetKey(key, true);
        Frame(5, 5, false);
        harness.SetKey(key, false);
        harness.SetKey(DIK_LCONTROL, false);
        harness.SetKey(DIK_LSHIFT, false);
        Frame(5, 5, false);
    }

    // Types letters and digits one every 210 ms (the box's repeat block);
    // anything else is a Space.
    void Type(const std::string& text)
    {
        // The letter and digit keys at their codes (DIK_1 is 2, DIK_Q 16, DIK_A 30, DIK_Z 44).
        static constexpr std::string_view kKeys = "  1234567890    qwertyuiop    asdfghjkl     zxcvbnm";
        for (const char c : text) {
            const size_t at = c == ' ' ? std::string_view::npos : kKeys.find(c);
            const uint8_t key = at == std::string_view::npos ? DIK_SPACE : static_cast<uint8_t>(at);
            harness.SetKey(key, true);
            Taking(210, [this] { Frame(5, 5, false); });
            harness.SetKey(key, false);
        }
    }

    // Takes pairs as a player would until none is left: the first available
    // pair each time, clicked at its tiles; false when the board offers no
    // pair before it is empty.
    bool ClearBoard(int maxPairs = 72)
    {
        for (int i = 0; i < maxPairs; ++i) {
            const auto pair = board::FindFirstPair(*Current()->Board());
            if (!pair) {
                return false;
            }
            ClickTile(pair->first);
            ClickTile(pair->second);
        }
        return true;
    }

    testing_support::CFrameworkHarness harness;
    CDXFramework framework{&harness.desktop};
    bool available = false;
    uint32_t frameMs = 20;
    CZandorScreen* zandor = nullptr;
};

// The game tests' fixture. The run folder's data is required: CTest builds
// it and names it in VELMORA_RUN_DIR, so without it a test fails instead of
// passing unseen as a skip. Frames take FrameMs each.
template <uint32_t FrameMs = 20> class CGameTest : public testing::Test {
protected:
    CGameTest() { rig.frameMs = FrameMs; }
    void SetUp() override { ASSERT_TRUE(rig.available) << "VELMORA_RUN_DIR names no built run folder"; }

    CGameRig rig;
};

} // namespace game_test
