// A scriptable desktop for tests of the frame loop: a client rectangle, a
// system pointer position, a count of cursor show and hide calls, and input
// devices wired to one shared fake input system.
#pragma once

#include "platform/Desktop.h"
#include "platform/InputFake.h"

#include <memory>
#include <vector>

namespace platform {

struct FakeDesktopState {
    Rect clientRect{0, 0, 800, 600};
    int32_t cursorX = 0;
    int32_t cursorY = 0;
    // Every ShowCursor call in order (true = shown).
    std::vector<bool> cursorCalls;
    int maximiseCalls = 0;
    int notTopmostCalls = 0;
    int inputSystemsMade = 0;
    // Controls of the devices every input system hands out.
    std::shared_ptr<FakeMouseControl> mouse = std::make_shared<FakeMouseControl>();
    std::shared_ptr<FakeKeyboardControl> keyboard = std::make_shared<FakeKeyboardControl>();
};

class CFakeDesktop final : public IDesktop {
public:
    explicit CFakeDesktop(FakeDesktopState& sharedState)
        : state(sharedState)
    {
    }
    CWindow* Window() override { return nullptr; }
    void ShowMaximised() override { ++state.maximiseCalls; }
    void SetNotTopmost() override { ++state.notTopmostCalls; }
    Rect ClientRectOnScreen() override { return state.clientRect; }
    void GetCursorPosition(int32_t& x, int32_t& y) override
    {
        x = state.cursorX;
        y = state.cursorY;
    }
    void ShowCursor(bool show) override { state.cursorCalls.push_back(show); }
    std::unique_ptr<IInputSystem> CreateInputSystem() override
    {
        ++state.inputSystemsMade;
        auto system = std::make_unique<CFakeInputSystem>();
        system->mouse = state.mouse;
        system->keyboard = state.keyboard;
        return system;
    }

private:
    FakeDesktopState& state;
};

} // namespace platform
