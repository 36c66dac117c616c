// Sound: speaker notes and wave files.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace vtx::platform {

// Sounds single notes; the tune interpreter decides their frequency and length.
class NotePlayer {
  public:
    virtual ~NotePlayer() = default;
    // Sounds `frequency` Hz for `milliseconds`, returning when the note has ended. A frequency
    // the device rejects is not heard; whether its time still passes is the device's affair.
    virtual void note(uint32_t frequency, uint32_t milliseconds) = 0;
};

// The NT line's speaker (Windows: the Beep call). POSIX: sounds nothing but waits out every
// note, so scripts keep their timing.
std::unique_ptr<NotePlayer> speaker_note_player();

// The helper library's speaker (the 9x line): null when the library or one of its two entries
// is missing, so the tune is not played. The library is released with the player. POSIX: null.
std::unique_ptr<NotePlayer> helper_note_player();

// Plays a wave file and returns when it has ended: 0, or the platform's status. POSIX: 50.
int32_t play_wave_file(const std::string& path);

} // namespace vtx::platform
