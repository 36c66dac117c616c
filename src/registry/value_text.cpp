#include "registry/value_text.h"

#include "engine/text.h"

namespace vtx {

namespace {

struct TypeName {
    const char* name;
    uint32_t code;
};

constexpr TypeName kTypes[] = {
    {"REG_NONE", 0},
    {"REG_SZ", 1},
    {"REG_EXPAND_SZ", 2},
    {"REG_BINARY", 3},
    {"REG_DWORD", 4},
    {"REG_DWORD_LITTLE_ENDIAN", 4},
    {"REG_DWORD_BIG_ENDIAN", 5},
    {"REG_LINK", 6},
    {"REG_MULTI_SZ", 7},
    {"REG_RESOURCE_LIST", 8},
    {"REG_FULL_RESOURCE_DESCRIPTOR", 9},
};

bool is_hex_form(uint32_t code) {
    return code == 3 || code == 6 || code == 8;
}
bool is_dword_form(uint32_t code) {
    return code == 4 || code == 5;
}

// A character that is no hexadecimal digit counts as 0, so hostile text still stores
// well-defined bytes.
unsigned hex_digit(char c) {
    c = fold(c);
    if (c >= '0' && c <= '9') return unsigned(c - '0');
    if (c >= 'a' && c <= 'f') return unsigned(c - 'a' + 10);
    return 0;
}

} // namespace

const char* registry_type_name(uint32_t code) {
    for (const TypeName& t : kTypes)
        if (t.code == code) return t.name;
    return kTypes[0].name;
}

bool registry_type_code(std::string_view name, uint32_t& code) {
    for (const TypeName& t : kTypes) {
        if (equal_nocase(name, t.name)) {
            code = t.code;
            return true;
        }
    }
    return false;
}

std::string value_to_text(uint32_t code, std::string_view data) {
    std::string text;
    if (code == 0 || data.empty()) return text;
    if (is_hex_form(code)) {
        static constexpr char kDigits[] = "0123456789abcdef";
        text.reserve(data.size() * 2);
        for (unsigned char b : data) {
            text += kDigits[b >> 4];
            text += kDigits[b & 15];
        }
    } else if (is_dword_form(code)) {
        // Stored in the same byte order for both DWORD types; missing bytes count as 0.
        uint32_t v = 0;
        for (std::size_t i = 0; i < 4 && i < data.size(); ++i)
            v |= uint32_t(static_cast<unsigned char>(data[i])) << (8 * i);
        append_int(text, int32_t(v));
    } else if (code == 7) {
        // Every string ends in a bar; the list's closing zero is dropped.
        text.reserve(data.size() + 8);
        for (std::size_t i = 0; i + 1 < data.size(); ++i) {
            char c = data[i];
            if (c == '\0')
                text += '|';
            else if (c == '|')
                text += "||";
            else
                text += c;
        }
    } else {
        text.assign(data.substr(0, data.find('\0')));
    }
    return text;
}

bool text_to_value(uint32_t code, std::string_view text, std::string& data) {
    data.clear();
    if (code > 9) return false;
    if (code == 0) return true;
    if (is_hex_form(code)) {
        data.reserve((text.size() + 1) / 2);
        for (std::size_t i = 0; i < text.size(); i += 2) {
            unsigned high = hex_digit(text[i]);
            unsigned low = i + 1 < text.size() ? hex_digit(text[i + 1]) : 0;
            data += char(high << 4 | low);
        }
    } else if (is_dword_form(code)) {
        uint32_t v = uint32_t(text_to_int(text));
        for (int i = 0; i < 4; ++i) data += char(v >> (8 * i));
    } else if (code == 7) {
        data.reserve(text.size() + 1);
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] != '|') {
                data += text[i];
            } else if (i + 1 < text.size() && text[i + 1] == '|') {
                data += '|';
                ++i;
            } else {
                data += '\0';
            }
        }
        data += '\0';
    } else {
        data.assign(text);
        data += '\0';
    }
    return true;
}

} // namespace vtx
