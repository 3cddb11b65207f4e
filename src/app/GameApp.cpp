// Start-up, the idle frame and the orderly end.
#include "app/GameApp.h"

#include "platform/Desktop.h"
#include "platform/Files.h"
#include "platform/Window.h"

#include <chrono>
#include <cstdlib>
#include <iostream>

CGameFramework* gameFramework = nullptr;

CMainFrame::CMainFrame()
{
    if (!platform::HasDesktopDisplay()) {
        std::cerr << "velmora-mahjongg: no display to open the game window on (is DISPLAY set?)\n";
        failed = true;
        return;
    }
    if (!Create(kWindowTitle, 800, 600)) {
        std::cerr << "velmora-mahjongg: the game window could not be opened\n";
        failed = true;
        return;
    }
    if (!Window()->SetIcon(platform::NativePath(kWindowIconPath))) {
        std::cerr << "Missing or unreadable bitmap: " << kWindowIconPath << "\n";
    }
    desktop = platform::CreateSystemDesktop(Window());
    gameFramework = new CGameFramework(desktop.get());
    gameFramework->idleWhenQuiet = true;
    if (!gameFramework->Init()) {
        std::cerr << "velmora-mahjongg: the display could not be set up, neither full screen nor in a window\n";
        failed = true;
        DestroyWindow();
    }
}

CMainFrame::~CMainFrame() { DestroyWindow(); }

void CMainFrame::OnDestroy()
{
    delete gameFramework;
    gameFramework = nullptr;
    platform::CApplication::PostQuitMessage(0);
}

void CMainFrame::OnKillFocus()
{
    if (gameFramework) {
        gameFramework->OnFocusLost();
    }
}

void CMainFrame::OnSetFocus()
{
    if (gameFramework) {
        gameFramework->OnFocusGained();
    }
}

void CMainFrame::OnMinimize()
{
    if (gameFramework) {
        gameFramework->OnWindowAway();
    }
}

bool CGameApp::InitInstance()
{
    traceTiming = std::getenv("VELMORA_TRACE_TIMING") != nullptr;
    mainFrame = std::make_unique<CMainFrame>();
    mainWindow = mainFrame.get();
    if (mainFrame->Failed()) {
        exitStatus = 1;
        PostQuitMessage(exitStatus);
    }
    return true;
}

bool CGameApp::OnIdle(long)
{
    if (!gameFramework) {
        return true;
    }
    const auto frameStart = std::chrono::steady_clock::now();
    const int32_t modeSetsBefore = gameFramework->modeSetCount;
    const int32_t result = gameFramework->RunFrame();
    if (traceTiming) {
        TraceFrame(frameStart, gameFramework && gameFramework->modeSetCount != modeSetsBefore);
    }
    if (result == -1) {
        PostCloseMessage();
    }
    return true;
}

// For measuring start-up and mode switches from outside: the monotonic time of
// the first presented frame, and how long each frame that set a mode took.
void CGameApp::TraceFrame(std::chrono::steady_clock::time_point frameStart, bool setMode)
{
    const auto now = std::chrono::steady_clock::now();
    if (!firstFrameTraced) {
        firstFrameTraced = true;
        std::cerr << "timing first-frame " << std::chrono::duration<double>(now.time_since_epoch()).count() << "\n";
    }
    if (setMode) {
        std::cerr << "timing mode-switch-frame " << std::chrono::duration<double, std::milli>(now - frameStart).count()
                  << "\n";
    }
}

int CGameApp::ExitInstance()
{
    mainWindow = nullptr;
    mainFrame.reset();
    return exitStatus;
}
