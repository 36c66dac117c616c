// Reading a parenthesised argument list against a signature string.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace vtx {

struct Runtime;

// One destination per signature letter: a text for S, an integer for I; a lower-case
// letter marks an argument that may be left out, with every one after it.
// A left-out optional argument keeps what the destination held before the call.
struct ArgumentSlot {
    std::string* text = nullptr;
    int32_t* number = nullptr;
    ArgumentSlot(std::string& t) : text(&t) {}
    ArgumentSlot(int32_t& n) : number(&n) {}
};

// With the function name (or command keyword) current: reads "(", the arguments and ")".
// Returns with ")" current. A list that does not fit is script error 11; an empty
// argument is script error 14.
void arguments_by_signature(Runtime& rt, std::string_view signature,
                            std::initializer_list<ArgumentSlot> slots);

} // namespace vtx
