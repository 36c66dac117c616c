#include "platform/posix/desktop/progman_command.h"

namespace vtx::platform {

namespace {

bool is_blank(char c) {
    return c == ' ' || c == '\t';
}

std::string trimmed(const std::string& s, std::size_t begin, std::size_t end) {
    while (begin < end && is_blank(s[begin])) ++begin;
    while (end > begin && is_blank(s[end - 1])) --end;
    return s.substr(begin, end - begin);
}

// Fields split at commas outside double quotes. Quotes stay part of the text (a command
// line needs them), except around a whole field, where they only keep its commas and blanks.
std::vector<std::string> split_fields(const std::string& args) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    bool quoted = false;
    for (std::size_t i = 0; i <= args.size(); ++i) {
        if (i < args.size() && (args[i] != ',' || quoted)) {
            if (args[i] == '"') quoted = !quoted;
            continue;
        }
        std::string f = trimmed(args, start, i);
        if (f.size() >= 2 && f.front() == '"' && f.back() == '"' && f.find('"', 1) == f.size() - 1)
            f = f.substr(1, f.size() - 2);
        fields.push_back(f);
        start = i + 1;
    }
    return fields;
}

} // namespace

bool parse_progman_command(const std::string& text, ProgmanCommand& command) {
    if (text.size() < 4 || text.front() != '[' || text.back() != ']') return false;
    std::size_t open = text.find('(');
    std::size_t close = text.rfind(')');
    if (open == std::string::npos || close == std::string::npos || close < open) return false;
    if (!trimmed(text, close + 1, text.size() - 1).empty()) return false;
    command.verb = trimmed(text, 1, open);
    if (command.verb.empty()) return false;
    command.fields = split_fields(text.substr(open + 1, close - open - 1));
    return true;
}

} // namespace vtx::platform
