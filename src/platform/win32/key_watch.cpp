#include "platform/key_watch.h"

#include <conio.h>

namespace vtx::platform {

struct KeyWatch::State {};

KeyWatch::KeyWatch() = default;
KeyWatch::~KeyWatch() = default;

bool KeyWatch::key_waiting() {
    return _kbhit() != 0;
}

int KeyWatch::read_key() {
    return _getch();
}

} // namespace vtx::platform
