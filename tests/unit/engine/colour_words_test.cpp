#include "engine/colour_words.h"

#include <gtest/gtest.h>

#include "engine/tokenizer.h"

namespace vtx {
namespace {

struct Result {
    int attribute;
    std::string next; // the token that begins the next statement
};

// Runs the words of a COLOR statement through the real tokenizer.
Result colour(const char* statement) {
    ScriptText script(statement);
    Tokenizer t;
    t.attach(&script);
    t.next_token(); // COLOR
    int a = colour_from_words(t);
    // As the interpreter does: the next statement starts with the token after the current one.
    if (t.kind() != TK_END) t.next_token();
    return {a, t.token};
}

TEST(ColourWords, ForegroundAndBackground) {
    EXPECT_EQ(colour("COLOR").attribute, 0x07);
    EXPECT_EQ(colour("COLOR n/n").attribute, 0x07);
    EXPECT_EQ(colour("COLOR y").attribute, 0x06);
    EXPECT_EQ(colour("COLOR w+/b").attribute, 0x1F);
    EXPECT_EQ(colour("COLOR W+/b").attribute, 0x1F); // foreground letters ignore case
    EXPECT_EQ(colour("COLOR r/b+").attribute, 0x94);
    EXPECT_EQ(colour("COLOR n/w+").attribute, 0xF0);
}

TEST(ColourWords, IntensityBeforeOrAfterAndWithoutSlash) {
    EXPECT_EQ(colour("COLOR +y").attribute, 0x0E);
    EXPECT_EQ(colour("COLOR y+").attribute, 0x0E);
    EXPECT_EQ(colour("COLOR w+ b").attribute, 0x1F); // after the `+` the background begins
    EXPECT_EQ(colour("COLOR r/+g").attribute, 0xA4);
}

TEST(ColourWords, SecondSlashRestartsTheBackgroundAndOrsIn) {
    EXPECT_EQ(colour("COLOR w/b/r").attribute, 0x57);
}

TEST(ColourWords, WholeWordsCountByTheirFirstCharacter) {
    EXPECT_EQ(colour("COLOR white/blue").attribute, 0x17);
    EXPECT_EQ(colour("COLOR black").attribute, 0x01);    // b is blue
    EXPECT_EQ(colour("COLOR \"w+/b\"").attribute, 0x07); // one string token: only its w
}

TEST(ColourWords, WordAfterACompleteBackgroundBeginsTheNextStatement) {
    Result r = colour("COLOR g/b w");
    EXPECT_EQ(r.attribute, 0x12);
    EXPECT_EQ(r.next, "w");
    r = colour("COLOR r/b+ CLS");
    EXPECT_EQ(r.attribute, 0x94);
    EXPECT_EQ(r.next, "CLS");
}

TEST(ColourWords, InvalidWords) {
    for (const char* bad :
         {"COLOR w+/B", "COLOR w b", "COLOR 7", "COLOR -w", "COLOR $c", "COLOR ++w", "COLOR w/++",
          "COLOR \"\"", "COLOR w/\"\"", "COLOR y\n? \"x\""})
        EXPECT_EQ(colour(bad).attribute, -1) << bad;
}

} // namespace
} // namespace vtx
