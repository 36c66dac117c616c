#include "platform/posix/desktop/desktop_entry.h"

#include <cstring>
#include <vector>

#include "platform/text_rules.h"

namespace vtx::platform {

namespace {

const char kHex[] = "0123456789abcdef";

// Length of the valid UTF-8 sequence at `i`, or 0.
std::size_t utf8_length(std::string_view s, std::size_t i) {
    auto c = static_cast<unsigned char>(s[i]);
    std::size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (n == 0 || i + n > s.size()) return 0;
    for (std::size_t k = 1; k < n; ++k)
        if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return 0;
    return n;
}

bool reserved_in_exec(char c) {
    return c != '\0' && std::strchr(" \t\n\"'\\><~|&;$*?#()`", c) != nullptr;
}

std::vector<std::string> command_words(std::string_view line) {
    std::vector<std::string> words;
    std::string word;
    bool quoted = false, any = false;
    for (char c : line) {
        if (c == '"') {
            quoted = !quoted;
            any = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (any) words.push_back(word);
            word.clear();
            any = false;
        } else {
            word += c;
            any = true;
        }
    }
    if (any) words.push_back(word);
    return words;
}

} // namespace

std::string as_utf8(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size();) {
        if (std::size_t n = utf8_length(s, i)) {
            out.append(s.substr(i, n));
            i += n;
        } else {
            auto c = static_cast<unsigned char>(s[i++]);
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string desktop_value(std::string_view text) {
    std::string out;
    for (char c : as_utf8(text)) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        case '\r': out += "\\r"; break;
        case ' ': out += out.empty() ? "\\s" : " "; break;
        default: out += c;
        }
    }
    return out;
}

std::string desktop_exec(std::string_view command_line) {
    std::string exec;
    for (const std::string& word : command_words(command_line)) {
        bool quote = word.empty();
        for (char c : word) quote = quote || reserved_in_exec(c);
        if (!exec.empty()) exec += ' ';
        if (quote) exec += '"';
        for (char c : word) {
            if (c == '%')
                exec += '%';
            else if (quote && std::strchr("\"`$\\", c))
                exec += '\\';
            exec += c;
        }
        if (quote) exec += '"';
    }
    return desktop_value(exec);
}

std::string menu_id(std::string_view name) {
    std::string id;
    for (char c : name) {
        char f = fold(c);
        if ((f >= 'a' && f <= 'z') || (f >= '0' && f <= '9')) {
            id += f;
        } else {
            auto b = static_cast<unsigned char>(c);
            id += '_';
            id += kHex[b >> 4];
            id += kHex[b & 15];
        }
    }
    return id;
}

} // namespace vtx::platform
