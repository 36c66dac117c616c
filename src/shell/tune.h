// The tune language of PLAY: digits before a letter, timed in PC clock ticks (1/18.2 s).
#pragma once

#include <cstdint>
#include <string_view>

namespace vtx {

// What a tune drives. The interpreter decides every timing; the player only sounds.
struct TunePlayer {
    virtual ~TunePlayer() = default;
    // True when a key is waiting to be read; asked before every character.
    virtual bool key_waiting() = 0;
    // Sounds `frequency` Hz for `milliseconds` and returns when the note has ended.
    virtual void note(uint32_t frequency, uint32_t milliseconds) = 0;
    // Silence between notes.
    virtual void rest(uint32_t milliseconds) = 0;
};

// Milliseconds of `ticks` clock ticks, truncated.
uint32_t ticks_to_milliseconds(double ticks);

// Plays `tune` to its end (end of text, a zero byte or Ctrl+Z). Returns true when a waiting
// key stopped it first; that key is left for the caller to read.
bool play_tune(std::string_view tune, TunePlayer& player);

} // namespace vtx
