#include "platform/posix/desktop/alsa_output.h"

#include <alsa/asoundlib.h>

#include "platform/fuzzing.h"
#include "platform/posix/shared_library.h"

namespace vtx::platform {

namespace {

// A tenth of a second of buffering: a key stops a tune soon after its note ends.
constexpr unsigned kLatencyMicroseconds = 100000;

snd_pcm_format_t format_of(uint32_t bits) {
    switch (bits) {
    case 8: return SND_PCM_FORMAT_U8;
    case 16: return SND_PCM_FORMAT_S16_LE;
    case 24: return SND_PCM_FORMAT_S24_3LE;
    case 32: return SND_PCM_FORMAT_S32_LE;
    default: return SND_PCM_FORMAT_UNKNOWN;
    }
}

// The library's own messages ("cannot find card '0'") would land in the script's output.
void quiet(const char*, int, const char*, int, const char*, ...) {}

} // namespace

struct AlsaOutput::State {
    SharedLibrary lib{"libasound.so.2"};
    decltype(&snd_pcm_open) pcm_open = nullptr;
    decltype(&snd_pcm_set_params) set_params = nullptr;
    decltype(&snd_pcm_writei) writei = nullptr;
    decltype(&snd_pcm_recover) recover = nullptr;
    decltype(&snd_pcm_drain) drain = nullptr;
    decltype(&snd_pcm_close) close = nullptr;
    decltype(&snd_lib_error_set_handler) set_error_handler = nullptr;
    decltype(&snd_config_update_free_global) free_config = nullptr;
    snd_pcm_t* pcm = nullptr;
    std::size_t frame_bytes = 0;

    bool bound() {
        return lib.bind(pcm_open, "snd_pcm_open") && lib.bind(set_params, "snd_pcm_set_params") &&
               lib.bind(writei, "snd_pcm_writei") && lib.bind(recover, "snd_pcm_recover") &&
               lib.bind(drain, "snd_pcm_drain") && lib.bind(close, "snd_pcm_close") &&
               lib.bind(set_error_handler, "snd_lib_error_set_handler") &&
               lib.bind(free_config, "snd_config_update_free_global") &&
               set_error_handler(quiet) == 0;
    }
};

AlsaOutput::AlsaOutput() : state_(std::make_unique<State>()) {}

AlsaOutput::~AlsaOutput() {
    State& s = *state_;
    if (s.pcm) {
        s.drain(s.pcm);
        s.close(s.pcm);
    }
    // The library keeps the parsed configuration for later opens; this program has none.
    if (s.free_config) s.free_config();
}

bool AlsaOutput::open(uint32_t bits, uint32_t channels, uint32_t rate) {
    State& s = *state_;
    snd_pcm_format_t format = format_of(bits);
    if (kFuzzing || s.pcm || format == SND_PCM_FORMAT_UNKNOWN || !s.bound()) return false;
    if (s.pcm_open(&s.pcm, "default", SND_PCM_STREAM_PLAYBACK, 0) < 0) {
        s.pcm = nullptr;
        return false;
    }
    // Resampling allowed (the 1): a card without the file's rate still plays it.
    if (s.set_params(s.pcm, format, SND_PCM_ACCESS_RW_INTERLEAVED, channels, rate, 1,
                     kLatencyMicroseconds) < 0) {
        s.close(s.pcm);
        s.pcm = nullptr;
        return false;
    }
    s.frame_bytes = channels * ((bits + 7) / 8);
    return true;
}

void AlsaOutput::write(const void* frames, std::size_t count) {
    State& s = *state_;
    if (!s.pcm) return;
    auto* at = static_cast<const unsigned char*>(frames);
    while (count > 0) {
        snd_pcm_sframes_t n = s.writei(s.pcm, at, count);
        if (n < 0) {
            // An underrun (the script paused between notes) or a suspend is recovered from.
            if (s.recover(s.pcm, int(n), 1) < 0) return;
            continue;
        }
        at += std::size_t(n) * s.frame_bytes;
        count -= std::size_t(n);
    }
}

} // namespace vtx::platform
