// Scripts run with compiled statements and without must end with the same variables, the
// same output, the same script error and the same reading position.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "engine/interpreter.h"
#include "engine/runtime.h"
#include "engine/script_error.h"
#include "platform/files.h"

namespace vtx {
namespace {

namespace fs = std::filesystem;

struct Ending {
    int error = -1;
    uint32_t position = 0;
    std::string variables; // "name=kind:value;" of every variable, in creation order
    std::string output;
    bool operator==(const Ending&) const = default;
};

class CompiledStatements : public ::testing::Test {
  protected:
    fs::path dir_ = fs::temp_directory_path() / ("vtx32_compiled_" + std::to_string(::getpid()));
    void SetUp() override { fs::create_directories(dir_); }
    void TearDown() override { fs::remove_all(dir_); }

    Ending run(const std::string& body, bool compile) {
        std::string path = (dir_ / "t.scr").string();
        std::ofstream(path, std::ios::binary) << body;
        std::string written = (dir_ / "out.txt").string();
        Runtime rt;
        rt.compile = compile;
        platform::open_for_write(written, true, rt.out.redirect);
        Ending e;
        try {
            run_script(rt, path);
        } catch (const ScriptError& err) {
            e.error = err.code;
            e.position = rt.tok.position();
        }
        rt.out.close_redirect();
        std::ifstream in(written, std::ios::binary);
        e.output.assign(std::istreambuf_iterator<char>(in), {});
        for (const char* name : {"$i", "$s", "$t", "$n", "$x", "$k"}) {
            const Variable* v = rt.vars.find(name);
            if (!v) continue;
            e.variables += std::string(name) + "=" + (v->kind == KIND_STRING ? "S:" : "I:");
            v->append_text(e.variables);
            e.variables += ";";
        }
        return e;
    }

