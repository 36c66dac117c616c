#include "platform/posix/desktop/riff_wave.h"

#include "platform/status.h"

namespace vtx::platform {

namespace {

constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatExtensible = 0xFFFE;
constexpr uint32_t kMaxChannels = 32;

uint32_t le16(std::string_view s, std::size_t at) {
    return uint32_t(uint8_t(s[at])) | uint32_t(uint8_t(s[at + 1])) << 8;
}

uint32_t le32(std::string_view s, std::size_t at) {
    return le16(s, at) | le16(s, at + 2) << 16;
}

// The "fmt " chunk: 0, 13 or 50 as parse_wave reports it.
int32_t read_format(std::string_view chunk, PcmSound& out) {
    if (chunk.size() < 16) return status::kInvalidData;
    uint32_t tag = le16(chunk, 0);
    out.channels = le16(chunk, 2);
    out.rate = le32(chunk, 4);
    out.bits = le16(chunk, 14);
    // The extensible form names its real encoding in the first two bytes of its GUID.
    if (tag == kFormatExtensible) {
        if (chunk.size() < 26) return status::kInvalidData;
        tag = le16(chunk, 24);
    }
    if (tag != kFormatPcm) return status::kNotSupported;
    bool bits_ok = out.bits == 8 || out.bits == 16 || out.bits == 24 || out.bits == 32;
    if (!bits_ok || out.channels == 0 || out.channels > kMaxChannels || out.rate == 0)
        return status::kInvalidData;
    // The block alignment must agree, or the frames would be read at the wrong stride.
    if (le16(chunk, 12) != out.frame_bytes()) return status::kInvalidData;
    return 0;
}

} // namespace

int32_t parse_wave(std::string_view file, PcmSound& out) {
    out = PcmSound{};
    if (file.size() < 12 || file.substr(0, 4) != "RIFF" || file.substr(8, 4) != "WAVE")
        return status::kInvalidData;
    bool have_format = false;
    std::size_t at = 12;
    while (file.size() - at >= 8) {
        std::string_view id = file.substr(at, 4);
        std::size_t size = le32(file, at + 4);
        at += 8;
        std::size_t present = file.size() - at < size ? file.size() - at : size;
        std::string_view body = file.substr(at, present);
        if (id == "fmt ") {
            if (size > present) return status::kInvalidData;
            if (int32_t st = read_format(body, out)) return st;
            have_format = true;
        } else if (id == "data") {
            if (!have_format) return status::kInvalidData;
            out.samples = body.substr(0, body.size() - body.size() % out.frame_bytes());
            return 0;
        }
        // Chunks are padded to an even length.
        std::size_t next = size + (size & 1);
        if (next > file.size() - at) break;
        at += next;
    }
    return status::kInvalidData;
}

} // namespace vtx::platform
