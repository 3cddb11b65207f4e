// Clip playback state and the mixing loop.
#include "platform/AudioMixer.h"

#include <algorithm>
#include <cmath>

namespace platform {
namespace {

// Frames mixed per pass; the sums live on the stack so that the audio thread
// never allocates.
constexpr size_t kChunkFrames = 256;

int16_t Saturate(int32_t value) { return static_cast<int16_t>(std::clamp<int32_t>(value, INT16_MIN, INT16_MAX)); }

} // namespace

CAudioMixer::Clip* CAudioMixer::Find(ClipId clip)
{
    for (auto& entry : clips) {
        if (entry->id == clip) {
            return entry.get();
        }
    }
    return nullptr;
}

const CAudioMixer::Clip* CAudioMixer::Find(ClipId clip) const { return const_cast<CAudioMixer*>(this)->Find(clip); }

CAudioMixer::ClipId CAudioMixer::AddClip(std::vector<int16_t> samples)
{
    auto clip = std::make_unique<Clip>();
    clip->samples = std::move(samples);
    std::lock_guard lock(mutex);
    clip->id = nextId++;
    clips.push_back(std::move(clip));
    return clips.back()->id;
}

void CAudioMixer::RemoveClip(ClipId clip)
{
    std::unique_ptr<Clip> removed;
    {
        std::lock_guard lock(mutex);
        auto found = std::find_if(clips.begin(), clips.end(), [clip](const auto& entry) { return entry->id == clip; });
        if (found == clips.end()) {
            return;
        }
        removed = std::move(*found);
        clips.erase(found);
    }
    // The samples are freed here, outside the lock.
}

void CAudioMixer::Play(ClipId clip, bool loop)
{
    std::lock_guard lock(mutex);
    Clip* found = Find(clip);
    if (found == nullptr || found->playing || found->samples.empty()) {
        return;
    }
    found->playing = true;
    found->looping = loop;
}

void CAudioMixer::Stop(ClipId clip)
{
    std::lock_guard lock(mutex);
    if (Clip* found = Find(clip)) {
        found->playing = false;
    }
}

bool CAudioMixer::IsPlaying(ClipId clip) const
{
    std::lock_guard lock(mutex);
    const Clip* found = Find(clip);
    return found != nullptr && found->playing;
}

size_t CAudioMixer::Position(ClipId clip) const
{
    std::lock_guard lock(mutex);
    const Clip* found = Find(clip);
    return found != nullptr ? found->position : 0;
}

void CAudioMixer::SetMasterVolume(int32_t hundredthsOfDecibel)
{
    const int32_t clamped = std::clamp(hundredthsOfDecibel, kVolumeSilent, kVolumeFull);
    // Silence is exact; everything else is an attenuation of clamped / 100 dB.
    const float newGain = clamped == kVolumeSilent ? 0.0f : std::pow(10.0f, static_cast<float>(clamped) / 2000.0f);
    std::lock_guard lock(mutex);
    volume = clamped;
    gain = newGain;
}

int32_t CAudioMixer::MasterVolume() const
{
    std::lock_guard lock(mutex);
    return volume;
}

void CAudioMixer::Mix(int16_t* stereoFrames, size_t frameCount)
{
    std::lock_guard lock(mutex);
    int32_t sums[kChunkFrames];
    while (frameCount > 0) {
        const size_t chunk = std::min(frameCount, kChunkFrames);
        std::fill(sums, sums + chunk, 0);
        for (auto& clip : clips) {
            size_t done = 0;
            while (clip->playing && done < chunk) {
                const size_t take = std::min(chunk - done, clip->samples.size() - clip->position);
                const int16_t* source = clip->samples.data() + clip->position;
                for (size_t i = 0; i < take; ++i) {
                    sums[done + i] += source[i];
                }
                done += take;
                clip->position += take;
                if (clip->position == clip->samples.size()) {
                    // A one-shot clip ends stopped at its start; a looping one goes round.
                    clip->position = 0;
                    clip->playing = clip->looping;
                }
            }
        }
        for (size_t i = 0; i < chunk; ++i) {
            const int32_t scaled = gain == 1.0f ? sums[i] : static_cast<int32_t>(std::lround(sums[i] * gain));
            stereoFrames[2 * i] = Saturate(scaled);
            stereoFrames[2 * i + 1] = Saturate(scaled);
        }
        stereoFrames += 2 * chunk;
        frameCount -= chunk;
    }
}

CAudioClip::CAudioClip(std::shared_ptr<CAudioMixer> owner, std::vector<int16_t> samples)
    : mixer(std::move(owner))
    , id(mixer->AddClip(std::move(samples)))
{
}

CAudioClip::~CAudioClip() { mixer->RemoveClip(id); }

} // namespace platform
