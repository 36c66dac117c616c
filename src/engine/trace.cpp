#include "engine/trace.h"

#include <algorithm>

#include "engine/runtime.h"
#include "engine/script_location.h"
#include "engine/text.h"
#include "platform/diagnostics.h"
#include "platform/system.h"
#include "platform/text_rules.h"

namespace vtx {

int trace_requested() {
    std::string value;
    if (!platform::get_environment("VTX32_TRACE", value) || value.empty() || value == "0") return 0;
    return value == "2" ? 2 : 1;
}

namespace {

// The text after a /PASSWORD: (or an abbreviation of it, /P:) is the password itself.
std::string masked_statement(std::string_view statement) {
    std::string out(statement);
    for (std::size_t slash = out.find('/'); slash != std::string::npos;
         slash = out.find('/', slash + 1)) {
        std::size_t colon = out.find_first_of(": \t/\"", slash + 1);
        if (colon == std::string::npos || out[colon] != ':' || colon == slash + 1 ||
            !starts_nocase("PASSWORD", std::string_view(out).substr(slash + 1, colon - slash - 1)))
            continue;
        std::size_t end = out.find_first_of(" \t", colon);
        if (end == std::string::npos) end = out.size();
        out.replace(colon + 1, end - colon - 1, "***");
    }
    return out;
}

void append_value(std::string& out, int kind, int32_t number, std::string_view text) {
    if (kind == KIND_INTEGER) return append_int(out, number);
    out += '"';
    out += text;
    out += '"';
}

} // namespace

std::string script_location(const Runtime& rt, uint32_t pos) {
    if (rt.runs.empty() || !rt.runs.back()->text) return {};
    const ScriptRun& run = *rt.runs.back();
    std::string where = run.name;
    where += ':';
    append_int(where, int32_t(line_number(script_body(*run.text), pos)));
    return where;
}

void trace_statement(Runtime& rt, uint32_t start) {
    if (rt.runs.empty() || !rt.runs.back()->text) return;
    trace_values(rt);
    std::string_view body = script_body(*rt.runs.back()->text);
    std::string_view line = line_at(body, start);
    std::size_t from = start - std::size_t(line.data() - body.data());
    std::string_view statement = line.substr(std::min(from, line.size()));
    // A stray CR at the end would send the terminal's cursor back over the location.
    while (!statement.empty() &&
           (statement.back() == ' ' || statement.back() == '\t' || statement.back() == '\r'))
        statement.remove_suffix(1);
    std::string out = script_location(rt, start);
    out += ": ";
    // The script's text must not steer the terminal the trace is read on.
    HighBytes high = platform::terminal_high_bytes();
    if (rt.trace > 1) {
        rt.traced_values = out + "->";
        out += visible_controls(masked_statement(statement), high);
        rt.traced_any = false;
    } else {
        out += visible_controls(statement, high);
    }
    out += '\n';
    platform::error_write(out);
}

namespace {

void begin_item(Runtime& rt) {
    rt.traced_last = rt.traced_values.size();
    rt.traced_values += rt.traced_any ? ", " : " ";
    rt.traced_any = true;
}

} // namespace

void trace_value(Runtime& rt, int kind, int32_t number, std::string_view text) {
    if (rt.traced_values.empty()) return;
    begin_item(rt);
    if (rt.trace_secret)
        rt.traced_values += "***";
    else
        append_value(rt.traced_values, kind, number, text);
}

void trace_argument(std::string& list, int kind, int32_t number, std::string_view text) {
    if (!list.empty()) list += ", ";
    append_value(list, kind, number, text);
}

void trace_call(Runtime& rt, std::string_view name, std::string_view arguments) {
    if (rt.traced_values.empty()) return;
    begin_item(rt);
    rt.traced_values += name;
    rt.traced_values += '(';
    rt.traced_values += arguments;
    rt.traced_values += ')';
}

void trace_assignment(Runtime& rt, std::string_view name, int kind, int32_t number,
                      std::string_view text) {
    if (rt.traced_values.empty()) return;
    // The expression's value was traced last; it shows again with the variable.
    rt.traced_values.resize(rt.traced_last);
    rt.traced_any = rt.traced_values.back() != '>';
    begin_item(rt);
    rt.traced_values += name;
    rt.traced_values += " = ";
    append_value(rt.traced_values, kind, number, text);
    rt.traced_values += kind == KIND_INTEGER ? " (number)" : " (text)";
}

void trace_values(Runtime& rt) {
    if (rt.traced_any) {
        rt.traced_values += '\n';
        platform::error_write(visible_controls(rt.traced_values, platform::terminal_high_bytes()));
    }
    rt.traced_values.clear();
    rt.traced_any = false;
}

TraceSecret::TraceSecret(Runtime& r) : rt(r) {
    rt.trace_secret = true;
}

TraceSecret::~TraceSecret() {
    rt.trace_secret = false;
}

void trace_error(Runtime& rt) {
    if (rt.error == rt.traced_error) return;
    rt.traced_error = rt.error;
    std::string out = "@ERROR=";
    append_int(out, rt.error);
    out += '\n';
    platform::error_write(out);
}

} // namespace vtx
