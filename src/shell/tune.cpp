#include "shell/tune.h"

namespace vtx {

namespace {

constexpr double kTicksPerSecond = 18.2;
constexpr int kMaxDigits = 4;

struct TuneState {
    uint32_t number = 0; // value of the digits typed so far
    int digits = 0;
    double tempo = 256;
    uint32_t duration = 5; // ticks at tempo 256
    uint32_t frequency = 1000;
    uint32_t gap = 0; // milliseconds after each note

    // The buffered number, emptied.
    uint32_t take() {
        uint32_t n = number;
        number = 0;
        digits = 0;
        return n;
    }
};

} // namespace

uint32_t ticks_to_milliseconds(double ticks) {
    return uint32_t(ticks / kTicksPerSecond * 1000);
}

bool play_tune(std::string_view tune, TunePlayer& player) {
    TuneState s;
    for (char raw : tune) {
        if (player.key_waiting()) return true;
        char c = (raw >= 'A' && raw <= 'Z') ? char(raw + 32) : raw;
        if (c == 0 || c == 26) return false;
        if (c >= '0' && c <= '9') {
            // A fifth digit empties the buffer and is dropped itself.
            if (s.digits == kMaxDigits) {
                s.take();
            } else {
                s.number = s.number * 10 + uint32_t(c - '0');
                ++s.digits;
            }
            continue;
        }
        uint32_t n = 0;
        switch (c) {
        case 'd':
            if ((n = s.take()) != 0) s.duration = n;
            break;
        case 'f': {
            if (s.digits) s.frequency = s.take();
            // Truncated twice, as the tick count is a whole number before it becomes time.
            auto ticks = uint32_t(256 / s.tempo * s.duration);
            player.note(s.frequency, ticks_to_milliseconds(ticks));
            if (s.gap) player.rest(s.gap);
            break;
        }
        case 'g':
            if ((n = s.take()) != 0) s.gap = ticks_to_milliseconds(n);
            break;
        case 't':
            if ((n = s.take()) != 0) s.tempo = n;
            break;
        default: break; // anything else is ignored and keeps the buffer
        }
    }
    // The end of the text is a character too: a key pressed during the last note stops the
    // tune there, so it is swallowed like any other.
    return player.key_waiting();
}

} // namespace vtx
