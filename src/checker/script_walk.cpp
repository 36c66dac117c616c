// The statements of a script, in the order the text gives them.
#include "checker/script_walk.h"

#include <algorithm>

#include "checker/text_checks.h"
#include "engine/colour_words.h"
#include "engine/script_error.h"
#include "engine/script_location.h"
#include "engine/statement_syntax.h"
#include "engine/text.h"
#include "engine/variables.h"

namespace vtx {

namespace walk {

namespace {

constexpr std::string_view kForeignWords[] = {"NOT",    "ELSEIF", "THEN",  "ELSIF",
                                              "SELECT", "UPPER",  "LOWER", "TRIM"};

} // namespace

bool is_foreign_word(std::string_view word) {
    for (std::string_view w : kForeignWords)
        if (equal_nocase(word, w)) return true;
    return false;
}

void ScriptWalk::run() {
    if (source_.byte_order_mark)
        warn(0, std::string("the script starts with a UTF-") +
                    (source_.byte_order_mark == 8 ? "8" : "16") +
                    " byte-order mark: older versions of the program stop on this line "
                    "with \"unknown command\"; save it without one");
    if (source_.end_mark)
        error(uint32_t(script_body(text_).size()),
              "a Ctrl+Z ends the script here: the rest of the file is never read");
    if (source_.cut)
        error(uint32_t(kMaxScript), "the script is longer than 64000 characters: the rest "
                                    "is never read");
    try {
        first_pass();
        t_.attach(&text_);
        for (next(); t_.kind() != TK_END; next()) statement();
    } catch (const ScriptError& e) {
        // Only an overlong token gets here: the interpreter would stop at it as well.
        error(t_.position(), script_error_message(e.code));
    }
    report_open("IF", "ENDIF", ifs_);
    report_open("WHILE", "LOOP", whiles_);
    report_open("DO", "UNTIL", dos_);
}

void ScriptWalk::report(uint32_t pos, bool is_error, std::string text) {
    std::string_view body = script_body(text_);
    out_.push_back(
        {name_, line_number(body, pos), column_number(body, pos), is_error, std::move(text)});
}

void ScriptWalk::block_finding(uint32_t pos, const char* message) {
    if (has_goto_)
        warn(pos, std::string(message) + " (unless a GOTO changes the nesting)");
    else
        error(pos, message);
}

void ScriptWalk::report_open(const char* opener, const char* closer,
                             const std::vector<Block>& open) {
    for (const Block& b : open)
        warn(b.pos, std::string(opener) + " without " + closer +
                        ": the block is still open at the end of the script");
}

void ScriptWalk::restore(const Saved& s) {
    t_.rewind(s.mark);
    t_.token = s.token;
}

void ScriptWalk::next() {
    t_.next_token();
    ++tokens_;
}

ScriptWalk::Ahead ScriptWalk::look_ahead() {
    Saved saved = save();
    t_.next_token();
    Ahead ahead{t_.kind(), t_.token_start()};
    restore(saved);
    return ahead;
}

void ScriptWalk::first_pass() {
    std::string_view body = script_body(text_);
    for (t_.next_token(); t_.kind() != TK_END; t_.next_token()) {
        if (t_.kind() == TK_LABEL && labels_.find(t_.token) < 0)
            labels_.add(t_.token, t_.position());
        if (t_.kind() == KW_GOTO) has_goto_ = true;
        uint32_t start = t_.token_start(), end = t_.position();
        // One cut by a zero byte is reported as that.
        bool closed = end - start >= 2 && body[end - 1] == body[start];
        if (t_.kind() == TK_STRING && !closed && (end >= body.size() || body[end] != '\0'))
            error(start, std::string("this text has no closing ") + body[start] +
                             ": it runs to the end of the script, and the rest never runs (the "
                             "missing quote may stand earlier)");
    }
    if (t_.token_start() < body.size()) report_early_end(t_.token_start());
}

void ScriptWalk::report_early_end(uint32_t pos) {
    std::string_view body = script_body(text_);
    std::string_view head = body.substr(0, std::min<std::size_t>(body.size(), 64));
    // Text saved as UTF-16 without its mark holds a zero byte beside nearly every character.
    if (pos < 2 && std::count(head.begin(), head.end(), '\0') * 3 >= std::ptrdiff_t(head.size()))
        return error(0, "the script is UTF-16 text without a byte-order mark: the program "
                        "reads only up to its first zero byte; save it as ANSI text");
    error(pos, "a zero byte (NUL) ends the script here: the rest of the file never runs");
}

void ScriptWalk::note_variable(std::string_view name, uint32_t pos) {
    std::string full = fold_copy(name);
    std::string cut = variable_key(name);
    auto [it, added] = variables_.try_emplace(cut, FirstName{full, std::string(name), pos});
    if (added || it->second.folded == full || !reported_names_.insert(full).second) return;
    warn(pos, std::string(name) + " is the same variable as " + it->second.written + " (line " +
                  std::to_string(line_number(script_body(text_), it->second.pos)) +
                  "): only the first 14 characters of a name count, $ included");
}

void ScriptWalk::note_read(std::string_view name, uint32_t pos, bool in_text) {
    note_variable(name, pos);
    std::string_view body = script_body(text_);
    facts_.reads.push_back({variable_key(name), std::string(name), line_number(body, pos),
                            column_number(body, pos), in_text});
}

void ScriptWalk::note_assigned(std::string_view name, Type type) {
    facts_.assigned[variable_key(name)] |= type == Type::string    ? kAssignedText
                                           : type == Type::integer ? kAssignedNumber
                                                                   : kAssignedOther;
}

void ScriptWalk::check_literal(std::string_view text, uint32_t text_pos) {
    for (const TextFinding& f : check_text(text))
        report(text_pos + uint32_t(f.offset), f.error, f.text);
    for (std::string_view v : variables_in_text(text))
        note_read(v, text_pos + uint32_t(v.data() - text.data()), true);
}

uint32_t ScriptWalk::text_start() const {
    return t_.kind() == TK_STRING ? t_.token_start() + 1 : t_.token_start();
}

void ScriptWalk::statement() {
    switch (t_.kind()) {
    case KW_IF: open_block(ifs_, kErrNestedIf); return condition();
    case KW_ELSE: return statement_else();
    case KW_ENDIF: return close_block(ifs_, kErrEndifWithoutIf);
    case KW_WHILE: open_block(whiles_, kErrNestedWhile); return condition();
    case KW_LOOP: return close_block(whiles_, kErrLoopWithoutWhile);
    case KW_DO: return open_block(dos_, kErrNestedDo);
    case KW_UNTIL:
        if (dos_.empty())
            block_finding(t_.token_start(), "UNTIL without DO (reported as \"LOOP without DO\")");
        else
            dos_.pop_back();
        return condition();
    case KW_GOTO: return statement_goto();
    case KW_CALL: return statement_call();
    case KW_EXIT:
        exit_seen_ = true;
        expression(false);
        return;
    case TK_LABEL: return;
    case TK_VARIABLE: return statement_variable();
    default:
        if (starts_expression_statement(t_.kind())) {
            t_.push_back_token();
            expression(true);
            return;
        }
        if (begins_statement(t_.kind())) return command(t_.kind());
        return unknown_command();
    }
}

void ScriptWalk::open_block(std::vector<Block>& stack, int too_deep) {
    if (stack.size() >= 10) block_finding(t_.token_start(), script_error_message(too_deep));
    stack.push_back({t_.token_start()});
}

void ScriptWalk::close_block(std::vector<Block>& stack, int without) {
    if (stack.empty())
        block_finding(t_.token_start(), script_error_message(without));
    else
        stack.pop_back();
}

void ScriptWalk::statement_else() {
    if (ifs_.empty())
        return block_finding(t_.token_start(), script_error_message(kErrElseWithoutIf));
    if (ifs_.back().had_else)
        return block_finding(t_.token_start(), "ELSE without IF: this IF already had its ELSE");
    ifs_.back().had_else = true;
}

void ScriptWalk::unknown_command() {
    if (is_drive_word(t_.token)) return;
    std::string word = t_.kind() == TK_STRING ? "\"" + t_.token + "\"" : t_.token;
    std::string text = "unknown command";
    if (!t_.token.empty()) text += " " + word;
    if (t_.kind() == TK_NAME && peek() == TK_LEFT_PAREN)
        text += ": " + t_.token + " is no function";
    else if (t_.kind() == TK_NAME && is_foreign_word(t_.token))
        text += ": the language has no " + upper_copy(t_.token);
    error(t_.token_start(), text);
}

void ScriptWalk::statement_variable() {
    std::string name = t_.token;
    uint32_t start = t_.token_start();
    next();
    if (t_.kind() != TK_EQUAL) {
        t_.push_back_at(start);
        expression(true);
        return;
    }
    note_variable(name, start);
    note_assigned(name, expression(true));
}

void ScriptWalk::statement_goto() {
    std::string label;
    uint32_t pos = 0;
    if (!literal_expression(label, pos)) return;
    if (labels_.find(label) < 0) error(pos, "LABEL not found: the script has no label :" + label);
}

void ScriptWalk::statement_call() {
    std::string name;
    uint32_t pos = 0;
    if (!literal_expression(name, pos)) {
        facts_.unknown_call = true;
        return;
    }
    std::string_view body = script_body(text_);
    bool every_run = !has_goto_ && !exit_seen_ && ifs_.empty() && whiles_.empty() && dos_.empty();
    facts_.calls.push_back({name, line_number(body, pos), column_number(body, pos), every_run});
}

bool ScriptWalk::literal_expression(std::string& text, uint32_t& pos) {
    Saved first = save();
    uint32_t before = tokens_;
    if (expression(true) == Type::none || tokens_ - before != 2) return false;
    Saved after = save();
    restore(first);
    next();
    bool plain = t_.kind() == TK_STRING || t_.kind() == TK_NAME || t_.kind() == TK_NUMBER;
    text = t_.token;
    pos = t_.token_start();
    restore(after);
    return plain && text.find_first_of("@%$") == std::string::npos;
}

void ScriptWalk::command(int keyword) {
    keyword_at_ = t_.token_start();
    shape(kKeywords[keyword].text, kKeywords[keyword].syntax);
}

bool ScriptWalk::fits(std::string_view alternative) {
    std::vector<std::string_view> parts = syntax_parts(alternative);
    if (parts.empty()) return true;
    std::string_view first = parts.front();
    if (first.front() == '/') return peek() == TK_SLASH;
    if (int keyword = find_keyword(first); keyword >= 0 && first.size() > 1)
        return peek() == keyword;
    return peek() != TK_END;
}

void ScriptWalk::shape(const char* name, std::string_view text) {
    std::vector<std::string_view> alternatives = syntax_alternatives(text);
    for (std::size_t i = 0; i < alternatives.size(); ++i) {
        if (i + 1 < alternatives.size() && !fits(alternatives[i])) continue;
        for (std::string_view part : syntax_parts(alternatives[i])) {
            std::string_view optional = syntax_optional(part);
            if (optional.empty()) {
                shape_part(name, part);
                continue;
            }
            for (std::string_view a : syntax_alternatives(optional))
                if (fits(a)) {
                    shape(name, optional);
                    break;
                }
        }
        return;
    }
}

void ScriptWalk::shape_part(const char* name, std::string_view part) {
    if (part == "E") {
        expression(true);
    } else if (part.front() == '(') {
        argument_list(name, part.substr(1, part.size() - 2));
    } else if (part == "V") {
        statement_get();
    } else if (part == "C") {
        statement_color();
    } else if (part == "D") {
        next();
        if (t_.kind() == TK_END) return error(keyword_at_, script_error_message(kErrUse));
        if (t_.kind() == TK_STRING) check_literal(t_.token, text_start());
    } else if (part == "w") {
        next();
        if (t_.kind() == TK_END) t_.push_back_token();
    } else if (part == "/O") {
        next();
        next();
        if (t_.kind() == TK_END) return;
        std::size_t colon = t_.token.find(':');
        if (colon == std::string::npos || colon + 1 >= t_.token.size()) expression(true);
    } else if (part == "/DELETE") {
        next();
        next();
    } else {
        next(); // a keyword, chosen because the next token is it
    }
}

void ScriptWalk::statement_color() {
    uint32_t at = t_.token_start();
    uint32_t line = line_number(script_body(text_), at);
    int attribute = colour_from_words(t_);
    if (attribute < 0) {
        uint32_t bad = t_.token_start();
        std::string text = script_error_message(kErrColor);
        if (line_number(script_body(text_), bad) > line)
            text += ": the COLOR words run on into this line; end them with a background "
                    "colour (as in COLOR y/n) or put COLOR last on its line";
        else
            text += " " + (t_.kind() == TK_STRING ? "\"" + t_.token + "\"" : t_.token);
        error(bad, text);
        // A word of a later line is most likely the next statement: read it as one;
        // the rest of a bad colour on its own line is not.
        if (line_number(script_body(text_), bad) > line) return t_.push_back_token();
        for (Ahead a = look_ahead();
             a.kind != TK_END && line_number(script_body(text_), a.start) == line; a = look_ahead())
            next();
        return;
    }
    // The last word read: before the given-back token, or the current one.
    uint32_t last_end = t_.position() == t_.token_start() ? t_.scan_from() : t_.position();
    if (last_end > at && line_number(script_body(text_), last_end - 1) > line)
        warn(at, "the COLOR words run across a line end and take words of the next line");
}

void ScriptWalk::statement_get() {
    next();
    if (t_.kind() == TK_VARIABLE) {
        note_variable(t_.token, t_.token_start());
        note_assigned(t_.token, Type::string);
    } else
        error(t_.token_start(),
              std::string(script_error_message(kErrParameters)) + ": GET and GETS need a variable");
}

} // namespace walk

std::string variable_key(std::string_view name) {
    return fold_copy(name).substr(0, Variables::kNameLength);
}

void check_source(const std::string& name, const ScriptSource& source, Findings& out,
                  ScriptFacts& facts) {
    std::size_t first = out.size();
    walk::ScriptWalk(name, source, out, facts).run();
    // In the order of the text, as a reader goes through it.
    sort_findings(out, first);
}

} // namespace vtx
