// The main menu with its pages on a framework of fakes, frame by frame: the
// built run folder's pictures, sounds and data copied in, three stand-in game
// screens (ids 2 to 4) that note what they find when they are activated, and
// helpers that click as a player does and read files back byte for byte.
#pragma once

#include "gui/FrameworkHarness.h"
#include "gui/StateScreen.h"
#include "platform/Files.h"
#include "screens/MainMenuScreen.h"
#include "screens/SettingsFiles.h"
#include "screens/SharedValues.h"

#include "platform/InputKeyCodes.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace page_test {

using Bytes = std::vector<uint8_t>;

// The game choice as the game's writer lays it out (its bytes are checked
// against a hand-laid copy in SettingsFilesTest, as are the options').
inline Bytes PlayGameBytes(int32_t type, const std::string& layout) { return EncodePlayGame({type, layout}); }

// A game screen that only notes the files and values its activation sees.
class CStandInGame : public CStateScreen {
public:
    using CStateScreen::CStateScreen;
    bool Activate() override
    {
        ++activations;
        playGameSeen = platform::ReadWholeFile("Data\\PlayGame.dat").value_or(Bytes{});
        pendingSeen = pendingLoadPath;
        pendingLoadPath.clear();
        return true;
    }
    int activations = 0;
    Bytes playGameSeen;
    std::string pendingSeen;
};

class CPageRig {
public:
    // Page-relative points are at y + 125 on the screen.
    static constexpr int32_t kPageTop = 125;

    CPageRig()
    {
        for (const char* folder : {"Graphics/Gui", "Sounds", "Data"}) {
            EXPECT_TRUE(harness.CopyRunData(folder)) << folder << " (is VELMORA_RUN_DIR set and built?)";
        }
        harness.runFolder.MakeFolder("Layouts");
        harness.runFolder.MakeFolder("Graphics/Backdrops");
        harness.runFolder.MakeFolder("Graphics/Tile Sets");
        framework.SetFullScreenMode(800, 600, 32);
        menu = new CMainMenuScreen(&framework);
        menu->SetId(kMainMenuScreenId);
        framework.AddScreen(menu);
        for (int32_t id = kTraditionalScreenId; id <= kZandorScreenId; ++id) {
            auto* game = new CStandInGame(&framework);
            game->SetId(id);
            framework.AddScreen(game);
            games[static_cast<size_t>(id - kTraditionalScreenId)] = game;
        }
        // The values the pages share, as the game starts them.
        pendingLoadPath.clear();
        savedGameCheck = nullptr;
        musicFlag = 0;
    }

    void Start() { ASSERT_TRUE(framework.SwitchToScreen(kMainMenuScreenId)); }

    // Frames of 20 ms with the pointer at (x, y) and the left button as given.
    void Frames(int count, int32_t x, int32_t y, bool down)
    {
        for (int i = 0; i < count; ++i) {
            harness.Frame(framework, x, y, down);
        }
    }
    // A press of one frame, then frames with the button up until a button's
    // click has been reported (300 ms).
    void Click(int32_t x, int32_t y)
    {
        Frames(1, x, y, true);
        Frames(15, x, y, false);
    }
    void ClickOnPage(int32_t x, int32_t y) { Click(x, y + kPageTop); }
    // A main menu button by its index (0 Play Game ... 3 Help); also waits out
    // the button's lock-out.
    void ClickMenu(int button)
    {
        Click(675, 68 + 116 * button);
        Frames(10, 675, 10, false);
    }

    // A key held for one frame (Shift too when asked), then three frames up.
    void Key(uint8_t key, bool shift = false)
    {
        harness.SetKey(DIK_LSHIFT, shift);
        harness.SetKey(key, true);
        Frames(1, 700, 10, false);
        harness.SetKey(key, false);
        harness.SetKey(DIK_LSHIFT, false);
        Frames(3, 700, 10, false);
    }

    template <typename Page> Page* OpenPage() { return dynamic_cast<Page*>(menu->OpenPage()); }
    // The menu started and the page of a button opened.
    template <typename Page> Page* Open(int button)
    {
        Start();
        ClickMenu(button);
        return OpenPage<Page>();
    }

    Bytes Read(const std::string& gamePath) { return platform::ReadWholeFile(gamePath).value_or(Bytes{}); }
    void Write(const std::string& relative, const Bytes& bytes) { harness.runFolder.Write(relative, bytes); }
    void Write(const std::string& relative, const std::string& text) { harness.runFolder.Write(relative, text); }

    testing_support::CFrameworkHarness harness;
    CDXFramework framework{&harness.desktop};
    CMainMenuScreen* menu = nullptr;
    std::array<CStandInGame*, 3> games{};
};

} // namespace page_test