    void expect_same(const std::string& body) {
        Ending parsed = run(body, false);
        Ending compiled = run(body, true);
        EXPECT_EQ(compiled.error, parsed.error) << body;
        EXPECT_EQ(compiled.position, parsed.position) << body;
        EXPECT_EQ(compiled.variables, parsed.variables) << body;
        EXPECT_EQ(compiled.output, parsed.output) << body;
    }
};

TEST_F(CompiledStatements, AppendsSeeTheOldValueAndStopAtTheLimit) {
    expect_same("$s = \"ab\" $i = 0 WHILE $i < 4 $s = $s + $s $i = $i + 1 LOOP");
    expect_same("$s = \"x\" $i = 0 WHILE $i < 3 $s = $s + \"$s\" + $i $i = $i + 1 LOOP");
    expect_same("$s = \"x\" $i = 0 WHILE $i < 3 $s = $s + \"-\" = \"x-\" $i = $i + 1 LOOP");
    expect_same("$s = \"1\" $i = 0 WHILE $i < 3 $s = $s + 1 $s = 5 $i = $i + 1 LOOP");
    // Error 9 from the statement that overflows, wherever the limit falls.
    expect_same("$s = \"abc\" WHILE 1 $s = $s + \"defgh\" + $s LOOP");
    expect_same("$s = \"abc\" WHILE 1 $s = $s + \"d\" LOOP $x = 1");
}

TEST_F(CompiledStatements, BlocksAndTheirErrorsMatchTheInterpreter) {
    expect_same("$i = 0 $n = 0 WHILE $i < 9 IF $i / 3 * 3 = $i $n = $n + 1 ELSE $k = $i "
                "ENDIF $i = $i + 1 LOOP");
    // Nesting past ten blocks inside a loop, ELSE without a taken IF, LOOP without WHILE.
    expect_same("$i = 0 WHILE $i < 2 IF 1 IF 1 IF 1 IF 1 IF 1 IF 1 IF 1 IF 1 IF 1 IF 1 $x = 1");
    expect_same("$i = 0 WHILE $i < 3 $i = $i + 1 LOOP ELSE $x = 2");
    expect_same("$i = 5 IF $i > 9 $x = 1 ENDIF ENDIF");
    expect_same("$i = 0 LOOP");
    // A condition that turns from an integer into a string, and a skip that ends the text.
    expect_same("$t = 1 $i = 0 WHILE $i < 3 IF $t $k = $i ENDIF $t = \"\" $i = $i + 1 LOOP");
    expect_same("$i = 0 WHILE $i < 3 $i = $i + 1 IF 0 $x = 1");
}

TEST_F(CompiledStatements, ExpressionStatementsWriteWhatTheParserWrites) {
    expect_same("$i = 0 WHILE $i < 3 $i \"-\" $i * 2 + 1 \",\" + $i + \"x\" $i = $i + 1 LOOP");
    // A literal that stops being plain, a comparison after the chain, a variable turning
    // into a string, an expression that ends the text.
    expect_same("$i = 0 WHILE $i < 3 \"a\" + $i = \"a1\" \"%\" + $i $i = $i + 1 LOOP");
    expect_same("$i = 0 $s = 5 WHILE $i < 3 $s $s = \"t\" + $i $i = $i + 1 LOOP");
    expect_same("$i = 0 WHILE $i < 2 $i = $i + 1 LOOP $i + 1");
    // The text limit: error 9 where the chain outgrows it.
    expect_same("$s = \"abcdefgh\" $i = 0 WHILE $i < 13 $s = $s + $s $i = $i + 1 LOOP "
                "$i = 0 WHILE $i < 2 \"x\" + $s + $s $i = $i + 1 LOOP");
}

TEST_F(CompiledStatements, OperandsThatTurnIntoStringsMidLoop) {
    // The right operand of `/` and `*` read as text once it is one; the first operand of the
    // right side of AND decides that side's type, so its turning falls back to the parser.
    expect_same("$i = 0 $k = 2 $n = 0 WHILE $i < 6 IF $i / $k * $k = $i $n = $n + 1 ENDIF "
                "IF $i = 3 $k = \"3\" ENDIF $i = $i + 1 LOOP");
    expect_same("$i = 0 $t = 1 $n = 0 WHILE $i < 6 IF $i > 1 AND $t < 5 $n = $n + 1 ENDIF "
                "IF $i = 3 $t = \"a\" ENDIF $i = $i + 1 LOOP");
    expect_same("$i = 0 $k = 1 WHILE $i < 5 $n = -$k + $i * ($k - 1) $i = $i + 1 "
                "IF $i = 2 $k = \"7x\" ENDIF LOOP");
}

TEST_F(CompiledStatements, OneLoopClosingTwoWhiles) {
    // A backward GOTO makes the LOOP close a different WHILE, with its own condition and its
    // own statement after it.
    expect_same("$k = 0 $n = 0 $i = 0\n"
                "WHILE $i < 2 $i = $i + 1 $n = $n + 1 GOTO \"shared\"\n"
                ":back\nWHILE $i < 5 $i = $i + 1 $n = $n + 10\n"
                ":shared\nLOOP\n$k = $k + 1\nIF $k < 2 GOTO \"back\" ENDIF\n$n");
}

TEST_F(CompiledStatements, DoUntilMatchesTheInterpreter) {
    expect_same("$i = 0 DO $i = $i + 1 $i UNTIL $i >= 4 $x = 1");
    expect_same("$i = 0 $n = 0 DO $k = 0 DO $k = $k + 1 $n = $n + 1 UNTIL $k = 3 $i = $i + 1 "
                "UNTIL $i = 3");
    // UNTIL without DO, DO nested past ten, a condition that ends the text, a condition
    // that becomes a string.
    expect_same("$i = 0 WHILE $i < 2 $i = $i + 1 LOOP UNTIL 1");
    expect_same("$i = 0 WHILE $i < 2 DO DO DO DO DO DO DO DO DO DO $i = $i + 1 LOOP");
    expect_same("$i = 0 DO $i = $i + 1 UNTIL $i > 2");
    expect_same("$t = 0 $i = 0 DO $i = $i + 1 IF $i = 2 $t = \"y\" ENDIF UNTIL $t");
}

} // namespace
} // namespace vtx
