// The frame loop, the mode sets and the screen slots.
#include "gui/DXFramework.h"

#include "media/Display.h"
#include "media/FontTable.h"
#include "media/Input.h"
#include "media/Keyboard.h"
#include "media/Mouse.h"
#include "media/SoundSystem.h"
#include "platform/Clock.h"
#include "platform/InputKeyCodes.h"
#include "platform/PresentScaling.h"

#include <cstdio>
#include <iostream>

namespace {

constexpr uint32_t kFunctionKeyWaitMs = 500;
constexpr uint32_t kFailureWaitMs = 100;
constexpr uint32_t kWindowedFrameWaitMs = 10;
// A frame loop left alone: after this many frames that changed nothing on
// screen, and this long after the last key or button, it waits up to
// kIdleWaitMs a frame, ending the wait at once when input arrives.
constexpr int32_t kQuietFramesBeforeIdle = 3;
constexpr uint32_t kAwakeAfterInputMs = 1000;
constexpr uint32_t kIdleWaitMs = 70;
// Nothing at all changed for this long (an untouched menu, a paused game):
// the waits grow to kDeepIdleWaitMs. A running clock changes every second
// and keeps the shorter wait, so its seconds turn at most 70 ms late.
constexpr uint32_t kDeepIdleAfterMs = 2000;
constexpr uint32_t kDeepIdleWaitMs = 100;
constexpr uint32_t kFpsStartBackMs = 1001;

} // namespace

CDXFramework::CDXFramework(platform::IDesktop* desktopServices)
    : desktop(desktopServices)
{
}

CDXFramework::~CDXFramework() { CDXFramework::Shutdown(); }

bool CDXFramework::Init() { return true; }

void CDXFramework::Shutdown()
{
    if (!systemCursorShown) {
        desktop->ShowCursor(true);
        systemCursorShown = true;
    }
    slots.fill(nullptr);
    currentId = kNoScreenId;
    currentScreen = nullptr;
    // No Deactivate: a state screen's destructor cleans up after itself.
    stateScreens.clear();
    ReleaseDevices();
}

bool CDXFramework::AddScreen(CStateScreen* screen)
{
    stateScreens.emplace_front(screen);
    return true;
}

bool CDXFramework::RemoveScreen(CStateScreen* key)
{
    if (key == currentScreen) {
        return false;
    }
    std::unique_ptr<CStateScreen> ownedKey(key);
    // The current screen stays registered even when the key only shares its id.
    if (currentScreen && currentScreen->IsSameScreen(*key)) {
        return false;
    }
    for (auto it = stateScreens.begin(); it != stateScreens.end(); ++it) {
        if ((*it)->IsSameScreen(*key)) {
            if (it->get() == key) {
                ownedKey.release(); // the key is the registered screen itself
            }
            stateScreens.erase(it);
            break;
        }
    }
    return true;
}

void CDXFramework::Idle() {}

bool CDXFramework::SwitchToScreen(int32_t screenId)
{
    CStateScreen* found = nullptr;
    for (const auto& screen : stateScreens) {
        if (screen->GetId() == screenId) {
            found = screen.get();
            break;
        }
    }
    if (currentScreen) {
        CStateScreen* leaving = currentScreen;
        DetachScreen(leaving);
        leaving->Deactivate();
    }
    if (!found) {
        currentScreen = nullptr;
        currentId = kNoScreenId;
        return false;
    }
    currentScreen = found;
    currentId = found->GetId();
    AttachScreen(found);
    found->Activate();
    return true;
}

bool CDXFramework::AttachScreen(CScreen* screen)
{
    for (CScreen*& slot : slots) {
        if (slot == nullptr) {
            screen->display = display.get();
            screen->sounds = sounds.get();
            screen->keyboard = keyboard.get();
            screen->mouse = mouse.get();
            screen->fonts = fonts.get();
            slot = screen;
            return true;
        }
    }
    return false;
}

bool CDXFramework::DetachScreen(CScreen* screen)
{
    for (CScreen*& slot : slots) {
        if (slot == screen) {
            slot = nullptr;
            return true;
        }
    }
    return false;
}

void CDXFramework::ReleaseDevices()
{
    fonts.reset();
    display.reset();
    sounds.reset();
    mouse.reset();
    keyboard.reset();
    input.reset();
}

void CDXFramework::ReleaseScreenResources()
{
    for (CScreen* screen : slots) {
        if (screen) {
            screen->ReleaseResources();
        }
    }
}

void CDXFramework::LoadScreenResources()
{
    // A screen attached while the devices were being rebuilt still holds
    // the old ones; every attached screen gets the new set.
    for (CScreen* screen : slots) {
        if (screen) {
            screen->LoadResources(display.get(), sounds.get(), mouse.get(), keyboard.get(), fonts.get());
        }
    }
}

