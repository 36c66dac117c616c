#include "platform/text_rules.h"

namespace vtx {

bool equal_nocase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (fold(a[i]) != fold(b[i])) return false;
    return true;
}

bool starts_nocase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && equal_nocase(text.substr(0, prefix.size()), prefix);
}

int compare_nocase(std::string_view a, std::string_view b) {
    std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char x = (unsigned char)fold(a[i]), y = (unsigned char)fold(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

std::string fold_copy(std::string_view s) {
    std::string r(s);
    for (char& c : r) c = fold(c);
    return r;
}

std::string upper_copy(std::string_view s) {
    std::string r(s);
    for (char& c : r) c = upper(c);
    return r;
}

int32_t text_to_int(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\n' || s[i] == '\r' ||
                            s[i] == '\v' || s[i] == '\f'))
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    uint32_t v = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) v = v * 10u + uint32_t(s[i] - '0');
    return int32_t(negative ? 0u - v : v);
}

void append_int(std::string& out, int32_t v) {
    char buf[12];
    char* p = buf + sizeof buf;
    uint32_t u = v < 0 ? 0u - uint32_t(v) : uint32_t(v);
    do {
        *--p = char('0' + u % 10);
        u /= 10;
    } while (u);
    if (v < 0) *--p = '-';
    out.append(p, std::size_t(buf + sizeof buf - p));
}

std::string format_int(int32_t v) {
    std::string s;
    append_int(s, v);
    return s;
}

std::string visible_controls(std::string_view text, HighBytes high) {
    auto is_c1 = [](unsigned char c) { return c >= 0x80 && c <= 0x9F; };
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        unsigned char c = (unsigned char)text[i];
        bool c1 = high == HighBytes::c1 && is_c1(c);
        if (high == HighBytes::utf8 && c == 0xC2 && i + 1 < text.size() &&
            is_c1((unsigned char)text[i + 1])) {
            c = (unsigned char)text[++i];
            c1 = true;
        }
        if (c1) {
            out += "M-^";
            out += char((c & 0x7F) ^ 0x40);
        } else if ((c < 0x20 && c != '\t' && c != '\n') || c == 0x7F) {
            out += '^';
            out += char(c ^ 0x40);
        } else {
            out += char(c);
        }
    }
    return out;
}

} // namespace vtx
