#include "platform/posix/desktop/riff_wave.h"

#include <gtest/gtest.h>

#include <string>

namespace vtx::platform {
namespace {

std::string le(uint32_t v, int bytes) {
    std::string s;
    for (int i = 0; i < bytes; ++i) s += char((v >> (8 * i)) & 0xFF);
    return s;
}

std::string format_chunk(uint32_t tag, uint32_t channels, uint32_t bits, std::string extra = "") {
    uint32_t align = channels * bits / 8;
    std::string body = le(tag, 2) + le(channels, 2) + le(8000, 4) + le(8000 * align, 4) +
                       le(align, 2) + le(bits, 2) + extra;
    return "fmt " + le(uint32_t(body.size()), 4) + body;
}

std::string riff(const std::string& chunks) {
    return "RIFF" + le(uint32_t(chunks.size() + 4), 4) + "WAVE" + chunks;
}

TEST(RiffWave, DataLongerThanTheFilePlaysTheWholeFramesPresent) {
    std::string file = riff(format_chunk(1, 2, 16) + "data" + le(1000, 4) + std::string(10, 'x'));
    PcmSound sound;
    ASSERT_EQ(parse_wave(file, sound), 0);
    EXPECT_EQ(sound.frame_bytes(), 4u);
    EXPECT_EQ(sound.samples.size(), 8u); // two frames; the half frame is dropped
}

TEST(RiffWave, ExtensibleFormatNamesItsEncodingInItsGuid) {
    std::string pcm_guid = le(1, 2) + std::string(14, '\0');
    std::string extra = le(22, 2) + le(24, 2) + le(4, 4) + pcm_guid;
    PcmSound sound;
    EXPECT_EQ(
        parse_wave(riff(format_chunk(0xFFFE, 1, 24, extra) + "data" + le(3, 4) + "abc"), sound), 0);
    EXPECT_EQ(sound.bits, 24u);
    std::string float_guid = le(3, 2) + std::string(14, '\0');
    extra = le(22, 2) + le(32, 2) + le(4, 4) + float_guid;
    EXPECT_EQ(parse_wave(riff(format_chunk(0xFFFE, 1, 32, extra) + "data" + le(0, 4)), sound), 50);
}

TEST(RiffWave, ChunkSizesThatRunPastTheEndAreNotFollowed) {
    PcmSound sound;
    EXPECT_EQ(parse_wave(riff(format_chunk(1, 1, 8) + "LIST" + le(0xFFFFFFF0u, 4) + "data"), sound),
              13);
    EXPECT_EQ(parse_wave(riff("fmt " + le(0xFFFFFFFFu, 4) + "abcd"), sound), 13);
    EXPECT_EQ(parse_wave("RIFF", sound), 13);
}

} // namespace
} // namespace vtx::platform
