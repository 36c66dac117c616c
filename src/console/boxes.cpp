#include "console/boxes.h"

#include <algorithm>
#include <string>

#include "platform/text_rules.h"

namespace vtx {

namespace {

struct NamedStyle {
    const char* name;
    const char* characters;
};

const NamedStyle kStyles[] = {
    {"SINGLE", "\xDA\xC4\xBF\xB3\xD9\xC4\xC0\xB3\x20"},
    {"DOUBLE", "\xC9\xCD\xBB\xBA\xBC\xCD\xC8\xBA\x20"},
    {"FULL", "\xDB\xDF\xDB\xDB\xDB\xDC\xDB\xDB\x20"},
    {"GRID", "\xDA\xC2\xBF\xB4\xD9\xC1\xC0\xC3\xC5"},
};

BoxCharacters from(const char* characters) {
    BoxCharacters chars;
    std::copy_n(characters, chars.size(), chars.begin());
    return chars;
}

// One line of the box from `left` to `right`, cut at the screen's right edge so that its
// last character lands in the last column.
std::string box_line(char first, char middle, char last, BoxEdges box, int32_t width) {
    std::string line(std::size_t(box.right - box.left + 1), middle);
    line.front() = first;
    if (box.left + int32_t(line.size()) > width) line.resize(std::size_t(width - box.left));
    line.back() = last;
    return line;
}

} // namespace

BoxCharacters box_characters(std::string_view style) {
    if (style.empty()) return from(kStyles[0].characters);
    for (const NamedStyle& s : kStyles)
        if (equal_nocase(style, s.name)) return from(s.characters);
    BoxCharacters chars;
    chars.fill(style[0]);
    std::copy_n(style.begin(), std::min<std::size_t>(style.size(), 9), chars.begin());
    if (style.size() == 8) chars[8] = ' ';
    return chars;
}

BoxEdges clamp_box(BoxEdges b, int32_t width, int32_t height) {
    b.left = std::clamp(b.left, 0, std::max(width - 1, 0));
    b.top = std::clamp(b.top, 0, std::max(height - 1, 0));
    b.right = std::max(std::min(b.right, width), b.left + 1);
    b.bottom = std::max(std::min(b.bottom, height), b.top + 1);
    return b;
}

void draw_box(Surface& s, BoxEdges box, std::string_view style) {
    if (s.width <= 0 || s.height <= 0) return;
    BoxCharacters c = box_characters(style);
    BoxEdges b = clamp_box(box, s.width, s.height);
    int32_t last_row = std::min(b.bottom, int32_t(s.height) - 1);
    s.set_cursor(b.left, b.top);
    s.write_cells(box_line(c[0], c[1], c[2], b, s.width));
    std::string middle = box_line(c[7], c[8], c[3], b, s.width);
    for (int32_t row = b.top + 1; row < b.bottom && row <= last_row; ++row) {
        s.set_cursor(b.left, row);
        s.write_cells(middle);
    }
    s.set_cursor(b.left, last_row);
    s.write_cells(box_line(c[6], c[5], c[4], b, s.width));
}

} // namespace vtx