bool CDXFramework::SetFullScreenMode(int32_t modeWidth, int32_t modeHeight, int32_t modeBitsPerPixel)
{
    if (SetMode(Mode::FullScreen, modeWidth, modeHeight, modeBitsPerPixel)) {
        return true;
    }
    // A refused full screen would leave a black window that answers nothing:
    // the game goes on in a window instead.
    std::cerr << "velmora-mahjongg: full screen " << modeWidth << " x " << modeHeight
              << " could not be set; going on in a window\n";
    return SetWindowedMode(modeWidth, modeHeight);
}

bool CDXFramework::SetWindowedMode(int32_t backWidth, int32_t backHeight)
{
    return SetMode(Mode::Windowed, backWidth, backHeight, bitsPerPixel);
}

bool CDXFramework::SetMode(Mode mode, int32_t modeWidth, int32_t modeHeight, int32_t modeBitsPerPixel)
{
    const bool toWindow = mode == Mode::Windowed;
    ++modeSetCount;
    active = true;
    windowed = toWindow;
    requestFullScreen = false;
    requestWindowed = false;

    ReleaseScreenResources();
    ReleaseDevices();

    platform::CWindow* window = desktop->Window();
    if (toWindow) {
        desktop->SetNotTopmost();
        desktop->ShowMaximised();
    }

    display = std::make_unique<CDisplay>();
    bool displayMade = display->Create(window);
    if (displayMade) {
        displayMade = toWindow ? display->SetWindowed(modeWidth, modeHeight)
                               : display->SetFullScreen(modeWidth, modeHeight, modeBitsPerPixel);
    }
    displayUsable = displayMade && display->BackBuffer() && display->BackBuffer()->surface;

    sounds = std::make_unique<CSoundSystem>();
    sounds->Create();
    sounds->CreatePrimaryBuffer();

    input = std::make_unique<CInput>();
    input->Create(window, desktop->CreateInputSystem());
    mouse = std::make_unique<CMouse>();
    input->CreateMouse(
        mouse.get(), window, toWindow ? platform::MouseAccess::Shared : platform::MouseAccess::Exclusive);
    mouse->SetBounds(width, height);
    keyboard = std::make_unique<CKeyboard>();
    input->CreateKeyboard(keyboard.get());

    fonts = std::make_unique<CFontTable>(*display);

    AfterDevicesMade(mode);
    LoadScreenResources();
    return displayUsable;
}

void CDXFramework::PollDevices()
{
    keyboard->Poll();
    mouse->Poll();
}

int32_t CDXFramework::RunFrame()
{
    if (!displayUsable) {
        std::cerr << "velmora-mahjongg: the display could not be set up\n";
        return -1;
    }
    display->ClearBackBuffer();
    PollDevices();
    if (!DispatchScreens()) {
        return -1;
    }
    if (!HandleFunctionKeys()) {
        return -1;
    }
    DrawFrameTexts();
    if (currentScreen && currentScreen->GetNextId() != kNoScreenId) {
        SwitchToScreen(currentScreen->GetNextId());
    }
    PollDevices();
    DrawCursor();
    display->Present();
    PaceFrame();
    ApplyModeRequests();
    return 0;
}

// Windowed frames wait 10 ms, full-screen ones are paced by the flip. Where
// nothing changes and nobody plays, the loop idles instead: every timer of
// the game compares tick counts, so fewer frames change no rule, and the
// second after a key or a button keeps the full rate for the 250 and 500 ms
// steps of buttons and pauses.
void CDXFramework::PaceFrame()
{
    const uint32_t now = platform::GetTicks();
    bool played = mouse->buttons[0] != 0 || mouse->buttons[1] != 0;
    for (int key = 0; key < static_cast<int>(keyboard->keys.size()) && !played; ++key) {
        played = keyboard->IsKeyDown(key);
    }
    if (played) {
        lastInputTick = now;
    }
    if (display->LastFrameChanged() || played) {
        quietFrames = 0;
        lastChangeTick = now;
    } else {
        ++quietFrames;
    }
    if (idleWhenQuiet && quietFrames >= kQuietFramesBeforeIdle && now - lastInputTick >= kAwakeAfterInputMs) {
        platform::WaitForInputMs(now - lastChangeTick >= kDeepIdleAfterMs ? kDeepIdleWaitMs : kIdleWaitMs);
        return;
    }
    if (display->IsWindowed()) {
        platform::WaitMs(kWindowedFrameWaitMs);
    }
}

// Input goes to the one topmost shown screen under the mouse (the lowest
// layer, then the lowest slot); drawing runs from the back layer to the front.
// A screen switch made by a menu page during the dispatch changes the slots
// the rest of the pass sees.
bool CDXFramework::DispatchScreens()
{
    const int32_t x = mouse->x;
    const int32_t y = mouse->y;
    CScreen* target = nullptr;
    for (int32_t layerIndex = 0; layerIndex < kBackmostLayer && !target; ++layerIndex) {
        for (CScreen* screen : slots) {
            if (screen && screen->shown && screen->layer == layerIndex && screen->ContainsPoint(x, y)) {
                target = screen;
                break;
            }
        }
    }
    if (target && !target->HandleInput()) {
        return EndDispatch();
    }
    for (int32_t layerIndex = kBackmostLayer; layerIndex >= 0; --layerIndex) {
        // By index: a screen's Update may switch screens and change the slots.
        for (size_t slot = 0; slot < slots.size(); ++slot) {
            CScreen* screen = slots[slot];
            if (screen && screen->shown && screen->layer == layerIndex && !screen->Update()) {
                return EndDispatch();
            }
        }
    }
    return true;
}

