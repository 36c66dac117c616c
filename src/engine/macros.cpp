#include "engine/macros.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "engine/runtime.h"
#include "engine/script_error.h"
#include "engine/text.h"
#include "engine/version.h"
#include "platform/system.h"

namespace vtx {

namespace {

// Indexed by remainder below, so a clock value out of range cannot read past them.
const char* const kDays[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                              "Thursday", "Friday", "Saturday"};
const char* const kMonths[13] = {"",        "January",  "February", "March",  "April",
                                 "May",     "June",     "July",     "August", "September",
                                 "October", "November", "December"};

void append_format(std::string& out, const char* format, int a, int b = 0, int c = 0) {
    char buf[48];
    int n = std::snprintf(buf, sizeof buf, format, a, b, c);
    bounded_append(out, std::string_view(buf, std::size_t(n)));
}

// The macros whose values are worked out rather than read from a field, by their names in
// VTX32_MACROS.
using Now = platform::LocalTime;
void date_value(Runtime&, const Now& now, std::string& out) {
    append_format(out, "%04d/%02d/%02d", now.year, now.month, now.day);
}
void day_name(Runtime&, const Now& now, std::string& out) {
    bounded_append(out, kDays[now.day_of_week % 7]);
}
void system_version(Runtime& rt, const Now&, std::string& out) {
    append_format(out, "%d.%d", int(rt.os.major), int(rt.os.minor));
}
void error_value(Runtime& rt, const Now&, std::string& out) {
    append_format(out, "%d", rt.error);
}
void system_line(Runtime& rt, const Now&, std::string& out) {
    bounded_append(out, rt.os.is_nt() ? "1" : "2");
}
void program_version(Runtime&, const Now&, std::string& out) {
    bounded_append(out, VTX32_VERSION_TEXT);
}
void network_version(Runtime& rt, const Now&, std::string& out) {
    append_format(out, "%d.%d", rt.user.lm_major, rt.user.lm_minor);
}
void month_day(Runtime&, const Now& now, std::string& out) {
    append_format(out, "%d", now.day);
}
void month_number(Runtime&, const Now& now, std::string& out) {
    append_format(out, "%d", now.month);
}
void month_name(Runtime&, const Now& now, std::string& out) {
    bounded_append(out, kMonths[now.month % 13]);
}
void privilege_name(Runtime& rt, const Now&, std::string& out) {
    int32_t p = rt.user.privilege; // read by the table's facts column before this runs
    bounded_append(out, p == 0 ? "GUEST" : p == 1 ? "USER" : "ADMIN");
}
void time_value(Runtime&, const Now& now, std::string& out) {
    append_format(out, "%02d:%02d:%02d", now.hour, now.minute, now.second);
}
void week_day(Runtime&, const Now& now, std::string& out) {
    append_format(out, "%d", now.day_of_week);
}
void year_day(Runtime&, const Now& now, std::string& out) {
    append_format(out, "%d", day_of_year(now.year, now.month, now.day));
}
void year_value(Runtime&, const Now& now, std::string& out) {
    append_format(out, "%04d", now.year);
}

// One case per line of VTX32_MACROS, by the kind of its value, with the facts it needs read.
#define VTX32_MACRO_TEXT(field, facts) return bounded_append(out, user_facts(rt, facts).field)
#define VTX32_MACRO_NUMBER(field, facts)                                                           \
    return append_format(out, "%d", user_facts(rt, facts).field)
#define VTX32_MACRO_OWN(function, facts)                                                           \
    user_facts(rt, facts);                                                                         \
    return function(rt, now, out)
#define VTX32_MACRO_CASE(name, kind, source, facts)                                                \
    case M_##name: VTX32_MACRO_##kind(source, facts);

void append_value(Runtime& rt, int macro, const Now& now, std::string& out) {
    switch (macro) { VTX32_MACROS(VTX32_MACRO_CASE) }
}

#undef VTX32_MACRO_CASE
#undef VTX32_MACRO_OWN
#undef VTX32_MACRO_NUMBER
#undef VTX32_MACRO_TEXT

// A variable's value as text, appended within the bounds of every append.
void append_value(const Variable& v, std::string& out) {
    if (v.kind == KIND_STRING) return bounded_append(out, v.text);
    std::string number;
    append_int(number, v.number);
    bounded_append(out, number);
}

// The result of one expansion step may hold at most 31999 characters.
void finish(std::string& text, std::string& scratch) {
    if (scratch.size() > kMaxText) throw ScriptError(kErrTooLong);
    text.swap(scratch);
}

} // namespace

int day_of_year(int year, int month, int day) {
    static const int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    int total = day;
    for (int m = 1; m < month && m <= 12; ++m) total += lengths[m - 1] + (m == 2 && leap);
    return total;
}

void expand_macros(Runtime& rt, std::string& text) {
    std::size_t at = text.find('@');
    if (at == std::string::npos) return;
    platform::LocalTime now = platform::local_time(); // one reading for the whole text
    std::string scratch;
    std::size_t done = 0;
    while (at != std::string::npos) {
        bounded_append(scratch, std::string_view(text).substr(done, at - done));
        std::string_view rest = std::string_view(text).substr(at + 1);
        int macro = match_macro(rest);
        if (macro >= 0) {
            append_value(rt, macro, now, scratch);
            done = at + 1 + std::strlen(kMacroNames[macro]);
        } else if (!rest.empty() && rest[0] == '@') {
            bounded_append(scratch, "@");
            done = at + 2;
        } else {
            throw ScriptError(kErrUnknownMacro);
        }
        at = text.find('@', done);
    }
    bounded_append(scratch, std::string_view(text).substr(done));
    finish(text, scratch);
}

void expand_environment(std::string& text) {
    std::size_t percent = text.find('%');
    if (percent == std::string::npos) return;
    std::string scratch;
    std::size_t done = 0;
    bool consumed = false;
    while (percent != std::string::npos) {
        std::size_t close = text.find('%', percent + 1);
        if (close == std::string::npos) break; // a lone % stays, with all that follows
        bounded_append(scratch, std::string_view(text).substr(done, percent - done));
        consumed = true;
        if (close == percent + 1) {
            bounded_append(scratch, "%");
        } else {
            std::string_view name = std::string_view(text).substr(percent + 1, close - percent - 1);
            for (std::string_view entry : platform::environment_entries()) {
                // The name ends at the first "=", so "=C:=C:\" style entries never match.
                std::size_t eq = entry.find('=');
                if (eq != std::string_view::npos && equal_nocase(entry.substr(0, eq), name)) {
                    bounded_append(scratch, entry.substr(eq + 1));
                    break;
                }
            }
        }
        done = close + 1;
        percent = text.find('%', done);
    }
    if (!consumed) return;
    bounded_append(scratch, std::string_view(text).substr(done));
    finish(text, scratch);
}

bool append_variable_value(Runtime& rt, std::string_view name, std::string& out) {
    if (!is_variable_name(name)) return false;
    if (const Variable* v = rt.vars.find(name)) append_value(*v, out);
    return true;
}

void expand_variables(Runtime& rt, std::string& text) {
    std::size_t dollar = text.find('$');
    if (dollar == std::string::npos) return;
    std::string scratch;
    std::size_t done = 0;
    while (dollar != std::string::npos) {
        bounded_append(scratch, std::string_view(text).substr(done, dollar - done));
        if (dollar + 1 < text.size() && text[dollar + 1] == '$') {
            bounded_append(scratch, "$");
            done = dollar + 2;
        } else {
            std::size_t end = dollar + 1;
            while (end < text.size() && is_name_char(text[end])) ++end;
            if (const Variable* v =
                    rt.vars.find(std::string_view(text).substr(dollar, end - dollar)))
                append_value(*v, scratch);
            done = end;
        }
        dollar = text.find('$', done);
    }
    bounded_append(scratch, std::string_view(text).substr(done));
    finish(text, scratch);
}

void expand_text(Runtime& rt, std::string& text) {
    // In this order: each step expands what the ones before brought in, but a variable's
    // value, expanded last, is never expanded again.
    expand_macros(rt, text);
    expand_environment(text);
    expand_variables(rt, text);
}

} // namespace vtx
