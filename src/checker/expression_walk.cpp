// Expressions read with the evaluator's grammar (the comment at the top of
// engine/evaluator.cpp): the first operand fixes the type, a string expression knows only +,
// comparisons, AND and OR. Where the type waits for the run (a variable, a macro) both
// grammars are accepted. tests/unit/checker/checker_test.cpp and the checker scripts of the
// corpus hold it to the interpreter's reading.
#include "checker/script_walk.h"

#include "checker/text_checks.h"
#include "engine/evaluator.h"
#include "engine/functions.h"
#include "engine/macros.h"
#include "engine/script_error.h"
#include "engine/script_location.h"
#include "engine/text.h"

namespace vtx::walk {

namespace {

// An unquoted word holding a drive colon or a backslash is a path, not a text of its own.
bool looks_like_path(std::string_view word) {
    return word.find_first_of(":\\") != std::string_view::npos;
}

} // namespace

ScriptWalk::Nesting::Nesting(ScriptWalk& w) : walk(w) {
    if (++walk.depth_ > kMaxExpressionDepth) {
        --walk.depth_;
        throw ScriptError(kErrTooLong); // the walk reports it and stops
    }
}

Type ScriptWalk::expression(bool required) {
    Nesting nesting(*this);
    next();
    expression_start_ = t_.token_start();
    Type type = first_type();
    if (type == Type::none) {
        if (!required) {
            t_.push_back_token();
            return type;
        }
        std::string text = expected_text();
        if (t_.kind() >= 0)
            text += ": " + upper_copy(t_.token) + " is a keyword; a label or a text of " +
                    "that name needs quotes";
        error(t_.token_start(), text);
        // A keyword is taken as the missing operand, so that it does not read as a
        // statement too.
        if (t_.kind() < 0) t_.push_back_token();
        return type;
    }
    logic(type);
    t_.push_back_token();
    return type;
}

std::string ScriptWalk::expected_text() const {
    std::string text = script_error_message(kErrExpected);
    if (t_.kind() == TK_END) return text + " before the end of the script";
    if (t_.kind() == TK_LABEL)
        text += ", not :" + t_.token + " (a label is no expression)";
    else if (!t_.token.empty())
        text += ", not " + t_.token;
    return text;
}

Type ScriptWalk::first_type() {
    switch (t_.kind()) {
    case TK_NUMBER:
    case TK_PLUS:
    case TK_MINUS: return Type::integer;
    case TK_STRING:
    case TK_NAME: return Type::string;
    case TK_VARIABLE:
    case TK_MACRO: return Type::unknown;
    case TK_FUNCTION:
        return function_kind(t_.function()) == KIND_STRING ? Type::string : Type::integer;
    case TK_LEFT_PAREN: {
        Saved saved = save();
        do t_.next_token();
        while (t_.kind() == TK_LEFT_PAREN);
        Type type = first_type();
        restore(saved);
        return type == Type::none ? Type::unknown : type;
    }
    default: return Type::none;
    }
}

void ScriptWalk::logic(Type type) {
    comparison(type);
    while (t_.kind() == KW_AND || t_.kind() == KW_OR) {
        check_operator_in_path();
        expression(true);
        next();
    }
}

void ScriptWalk::comparison(Type type) {
    Operand left = additive(type);
    if (!is_comparison(t_.kind())) return;
    uint32_t at = t_.token_start();
    int op = t_.kind();
    next();
    Operand right = additive(type);
    note_ordering(left, op, right);
    if (left.string_function && right.number)
        warn(at, left.function +
                     " gives text, so this compares texts (\"30\" > \"100\" is "
                     "true): write 0 + " +
                     left.function + "(...) to compare numbers");
}

Operand ScriptWalk::additive(Type type) {
    Operand first = multiplicative(type);
    while (t_.kind() == TK_PLUS || (t_.kind() == TK_MINUS && type != Type::string)) {
        bool plus = t_.kind() == TK_PLUS;
        uint32_t at = t_.token_start();
        next();
        Operand right = multiplicative(type);
        if (plus && first.string_function && right.number)
            warn(at, first.function +
                         " gives text, so + joins the number to it (\"1\" + 1 "
                         "is \"11\"): compute the number first, as in $n = 0 + " +
                         first.function + "(...) + 1");
        first = Operand{};
    }
    return first;
}

Operand ScriptWalk::multiplicative(Type type) {
    Operand first = unary(type);
    while (type != Type::string && (t_.kind() == TK_STAR || t_.kind() == TK_SLASH)) {
        next();
        unary(type);
        first = Operand{};
    }
    return first;
}

Operand ScriptWalk::unary(Type type) {
    if (type != Type::string && (t_.kind() == TK_PLUS || t_.kind() == TK_MINUS)) {
        next();
        parenthesis(type);
        return {};
    }
    return parenthesis(type);
}

Operand ScriptWalk::parenthesis(Type type) {
    if (t_.kind() != TK_LEFT_PAREN) return primary(type);
    Nesting nesting(*this);
    next();
    logic(type);
    if (t_.kind() != TK_RIGHT_PAREN) {
        error(t_.token_start(), expected_text() + ": ( without )");
        return {};
    }
    next();
    return {};
}

Operand ScriptWalk::primary(Type type) {
    Operand o;
    o.at = t_.token_start();
    switch (t_.kind()) {
    case TK_NUMBER: o.number = true; break;
    case TK_STRING: o.text = true; [[fallthrough]];
    case TK_MACRO: check_literal(t_.token, text_start()); break;
    case TK_VARIABLE:
        // $name.txt is not a name: it is expanded as a text.
        if (!is_variable_name(t_.token)) {
            check_literal(t_.token, t_.token_start());
            break;
        }
        o.variable = t_.token;
        note_read(t_.token, t_.token_start(), false);
        break;
    case TK_NAME:
        if (type == Type::integer) {
            error(t_.token_start(), expected_text());
            break;
        }
        bare_word();
        if (looks_like_path(t_.token)) path_word_end_ = t_.position();
        break;
    case TK_FUNCTION:
        o.string_function = function_kind(t_.function()) == KIND_STRING;
        o.function = upper_copy(t_.token);
        function_call();
        return o;
    case TK_RIGHT_PAREN:
        if (type == Type::string) error(t_.token_start(), expected_text());
        return o; // an empty operand, as in 5 + (): the ")" is left for the caller
    default: error(t_.token_start(), expected_text()); return o;
    }
    next();
    return o;
}

void ScriptWalk::note_ordering(const Operand& left, int op, const Operand& right) {
    if (op == TK_EQUAL || op == TK_NOT_EQUAL) return;
    const Operand& variable = left.variable.empty() ? right : left;
    const Operand& literal = left.variable.empty() ? left : right;
    if (variable.variable.empty() || !(literal.number || literal.text)) return;
    std::string_view body = script_body(text_);
    facts_.orderings.push_back({variable_key(variable.variable), variable.variable,
                                line_number(body, left.at), column_number(body, left.at),
                                literal.number, !left.variable.empty()});
}

void ScriptWalk::check_operator_in_path() {
    std::string_view body = script_body(text_);
    uint32_t at = t_.token_start();
    // The word before, on this line and only blanks between, or the word after.
    bool before = path_word_end_ && path_word_end_ <= at &&
                  body.substr(path_word_end_, at - path_word_end_).find_first_not_of(" \t") ==
                      std::string_view::npos;
    Ahead after = look_ahead();
    bool follows = false;
    if (after.kind == TK_NAME && line_number(body, after.start) == line_number(body, at)) {
        Saved saved = save();
        t_.next_token();
        follows = looks_like_path(t_.token);
        restore(saved);
    }
    if (!before && !follows) return;
    std::string word = upper_copy(t_.token);
    warn(at, "\"" + t_.token + "\" in an unquoted path is the operator " + word +
                 ": the path is cut there; put the whole path in quotes");
}

void ScriptWalk::bare_word() {
    std::string upper = upper_copy(t_.token);
    if (peek() == TK_LEFT_PAREN)
        warn(t_.token_start(), upper + " is no function: it is the text \"" + t_.token +
                                   "\", and the ( ) after it is a statement of its own");
    else if (is_foreign_word(t_.token))
        warn(t_.token_start(),
             upper + " is no keyword of the language: it is the text \"" + t_.token + "\"");
}

void ScriptWalk::function_call() {
    const FunctionName& f = kFunctionNames[t_.function()];
    argument_list(f.name, f.signature);
    if (t_.kind() == TK_RIGHT_PAREN) next();
}

void ScriptWalk::argument_list(const char* name, std::string_view signature) {
    uint32_t at = t_.token_start();
    next();
    if (t_.kind() != TK_LEFT_PAREN) {
        error(at, std::string(script_error_message(kErrParameters)) + ": " + name +
                      " needs its arguments in parentheses");
        t_.push_back_token();
        return;
    }
    std::size_t count = 0;
    for (;;) {
        Type type = expression(count > 0 || peek() != TK_RIGHT_PAREN);
        uint32_t argument_at = expression_start_;
        next();
        if (type != Type::none) {
            if (count < signature.size())
                check_argument_type(name, signature, count, type, argument_at);
            ++count;
        }
        if (t_.kind() == TK_COMMA) continue;
        if (t_.kind() == TK_RIGHT_PAREN) break;
        error(t_.token_start(), std::string(script_error_message(kErrParameters)) + ": " + name +
                                    " expects , or ) here");
        t_.push_back_token();
        return;
    }
    std::size_t required = 0;
    while (required < signature.size() && !is_optional_letter(signature[required])) ++required;
    if (count < required || count > signature.size())
        error(at, std::string(script_error_message(kErrParameters)) + ": " + name + " takes " +
                      arity(required, signature.size()) + ", not " + std::to_string(count));
}

void ScriptWalk::check_argument_type(const char* name, std::string_view signature, std::size_t i,
                                     Type type, uint32_t at) {
    bool wants_text = is_text_letter(signature[i]);
    if (type == Type::unknown || (type == Type::string) == wants_text) return;
    error(at, std::string(script_error_message(kErrParameters)) + ": argument " +
                  std::to_string(i + 1) + " of " + name + " must be " +
                  (wants_text ? "a text" : "a number"));
}

std::string ScriptWalk::arity(std::size_t low, std::size_t high) {
    std::string n = std::to_string(low);
    if (high != low) n += " to " + std::to_string(high);
    return n + (high == 1 && low == 1 ? " argument" : " arguments");
}

} // namespace vtx::walk
