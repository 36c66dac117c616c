// Reading a parenthesised argument list against a signature string.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>

#include "engine/functions.h"

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

// True when destinations of these types take `signature`'s letters one for one.
template <class... Destination> constexpr bool fits_signature(std::string_view signature) {
    constexpr std::array<bool, sizeof...(Destination)> texts = {
        std::is_same_v<Destination, std::string>...};
    if (signature.size() != texts.size()) return false;
    for (std::size_t i = 0; i < texts.size(); ++i)
        if (is_text_letter(signature[i]) != texts[i]) return false;
    return true;
}

// A function handler's argument list, read by the letters of its line in VTX32_FUNCTIONS:
// they are written nowhere else, and destinations that do not fit them do not compile.
template <Function F, class... Destination>
void function_arguments(Runtime& rt, Destination&... destination) {
    static_assert(fits_signature<Destination...>(kFunctionNames[F].signature),
                  "the destinations must match the function's argument letters");
    arguments_by_signature(rt, kFunctionNames[F].signature, {ArgumentSlot(destination)...});
}

// The same for a command whose shape in VTX32_KEYWORDS is an argument list.
template <Keyword K, class... Destination>
void statement_arguments(Runtime& rt, Destination&... destination) {
    static_assert(fits_signature<Destination...>(statement_signature(K)),
                  "the destinations must match the statement's argument letters");
    arguments_by_signature(rt, statement_signature(K), {ArgumentSlot(destination)...});
}

} // namespace vtx
