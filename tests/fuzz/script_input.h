// What the differential fuzz targets take as input: a short script text whose tokens all pass
// a target's own test (both runs must see the same world).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/script_error.h"
#include "engine/tokenizer.h"

namespace vtx {

// False when the input is longer than 4096 bytes or `refused` holds for one of its tokens;
// a token too long for the tokenizer ends the look, as it would end the run.
template <class Refused>
bool script_input(const uint8_t* data, size_t size, Refused refused, std::string& input) {
    if (size > 4096) return false;
    input.assign(reinterpret_cast<const char*>(data), size);
    ScriptText text(input);
    Tokenizer t;
    t.attach(&text);
    try {
        for (t.next_token(); t.kind() != TK_END; t.next_token())
            if (refused(t)) return false;
    } catch (const ScriptError&) {
    }
    return true;
}

} // namespace vtx
