#include "platform/posix/system/ini_text.h"

#include <unordered_set>

#include "platform/text_rules.h"

namespace vtx::ini {

namespace {

struct Line {
    enum Kind { kOther, kSection, kKey } kind = kOther;
    std::size_t begin = 0; // first byte of the line
    std::size_t end = 0;   // its line end (or the end of the text)
    std::size_t next = 0;  // first byte of the next line
    std::string_view name, value;
};

bool is_blank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && is_blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && is_blank(s.back())) s.remove_suffix(1);
    return s;
}

Line parse_line(std::string_view text, std::size_t begin) {
    Line line;
    line.begin = begin;
    std::size_t lf = text.find('\n', begin);
    line.next = lf == std::string_view::npos ? text.size() : lf + 1;
    line.end = lf == std::string_view::npos ? text.size() : lf;
    if (line.end > begin && text[line.end - 1] == '\r') --line.end;
    std::string_view body = trim(text.substr(begin, line.end - begin));
    if (body.empty() || body.front() == ';') return line;
    if (body.front() == '[') {
        line.kind = Line::kSection;
        line.name = trim(body.substr(1, body.find(']') - 1));
        return line;
    }
    std::size_t eq = body.find('=');
    if (eq == std::string_view::npos) return line;
    line.name = trim(body.substr(0, eq));
    if (line.name.empty()) return line;
    line.kind = Line::kKey;
    line.value = trim(body.substr(eq + 1));
    std::string_view& v = line.value;
    // Matching quotes around a value are dropped, as Windows' profile calls drop them.
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    return line;
}

std::vector<Line> parse(std::string_view text) {
    std::vector<Line> lines;
    for (std::size_t at = 0; at < text.size();) {
        lines.push_back(parse_line(text, at));
        at = lines.back().next;
    }
    return lines;
}

// The lines of the first section named `section`: [first, last) indexes after its header;
// first is 0 when there is no such section.
struct Span {
    std::size_t header = 0, first = 0, last = 0;
};

Span find_section(const std::vector<Line>& lines, std::string_view section) {
    Span span;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].kind != Line::kSection || !equal_nocase(lines[i].name, section)) continue;
        span.header = i;
        span.first = span.last = i + 1;
        while (span.last < lines.size() && lines[span.last].kind != Line::kSection) ++span.last;
        break;
    }
    return span;
}

// Index of the first key named `key` in the span, or span.last.
std::size_t find_key(const std::vector<Line>& lines, const Span& span, std::string_view key) {
    for (std::size_t i = span.first; i < span.last; ++i)
        if (lines[i].kind == Line::kKey && equal_nocase(lines[i].name, key)) return i;
    return span.last;
}

// Adds `name` unless an equal one (case-blind) is there; `seen` holds the folded names, so
// that listing a file of 100000 sections stays linear.
void add_once(std::vector<std::string>& names, std::unordered_set<std::string>& seen,
              std::string_view name) {
    if (seen.insert(fold_copy(name)).second) names.emplace_back(name);
}

// An edited file keeps the line end of its first line; a file without one (new, or a
// single line) gets CR LF, as initialisation files are written everywhere.
std::string_view line_end_of(std::string_view text) {
    std::size_t lf = text.find('\n');
    if (lf == std::string_view::npos) return "\r\n";
    return lf > 0 && text[lf - 1] == '\r' ? "\r\n" : "\n";
}

} // namespace

std::string read_value(std::string_view text, std::string_view section, std::string_view key) {
    std::vector<Line> lines = parse(text);
    Span span = find_section(lines, section);
    std::size_t at = find_key(lines, span, key);
    return at < span.last ? std::string(lines[at].value) : std::string();
}

std::vector<std::string> section_names(std::string_view text) {
    std::vector<std::string> names;
    std::unordered_set<std::string> seen;
    for (const Line& line : parse(text))
        if (line.kind == Line::kSection) add_once(names, seen, line.name);
    return names;
}

std::vector<std::string> key_names(std::string_view text, std::string_view section) {
    std::vector<Line> lines = parse(text);
    Span span = find_section(lines, section);
    std::vector<std::string> names;
    std::unordered_set<std::string> seen;
    for (std::size_t i = span.first; i < span.last; ++i)
        if (lines[i].kind == Line::kKey) add_once(names, seen, lines[i].name);
    return names;
}

std::string write_value(std::string_view text, std::string_view section, std::string_view key,
                        const std::string* value) {
    std::vector<Line> lines = parse(text);
    Span span = find_section(lines, section);
    std::string_view eol = line_end_of(text);
    std::string out(text);
    if (span.first == 0) { // no such section
        if (!value) return out;
        if (!out.empty() && out.back() != '\n') out += eol;
        return out.append("[")
            .append(section)
            .append("]")
            .append(eol)
            .append(key)
            .append("=")
            .append(*value)
            .append(eol);
    }
    std::size_t at = find_key(lines, span, key);
    if (at < span.last) {
        const Line& line = lines[at];
        if (!value) return out.erase(line.begin, line.next - line.begin);
        std::string entry = std::string(line.name) + "=" + *value;
        return out.replace(line.begin, line.end - line.begin, entry);
    }
    if (!value) return out;
    // After the section's last key, or right after its header when it has none.
    std::size_t after = span.header;
    for (std::size_t i = span.first; i < span.last; ++i)
        if (lines[i].kind == Line::kKey) after = i;
    const Line& anchor = lines[after];
    std::string entry = std::string(key) + "=" + *value + std::string(eol);
    // The last line had no line end (a lone carriage return is none either).
    if (text[anchor.next - 1] != '\n') entry.insert(0, eol);
    return out.insert(anchor.next, entry);
}

} // namespace vtx::ini
