#include "platform/posix/terminal/terminal_dialog.h"

#include <algorithm>
#include <utility>

namespace vtx {

namespace {

struct ButtonSet {
    std::vector<DialogButton> buttons;
    int32_t escape_code;
};

// Indexed by the style's low four bits. Esc closes a box that has a Cancel button with
// Cancel, and a box with only OK with OK; in the others (Abort/Retry/Ignore, Yes/No) it does
// nothing (0), as Windows' own box ignores it there.
const ButtonSet kButtonSets[] = {
    {{{"OK", kButtonOk, 'O'}}, kButtonOk},
    {{{"OK", kButtonOk, 'O'}, {"Cancel", kButtonCancel, 'C'}}, kButtonCancel},
    {{{"Abort", kButtonAbort, 'A'}, {"Retry", kButtonRetry, 'R'}, {"Ignore", kButtonIgnore, 'I'}},
     0},
    {{{"Yes", kButtonYes, 'Y'}, {"No", kButtonNo, 'N'}, {"Cancel", kButtonCancel, 'C'}},
     kButtonCancel},
    {{{"Yes", kButtonYes, 'Y'}, {"No", kButtonNo, 'N'}}, 0},
    {{{"Retry", kButtonRetry, 'R'}, {"Cancel", kButtonCancel, 'C'}}, kButtonCancel},
    // C belongs to Continue here; Cancel has Esc.
    {{{"Cancel", kButtonCancel, 0},
      {"Try Again", kButtonTryAgain, 'T'},
      {"Continue", kButtonContinue, 'C'}},
     kButtonCancel},
};

constexpr int kMinTextWidth = 10;

bool continuation(unsigned char c, bool utf8) {
    return utf8 && (c & 0xC0) == 0x80;
}

int text_width(std::string_view s, bool utf8) {
    int n = 0;
    for (unsigned char c : s) n += !continuation(c, utf8);
    return n;
}

// The longest start of `s` that is at most `columns` wide and ends on a character boundary.
std::size_t fitting_prefix(std::string_view s, int columns, bool utf8) {
    std::size_t i = 0;
    for (int used = 0; i < s.size(); ++i) {
        if (!continuation(s[i], utf8) && used++ == columns) break;
    }
    return i;
}

// Control bytes would steer the terminal: they become blanks (line feeds stay, for
// splitting). Without UTF-8 the C1 range is a control range too.
std::string printable(std::string_view s, bool utf8) {
    std::string out;
    for (unsigned char c : s) {
        if (c == '\r') continue;
        if (c == '\n' || (c >= 0x20 && c != 0x7F && (utf8 || c < 0x80 || c > 0x9F)))
            out += char(c);
        else
            out += ' ';
    }
    return out;
}

// Greedy word wrap of one paragraph; a word wider than the line is cut.
void wrap(std::string_view para, int columns, bool utf8, std::vector<std::string>& lines) {
    do {
        if (text_width(para, utf8) <= columns) {
            lines.emplace_back(para);
            return;
        }
        std::size_t cut = fitting_prefix(para, columns, utf8);
        std::size_t blank = para.rfind(' ', cut);
        std::size_t end = blank != std::string_view::npos && blank > 0 ? blank : cut;
        lines.emplace_back(para.substr(0, end));
        para.remove_prefix(end);
        while (!para.empty() && para.front() == ' ') para.remove_prefix(1);
    } while (!para.empty());
}

std::string repeat(std::string_view piece, int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += piece;
    return s;
}

std::string move_to(int row, int column) {
    return "\x1b[" + std::to_string(row) + ";" + std::to_string(column) + "H";
}

std::string button_face(const DialogButton& b) {
    return std::string("[ ") + b.label + " ]";
}

} // namespace

bool box_buttons(uint32_t style, BoxButtons& out) {
    uint32_t set = style & 0xF;
    if (set >= std::size(kButtonSets)) return false;
    out.buttons = kButtonSets[set].buttons;
    out.escape_code = kButtonSets[set].escape_code;
    std::size_t default_button = (style >> 8) & 0xF;
    out.default_button = default_button < out.buttons.size() ? default_button : 0;
    return true;
}

bool make_terminal_dialog(std::string_view text, std::string_view title, uint32_t style, int width,
                          int height, bool utf8, TerminalDialog& out) {
    BoxButtons set;
    if (!box_buttons(style, set)) return false;
    out = TerminalDialog{};
    out.utf8 = utf8;
    out.buttons = std::move(set.buttons);
    out.escape_code = set.escape_code;
    out.focus = set.default_button;

    int columns = std::max(width - 8, kMinTextWidth);
    std::string body = printable(text, utf8);
    std::string_view rest = body;
    for (;;) {
        std::size_t nl = rest.find('\n');
        wrap(rest.substr(0, nl), columns, utf8, out.lines);
        if (nl == std::string_view::npos) break;
        rest.remove_prefix(nl + 1);
    }
    std::size_t max_lines = std::size_t(std::max(height - 8, 1));
    if (out.lines.size() > max_lines) {
        out.lines.resize(max_lines);
        out.lines.back() = "...";
    }

    out.title = printable(title, utf8);
    std::replace(out.title.begin(), out.title.end(), '\n', ' ');
    out.title.resize(fitting_prefix(out.title, columns - 2, utf8));
    return true;
}

int32_t dialog_key(TerminalDialog& dialog, int key) {
    std::size_t count = dialog.buttons.size();
    switch (key) {
    case kKeyEnter:
    case '\n':
    case ' ': return dialog.buttons[dialog.focus].code;
    case kKeyEscape: return dialog.escape_code;
    case kKeyTab:
    case kKeyRight: dialog.focus = (dialog.focus + 1) % count; return 0;
    case kKeyLeft: dialog.focus = (dialog.focus + count - 1) % count; return 0;
    default: break;
    }
    char letter = (key >= 'a' && key <= 'z') ? char(key - 32) : char(key);
    for (const DialogButton& b : dialog.buttons) {
        if (b.key && b.key == letter) return b.code;
    }
    return 0;
}

std::string draw_dialog(const TerminalDialog& d, int width, int height) {
    const char* h = d.utf8 ? "\xE2\x94\x80" : "-";
    const char* v = d.utf8 ? "\xE2\x94\x82" : "|";
    const char* tl = d.utf8 ? "\xE2\x94\x8C" : "+";
    const char* tr = d.utf8 ? "\xE2\x94\x90" : "+";
    const char* bl = d.utf8 ? "\xE2\x94\x94" : "+";
    const char* br = d.utf8 ? "\xE2\x94\x98" : "+";

    int buttons_width = -2;
    for (const DialogButton& b : d.buttons) buttons_width += int(button_face(b).size()) + 2;
    int inner = std::max(buttons_width, text_width(d.title, d.utf8) + 2);
    for (const std::string& line : d.lines) inner = std::max(inner, text_width(line, d.utf8));
    int box_width = inner + 4;
    int box_height = int(d.lines.size()) + 5;
    int left = std::max((width - box_width) / 2, 0) + 1;
    int row = std::max((height - box_height) / 2, 0) + 1;

    std::string out = "\x1b[0m\x1b[H\x1b[2J";
    auto framed = [&](const std::string& content, int content_width) {
        out += move_to(row++, left) + v + " " + content +
               std::string(std::size_t(inner - content_width + 1), ' ') + v;
    };

    out += move_to(row++, left) + tl;
    if (d.title.empty()) {
        out += repeat(h, inner + 2);
    } else {
        out += h + (" " + d.title + " ") + repeat(h, inner + 2 - 3 - text_width(d.title, d.utf8));
    }
    out += tr;
    framed("", 0);
    for (const std::string& line : d.lines) framed(line, text_width(line, d.utf8));
    framed("", 0);

    std::string faces = std::string(std::size_t((inner - buttons_width) / 2), ' ');
    for (std::size_t i = 0; i < d.buttons.size(); ++i) {
        if (i) faces += "  ";
        std::string face = button_face(d.buttons[i]);
        faces += i == d.focus ? "\x1b[7m" + face + "\x1b[27m" : face;
    }
    // The escape sequences take no columns.
    framed(faces, (inner - buttons_width) / 2 + buttons_width);
    out += move_to(row, left) + bl + repeat(h, inner + 2) + br;
    return out;
}

} // namespace vtx
