// The integer rules shared by the parser and the compiled expressions, so both agree.
#pragma once

#include <cstdint>

#include "engine/tokens.h"

namespace vtx {

// Truncates toward zero; the two cases that would fault give defined results.
inline int32_t divide(int32_t a, int32_t b) {
    if (b == 0) return 0;
    if (b == -1) return int32_t(0u - uint32_t(a));
    return a / b;
}

// Whether comparison token `op` holds for an ordering result `c` (<0, 0, >0).
inline bool compare_result(int op, int c) {
    switch (op) {
    case TK_EQUAL: return c == 0;
    case TK_LESS: return c < 0;
    case TK_GREATER: return c > 0;
    case TK_LESS_EQUAL: return c <= 0;
    case TK_GREATER_EQUAL: return c >= 0;
    default: return c != 0; // TK_NOT_EQUAL
    }
}

inline bool compare_integers(int op, int32_t a, int32_t b) {
    return compare_result(op, a < b ? -1 : (a > b ? 1 : 0));
}

} // namespace vtx
