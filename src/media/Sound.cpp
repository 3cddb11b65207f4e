// Loading a clip and passing play requests to the mixer. A sound that did not
// load ignores every request and never plays.
#include "media/Sound.h"

#include "media/SoundSystem.h"
#include "media/SoundWave.h"
#include "platform/AudioMixer.h"
#include "platform/Files.h"

CSound::CSound() = default;
CSound::~CSound() = default;

bool CSound::Load(std::string_view fileName, CSoundSystem* sounds)
{
    buffer.reset();
    auto mixer = sounds != nullptr ? sounds->Mixer() : nullptr;
    if (mixer == nullptr) {
        return false;
    }
    const auto file = platform::ReadWholeFile(fileName);
    if (!file) {
        return false;
    }
    const auto wave = wave::ReadWave(*file);
    if (!wave) {
        return false;
    }
    auto samples = wave::SamplesFromBytes(wave->data);
    if (samples.empty()) {
        return false;
    }
    buffer = std::make_unique<platform::CAudioClip>(std::move(mixer), std::move(samples));
    return true;
}

void CSound::Play(bool loop)
{
    if (buffer != nullptr) {
        buffer->Play(loop);
    }
}

void CSound::Stop()
{
    if (buffer != nullptr) {
        buffer->Stop();
    }
}

bool CSound::IsPlaying() const { return buffer != nullptr && buffer->IsPlaying(); }
