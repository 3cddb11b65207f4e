// One sound clip loaded whole from a WAV file and played from memory, once or
// in a loop.
#pragma once

#include <memory>
#include <string_view>

namespace platform {
class CAudioClip;
}
class CSoundSystem;

class CSound {
public:
    CSound();
    ~CSound();
    CSound(const CSound&) = delete;
    CSound& operator=(const CSound&) = delete;

    // Reads the WAV file (a game path such as "Sounds\\Select.wav") into a
    // clip of the sound system. The data is always played as 16-bit mono at
    // 22050 Hz, whatever the file's format record says; only its format tag
    // must be PCM. False (and no clip) when the file is missing, is not such
    // a WAV file, holds no sample, or the sound system has no output.
    bool Load(std::string_view fileName, CSoundSystem* sounds);

    // Starts from the current position, looping when asked. On a clip that
    // is playing it changes nothing; a one-shot clip that has played to its
    // end starts from the beginning; a stopped clip resumes where it stopped.
    void Play(bool loop = false);
    // Stops where it is.
    void Stop();
    bool IsPlaying() const;

private:
    std::unique_ptr<platform::CAudioClip> buffer;
};
