#include "checker/text_checks.h"

#include "engine/macro_names.h"
#include "engine/text.h"

namespace vtx {

namespace {

bool is_letter_or_digit(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// Environment names hold no blanks, commas or other sentence punctuation; a pair around
// such text was meant as two percent signs.
bool plausible_environment_name(std::string_view name) {
    if (name.empty() || (name[0] >= '0' && name[0] <= '9')) return false;
    for (char c : name)
        if (!is_letter_or_digit(c) && c != '_' && c != '(' && c != ')' && c != '-' && c != '.')
            return false;
    return true;
}

void check_macros(std::string_view text, std::vector<TextFinding>& out) {
    for (std::size_t at = text.find('@'); at != std::string_view::npos;
         at = text.find('@', at + 1)) {
        std::string_view rest = text.substr(at + 1);
        if (!rest.empty() && rest[0] == '@') {
            ++at;
            continue;
        }
        std::size_t n = macro_name_length(rest);
        std::size_t word = 0;
        while (word < rest.size() && is_name_char(rest[word])) ++word;
        std::string shown = "@" + std::string(rest.substr(0, word));
        if (n == 0) {
            out.push_back(
                {at, true, "unknown macro " + shown + ": write @@ for an @ sign in a text"});
        } else if (word > n) {
            out.push_back({at, false,
                           shown + " reads as the macro @" + std::string(rest.substr(0, n)) +
                               " followed by \"" + std::string(rest.substr(n, word - n)) + "\""});
        }
    }
}

void check_percent_signs(std::string_view text, std::vector<TextFinding>& out) {
    // Paired as the expansion pairs them: from each % to the next one.
    std::size_t open = text.find('%');
    while (open != std::string_view::npos) {
        std::size_t close = text.find('%', open + 1);
        if (close == std::string_view::npos) return;
        std::string_view name = text.substr(open + 1, close - open - 1);
        if (!name.empty() && !plausible_environment_name(name))
            out.push_back({open, false,
                           "\"%" + std::string(name) +
                               "%\" reads as an environment variable and vanishes: write %% "
                               "for a percent sign"});
        open = text.find('%', close + 1);
    }
}

// A $ that starts no name is dropped by the expansion: the hidden share IT$ becomes IT.
void check_dollar_signs(std::string_view text, std::vector<TextFinding>& out) {
    for (std::size_t at = text.find('$'); at != std::string_view::npos; at = text.find('$', at)) {
        if (at + 1 < text.size() && text[at + 1] == '$') {
            at += 2;
            continue;
        }
        if (at + 1 >= text.size() || !is_name_char(text[at + 1]))
            out.push_back({at, false,
                           "a $ that starts no name vanishes when the text is expanded (the share "
                           "IT$ becomes IT): write $$ for a dollar sign"});
        ++at;
    }
}

// The registry knows its roots only by their full names: an abbreviation is read as a
// subkey of the current user's key, and writes there succeed.
void check_root_abbreviation(std::string_view text, std::vector<TextFinding>& out) {
    static constexpr std::string_view kRoots[][2] = {{"HKLM", "HKEY_LOCAL_MACHINE"},
                                                     {"HKCU", "HKEY_CURRENT_USER"},
                                                     {"HKCR", "HKEY_CLASSES_ROOT"},
                                                     {"HKCC", "HKEY_CURRENT_CONFIG"},
                                                     {"HKU", "HKEY_USERS"}};
    std::string_view first = text.substr(0, text.find('\\'));
    if (first.size() == text.size()) return;
    for (const auto& [short_name, full] : kRoots)
        if (first.size() == short_name.size() && equal_nocase(first, short_name))
            out.push_back({0, false,
                           std::string(short_name) +
                               " is no root key: the path is read below "
                               "HKEY_CURRENT_USER, where writes succeed; write " +
                               std::string(full)});
}

} // namespace

std::vector<TextFinding> check_text(std::string_view text) {
    std::vector<TextFinding> out;
    check_macros(text, out);
    check_percent_signs(text, out);
    check_dollar_signs(text, out);
    check_root_abbreviation(text, out);
    return out;
}

std::vector<std::string_view> variables_in_text(std::string_view text) {
    std::vector<std::string_view> names;
    for (std::size_t at = text.find('$'); at != std::string_view::npos; at = text.find('$', at)) {
        if (at + 1 < text.size() && text[at + 1] == '$') {
            at += 2;
            continue;
        }
        std::size_t end = at + 1;
        while (end < text.size() && is_name_char(text[end])) ++end;
        if (end > at + 1) names.push_back(text.substr(at, end - at));
        at = end;
    }
    return names;
}

} // namespace vtx
