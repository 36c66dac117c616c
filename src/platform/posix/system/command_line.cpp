#include "platform/posix/system/command_line.h"

namespace vtx {

namespace {

bool is_blank(char c) {
    return c == ' ' || c == '\t';
}

// The program name: quoted up to the next quote, else up to any character at or below blank.
std::size_t read_program_name(std::string_view line, std::string& name) {
    std::size_t i = 0;
    if (!line.empty() && line[0] == '"') {
        for (i = 1; i < line.size() && line[i] != '"'; ++i) name.push_back(line[i]);
        return i < line.size() ? i + 1 : i;
    }
    while (i < line.size() && static_cast<unsigned char>(line[i]) > ' ') name.push_back(line[i++]);
    return i < line.size() ? i + 1 : i; // the character that ended the name is dropped
}

} // namespace

std::vector<std::string> split_command_line(std::string_view line) {
    std::vector<std::string> args(1);
    std::size_t i = read_program_name(line, args[0]);
    bool quoted = false;
    for (;;) {
        while (i < line.size() && is_blank(line[i])) ++i;
        if (i >= line.size()) break;
        std::string& arg = args.emplace_back();
        for (;;) {
            std::size_t slashes = 0;
            while (i < line.size() && line[i] == '\\') ++slashes, ++i;
            bool copy = true;
            // Backslashes count only before a quote: 2n give n and a quote mark, 2n+1 give n and a
            // literal quote; elsewhere they are copied as they stand.
            if (i < line.size() && line[i] == '"') {
                if (slashes % 2 == 0) {
                    if (quoted && i + 1 < line.size() && line[i + 1] == '"')
                        ++i; // `""` in a group: one quote, and the group goes on
                    else {
                        copy = false;
                        quoted = !quoted;
                    }
                }
                slashes /= 2;
            }
            arg.append(slashes, '\\');
            if (i >= line.size() || (!quoted && is_blank(line[i]))) break;
            if (copy) arg.push_back(line[i]);
            ++i;
        }
    }
    return args;
}

} // namespace vtx
