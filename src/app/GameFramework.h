// The game's framework: the base framework plus the four state screens it
// creates at start-up and the options file it reads at start-up and rewrites
// when it goes windowed and when it shuts down.
#pragma once

#include "gui/DXFramework.h"

class CGameFramework : public CDXFramework {
public:
    explicit CGameFramework(platform::IDesktop* desktopServices);
    ~CGameFramework() override;

    // Reads the options, opens the display as they say and shows the main
    // menu. False when no display could be set up at all.
    bool Init() override;
    // Records full screen for the next start, then frees everything.
    void Shutdown() override;

    CStateScreen* mainMenu = nullptr;
    CStateScreen* traditionalGame = nullptr;
    CStateScreen* veskStyleGame = nullptr;
    CStateScreen* zandorGame = nullptr;

protected:
    // Going windowed records it in the options before the screens reload.
    void AfterDevicesMade(Mode mode) override;

private:
    bool shutDown = false;
};
