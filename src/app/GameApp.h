// The application object and the main window of the game. The window's
// construction performs the start-up; each idle call runs one frame; a frame
// that ends the program closes the window, whose destruction shuts the
// framework down and ends the message loop.
#pragma once

#include "app/GameFramework.h"
#include "platform/Application.h"
#include "platform/Desktop.h"

#include <chrono>
#include <memory>

class CMainFrame : public platform::CFrameWindow {
public:
    static constexpr const char* kWindowTitle = "Velmora Mahjongg 2.3";
    static constexpr const char* kWindowIconPath = "Graphics\\Gui\\Window Icon.bmp";

    // Opens the window and starts the framework. Failed() tells whether the
    // game can run at all.
    CMainFrame();
    ~CMainFrame() override;

    bool Failed() const { return failed; }

protected:
    void OnDestroy() override;
    void OnPaint() override {}
    void OnKillFocus() override;
    void OnSetFocus() override;
    void OnMinimize() override;

private:
    std::unique_ptr<platform::IDesktop> desktop;
    bool failed = false;
};

class CGameApp : public platform::CApplication {
public:
    bool InitInstance() override;
    bool OnIdle(long idleCount) override;
    int ExitInstance() override;

private:
    void TraceFrame(std::chrono::steady_clock::time_point frameStart, bool setMode);

    std::unique_ptr<CMainFrame> mainFrame;
    int exitStatus = 0;
    bool traceTiming = false;
    bool firstFrameTraced = false;
};

// The one framework, reached by the window's handlers; null before start-up
// and after the window is destroyed.
extern CGameFramework* gameFramework;
