// Inside the platform layer only: presses seen as events, so that a press
// and release that both fall between two frames (a quick tap, or a click sent
// by a test tool) still read as down. A latched press reads as down in every
// read until the event queue is drained again, so all the reads of one frame
// agree on it.
#pragma once

#include <SDL.h>

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <mutex>

namespace platform {

// Every drain of SDL's event queue counts once; reads between two drains
// belong to the same frame.
uint64_t EventDrainCount();
void NoteEventDrain();

template <size_t Count> class CPressLatch {
public:
    // The index an event presses, or -1.
    using Classifier = int (*)(const SDL_Event& event);

    explicit CPressLatch(Classifier c)
        : classify(c)
    {
        SDL_AddEventWatch(&Watch, this);
    }
    ~CPressLatch() { SDL_DelEventWatch(&Watch, this); }
    CPressLatch(const CPressLatch&) = delete;
    CPressLatch& operator=(const CPressLatch&) = delete;

    // The presses of this frame: those latched since the last drain before
    // it, held for every read until the next drain.
    std::bitset<Count> Take()
    {
        std::lock_guard lock(mutex);
        const uint64_t drain = EventDrainCount();
        if (drain != heldDrain) {
            held.reset();
            heldDrain = drain;
        }
        held |= pressed;
        pressed.reset();
        return held;
    }

    // Forgets every press, latched or held.
    void Discard()
    {
        std::lock_guard lock(mutex);
        pressed.reset();
        held.reset();
    }

private:
    // SDL calls the watch for every event as it is queued, whoever pumps.
    static int SDLCALL Watch(void* self, SDL_Event* event)
    {
        auto* latch = static_cast<CPressLatch*>(self);
        const int index = latch->classify(*event);
        if (index >= 0 && static_cast<size_t>(index) < Count) {
            std::lock_guard lock(latch->mutex);
            latch->pressed.set(static_cast<size_t>(index));
        }
        return 1;
    }

    Classifier classify;
    std::mutex mutex;
    std::bitset<Count> pressed; // since the last read
    std::bitset<Count> held; // read as down until the next drain
    uint64_t heldDrain = 0;
};

} // namespace platform
