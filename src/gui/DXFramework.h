// The framework object: it owns every device object (display, sound system,
// input with mouse and keyboard, fonts), switches between full screen and
// windowed operation, runs the frame, and keeps the state screens and the 25
// screen slots through which screens are shown.
#pragma once

#include "gui/StateScreen.h"
#include "platform/Desktop.h"

#include <array>
#include <cstdint>
#include <list>
#include <memory>
#include <string>

class CDisplay;
class CFontTable;
class CInput;
class CKeyboard;
class CMouse;
class CSoundSystem;

class CDXFramework {
public:
    static constexpr int32_t kScreenSlotCount = 25;
    // A screen of this layer is drawn first and never receives input.
    static constexpr int32_t kBackmostLayer = 25;

    // The desktop gives the window, the system pointer and the input
    // devices; it must outlive the framework.
    explicit CDXFramework(platform::IDesktop* desktopServices);
    virtual ~CDXFramework();
    CDXFramework(const CDXFramework&) = delete;
    CDXFramework& operator=(const CDXFramework&) = delete;

    virtual bool Init();
    // Empties the slots, deletes the state screens (without deactivating
    // them) and the devices.
    virtual void Shutdown();
    // Registers a state screen (owned from now on) at the front of the list.
    virtual bool AddScreen(CStateScreen* screen);
    // Deletes the registered screen with the key's id, and the key; false
    // when the key is the current screen.
    virtual bool RemoveScreen(CStateScreen* key);
    // 0 to go on, -1 to end the program.
    virtual int32_t RunFrame();
    virtual void Idle();
    virtual void OnFocusLost();
    virtual void OnFocusGained();
    // The window was minimised or hidden: the current screen is told.
    void OnWindowAway();
    virtual bool SetFullScreenMode(int32_t modeWidth, int32_t modeHeight, int32_t modeBitsPerPixel);
    virtual bool SetWindowedMode(int32_t backWidth, int32_t backHeight);

    // Makes the registered state screen with that id current (the old one
    // is detached and deactivated first). False when none has the id, which
    // leaves no current screen.
    bool SwitchToScreen(int32_t screenId);
    // Gives the screen the device objects and the first free slot; false
    // when all slots are taken.
    bool AttachScreen(CScreen* screen);
    // Clears the first slot holding the screen; false when none does.
    bool DetachScreen(CScreen* screen);

    // False when no display could be set up at all, neither full screen nor
    // windowed: the program cannot show anything and must end.
    bool HasDisplay() const { return displayUsable; }

    CStateScreen* CurrentScreen() const { return currentScreen; }
    int32_t CurrentId() const { return currentId; }
    CScreen* Slot(int32_t index) const { return slots.at(static_cast<size_t>(index)); }
    int32_t StateScreenCount() const { return static_cast<int32_t>(stateScreens.size()); }
    CDisplay* Display() const { return display.get(); }
    CSoundSystem* Sounds() const { return sounds.get(); }
    CMouse* Mouse() const { return mouse.get(); }
    CKeyboard* Keyboard() const { return keyboard.get(); }
    CFontTable* Fonts() const { return fonts.get(); }

    bool showFps = false;
    bool showMousePosition = false;
    int32_t width = 800;
    int32_t height = 600;
    int32_t bitsPerPixel = 32;
    bool windowed = true;
    bool active = false;
    bool systemCursorShown = true;
    bool requestFullScreen = false;
    bool requestWindowed = false;
    // Whether frames that change nothing let the loop idle (the game turns
    // it on; frame-by-frame tests keep the design's fixed pace).
    bool idleWhenQuiet = false;
    // Mode sets so far (start-up, F5, focus): lets a caller time them.
    int32_t modeSetCount = 0;
    // The frame-rate text as last drawn.
    std::string fpsText;

protected:
    enum class Mode { FullScreen, Windowed };

    // The steps of a mode set around the hook that CGameFramework's
    // SetWindowedMode uses to rewrite the options between the fonts and the
    // screens' reload.
    bool SetMode(Mode mode, int32_t modeWidth, int32_t modeHeight, int32_t modeBitsPerPixel);
    virtual void AfterDevicesMade(Mode) {}

    // The frame's steps.
    bool DispatchScreens();
    bool EndDispatch();
    // False when F12 asks to end the program.
    bool HandleFunctionKeys();
    void DrawFrameTexts();
    void DrawCursor();
    void PaceFrame();
    void PollDevices();
    void ApplyModeRequests();

    void ReleaseDevices();
    void ReleaseScreenResources();
    void LoadScreenResources();

    platform::IDesktop* desktop;
    std::list<std::unique_ptr<CStateScreen>> stateScreens;
    int32_t currentId = kNoScreenId;
    CStateScreen* currentScreen = nullptr;
    std::unique_ptr<CDisplay> display;
    std::unique_ptr<CSoundSystem> sounds;
    std::unique_ptr<CInput> input;
    std::unique_ptr<CKeyboard> keyboard;
    std::unique_ptr<CMouse> mouse;
    std::unique_ptr<CFontTable> fonts;
    std::array<CScreen*, kScreenSlotCount> slots{};
    bool displayUsable = false;

    // The frame-rate text: frames since the first frame, whose start lies
    // 1001 ms back so that the first second divides by 1.
    uint32_t frameCount = 0;
    uint32_t fpsStartTick = 0;
    bool fpsStarted = false;
private:
    // Frames in a row that changed nothing on screen, the last key or
    // button, and the last frame that changed something.
    int32_t quietFrames = 0;
    uint32_t lastInputTick = 0;
    uint32_t lastChangeTick = 0;
};
