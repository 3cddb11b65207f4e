// The SDL sound device: opened in the fixed format under the test
// environment's silent driver, and a driver that does not exist turning into
// a silent game with a single report.
#include "platform/Audio.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

// Sets an environment variable for the lifetime of a scope.
class CScopedEnv {
public:
    CScopedEnv(const char* name, const char* value)
        : key(name)
    {
        if (const char* old = std::getenv(name)) {
            previous = old;
            hadPrevious = true;
        }
        setenv(name, value, 1);
    }
    ~CScopedEnv()
    {
        if (hadPrevious) {
            setenv(key.c_str(), previous.c_str(), 1);
        } else {
            unsetenv(key.c_str());
        }
    }

private:
    std::string key;
    std::string previous;
    bool hadPrevious = false;
};

} // namespace

TEST(AudioTest, TheDeviceOpensAt22050HzSixteenBitStereo)
{
    CScopedEnv driver("SDL_AUDIODRIVER", "dummy");
    auto device = platform::CAudioDevice::Open(std::make_shared<platform::CAudioMixer>());
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(device->RateHz(), 22050);
    EXPECT_EQ(device->Channels(), 2);
    EXPECT_EQ(device->BitsPerSample(), 16);
    // A second device after the first has gone (a change of display mode).
    device.reset();
    device = platform::CAudioDevice::Open(std::make_shared<platform::CAudioMixer>());
    EXPECT_NE(device, nullptr);
    EXPECT_EQ(platform::CAudioDevice::Open(nullptr), nullptr);
}

TEST(AudioTest, NoDeviceMeansSilenceReportedOnce)
{
    CScopedEnv driver("SDL_AUDIODRIVER", "no-such-driver");
    testing::internal::CaptureStderr();
    for (int attempt = 0; attempt < 3; ++attempt) {
        EXPECT_EQ(platform::CAudioDevice::Open(std::make_shared<platform::CAudioMixer>()), nullptr);
    }
    const std::string written = testing::internal::GetCapturedStderr();
    EXPECT_EQ(platform::AudioProblemsReported(), 1);
    EXPECT_LE(std::count(written.begin(), written.end(), '\n'), 1) << written;
}
