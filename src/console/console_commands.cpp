#include "console/boxes.h"
#include "console/handlers.h"
#include "console/keyboard.h"
#include "engine/arguments.h"
#include "engine/colour_words.h"
#include "engine/macros.h"
#include "engine/runtime.h"
#include "engine/script_error.h"
#include "engine/text.h"

namespace vtx {

namespace {

// The variable named by the token after GET or GETS, as a string variable.
Variable& string_variable(Runtime& rt) {
    rt.tok.next_token();
    if (rt.tok.kind() != TK_VARIABLE) throw ScriptError(kErrParameters);
    Variable* v = rt.vars.find(rt.tok.token);
    if (!v) v = &rt.vars.create(rt.tok.token, KIND_STRING);
    if (v->kind != KIND_STRING) v->set_string(format_int(v->number));
    return *v;
}

} // namespace

void cmd_at(Runtime& rt) {
    int32_t row = 0, column = 0;
    statement_arguments<KW_AT>(rt, row, column);
    rt.out.set_cursor(column, row);
}

// The bell goes to standard output even while output is redirected.
void cmd_beep(Runtime& rt) {
    rt.out.write_stdout("\a");
}

void cmd_big(Runtime& rt) {
    rt.out.big = true;
}

void cmd_box(Runtime& rt) {
    int32_t top = 0, left = 0, bottom = 0, right = 0;
    std::string style;
    statement_arguments<KW_BOX>(rt, top, left, bottom, right, style);
    if (rt.out.draws()) draw_box(rt.out, {left, top, right, bottom}, style);
}

void cmd_break(Runtime& rt) {
    rt.tok.next_token();
    if (rt.tok.kind() == TK_END) return;
    std::string word = rt.tok.token;
    expand_text(rt, word);
    if (equal_nocase(word, "OFF"))
        rt.out.break_off();
    else if (equal_nocase(word, "ON"))
        rt.out.break_on();
}

void cmd_cls(Runtime& rt) {
    rt.out.clear_screen();
}

void cmd_color(Runtime& rt) {
    int attribute = colour_from_words(rt.tok);
    if (attribute < 0) throw ScriptError(kErrColor);
    rt.out.set_attribute(attribute);
}

void cmd_flushkb(Runtime&) {
    flush_keyboard();
}

void cmd_get(Runtime& rt) {
    Variable& v = string_variable(rt);
    char key = char(read_key());
    if (key == 0) {
        read_key(); // the second half of a special key
        v.set_string("");
    } else {
        v.set_string(std::string_view(&key, 1));
    }
}

void cmd_gets(Runtime& rt) {
    string_variable(rt).set_string(read_line());
}

void cmd_newline(Runtime& rt) {
    rt.out.new_line();
}

void cmd_small(Runtime& rt) {
    rt.out.big = false;
}

} // namespace vtx
