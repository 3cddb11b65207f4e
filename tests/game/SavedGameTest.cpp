// Saved game files: the bytes of each type laid out by hand from the format's
// table and compared with what each game screen saves through the save
// dialog, the refusals of the reader and of the check the load page asks,
// and an ended game saved and loaded.
#include "GameRig.h"

#include "game/SavedGame.h"
#include "platform/Files.h"
#include "screens/SaveNameDialog.h"
#include "screens/SharedValues.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

using game_test::CGameRig;

namespace {

void Put32(std::vector<uint8_t>& bytes, size_t offset, int32_t value)
{
    for (int i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<uint8_t>(static_cast<uint32_t>(value) >> (8 * i));
    }
}

struct SHandTile {
    int32_t dealIndex, matchGroup, face, column, row, level;
};

// The file as the format's table lays it out: type and clock, for Zandor the
// three extra numbers, the 1,024-byte path (zeros after the text), the count
// and 60 bytes per tile.
std::vector<uint8_t> HandMadeFile(int32_t type, int32_t clock, const std::string& path,
    const std::vector<SHandTile>& tiles, int32_t targetGroup = 0, int32_t targetFace = 0, int32_t missed = 0)
{
    const bool zandor = type == 3;
    const size_t pathAt = zandor ? 20 : 8;
    const size_t countAt = zandor ? 1044 : 1032;
    std::vector<uint8_t> bytes(countAt + 4 + 60 * tiles.size(), 0);
    Put32(bytes, 0, type);
    Put32(bytes, 4, clock);
    if (zandor) {
        Put32(bytes, 8, targetGroup);
        Put32(bytes, 12, targetFace);
        Put32(bytes, 16, missed);
    }
    std::memcpy(&bytes[pathAt], path.data(), path.size());
    Put32(bytes, countAt, static_cast<int32_t>(tiles.size()));
    for (size_t k = 0; k < tiles.size(); ++k) {
        const SHandTile& t = tiles[k];
        const size_t at = countAt + 4 + 60 * k;
        Put32(bytes, at, t.dealIndex);
        Put32(bytes, at + 4, t.matchGroup);
        Put32(bytes, at + 8, t.face);
        const int32_t dc[4] = {0, 1, 0, 1};
        const int32_t dr[4] = {0, 0, 1, 1};
        for (int cell = 0; cell < 4; ++cell) {
            Put32(bytes, at + 12 + 12 * cell, t.column + dc[cell]);
            Put32(bytes, at + 16 + 12 * cell, t.row + dr[cell]);
            Put32(bytes, at + 20 + 12 * cell, t.level);
        }
    }
    return bytes;
}

// The present tiles of a board, in table order, as hand tiles.
std::vector<SHandTile> TilesOf(const board::CBoard& b)
{
    std::vector<SHandTile> tiles;
    for (int t = 0; t < board::kTileCount; ++t) {
        const board::CTile& tile = b.Tile(t);
        if (tile.present) {
            const board::CBoardCell& cell = *tile.cells[0];
            tiles.push_back({tile.dealIndex, tile.matchGroup, tile.face, cell.column, cell.row, cell.level});
        }
    }
    return tiles;
}

// Two free tiles that match.
const std::vector<SHandTile> kTwo = {{0, 1, 1, 0, 0, 0}, {1, 1, 1, 4, 0, 0}};

TEST(SavedGameFormat, RefusesWhatTheBoardCannotHold)
{
    const auto good = HandMadeFile(1, 5000, "Layouts\\Free", kTwo);
    ASSERT_TRUE(game::DecodeSavedGame(good).Ok());
    using E = game::ESavedGameError;
    auto with = [&good](size_t offset, int32_t value) {
        auto bytes = good;
        Put32(bytes, offset, value);
        return bytes;
    };
    const size_t tile1 = 1036 + 60;
    const std::tuple<const char*, std::vector<uint8_t>, E> cases[] = {
        {"empty", {}, E::Short},
        {"only the type", std::vector<uint8_t>(good.begin(), good.begin() + 4), E::Short},
        {"no count", std::vector<uint8_t>(good.begin(), good.begin() + 1032), E::Short},
        {"a tile short", std::vector<uint8_t>(good.begin(), good.end() - 1), E::Short},
        {"type 0", with(0, 0), E::BadGameType},
        {"type 4", with(0, 4), E::BadGameType},
        {"count -1", with(1032, -1), E::BadTileCount},
        {"count 145", with(1032, 145), E::BadTileCount},
        {"count past the tiles", with(1032, 3), E::Short},
        {"face 0", with(tile1 + 8, 0), E::BadTile},
        {"face 43", with(tile1 + 8, 43), E::BadTile},
        {"column 31", HandMadeFile(1, 0, "L", {{0, 1, 1, 31, 0, 0}}), E::BadTile},
        {"row -1", HandMadeFile(1, 0, "L", {{0, 1, 1, 0, -1, 0}}), E::BadTile},
        {"level 8", HandMadeFile(1, 0, "L", {{0, 1, 1, 0, 0, 8}}), E::BadTile},
        {"cells not a square", with(tile1 + 24, 9), E::BadTile},
        {"on top of each other", HandMadeFile(1, 0, "L", {{0, 1, 1, 2, 2, 0}, {1, 1, 1, 3, 3, 0}}), E::SharedCell},
    };
    for (const auto& [what, bytes, error] : cases) {
        EXPECT_EQ(game::DecodeSavedGame(bytes).error, error) << what;
    }
    // A Zandor file is three numbers longer before the path.
    auto zandor = HandMadeFile(3, 0, "L", kTwo, 1, 1, 0);
    zandor.resize(1044);
    EXPECT_EQ(game::DecodeSavedGame(zandor).error, E::Short);
    // Bytes after the last tile are not read.
    auto longer = good;
    longer.push_back(7);
    EXPECT_TRUE(game::DecodeSavedGame(longer).Ok());
}

class SavedGameTest : public game_test::CGameTest<0> {
protected:
    void Write(const std::string& name, const std::vector<uint8_t>& bytes)
    {
        rig.harness.runFolder.Write("Saves/" + name, bytes);
    }
    // Save through the button and the dialog, typing the name. The clock
    // stands from the frame the dialog opens until the save; returns it.
    int32_t SaveAs(const std::string& name)
    {
        rig.ClickButton(CGameScreen::kSave);
        EXPECT_NE(rig.Current()->SaveDialog(), nullptr);
        EXPECT_TRUE(rig.Current()->IsPaused());
        const int32_t clock = rig.Current()->Clock();
        rig.Type(name);
        rig.ClickAndWait(375, 387); // "Save Game"
        rig.Frames(1);
        EXPECT_EQ(rig.Current()->SaveDialog(), nullptr);
        return clock;
    }
};

// (Loading a saved game back is tested with the game it matters to: Vesk
// Style's clock, Zandor's target and count.)
TEST_F(SavedGameTest, EachTypeSavesItsGameByteForByte)
{
    for (const int32_t screenId : {kTraditionalScreenId, kVeskStyleScreenId, kZandorScreenId}) {
        SCOPED_TRACE(screenId);
        CGameScreen* game = rig.Start(screenId);
        const auto pair = board::FindFirstPair(*game->Board());
        rig.ClickTile(pair->first);
        rig.ClickTile(pair->second);
        rig.ClickButton(CGameScreen::kHint);
        const int32_t clock = SaveAs("slot");
        EXPECT_FALSE(game->IsPaused());
        const int32_t type = screenId - 1;
        const auto* zandor = type == 3 ? static_cast<CZandorScreen*>(game) : nullptr;
        const std::vector<uint8_t> expected = HandMadeFile(type, clock, "Layouts\\Free", TilesOf(*game->Board()),
            zandor ? zandor->TargetGroup() : 0, zandor ? zandor->TargetFace() : 0, zandor ? zandor->MissedPairs() : 0);
        EXPECT_EQ(platform::ReadWholeFile("Saves\\slot"), expected);
        EXPECT_EQ(expected.size(), (type == 3 ? 1048u : 1036u) + 142 * 60);
        rig.ClickButton(CGameScreen::kLeave);
    }
}

// A cancelled record stores nothing and is not asked for again.
TEST_F(SavedGameTest, AGameSavedAfterItsRecordWasCancelledLoadsEmptyAndEnded)
{
    const auto layoutBefore = platform::ReadWholeFile("Layouts\\Free");
    CGameScreen* game = rig.Start(kTraditionalScreenId);
    ASSERT_TRUE(rig.ClearBoard());
    rig.Frames(1);
    ASSERT_NE(game->RecordDialog(), nullptr);
    rig.ClickAndWait(540, 387); // "Cancel"
    rig.Frames(5);
    EXPECT_TRUE(game->RecordDialog() == nullptr && game->IsRecordDone());
    EXPECT_EQ(platform::ReadWholeFile("Layouts\\Free"), layoutBefore);
    EXPECT_EQ(game->Board()->GetRecordHolder(1), "Ada");
    SaveAs("won");
    EXPECT_EQ(platform::ReadWholeFile("Saves\\won")->size(), 1036u);
    rig.ClickButton(CGameScreen::kLeave);
    pendingLoadPath = "Saves\\won";
    rig.framework.SwitchToScreen(kTraditionalScreenId);
    game = rig.Current();
    ASSERT_NE(game->Board(), nullptr);
    const int32_t clock = game->Clock();
    rig.Idle(5000, 1);
    EXPECT_EQ(game->Clock(), clock) << "an ended game's clock stands";
}

// An empty name saves under the default, in a Saves folder made for it. A
// save that fails (a folder where the file should go: the rename over it
// fails) says so, in the introduction's box, and leaves what was there;
// names that leave the folder are refused.
TEST_F(SavedGameTest, AnEmptyNameSavesUnderTheDefaultAndAFailedSaveSaysSo)
{
    std::filesystem::remove_all(rig.harness.runFolder.File("Saves"));
    CGameScreen* game = rig.Start(kTraditionalScreenId);
    SaveAs("");
    EXPECT_EQ(platform::ListFiles("Saves"), std::vector<std::string>{"Save File"});
    rig.harness.runFolder.MakeFolder("Saves/blocked");
    SaveAs("blocked");
    ASSERT_NE(game->IntroBox(), nullptr);
    EXPECT_TRUE(game->IsPaused());
    EXPECT_TRUE(std::filesystem::is_directory(rig.harness.runFolder.File("Saves/blocked")));
    EXPECT_FALSE(game->SaveGame(".."));
    EXPECT_FALSE(game->SaveGame("a\\b"));
}

// The check the load page asks refuses a short or missing file and a game
// whose layout is gone or broken; a game screen refuses those, a saved game
// of another type and a new game on a short or missing layout: no board, and
// back to the menu. The usable Traditional game is played.
TEST_F(SavedGameTest, UnusableSavedGamesAndLayoutsAreRefusedAndGoBackToTheMenu)
{
    Write("Short", std::vector<uint8_t>(10, 1));
    Write("Layout gone", HandMadeFile(1, 0, "Layouts\\Gone", kTwo));
    rig.harness.runFolder.Write("Layouts/Broken", std::vector<uint8_t>(7020, 0xFF));
    Write("Layout broken", HandMadeFile(1, 0, "Layouts\\Broken", kTwo));
    rig.harness.runFolder.Write("Layouts/Short", std::vector<uint8_t>(100, 0));
    Write("Vesk", HandMadeFile(2, 5000, "Layouts\\Free", kTwo));
    Write("Good", HandMadeFile(1, 5000, "Layouts\\Free", kTwo));
    // A saved game (else a layout for a new game), and whether the check takes it.
    const std::pair<const char*, bool> cases[] = {{"Saves\\Short", false}, {"Saves\\Missing", false},
        {"Saves\\Layout gone", false}, {"Saves\\Layout broken", false}, {"Short", false}, {"Missing", false},
        {"Saves\\Vesk", true}, {"Saves\\Good", true}};
    for (const auto& [name, usable] : cases) {
        SCOPED_TRACE(name);
        const bool plays = std::string_view(name) == "Saves\\Good";
        if (std::string_view(name).starts_with("Saves")) {
            EXPECT_EQ(game::IsUsableSavedGame(name), usable);
            pendingLoadPath = name;
            rig.framework.SwitchToScreen(kTraditionalScreenId);
            EXPECT_TRUE(pendingLoadPath.empty());
        } else {
            rig.Start(kTraditionalScreenId, name);
        }
        EXPECT_EQ(rig.Current()->Board() != nullptr, plays);
        rig.Frames(1);
        EXPECT_EQ(rig.framework.CurrentId(), plays ? kTraditionalScreenId : kMainMenuScreenId);
    }
}

} // namespace
