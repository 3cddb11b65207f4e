// The SDL sound device: opened in the fixed format under the test
// environment's silent driver, and a driver that does not exist turning into
// a silent game with a single report.
#include "platform/Audio.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <tuple>

namespace {

// Chooses SDL's audio driver for a scope, then goes back to the test
// environment's silent one.
struct SAudioDriver {
    explicit SAudioDriver(const char* name) { setenv("SDL_AUDIODRIVER", name, 1); }
    ~SAudioDriver() { setenv("SDL_AUDIODRIVER", "dummy", 1); }
};

} // namespace

TEST(AudioTest, TheDeviceOpensAt22050HzSixteenBitStereoOrTheGameIsSilentWithOneReport)
{
    {
        SAudioDriver driver("dummy");
        auto device = platform::CAudioDevice::Open(std::make_shared<platform::CAudioMixer>());
        ASSERT_NE(device, nullptr);
        EXPECT_EQ(std::tuple(device->RateHz(), device->Channels(), device->BitsPerSample()), std::tuple(22050, 2, 16));
        // A second device after the first has gone (a change of display mode).
        device.reset();
        EXPECT_NE(platform::CAudioDevice::Open(std::make_shared<platform::CAudioMixer>()), nullptr);
        EXPECT_EQ(platform::CAudioDevice::Open(nullptr), nullptr);
        EXPECT_EQ(platform::AudioProblemsReported(), 0);
    }
    SAudioDriver driver("no-such-driver");
    testing::internal::CaptureStderr();
    for (int attempt = 0; attempt < 3; ++attempt) {
        EXPECT_EQ(platform::CAudioDevice::Open(std::make_shared<platform::CAudioMixer>()), nullptr);
    }
    const std::string written = testing::internal::GetCapturedStderr();
    EXPECT_EQ(platform::AudioProblemsReported(), 1);
    EXPECT_LE(std::count(written.begin(), written.end(), '\n'), 1) << written;
}
