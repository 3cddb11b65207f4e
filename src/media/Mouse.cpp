// Mouse polling and the cursor arithmetic.
#include "media/Mouse.h"

#include <cmath>

namespace {

// Acquiring may report lost input again; the device is asked this often at
// most, so a device that never recovers cannot hold up the frame.
constexpr int kMaxAcquireAttempts = 16;

// Motion beyond this many pixels in one poll is cut off before the product is
// turned back into an integer (it could not fit otherwise).
constexpr float kMaxStepPx = 1.0e6f;

int32_t ScaledMotion(int32_t motion, float sensitivity)
{
    const float product = static_cast<float>(motion) * sensitivity;
    if (!std::isfinite(product)) {
        return 0;
    }
    const float limited = std::fmax(-kMaxStepPx, std::fmin(kMaxStepPx, product));
    return static_cast<int32_t>(std::trunc(limited));
}

int32_t MoveAndClamp(int32_t position, int32_t step, int32_t maximum)
{
    int64_t moved = static_cast<int64_t>(position) + step;
    if (moved < 0) {
        moved = 0;
    }
    if (moved > maximum) {
        moved = maximum;
    }
    return static_cast<int32_t>(moved);
}

} // namespace

CMouse::~CMouse() { SetDevice(nullptr); }

void CMouse::SetDevice(std::unique_ptr<platform::IMouseDevice> newDevice)
{
    if (device != nullptr) {
        device->Unacquire();
    }
    device = std::move(newDevice);
}

bool CMouse::Acquire() { return device != nullptr && device->Acquire() == platform::InputResult::Ok; }

void CMouse::SetBounds(int32_t width, int32_t height)
{
    maxX = width - 1;
    maxY = height - 1;
}

float CMouse::SensitivityFromOption(int32_t optionValue)
{
    const float factor = static_cast<float>(optionValue) * 0.05f;
    return factor < 1.0f ? 1.0f : factor;
}

platform::MouseState CMouse::ReadDevice()
{
    using platform::InputResult;
    platform::MouseState state;
    if (device == nullptr) {
        return state;
    }
    InputResult result = device->Read(state);
    if (result == InputResult::InputLost) {
        for (int attempt = 0; attempt < kMaxAcquireAttempts; ++attempt) {
            if (device->Acquire() != InputResult::InputLost) {
                break;
            }
        }
        result = device->Read(state);
    }
    if (result != InputResult::Ok) {
        return platform::MouseState{};
    }
    return state;
}

bool CMouse::Poll()
{
    const platform::MouseState state = ReadDevice();
    dx = state.dx;
    dy = state.dy;
    dz = state.dz;
    buttons = state.buttons;
    x = MoveAndClamp(x, ScaledMotion(dx, sensitivity), maxX);
    y = MoveAndClamp(y, ScaledMotion(dy, sensitivity), maxY);
    return true;
}
