#include "platform/sound.h"

#include "platform/process.h"
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

} // namespace vtx::platform
