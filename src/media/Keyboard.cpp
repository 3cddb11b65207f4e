// Keyboard polling.
#include "media/Keyboard.h"

CKeyboard::~CKeyboard() { SetDevice(nullptr); }

void CKeyboard::SetDevice(std::unique_ptr<platform::IKeyboardDevice> newDevice)
{
    if (device != nullptr) {
        device->Unacquire();
    }
    device = std::move(newDevice);
}

bool CKeyboard::Acquire() { return device != nullptr && device->Acquire() == platform::InputResult::Ok; }

bool CKeyboard::Poll()
{
    using platform::InputResult;
    if (device == nullptr) {
        return true;
    }
    platform::KeyState read{};
    InputResult result = device->Read(read);
    if (result != InputResult::Ok) {
        if (result == InputResult::InputLost) {
            device->Acquire();
        }
        result = device->Read(read);
    }
    if (result == InputResult::Ok) {
        keys = read;
    } else {
        keys.fill(0);
    }
    return true;
}

bool CKeyboard::IsKeyDown(int keyCode) const
{
    if (keyCode < 0 || keyCode >= static_cast<int>(keys.size())) {
        return false;
    }
    return (keys[static_cast<size_t>(keyCode)] & 0x80) != 0;
}

bool CKeyboard::IsCapsLockOn() const { return device != nullptr && device->IsCapsLockOn(); }
