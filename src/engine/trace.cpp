#include "engine/trace.h"

#include <algorithm>

#include "engine/runtime.h"
#include "engine/script_location.h"
#include "engine/text.h"
#include "platform/diagnostics.h"
#include "platform/system.h"

namespace vtx {

bool trace_requested() {
    std::string value;
    return platform::get_environment("VTX32_TRACE", value) && !value.empty() && value != "0";
}

std::string script_location(const Runtime& rt, uint32_t pos) {
    if (rt.runs.empty() || !rt.runs.back()->text) return {};
    const ScriptRun& run = *rt.runs.back();
    std::string where = run.name;
    where += ':';
    append_int(where, int32_t(line_number(script_body(*run.text), pos)));
    return where;
}

void trace_statement(const Runtime& rt, uint32_t start) {
    if (rt.runs.empty() || !rt.runs.back()->text) return;
    std::string_view body = script_body(*rt.runs.back()->text);
    std::string_view line = line_at(body, start);
    std::size_t from = start - std::size_t(line.data() - body.data());
    std::string_view statement = line.substr(std::min(from, line.size()));
    while (!statement.empty() &&
           (statement.back() == ' ' || statement.back() == '\t' || statement.back() == '\r'))
        statement.remove_suffix(1);
    std::string out = script_location(rt, start);
    out += ": ";
    out += visible_controls(statement, platform::terminal_high_bytes());
    out += '\n';
    platform::error_write(out);
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
