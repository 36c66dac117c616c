// What the tests that run every handler for real share: no keyboard, and the checker's verdict.
#pragma once

#include <fcntl.h>
#include <string>
#include <unistd.h>

#include "checker/checker.h"
#include "engine/script.h"

namespace vtx::test {

// GET, GETS and the message box read the keyboard: give them an empty one.
struct NoKeyboard {
    int saved = ::dup(STDIN_FILENO);
    NoKeyboard() {
        int none = ::open("/dev/null", O_RDONLY);
        ::dup2(none, STDIN_FILENO);
        ::close(none);
    }
    ~NoKeyboard() {
        ::dup2(saved, STDIN_FILENO);
        ::close(saved);
    }
};

// True when the checker reports an error in the script `text`.
inline bool checker_finds_error(const std::string& text) {
    ScriptSource source;
    source.text = text;
    Findings out;
    ScriptFacts facts;
    check_source("t.scr", source, out, facts);
    for (const Finding& f : out)
        if (f.error) return true;
    return false;
}

} // namespace vtx::test
