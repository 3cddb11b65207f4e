// Start-up, the windowed switch's options rewrite and the shut-down.
#include "app/GameFramework.h"

#include "game/SavedGame.h"
#include "game/TraditionalScreen.h"
#include "game/VeskStyleScreen.h"
#include "game/ZandorScreen.h"
#include "media/Display.h"
#include "media/Mouse.h"
#include "media/SoundSystem.h"
#include "screens/MainMenuScreen.h"
#include "screens/SettingsFiles.h"
#include "screens/SharedValues.h"

CGameFramework::CGameFramework(platform::IDesktop* desktopServices)
    : CDXFramework(desktopServices)
{
    width = 800;
    height = 600;
    bitsPerPixel = 32;
    windowed = true;
}

CGameFramework::~CGameFramework() { CGameFramework::Shutdown(); }

bool CGameFramework::Init()
{
    const SOptions options = ReadOptionsFile();
    musicFlag = options.playMusic;
    if (options.IsFullScreen()) {
        SetFullScreenMode(width, height, bitsPerPixel);
        if (display && !display->IsWindowed()) {
            bitsPerPixel = display->BitsPerPixel();
        }
    } else {
        SetWindowedMode(width, height);
    }
    if (!HasDisplay()) {
        return false;
    }
    mouse->sensitivity = CMouse::SensitivityFromOption(options.mouseSensitivity);
    sounds->SetVolume(options.soundVolume);

    auto addScreen = [this](CStateScreen* screen, int32_t id) {
        screen->SetId(id);
        AddScreen(screen);
        return screen;
    };
    mainMenu = addScreen(new CMainMenuScreen(this), kMainMenuScreenId);
    traditionalGame = addScreen(new CTraditionalScreen(this), kTraditionalScreenId);
    veskStyleGame = addScreen(new CVeskStyleScreen(this), kVeskStyleScreenId);
    zandorGame = addScreen(new CZandorScreen(this), kZandorScreenId);
    // The load page sits below the game and asks through this hook.
    savedGameCheck = game::IsUsableSavedGame;
    SwitchToScreen(kMainMenuScreenId);
    return true;
}

void CGameFramework::AfterDevicesMade(Mode mode)
{
    if (mode != Mode::Windowed) {
        return;
    }
    SOptions options = ReadOptionsFile();
    musicFlag = options.playMusic;
    options.fullScreen = 0;
    WriteOptionsFile(options);
}

void CGameFramework::Shutdown()
{
    if (!shutDown) {
        shutDown = true;
        SOptions options = ReadOptionsFile();
        musicFlag = options.playMusic;
        options.fullScreen = 1;
        WriteOptionsFile(options);
    }
    CDXFramework::Shutdown();
    mainMenu = nullptr;
    traditionalGame = nullptr;
    veskStyleGame = nullptr;
    zandorGame = nullptr;
}
