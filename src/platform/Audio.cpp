// SDL audio output for the mixer, and the once-per-run report of why the game
// is silent.
#include "platform/Audio.h"

#include <SDL.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <string>

namespace platform {
namespace {

// About 23 ms at 22050 Hz: a click follows the mouse without a noticeable lag.
constexpr Uint16 kCallbackFrames = 512;

std::atomic<int> reportedProblems{0};
std::atomic<bool> reportWritten{false};

void ReportAudioProblem(const std::string& reason)
{
    if (reportWritten.exchange(true)) {
        return;
    }
    reportedProblems = 1;
    std::fprintf(stderr, "Sound is off (%s); the game plays silently.\n", reason.c_str());
}

void SDLCALL AudioCallback(void* userData, Uint8* stream, int byteCount)
{
    FillAudioStream(*static_cast<CAudioMixer*>(userData), stream, byteCount);
}

// The ALSA driver with no card enumerated has nothing to open; trying anyway
// only makes the ALSA library print its own errors on stderr.
bool HasNoAlsaCard()
{
    const char* driver = SDL_GetCurrentAudioDriver();
    return driver != nullptr && std::strcmp(driver, "alsa") == 0 && SDL_GetNumAudioDevices(0) <= 0;
}

} // namespace

void FillAudioStream(CAudioMixer& mixer, uint8_t* stream, int byteCount)
{
    const size_t frameBytes = sizeof(int16_t) * kAudioOutputChannels;
    const size_t frames = byteCount > 0 ? static_cast<size_t>(byteCount) / frameBytes : 0;
    mixer.Mix(reinterpret_cast<int16_t*>(stream), frames);
    // SDL always asks for whole frames; silence any stray tail all the same.
    const size_t mixedBytes = frames * frameBytes;
    if (byteCount > 0 && mixedBytes < static_cast<size_t>(byteCount)) {
        std::memset(stream + mixedBytes, 0, static_cast<size_t>(byteCount) - mixedBytes);
    }
}

int AudioProblemsReported() { return reportedProblems; }

std::unique_ptr<CAudioDevice> CAudioDevice::Open(std::shared_ptr<CAudioMixer> mixer)
{
    if (mixer == nullptr) {
        return nullptr;
    }
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        ReportAudioProblem(std::string("no audio driver: ") + SDL_GetError());
        return nullptr;
    }
    if (HasNoAlsaCard()) {
        ReportAudioProblem("no sound card");
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return nullptr;
    }
    SDL_AudioSpec wanted{};
    wanted.freq = kAudioRateHz;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = kAudioOutputChannels;
    wanted.samples = kCallbackFrames;
    wanted.callback = AudioCallback;
    wanted.userdata = mixer.get();
    // No changes allowed: SDL converts to whatever the hardware wants, so the
    // callback always gets this exact format.
    SDL_AudioSpec obtained{};
    const SDL_AudioDeviceID id = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (id == 0) {
        ReportAudioProblem(std::string("cannot open the sound device: ") + SDL_GetError());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return nullptr;
    }
    std::unique_ptr<CAudioDevice> device(new CAudioDevice(std::move(mixer), id));
    device->rateHz = obtained.freq;
    device->channels = obtained.channels;
    device->bitsPerSample = SDL_AUDIO_BITSIZE(obtained.format);
    SDL_PauseAudioDevice(id, 0);
    return device;
}

CAudioDevice::CAudioDevice(std::shared_ptr<CAudioMixer> m, uint32_t id)
    : mixer(std::move(m))
    , deviceId(id)
{
}

CAudioDevice::~CAudioDevice()
{
    // Closing waits for a running callback, so the mixer is no longer used
    // once this returns.
    SDL_CloseAudioDevice(deviceId);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

} // namespace platform
