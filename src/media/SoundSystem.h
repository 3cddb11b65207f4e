// The sound device of one display mode and the game's one volume control.
// Clips (CSound) are loaded into its mixer; the device plays the mix as
// 16-bit stereo at 22050 Hz.
#pragma once

#include "platform/AudioMixer.h"

#include <cstdint>
#include <memory>

namespace platform {
class CAudioDevice;
}

class CSoundSystem {
public:
    CSoundSystem();
    ~CSoundSystem();
    CSoundSystem(const CSoundSystem&) = delete;
    CSoundSystem& operator=(const CSoundSystem&) = delete;

    // Makes the mixer. Always succeeds.
    bool Create();
    // Opens the default device in the fixed output format. Without a device
    // (no sound card) the game runs silently: clips do not load and every
    // sound call does nothing. The result may be ignored.
    bool CreatePrimaryBuffer();
    // Instead of a device: clips load and play, and the owner pulls the mix
    // from Mixer() (tests, tools).
    bool CreateOfflineBuffer();

    // The master volume from a level 0..100 (see VolumeFromLevel). Until it
    // is called the output is at full volume.
    void SetVolume(int32_t level);

    // Hundredths of a decibel for a level: 10 x level - 1000, except that
    // levels below 10 are silence (-10000) and levels above 100 are full (0).
    static int32_t VolumeFromLevel(int32_t level);

    // The mixer clips go into; null when there is no output.
    std::shared_ptr<platform::CAudioMixer> Mixer() const { return hasOutput ? mixer : nullptr; }

private:
    std::shared_ptr<platform::CAudioMixer> mixer;
    std::unique_ptr<platform::CAudioDevice> primaryBuffer;
    bool hasOutput = false;
};
