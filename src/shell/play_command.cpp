#include "engine/evaluator.h"
#include "engine/runtime.h"
#include "engine/script.h"
#include "engine/text.h"
#include "engine/tokens.h"
#include "platform/key_watch.h"
#include "platform/process.h"
#include "platform/sound.h"
#include "platform/status.h"
#include "shell/handlers.h"
#include "shell/tune.h"

namespace vtx {

namespace {

// The tune's notes go to the platform's player; its key test is the console's.
class ScriptTunePlayer : public TunePlayer {
  public:
    ScriptTunePlayer(platform::NotePlayer& notes, platform::KeyWatch& keys)
        : notes_(notes), keys_(keys) {}
    bool key_waiting() override { return keys_.key_waiting(); }
    void note(uint32_t frequency, uint32_t ms) override { notes_.note(frequency, ms); }
    void rest(uint32_t ms) override { platform::sleep_milliseconds(ms); }

  private:
    platform::NotePlayer& notes_;
    platform::KeyWatch& keys_;
};

bool is_wave_name(std::string_view name) {
    return name.size() > 4 && equal_nocase(name.substr(name.size() - 4), ".wav");
}

// The player's own result never reaches @ERROR; a missing helper library plays nothing.
void play_text(Runtime& rt, std::string_view tune) {
    auto notes = rt.os.is_nt() ? platform::speaker_note_player() : platform::helper_note_player();
    if (!notes) return;
    platform::KeyWatch keys;
    ScriptTunePlayer player(*notes, keys);
    // The key that stopped the tune is not left for a later GET: read it, and the second
    // byte of a special key with it.
    if (play_tune(tune, player) && keys.read_key() == 0) keys.read_key();
}

} // namespace

void cmd_play(Runtime& rt) {
    rt.error = 0;
    rt.tok.next_token();
    bool from_file = rt.tok.kind() == KW_FILE;
    if (!from_file) rt.tok.push_back_token();
    std::string name;
    evaluate_expression(rt, name, true);

    if (is_wave_name(name)) {
        int32_t st = platform::play_wave_file(name);
        if (st != 0) rt.error = st;
    } else if (!from_file) {
        play_text(rt, name);
    } else {
        rt.error = status::kFileNotFound;
        std::string tune;
        if (!read_text_file(search_path(rt, name), kMaxScript, tune)) return;
        rt.error = 0;
        play_text(rt, tune);
    }
}

} // namespace vtx
