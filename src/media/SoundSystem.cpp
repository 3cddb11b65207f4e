// Device set-up and the volume mapping.
#include "media/SoundSystem.h"

#include "platform/Audio.h"

CSoundSystem::CSoundSystem() = default;

// The device goes first: closing it stops the audio thread that reads the mixer.
CSoundSystem::~CSoundSystem() { primaryBuffer.reset(); }

bool CSoundSystem::Create()
{
    if (mixer == nullptr) {
        mixer = std::make_shared<platform::CAudioMixer>();
    }
    return true;
}

bool CSoundSystem::CreatePrimaryBuffer()
{
    if (mixer == nullptr) {
        return false;
    }
    if (primaryBuffer == nullptr) {
        primaryBuffer = platform::CAudioDevice::Open(mixer);
    }
    hasOutput = primaryBuffer != nullptr;
    return hasOutput;
}

bool CSoundSystem::CreateOfflineBuffer()
{
    hasOutput = mixer != nullptr;
    return hasOutput;
}

int32_t CSoundSystem::VolumeFromLevel(int32_t level)
{
    if (level < 10) {
        return platform::kVolumeSilent;
    }
    if (level > 100) {
        return platform::kVolumeFull;
    }
    return 10 * level - 1000;
}

void CSoundSystem::SetVolume(int32_t level)
{
    if (mixer != nullptr) {
        mixer->SetMasterVolume(VolumeFromLevel(level));
    }
}
