#include "engine/tokenizer.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/script_error.h"

namespace vtx {
namespace {

struct Token {
    int kind;
    std::string text;
    bool operator==(const Token&) const = default;
};

std::vector<Token> scan(const std::string& body, std::size_t max = 50) {
    ScriptText text(body);
    Tokenizer t;
    t.attach(&text);
    std::vector<Token> tokens;
    for (std::size_t i = 0; i < max; ++i) {
        t.next_token();
        if (t.kind() == TK_END) break;
        tokens.push_back({t.kind(), t.token});
    }
    return tokens;
}

TEST(Tokenizer, EveryKindAndOperatorPair) {
    EXPECT_EQ(scan("IF $A<>5"),
              (std::vector<Token>{
                  {KW_IF, "IF"}, {TK_VARIABLE, "$A"}, {TK_NOT_EQUAL, "<>"}, {TK_NUMBER, "5"}}));
    EXPECT_EQ(scan("><")[0].kind, TK_NOT_EQUAL);
    EXPECT_EQ(scan("=>")[0].kind, TK_GREATER_EQUAL);
    EXPECT_EQ(scan(">=")[0].kind, TK_GREATER_EQUAL);
    EXPECT_EQ(scan("=<")[0].kind, TK_LESS_EQUAL);
    EXPECT_EQ(scan("<=")[0].kind, TK_LESS_EQUAL);
    auto eq = scan("==");
    ASSERT_EQ(eq.size(), 2u);
    EXPECT_EQ(eq[1].kind, TK_EQUAL);
    const char* ops = "*/+-,()=<>";
    for (int i = 0; ops[i]; ++i) {
        auto tokens = scan(std::string(1, ops[i]) + " ");
        ASSERT_EQ(tokens.size(), 1u);
        EXPECT_EQ(tokens[0].kind, i - 30) << ops[i];
    }
    EXPECT_EQ(scan("@USERID.log")[0], (Token{TK_MACRO, "@USERID.log"}));
    EXPECT_EQ(scan(":START x")[0], (Token{TK_LABEL, "START"}));
    EXPECT_EQ(scan(": x")[0], (Token{TK_NAME, ""}));
    EXPECT_EQ(scan("ingroup(")[0].kind, TK_FUNCTION);
    EXPECT_EQ(scan("GoTo")[0].kind, KW_GOTO);
    EXPECT_EQ(scan("?")[0].kind, KW_PRINT);
    EXPECT_EQ(scan("and")[0].kind, KW_AND);
    EXPECT_EQ(scan("OR")[0].kind, 27);
    EXPECT_EQ(scan("whatever")[0], (Token{TK_NAME, "whatever"}));
}

TEST(Tokenizer, StringsKeepEverythingButTheirQuotes) {
    EXPECT_EQ(scan("'say \"hi\"'")[0], (Token{TK_STRING, "say \"hi\""}));
    EXPECT_EQ(scan("\"it's\"")[0], (Token{TK_STRING, "it's"}));
    EXPECT_EQ(scan("\"a\nb ; $x @y\"")[0], (Token{TK_STRING, "a\nb ; $x @y"}));
    EXPECT_EQ(scan("\"never closed")[0], (Token{TK_STRING, "never closed"}));
    EXPECT_EQ(scan("\"\"")[0], (Token{TK_STRING, ""}));
}

TEST(Tokenizer, WordsNumbersAndStops) {
    EXPECT_EQ(scan("4.0 10abc 1st"),
              (std::vector<Token>{{TK_NUMBER, "4.0"}, {TK_NUMBER, "10abc"}, {TK_NUMBER, "1st"}}));
    EXPECT_EQ(scan("$A$B"), (std::vector<Token>{{TK_VARIABLE, "$A"}, {TK_VARIABLE, "$B"}}));
    EXPECT_EQ(scan("$ x")[0], (Token{TK_VARIABLE, "$"}));
    EXPECT_EQ(scan("@")[0], (Token{TK_MACRO, "@"}));
    EXPECT_EQ(scan("\\\\SERVER\\SHARE H:")[0], (Token{TK_NAME, "\\\\SERVER\\SHARE"}));
    EXPECT_EQ(scan("a\rb")[0], (Token{TK_NAME, "a\rb"})); // CR is no white space
    EXPECT_EQ(scan("$name.txt")[0], (Token{TK_VARIABLE, "$name.txt"}));
}

TEST(Tokenizer, CommentsAndEnd) {
    EXPECT_EQ(scan("$X=1;note\n2"),
              (std::vector<Token>{
                  {TK_VARIABLE, "$X"}, {TK_EQUAL, "="}, {TK_NUMBER, "1"}, {TK_NUMBER, "2"}}));
    EXPECT_TRUE(scan("; only a comment").empty());
    EXPECT_TRUE(scan("").empty());
    EXPECT_EQ(scan("a\x1a b").size(), 1u);
    EXPECT_EQ(scan(std::string("a\0b", 3)).size(), 1u);

    ScriptText text("x ; trailing");
    Tokenizer t;
    t.attach(&text);
    t.next_token();
    for (int i = 0; i < 3; ++i) {
        t.next_token();
        EXPECT_EQ(t.kind(), TK_END);
    }
    uint32_t end = t.position();
    t.next_token();
    EXPECT_EQ(t.position(), end); // the reading position does not move at the end
}

TEST(Tokenizer, PushBackRescansTheSameToken) {
    ScriptText text("  first  \"second\"");
    Tokenizer t;
    t.attach(&text);
    t.next_token();
    t.next_token();
    EXPECT_EQ(t.token, "second");
    t.push_back_token();
    t.next_token();
    EXPECT_EQ(t.kind(), TK_STRING);
    EXPECT_EQ(t.token, "second");
    EXPECT_EQ(t.token_start(), 9u);
}

TEST(Tokenizer, RewindUndoesALookAheadExactly) {
    ScriptText text("IF 12 + x");
    Tokenizer t;
    t.attach(&text);
    t.next_token();
    t.next_token(); // 12
    Tokenizer::Mark m = t.mark();
    t.next_token();
    t.next_token();
    EXPECT_EQ(t.kind(), TK_NAME);
    t.rewind(m);
    EXPECT_EQ(t.kind(), TK_NUMBER);
    EXPECT_EQ(t.number(), 12); // the cache entry came back with the position
    EXPECT_EQ(t.token_start(), 3u);
    EXPECT_EQ(t.scan_from(), 2u);
    t.next_token();
    EXPECT_EQ(t.kind(), TK_PLUS);
}

TEST(Tokenizer, ResumeKeepsTheRunGoingAndDetachForgetsTheScript) {
    ScriptText text("a b");
    Tokenizer t;
    t.attach(&text);
    while (t.kind() != TK_END || t.position() == 0) t.next_token();
    t.resume_at(0); // a jump back after the text ended
    EXPECT_NE(t.kind(), TK_END);
    t.next_token();
    EXPECT_EQ(t.token, "a");
    t.stop();
    EXPECT_EQ(t.kind(), TK_END);
    t.detach(&text);
    EXPECT_EQ(t.script(), nullptr);
    EXPECT_EQ(t.text(), nullptr);
}

TEST(Tokenizer, OverlongTokenIsExpressionTooLong) {
    ScriptText text("\"" + std::string(32000, 'a') + "\"");
    Tokenizer t;
    t.attach(&text);
    try {
        t.next_token();
        FAIL();
    } catch (const ScriptError& e) {
        EXPECT_EQ(e.code, kErrTooLong);
    }
    ScriptText fits(std::string(31999, 'b'));
    t.attach(&fits);
    t.next_token();
    EXPECT_EQ(t.token.size(), 31999u);
}

} // namespace
} // namespace vtx
