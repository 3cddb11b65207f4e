// The sound device: the system's default audio output opened at 22050 Hz,
// 16-bit, stereo, fed from a CAudioMixer on SDL's audio thread. Without a
// device the game runs silently; the reason is written to stderr once per run.
#pragma once

#include "platform/AudioMixer.h"

#include <cstdint>
#include <memory>

namespace platform {

class CAudioDevice {
public:
    // Starts the audio subsystem (apart from video, so that a broken audio
    // driver cannot take the display down) and opens the default output.
    // Null when there is no usable device.
    static std::unique_ptr<CAudioDevice> Open(std::shared_ptr<CAudioMixer> mixer);

    ~CAudioDevice();
    CAudioDevice(const CAudioDevice&) = delete;
    CAudioDevice& operator=(const CAudioDevice&) = delete;

    // The format SDL feeds the callback in, as SDL reported it when opening.
    int RateHz() const { return rateHz; }
    int Channels() const { return channels; }
    int BitsPerSample() const { return bitsPerSample; }

private:
    CAudioDevice(std::shared_ptr<CAudioMixer> mixer, uint32_t deviceId);

    std::shared_ptr<CAudioMixer> mixer;
    uint32_t deviceId;
    int rateHz = kAudioRateHz;
    int channels = kAudioOutputChannels;
    int bitsPerSample = 16;
};

// What the audio callback does: fills byteCount bytes of native-endian 16-bit
// stereo frames from the mixer.
void FillAudioStream(CAudioMixer& mixer, uint8_t* stream, int byteCount);

// How many audio problems have been written to stderr in this run (0 or 1:
// later ones are dropped so that a silent game does not repeat itself).
int AudioProblemsReported();

} // namespace platform
