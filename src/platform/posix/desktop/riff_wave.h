// Wave files: the RIFF container with uncompressed PCM samples, read by the program itself
// because the sound library only takes raw samples.
#pragma once

#include <cstdint>
#include <string_view>

namespace vtx::platform {

struct PcmSound {
    uint32_t channels = 0;
    uint32_t rate = 0;        // frames per second
    uint32_t bits = 0;        // 8 (unsigned), 16, 24 or 32 (signed, little-endian)
    std::string_view samples; // whole frames, interleaved; points into the file's bytes
    uint32_t frame_bytes() const { return channels * ((bits + 7) / 8); }
};

// Reads `file` (the whole file's bytes): 0 and the sound; 13 (invalid data) when it is not a
// RIFF WAVE file with a usable format chunk before its data chunk; 50 when it is well formed
// but its samples are compressed. A data chunk that claims more bytes than the file holds
// plays what is there.
int32_t parse_wave(std::string_view file, PcmSound& out);

} // namespace vtx::platform
