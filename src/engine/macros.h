// The three in-place expansions of script text: @macros, %environment% and $variables.
#pragma once

#include <string>

namespace vtx {

struct Runtime;

// Macros, then environment references, then variables, each in place.
void expand_text(Runtime& rt, std::string& text);
void expand_macros(Runtime& rt, std::string& text);
void expand_environment(std::string& text);
void expand_variables(Runtime& rt, std::string& text);

// The day of the year, 1 = 1 January, with the leap-year rule of the calendar.
int day_of_year(int year, int month, int day);

} // namespace vtx
