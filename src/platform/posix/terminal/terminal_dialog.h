// The message box as a terminal dialog: which buttons a box style names, what each key
// does, and how the box is drawn. The terminal input and output live in the platform.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vtx {

// Button codes, as the window system numbers them.
enum ButtonCode : int32_t {
    kButtonOk = 1,
    kButtonCancel = 2,
    kButtonAbort = 3,
    kButtonRetry = 4,
    kButtonIgnore = 5,
    kButtonYes = 6,
    kButtonNo = 7,
    kButtonTryAgain = 10,
    kButtonContinue = 11,
};

// Keys besides plain bytes.
inline constexpr int kKeyEnter = 13;
inline constexpr int kKeyEscape = 27;
inline constexpr int kKeyTab = 9;
inline constexpr int kKeyLeft = 0x100;
inline constexpr int kKeyRight = 0x101;

struct DialogButton {
    const char* label;
    int32_t code;
    char key; // upper-case letter that chooses it; 0 for none
};

// The buttons a box style names, as every way of showing the box offers them.
struct BoxButtons {
    std::vector<DialogButton> buttons;
    std::size_t default_button = 0; // index of the button Enter chooses
    int32_t escape_code = 0;        // what Esc or closing the box chooses; 0 when nothing
};

// False when the style's low four bits name no button set (the box cannot be shown).
bool box_buttons(uint32_t style, BoxButtons& out);

struct TerminalDialog {
    std::string title;
    std::vector<std::string> lines; // the text, wrapped to fit
    std::vector<DialogButton> buttons;
    std::size_t focus = 0;   // the button Enter chooses; starts at the default button
    int32_t escape_code = 0; // what Esc chooses; 0 when it chooses nothing
    bool utf8 = false;       // the terminal takes UTF-8 (box lines and text width)
};

// Builds the dialog for `style` on a screen `width` columns wide and `height` rows high.
// False when the style's low four bits name no button set (the box cannot be shown).
bool make_terminal_dialog(std::string_view text, std::string_view title, uint32_t style, int width,
                          int height, bool utf8, TerminalDialog& out);

// The code of the button that `key` chooses, or 0 when it chooses none (it may move the
// focus instead).
int32_t dialog_key(TerminalDialog& dialog, int key);

// The bytes that draw the dialog centred on a cleared `width` x `height` screen.
std::string draw_dialog(const TerminalDialog& dialog, int width, int height);

} // namespace vtx
