// The software mixer behind every sound: static clips of 16-bit mono samples
// at 22050 Hz, each played once or looped, mixed into 16-bit stereo frames
// under one master volume. The audio device pulls frames from it on its own
// thread; tests pull them directly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace platform {

inline constexpr int kAudioRateHz = 22050;
inline constexpr int kAudioOutputChannels = 2;

// Master volume in hundredths of a decibel: 0 is full, -10000 (and below) is
// silence.
inline constexpr int32_t kVolumeFull = 0;
inline constexpr int32_t kVolumeSilent = -10000;

class CAudioMixer {
public:
    using ClipId = uint32_t;

    // Adds a stopped clip positioned at its start. An empty clip gets an id
    // too; it never plays.
    ClipId AddClip(std::vector<int16_t> samples);
    void RemoveClip(ClipId clip);

    // Starts the clip from its current position. A clip that is already
    // playing is left exactly as it is (position and loop flag). A one-shot
    // clip that has played to its end was put back to its start then, so it
    // starts again from the beginning.
    void Play(ClipId clip, bool loop);
    // Stops the clip where it is; the next Play resumes from there.
    void Stop(ClipId clip);
    bool IsPlaying(ClipId clip) const;
    // The next sample the clip will play (tests).
    size_t Position(ClipId clip) const;

    void SetMasterVolume(int32_t hundredthsOfDecibel);
    int32_t MasterVolume() const;

    // Writes frameCount stereo frames (left, right) of the playing clips,
    // summed, scaled by the master volume and saturated, and moves the
    // clips on.
    void Mix(int16_t* stereoFrames, size_t frameCount);

private:
    struct Clip {
        ClipId id = 0;
        std::vector<int16_t> samples;
        size_t position = 0;
        bool playing = false;
        bool looping = false;
    };

    Clip* Find(ClipId clip);
    const Clip* Find(ClipId clip) const;

    mutable std::mutex mutex;
    std::vector<std::unique_ptr<Clip>> clips;
    ClipId nextId = 1;
    int32_t volume = kVolumeFull;
    float gain = 1.0f;
};

// A clip's handle that removes it from its mixer when it goes. It keeps the
// mixer alive, so a sound may outlive the sound system that made it.
class CAudioClip {
public:
    CAudioClip(std::shared_ptr<CAudioMixer> mixer, std::vector<int16_t> samples);
    ~CAudioClip();
    CAudioClip(const CAudioClip&) = delete;
    CAudioClip& operator=(const CAudioClip&) = delete;

    void Play(bool loop) { mixer->Play(id, loop); }
    void Stop() { mixer->Stop(id); }
    bool IsPlaying() const { return mixer->IsPlaying(id); }
    size_t Position() const { return mixer->Position(id); }

private:
    std::shared_ptr<CAudioMixer> mixer;
    CAudioMixer::ClipId id;
};

} // namespace platform
