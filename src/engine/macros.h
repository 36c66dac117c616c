// The three in-place expansions of script text: @macros, %environment% and $variables.
#pragma once

#include <string>
#include <string_view>

#include "engine/macro_names.h"

namespace vtx {

struct Runtime;

// Macros, then environment references, then variables, each in place.
void expand_text(Runtime& rt, std::string& text);
void expand_macros(Runtime& rt, std::string& text);
void expand_environment(std::string& text);
void expand_variables(Runtime& rt, std::string& text);
// For `name` that is one whole variable name ("$" and name characters): appends the value
// as expand_variables would put it in place of the name (nothing for an unknown name) and
// returns true. Other texts: false, nothing appended.
bool append_variable_value(Runtime& rt, std::string_view name, std::string& out);

// The day of the year, 1 = 1 January, with the leap-year rule of the calendar.
int day_of_year(int year, int month, int day);

} // namespace vtx
