// Watching the keyboard while something plays, so that a key press can stop it.
#pragma once

#include <memory>

namespace vtx::platform {

// While alive, keys typed at the terminal are neither echoed nor held for a whole line
// (POSIX terminal); the Windows console needs no change. Without a terminal or console
// no key is ever waiting.
class KeyWatch {
  public:
    KeyWatch();
    ~KeyWatch();
    KeyWatch(const KeyWatch&) = delete;
    KeyWatch& operator=(const KeyWatch&) = delete;

    // True when a key can be read at once.
    bool key_waiting();
    // Reads one key byte (waits for it); 0 introduces a special key's second byte.
    int read_key();

  private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace vtx::platform
