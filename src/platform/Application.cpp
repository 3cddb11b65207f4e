// The message loop and the frame window on SDL's event queue.
#include "platform/Application.h"

#include "platform/Clock.h"
#include "platform/VideoSdl.h"
#include "platform/PressLatch.h"
#include "platform/SdlPresenter.h"
#include "platform/Window.h"

#include <cassert>
#include <csignal>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace platform {

namespace {
// The application whose loop is running; posted messages go to it.
CApplication* runningApplication = nullptr;
} // namespace

CFrameWindow::CFrameWindow() = default;

CFrameWindow::~CFrameWindow() = default;

bool CFrameWindow::Create(const std::string& title, int32_t width, int32_t height)
{
    auto made = CWindow::Create(title, width, height);
    if (!made) {
        return false;
    }
    AttachWindow(std::move(made));
    OnCreate();
    return true;
}

void CFrameWindow::AttachWindow(std::unique_ptr<CWindow> made)
{
    window = std::move(made);
    hasWindow = true;
}

void CFrameWindow::DestroyWindow()
{
    if (!hasWindow) {
        return;
    }
    hasWindow = false;
    OnDestroy();
    window.reset();
}

void CFrameWindow::Dispatch(WindowMessage message)
{
    if (!hasWindow) {
        return;
    }
    switch (message) {
    case WindowMessage::Close:
        OnClose();
        break;
    case WindowMessage::Paint:
        OnPaint();
        break;
    case WindowMessage::Size:
        OnSize();
        break;
    case WindowMessage::KillFocus:
        OnKillFocus();
        break;
    case WindowMessage::SetFocus:
        OnSetFocus();
        break;
    case WindowMessage::Minimize:
        OnMinimize();
        break;
    }
}

CApplication::CApplication()
    : messageSource(ReadSystemMessages)
{
}

CApplication::~CApplication()
{
    if (runningApplication == this) {
        runningApplication = nullptr;
    }
}

bool CApplication::OnIdle(long) { return false; }

void CApplication::PostQuitMessage(int exitCode)
{
    if (runningApplication && !runningApplication->quitPosted) {
        runningApplication->quitPosted = true;
        runningApplication->quitCode = exitCode;
    }
}

void CApplication::PostCloseMessage()
{
    if (runningApplication) {
        runningApplication->posted.push_back(WindowMessage::Close);
    }
}

void CApplication::DrainMessages()
{
    std::vector<WindowMessage> arrived;
    messageSource(arrived);
    posted.insert(posted.end(), arrived.begin(), arrived.end());
    while (!posted.empty() && !quitPosted) {
        const WindowMessage message = posted.front();
        posted.pop_front();
        if (mainWindow) {
            mainWindow->Dispatch(message);
        }
    }
}

int CApplication::Run()
{
    assert(runningApplication == nullptr || runningApplication == this);
    runningApplication = this;
    quitPosted = false;
    // A connection that breaks (the display server going away, a helper
    // process of a system library ending early) is reported by the call that
    // wrote to it; the default action would end the game without a word.
    std::signal(SIGPIPE, SIG_IGN);
#if defined(__GLIBC__)
    // Pictures at the display's scale are large (a 4x backdrop is 31 MB) and
    // made and let go as screens change. With the C library's default the
    // first one freed raises its threshold for mapping blocks of their own,
    // after which every later picture comes from the heap and its pages stay
    // with the process once freed; a fixed threshold gives them back.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
#endif
    if (InitInstance()) {
        long idleCount = 0;
        for (;;) {
            DrainMessages();
            if (quitPosted) {
                break;
            }
            // An application that wants no more idle time waits for messages
            // instead of spinning.
            if (!OnIdle(idleCount++)) {
                WaitMs(1);
            }
            if (quitPosted) {
                break;
            }
        }
    }
    const int status = ExitInstance();
    runningApplication = nullptr;
    return status;
}

void ReadSystemMessages(std::vector<WindowMessage>& messages)
{
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_QUIT) {
            messages.push_back(WindowMessage::Close);
            continue;
        }
        if (event.type != SDL_WINDOWEVENT) {
            continue;
        }
        switch (event.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
            messages.push_back(WindowMessage::Close);
            break;
        case SDL_WINDOWEVENT_EXPOSED:
            NoteWindowExposed();
            messages.push_back(WindowMessage::Paint);
            break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            NoteWindowExposed();
            messages.push_back(WindowMessage::Size);
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            messages.push_back(WindowMessage::KillFocus);
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            messages.push_back(WindowMessage::SetFocus);
            break;
        case SDL_WINDOWEVENT_MINIMIZED:
        case SDL_WINDOWEVENT_HIDDEN:
            messages.push_back(WindowMessage::Minimize);
            break;
        default:
            break;
        }
    }
    NoteEventDrain();
}

} // namespace platform