// A screen asked to end the program: the last picture stays up a moment.
bool CDXFramework::EndDispatch()
{
    platform::WaitMs(kFailureWaitMs);
    display->Present();
    return false;
}

bool CDXFramework::HandleFunctionKeys()
{
    if (keyboard->IsKeyDown(DIK_F12)) {
        return false;
    }
    if (keyboard->IsKeyDown(DIK_F1)) {
        showFps = !showFps;
        platform::WaitMs(kFunctionKeyWaitMs);
    }
    if (keyboard->IsKeyDown(DIK_F2)) {
        showMousePosition = !showMousePosition;
        platform::WaitMs(kFunctionKeyWaitMs);
    }
    if (keyboard->IsKeyDown(DIK_F5)) {
        if (display->IsWindowed()) {
            requestFullScreen = true;
        } else {
            requestWindowed = true;
        }
    }
    return true;
}

void CDXFramework::DrawFrameTexts()
{
    const uint32_t now = platform::GetTicks();
    if (!fpsStarted) {
        fpsStarted = true;
        fpsStartTick = now - kFpsStartBackMs;
    }
    ++frameCount;
    char text[64];
    if (showFps) {
        const uint32_t seconds = (now - fpsStartTick) / 1000;
        std::snprintf(text, sizeof text, "FPS %u", seconds == 0 ? 0u : frameCount / seconds);
        fpsText = text;
        fonts->DrawText(*display, fpsText, kFontTimesRoman16, 0, 0, 100, 100, media::kAlignLeft, 0);
    }
    if (showMousePosition) {
        std::snprintf(text, sizeof text, " Mouse X: %d \n Mouse Y: %d", mouse->x, mouse->y);
        fonts->DrawText(*display, text, kFontTimesRoman16, 0, 0, 200, 600, media::kAlignLeft, 0);
    }
}

void CDXFramework::DrawCursor()
{
    CSprite* cursor = currentScreen ? currentScreen->Cursor() : nullptr;
    if (!display->IsWindowed()) {
        if (cursor) {
            display->DrawSprite(cursor, mouse->x, mouse->y);
        }
        return;
    }
    if (!active) {
        return;
    }
    // The picture keeps its shape in the client area; the bars beside it
    // count as outside.
    const platform::Rect client = desktop->ClientRectOnScreen();
    platform::Rect picture
        = platform::PlanPresentScaling(width, height, client.Width(), client.Height(), platform::ScaleFit::KeepProportions)
              .destination;
    picture = platform::Rect{picture.left + client.left, picture.top + client.top, picture.right + client.left,
        picture.bottom + client.top};
    int32_t cursorX = 0;
    int32_t cursorY = 0;
    desktop->GetCursorPosition(cursorX, cursorY);
    const bool inside = picture.Contains(cursorX, cursorY);
    if (!inside) {
        if (!systemCursorShown) {
            desktop->ShowCursor(true);
            systemCursorShown = true;
        }
        return;
    }
    if (systemCursorShown) {
        desktop->ShowCursor(false);
        systemCursorShown = false;
    }
    // In single precision, as the picture is scaled into its rectangle.
    const float scaleX = static_cast<float>(width) / static_cast<float>(picture.Width());
    const float scaleY = static_cast<float>(height) / static_cast<float>(picture.Height());
    mouse->x = static_cast<int32_t>(scaleX * static_cast<float>(cursorX - picture.left));
    mouse->y = static_cast<int32_t>(scaleY * static_cast<float>(cursorY - picture.top));
    if (cursor) {
        display->DrawSprite(cursor, mouse->x, mouse->y);
    }
}

void CDXFramework::ApplyModeRequests()
{
    if (requestFullScreen && display->IsWindowed()) {
        SetFullScreenMode(width, height, bitsPerPixel);
    }
    if (requestWindowed && !display->IsWindowed()) {
        SetWindowedMode(width, height);
    }
}

// Full screen cannot stay up behind another window: the game goes windowed
// and, as when it is minimised, a running game pauses.
void CDXFramework::OnFocusLost()
{
    if (display && !display->IsWindowed()) {
        SetWindowedMode(width, height);
        windowed = true;
        OnWindowAway();
    }
    active = false;
}

void CDXFramework::OnWindowAway()
{
    if (currentScreen) {
        currentScreen->OnWindowAway();
    }
}

void CDXFramework::OnFocusGained()
{
    if (display && !display->IsWindowed()) {
        SetFullScreenMode(width, height, bitsPerPixel);
    } else {
        if (mouse) {
            mouse->Acquire();
        }
        if (keyboard) {
            keyboard->Acquire();
        }
    }
    active = true;
}
