// The input system of one display mode: it makes the mouse and keyboard
// devices for the game window and hands them to CMouse and CKeyboard.
#pragma once

#include "platform/Input.h"

#include <memory>

class CMouse;
class CKeyboard;

class CInput {
public:
    CInput() = default;
    ~CInput();
    CInput(const CInput&) = delete;
    CInput& operator=(const CInput&) = delete;

    // Uses the system's mouse and keyboard. Always succeeds.
    bool Create(const platform::CWindow* window);
    // Uses the given devices instead (tests, tools).
    bool Create(const platform::CWindow* window, std::unique_ptr<platform::IInputSystem> system);

    // Gives the mouse its device (exclusive in full screen, shared with the
    // desktop in windowed mode) and acquires it. False only when there is no
    // input system or mouse; a refused Acquire is picked up by later polls.
    bool CreateMouse(CMouse* mouse, const platform::CWindow* forWindow, platform::MouseAccess access);
    // The same for the keyboard, for the window given to Create.
    bool CreateKeyboard(CKeyboard* keyboard);

private:
    std::unique_ptr<platform::IInputSystem> inputSystem;
    const platform::CWindow* window = nullptr;
};
