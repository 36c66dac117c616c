#include "engine/script_error.h"

#include <string_view>

#include "console/writer.h"
#include "engine/interpreter.h"
#include "engine/runtime.h"

namespace vtx {

namespace {

const char* const kMessages[] = {
    "failed to find/open script",
    "unknown command",
    "ELSE without IF",
    "ENDIF without IF",
    "LABEL not found",
    "too many nested IF's",
    "error in IF expression",
    "error in USE statement",
    "unknown macro",
    "expression too long",
    "out of memory",
    "error in parameter(s)",
    "invalid color argument",
    "invalid registry type",
    "expected expression",
    "too many nested WHILE's",
    "LOOP without WHILE",
    "too many nested DOUNTIL's",
    "LOOP without DO",
};

// The line of the script text that holds `pos`, without its line end.
std::string_view line_at(const ScriptText* script, uint32_t pos) {
    if (!script) return {};
    std::string_view text(script->text.data(), script->text.size() - 2);
    if (pos > text.size()) pos = uint32_t(text.size());
    std::size_t end = pos;
    while (end < text.size() && text[end] != '\n' && text[end] != 26 && text[end] != '\0') ++end;
    std::size_t begin = end == 0 ? std::string_view::npos : text.rfind('\n', end - 1);
    begin = begin == std::string_view::npos ? 0 : begin + 1;
    return text.substr(begin, end - begin);
}

} // namespace

const char* script_error_message(int code) {
    if (code < 0 || code >= int(sizeof kMessages / sizeof *kMessages)) return "";
    return kMessages[code];
}

int report_script_error(Runtime& rt, int code) {
    Writer& out = rt.out;
    out.set_attribute(15);
    out.big = false;
    out.write_text("Script error : ");
    out.write_text(script_error_message(code));
    out.write_text(" !.\n");
    out.set_attribute(12);
    // After a push-back the position stands on the next statement, maybe lines below;
    // the line that failed is the one where the expression ended.
    const Tokenizer& t = rt.tok;
    uint32_t pos = t.position();
    if (pos == t.token_start() && t.scan_from() < pos) pos = t.scan_from();
    if (code != 0) out.write_text(line_at(t.script(), pos));
    out.write_stdout("\a"); // the bell bypasses the redirect file
    out.set_attribute(7);
    out.write_text("\n \n");
    out.close_redirect();
    out.break_on();
    return 1;
}

} // namespace vtx
