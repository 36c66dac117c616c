// The expression evaluator: recursive descent that evaluates while it parses.
#pragma once

#include <cstdint>
#include <string>

namespace vtx {

struct Runtime;

// Deeper nesting of parentheses, AND/OR operands and function arguments is script
// error 9: far above any real script, far below what the stack holds.
inline constexpr int kMaxExpressionDepth = 1000;

// Reads the expression that starts at the next token. Returns TK_NUMBER, TK_STRING, or
// TK_NAME when `required` is false and no expression starts there. The token that ended
// the expression is pushed back. `out` may be the tokenizer's own text buffer.
int evaluate_expression(Runtime& rt, std::string& out, bool required);

// The same, without formatting: an integer result lands in `number`, a string in `text`.
int evaluate_value(Runtime& rt, bool required, int32_t& number, std::string& text);

// Truth of a required condition: a non-empty string or a non-zero integer.
bool evaluate_condition(Runtime& rt);

} // namespace vtx
