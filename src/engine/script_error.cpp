#include "engine/script_error.h"

#include <string>
#include <string_view>

#include "engine/interpreter.h"
#include "engine/runtime.h"
#include "engine/script_location.h"
#include "engine/trace.h"
#include "platform/diagnostics.h"
#include "screen/writer.h"

namespace vtx {

namespace {

uint32_t error_position(const Runtime& rt) {
    // After a push-back the position stands on the next statement, maybe lines below;
    // the line that failed is the one where the expression ended.
    const Tokenizer& t = rt.tok;
    uint32_t pos = t.position();
    if (pos == t.token_start() && t.scan_from() < pos) pos = t.scan_from();
    return pos;
}

// Where the error stands: "FILE:LINE", or what was missing.
std::string error_location(const Runtime& rt, uint32_t pos) {
    std::string where = script_location(rt, pos);
    if (where.empty()) where = rt.missing_script.empty() ? "command line" : rt.missing_script;
    return where;
}

std::string error_message(const Runtime& rt, int code) {
    std::string message = script_error_message(code);
    if (code == kErrNoScript && !rt.runs.empty()) message += " \"" + rt.missing_script + '"';
    return message;
}

// The located line: "FILE:LINE: script error: MESSAGE" on standard error, for logs and
// for whoever reads a redirected report. On POSIX it is written whenever standard error is
// not the screen the report is on; the Windows build writes it only while tracing.
void write_located_error(const Runtime& rt, int code) {
    bool wanted =
        rt.trace || (platform::kPosixConventions &&
                     (rt.out.redirect != platform::kNoFile || platform::error_stream_separate()));
    if (!wanted) return;
    // A missing script's name comes from the script: it must not steer the terminal.
    platform::error_write(
        visible_controls(located_error(rt, code), platform::terminal_high_bytes()) + "\n");
}

} // namespace

std::string located_error(const Runtime& rt, int code) {
    return error_location(rt, error_position(rt)) + ": script error: " + error_message(rt, code);
}

int report_script_error(Runtime& rt, int code) {
    Writer& out = rt.out;
    out.set_attribute(15);
    out.big = false;
    out.write_text("Script error : ");
    out.write_text(script_error_message(code));
    out.write_text(" !.\n");
    out.set_attribute(12);
    const Tokenizer& t = rt.tok;
    uint32_t pos = error_position(rt);
    // Before the redirect file, which decides whether it is wanted, is closed below.
    write_located_error(rt, code);
    platform::report_error_to_desktop(error_location(rt, pos), error_message(rt, code));
    if (code != 0 && t.script()) out.write_text(line_at(script_body(*t.script()), pos));
    out.write_stdout("\a"); // the bell bypasses the redirect file
    out.set_attribute(7);
    out.write_text("\n \n");
    out.close_redirect();
    // On Windows the console window's Close item, greyed by BREAK OFF, belongs to the window
    // and would outlive the program.
    out.break_on();
    return 1;
}

} // namespace vtx
