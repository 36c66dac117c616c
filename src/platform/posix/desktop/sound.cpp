#include "platform/sound.h"

#include <vector>

#include "platform/files.h"
#include "platform/posix/desktop/alsa_output.h"
#include "platform/posix/desktop/riff_wave.h"
#include "platform/process.h"
#include "platform/status.h"

namespace vtx::platform {

namespace {

constexpr uint32_t kRate = 48000;
constexpr int16_t kLevel = 8000; // a quarter of full scale: a square wave is loud
// The speaker's range on the NT line; below it and above half the sample rate a note is a
// silence of the same length.
constexpr uint32_t kLowestFrequency = 37;
constexpr std::size_t kMaxWaveBytes = std::size_t(1) << 30;

// No device to drive: the note is silence of the same length.
class SilentNotePlayer : public NotePlayer {
  public:
    void note(uint32_t, uint32_t milliseconds) override { sleep_milliseconds(milliseconds); }
    void rest(uint32_t milliseconds) override { sleep_milliseconds(milliseconds); }
};

// Square waves to the default device. The silences go to the device too, so the notes keep
// their places in time however the device buffers.
class AlsaNotePlayer : public NotePlayer {
  public:
    bool open() { return out_.open(16, 1, kRate); }

    void note(uint32_t frequency, uint32_t milliseconds) override {
        std::vector<int16_t> frames(frames_of(milliseconds));
        bool audible = frequency >= kLowestFrequency && frequency < kRate / 2;
        for (std::size_t i = 0; audible && i < frames.size(); ++i) {
            // Exact in integers: the half period the frame falls in decides its sign.
            bool high = (uint64_t(i) * frequency * 2 / kRate) % 2 == 0;
            frames[i] = high ? kLevel : int16_t(-kLevel);
        }
        out_.write(frames.data(), frames.size());
    }

    void rest(uint32_t milliseconds) override { note(0, milliseconds); }

  private:
    static std::size_t frames_of(uint32_t milliseconds) {
        return std::size_t(uint64_t(milliseconds) * kRate / 1000);
    }
    AlsaOutput out_;
};

} // namespace

std::unique_ptr<NotePlayer> speaker_note_player() {
    auto alsa = std::make_unique<AlsaNotePlayer>();
    if (alsa->open()) return alsa;
    return std::make_unique<SilentNotePlayer>();
}

std::unique_ptr<NotePlayer> helper_note_player() {
    return nullptr;
}

int32_t play_wave_file(const std::string& path) {
    std::string bytes;
    if (int32_t st = read_file(native_path(path), bytes, kMaxWaveBytes)) return st;
    PcmSound sound;
    if (int32_t st = parse_wave(bytes, sound)) return st;
    AlsaOutput out;
    if (!out.open(sound.bits, sound.channels, sound.rate)) return status::kNotSupported;
    out.write(sound.samples.data(), sound.samples.size() / sound.frame_bytes());
    return 0;
}

} // namespace vtx::platform
