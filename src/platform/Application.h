// The application framework the game is built on: an application object whose
// message loop offers idle time one call at a time, and a frame window whose
// handlers receive the window's messages between those calls. SDL's event
// queue is the message queue; nothing of SDL shows here.
#pragma once

#include "platform/VideoTypes.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform {

class CWindow;

enum class WindowMessage {
    Close, // the player or the window manager asked to close the window
    Paint, // part of the client area must be drawn again
    Size, // the client area changed size
    KillFocus,
    SetFocus,
    Minimize, // the window was minimised or hidden
};

// The frame window: one platform window and its message handlers. Handlers
// run on the loop's thread, between two idle calls.
class CFrameWindow {
public:
    CFrameWindow();
    virtual ~CFrameWindow();
    CFrameWindow(const CFrameWindow&) = delete;
    CFrameWindow& operator=(const CFrameWindow&) = delete;

    // Opens the shown window with a client area of width x height, then runs
    // OnCreate. False (and no window) when the desktop cannot make one.
    bool Create(const std::string& title, int32_t width, int32_t height);
    // Runs OnDestroy, then closes the window. Does nothing without a window.
    void DestroyWindow();
    CWindow* Window() const { return window.get(); }
    // Adopts a window made elsewhere (tests make one without a display).
    void AttachWindow(std::unique_ptr<CWindow> made);

    // One message, as the loop hands it over.
    void Dispatch(WindowMessage message);

protected:
    virtual void OnCreate() {}
    virtual void OnDestroy() {}
    virtual void OnPaint() {}
    virtual void OnSize() {}
    virtual void OnKillFocus() {}
    virtual void OnSetFocus() {}
    virtual void OnMinimize() {}
    // By default a close request destroys the window.
    virtual void OnClose() { DestroyWindow(); }

private:
    std::unique_ptr<CWindow> window;
    bool hasWindow = false;
};

// Where the loop takes its messages from: the system queue by default.
// Appends the pending messages in the order they arrived.
using MessageSource = std::function<void(std::vector<WindowMessage>&)>;

// The application object. Run is the message loop: after InitInstance it
// drains the message queue into the main window's handlers, then makes one
// OnIdle call, and repeats until a quit message is posted; then ExitInstance
// gives the program's exit status.
class CApplication {
public:
    CApplication();
    virtual ~CApplication();
    CApplication(const CApplication&) = delete;
    CApplication& operator=(const CApplication&) = delete;

    virtual bool InitInstance() { return true; }
    // One call is one frame; returning true asks for another call as soon as
    // the queue is empty again.
    virtual bool OnIdle(long idleCount);
    virtual int ExitInstance() { return quitCode; }

    int Run();
    void SetMessageSource(MessageSource source) { messageSource = std::move(source); }

    CFrameWindow* mainWindow = nullptr;

    // The posted messages of the one running application.
    static void PostQuitMessage(int exitCode);
    static void PostCloseMessage();

private:
    void DrainMessages();

    MessageSource messageSource;
    std::deque<WindowMessage> posted;
    bool quitPosted = false;
    int quitCode = 0;
};

// The system queue: every pending SDL event, as window messages.
void ReadSystemMessages(std::vector<WindowMessage>& messages);

} // namespace platform
