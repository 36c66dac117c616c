// Sample output through ALSA's default device, where PipeWire or PulseAudio pick it up.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace vtx::platform {

class AlsaOutput {
  public:
    AlsaOutput();
    // Waits for what was written to be heard, then closes the device.
    ~AlsaOutput();
    AlsaOutput(const AlsaOutput&) = delete;
    AlsaOutput& operator=(const AlsaOutput&) = delete;

    // Opens the default playback device for interleaved frames of `bits` (8 unsigned, 16, 24
    // or 32 signed little-endian) with `channels` at `rate`: false when libasound is missing,
    // there is no device, or it takes none of these.
    bool open(uint32_t bits, uint32_t channels, uint32_t rate);
    // Writes whole frames, blocking while the device's buffer is full; a device that fails
    // for good ends the writing silently (the sound is lost, not the script).
    void write(const void* frames, std::size_t count);

  private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace vtx::platform
