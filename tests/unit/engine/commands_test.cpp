#include "engine/commands.h"

#include <gtest/gtest.h>

#include "script_fixture.h"

namespace vtx {
namespace {

// Runs the statement at the start of `script`; returns the token the next statement starts
// with, or "E<code>" after a script error.
std::string next_after(const std::string& script, int32_t* error = nullptr) {
    test::LoadedScript s(script);
    s.rt.error = 99;
    try {
        s.rt.tok.next_token();
        run_command(s.rt, s.rt.tok.kind());
    } catch (const ScriptError& e) {
        return "E" + std::to_string(e.code);
    }
    if (error) *error = s.rt.error;
    if (s.rt.tok.kind() == TK_END) return "<end>";
    s.rt.tok.next_token();
    return s.rt.tok.kind() == TK_END ? "<end>" : s.rt.tok.token;
}

TEST(Commands, UseReadsItsOptionsAndNoMore) {
    EXPECT_EQ(next_after("USE X: \"\\\\s\\x\" next"), "next");
    EXPECT_EQ(next_after("USE X: \"\\\\s\\x\" /USER:bob next"), "next");
    EXPECT_EQ(next_after("USE X: \"\\\\s\\x\" /U:bob /P \"pw\" + \"2\" next"), "next");
    EXPECT_EQ(next_after("USE X: \"\\\\s\\x\" /PASSWORD: \"pw\" /other:1 next"), "next");
    // Two options at most: a third slash begins the next statement.
    EXPECT_EQ(next_after("USE X: \"\\\\s\\x\" /U:a /P:b /X:c"), "/");
    EXPECT_EQ(next_after("USE X: /DEL next"), "next");
    EXPECT_EQ(next_after("USE X: /zap next"), "next");
    EXPECT_EQ(next_after("USE LIST next"), "next");
    EXPECT_EQ(next_after("USE X:"), "<end>");
    EXPECT_EQ(next_after("USE X: /"), "<end>");
}

TEST(Commands, UseErrors) {
    EXPECT_EQ(next_after("USE"), "E7");
    EXPECT_EQ(next_after("USE ABCDEFGHIJK: /D"), "E7");
    EXPECT_EQ(next_after("USE X: \"\\\\s\\x\" /USER:"), "E14"); // no value after the colon
    int32_t error = 0;
    EXPECT_EQ(next_after("USE ABCDEFGHIJ: /D", &error), "<end>");
    EXPECT_EQ(error, 50);
    EXPECT_EQ(next_after("USE X: /zap", &error), "<end>");
    EXPECT_EQ(error, 0);
}

TEST(Commands, ResultCodes) {
    // @ERROR starts at 99: SETL and PASSWORD leave it on success, the others set it.
    const struct {
        const char* statement;
        int32_t error;
    } cases[] = {
        {"SETL \"VTX32_UNIT=1\"", 99},
        {"PASSWORD \"x\"", 99},
        {"SLEEP -5", 0},
        {"SLEEP \"0x\"", 0},
        {"DISPLAY \"no_such_file\"", 2},
        {"DEL \"no_such_file\"", 2},
        {"CD \"no_such_folder\\x\"", 3},
        {"GO \"a:\"", -1},
    };
    for (const auto& c : cases) {
        int32_t error = 0;
        EXPECT_EQ(next_after(std::string(c.statement) + " next", &error), "next") << c.statement;
        EXPECT_EQ(error, c.error) << c.statement;
    }
    EXPECT_EQ(next_after("GO \"a:\\\" next"), "E1");
    EXPECT_EQ(next_after("SHELL"), "E14");
}

} // namespace
} // namespace vtx
