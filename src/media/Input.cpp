// Device creation for the mouse and the keyboard.
#include "media/Input.h"

#include "media/Keyboard.h"
#include "media/Mouse.h"

CInput::~CInput() = default;

bool CInput::Create(const platform::CWindow* forWindow) { return Create(forWindow, platform::CreateSystemInput()); }

bool CInput::Create(const platform::CWindow* forWindow, std::unique_ptr<platform::IInputSystem> system)
{
    window = forWindow;
    inputSystem = std::move(system);
    return true;
}

bool CInput::CreateMouse(CMouse* mouse, const platform::CWindow* forWindow, platform::MouseAccess access)
{
    if (inputSystem == nullptr || mouse == nullptr) {
        return false;
    }
    mouse->SetDevice(inputSystem->CreateMouse(forWindow, access));
    mouse->Acquire();
    return true;
}

bool CInput::CreateKeyboard(CKeyboard* keyboard)
{
    if (inputSystem == nullptr || keyboard == nullptr) {
        return false;
    }
    keyboard->SetDevice(inputSystem->CreateKeyboard(window));
    keyboard->Acquire();
    return true;
}
