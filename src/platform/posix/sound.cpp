#include "platform/sound.h"

#include <cerrno>
#include <ctime>

#include "platform/status.h"

namespace vtx::platform {

namespace {

// No speaker to drive: the note is silence of the same length.
class SilentNotePlayer : public NotePlayer {
  public:
    void note(uint32_t, uint32_t milliseconds) override { sleep_milliseconds(milliseconds); }
};

} // namespace

std::unique_ptr<NotePlayer> speaker_note_player() {
    return std::make_unique<SilentNotePlayer>();
}

std::unique_ptr<NotePlayer> helper_note_player() {
    return nullptr;
}

int32_t play_wave_file(const std::string&) {
    return status::kNotSupported;
}

void sleep_milliseconds(uint32_t milliseconds) {
    timespec left{time_t(milliseconds / 1000), long(milliseconds % 1000) * 1000000L};
    while (::nanosleep(&left, &left) != 0 && errno == EINTR) {
    }
}

} // namespace vtx::platform
