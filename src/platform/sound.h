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
    // Keeps silent for `milliseconds` between notes.
    virtual void rest(uint32_t milliseconds) = 0;
};

// The NT line's speaker (Windows: the Beep call). POSIX: square waves to the sound system's
// default device; with no device, nothing is heard but every note's time still passes.
std::unique_ptr<NotePlayer> speaker_note_player();

// The helper library's speaker (the 9x line): null when the library or one of its two entries
// is missing, so the tune is not played. The library is released with the player. POSIX: null.
std::unique_ptr<NotePlayer> helper_note_player();

// Plays a wave file and returns when it has ended: 0, or the platform's status. POSIX: 2, 3 or
// 5 when it cannot be read, 13 when it is no RIFF PCM wave file, 50 for compressed samples
// or when there is no sound device.
int32_t play_wave_file(const std::string& path);

} // namespace vtx::platform
