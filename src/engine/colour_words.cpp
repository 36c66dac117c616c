#include "engine/colour_words.h"

#include <cstring>

#include "engine/text.h"
#include "engine/tokenizer.h"

namespace vtx {

namespace {

// State bits: a foreground `+`, a foreground colour, a background `+`, a background colour.
// 3 marks the start of the background part (after `/`, or after a colour and its `+`);
// 15 ends the words.
constexpr int kForePlus = 1, kForeColour = 2, kBackPlus = 4, kBackColour = 8;
constexpr int kBackground = 3, kDone = 15, kFailed = -1;

// The colour letter's value 0 to 8, or -1.
int letter_value(char c) {
    static const char kLetters[] = "nbgcrmyw+";
    const void* p = c ? std::memchr(kLetters, c, 9) : nullptr;
    return p ? int(static_cast<const char*>(p) - kLetters) : -1;
}

char first_character(const Tokenizer& t) {
    return t.token.empty() ? '\0' : t.token[0];
}

} // namespace

int colour_from_words(Tokenizer& t) {
    int s = 0, a = 0;
    t.next_token();
    while (t.kind() != TK_END && s != kFailed && s != kDone) {
        if (t.kind() == TK_SLASH) {
            s = kBackground;
        } else if (s < kBackground) {
            if (t.kind() == TK_PLUS) {
                if (s & kForePlus) {
                    s = kFailed;
                } else {
                    s += kForePlus;
                    a |= 0x08;
                }
            } else {
                int v = (s & kForeColour) ? -1 : letter_value(fold(first_character(t)));
                if (v < 0) {
                    s = kFailed;
                } else {
                    s += kForeColour;
                    a |= v;
                }
            }
        } else if (t.kind() == TK_PLUS) {
            if (s & kBackPlus) {
                s = kFailed;
            } else {
                s += kBackPlus;
                a |= 0x80;
            }
        } else if (s & kBackColour) {
            t.push_back_token(); // the next statement begins here
            s += kBackPlus;
        } else {
            int v = letter_value(first_character(t));
            if (v < 0) {
                s = kFailed;
            } else {
                s += kBackColour;
                a |= v << 4;
            }
        }
        if (s != kFailed && s != kDone) t.next_token();
    }
    if (s == kFailed) return -1;
    return a == 0 ? 7 : a;
}

} // namespace vtx
