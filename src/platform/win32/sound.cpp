#include "platform/sound.h"

#include <windows.h>

#include <mmsystem.h>

#include "platform/win32/library.h"

namespace vtx::platform {

namespace {

class BeepNotePlayer : public NotePlayer {
  public:
    // A rejected frequency (below 37 Hz, for one) is simply not heard.
    void note(uint32_t frequency, uint32_t milliseconds) override { Beep(frequency, milliseconds); }
    void rest(uint32_t milliseconds) override { Sleep(milliseconds); }
};

class HelperNotePlayer : public NotePlayer {
  public:
    using SoundOn = int32_t(WINAPI*)(int32_t);
    using SoundOff = int32_t(WINAPI*)();

    HelperNotePlayer() : library_(kHelperLibrary) {
        if (!library_.loaded()) return;
        on_ = library_.entry<SoundOn>("VXSoundOn32");
        off_ = library_.entry<SoundOff>("VXSoundOff32");
    }
    bool usable() const { return on_ && off_; }

    void note(uint32_t frequency, uint32_t milliseconds) override {
        on_(int32_t(frequency));
        Sleep(milliseconds);
        off_();
    }
    void rest(uint32_t milliseconds) override { Sleep(milliseconds); }

  private:
    Library library_;
    SoundOn on_ = nullptr;
    SoundOff off_ = nullptr;
};

} // namespace

std::unique_ptr<NotePlayer> speaker_note_player() {
    return std::make_unique<BeepNotePlayer>();
}

std::unique_ptr<NotePlayer> helper_note_player() {
    auto player = std::make_unique<HelperNotePlayer>();
    if (!player->usable()) return nullptr;
    return player;
}

int32_t play_wave_file(const std::string& path) {
    return sndPlaySoundA(path.c_str(), SND_SYNC) ? 0 : int32_t(GetLastError());
}

} // namespace vtx::platform
