// The argument reader and the string functions, through the evaluator as scripts call them.
#include "engine/arguments.h"

#include <gtest/gtest.h>

#include "engine/script_fixture.h"

namespace vtx {
namespace {

using test::evaluate;
using test::LoadedScript;

// Reads the argument list in `body` (which starts at "(") against `signature`; returns
// the script error code, or 0 with the destinations filled.
template <class... Destination>
int read_list(const std::string& body, std::string_view signature, Destination&... destination) {
    LoadedScript s(body);
    try {
        arguments_by_signature(s.rt, signature, {ArgumentSlot(destination)...});
        s.rt.tok.next_token();
        return s.rt.tok.kind() == TK_END ? 0 : -1; // ")" was current: nothing may follow
    } catch (const ScriptError& e) {
        return e.code;
    }
}

// Handlers' destinations are held to the table's letters when they compile.
static_assert(fits_signature<std::string, int32_t, int32_t>("SIi"));
static_assert(!fits_signature<std::string, std::string>("SI")); // the wrong kind
static_assert(!fits_signature<std::string>("Ss"));              // one short
static_assert(!fits_signature<int32_t, int32_t>("i"));          // one too many

TEST(Arguments, NamesAndSpacingDoNotMatter) {
    EXPECT_EQ(evaluate("len(\"abc\")"), "I:3");
    EXPECT_EQ(evaluate("LEN ( \"abc\" )"), "I:3");
    EXPECT_EQ(evaluate("Len(\"abc\")"), "I:3");
}

TEST(Arguments, ListsThatDoNotFitTheSignature) {
    EXPECT_EQ(evaluate("LEN \"abc\""), "E11");
    EXPECT_EQ(evaluate("LEN(\"a\", \"b\")"), "E11");
    EXPECT_EQ(evaluate("LEN()"), "E14");
    EXPECT_EQ(evaluate("LEN(5)"), "E11");
    EXPECT_EQ(evaluate("CHR(\"A\")"), "E11");
    EXPECT_EQ(evaluate("SUBSTR(\"abc\", 2)"), "E11");
    EXPECT_EQ(evaluate("SUBSTR(\"abc\", 2,)"), "E14");
    EXPECT_EQ(evaluate("SUBSTR(\"abc\" 2, 1)"), "E11");
    EXPECT_EQ(evaluate("LEN(\"abc\""), "E11");
}

TEST(Arguments, KindComesFromTheFirstOperandWithoutConversion) {
    LoadedScript s("SUBSTR(\"abc\", $n, 1)");
    s.rt.vars.create("$n", KIND_STRING).set_string("2");
    std::string out;
    EXPECT_THROW(s.eval(out), ScriptError);
    EXPECT_EQ(evaluate("SUBSTR(\"abc\", (1 + 1), 1)"), "S:b");
    EXPECT_EQ(evaluate("LEN(1 + \"x\")"), "E11"); // an integer expression, whatever follows
}

TEST(Arguments, OptionalLettersKeepTheirDefaults) {
    std::string a;
    int32_t b = 7, c = 9;
    EXPECT_EQ(read_list("(\"x\", 1)", "Sii", a, b, c), 0);
    EXPECT_EQ(a, "x");
    EXPECT_EQ(b, 1);
    EXPECT_EQ(c, 9);
    EXPECT_EQ(read_list("(\"y\")", "Sii", a, b, c), 0);
    EXPECT_EQ(b, 1);
    EXPECT_EQ(read_list("(\"y\", 1, 2, 3)", "Sii", a, b, c), kErrParameters);
    EXPECT_EQ(read_list("(\"y\",)", "Sii", a, b, c), kErrExpected);
    EXPECT_EQ(read_list("(\"y\" 1)", "Sii", a, b, c), kErrParameters);
}

TEST(Arguments, TheFirstArgumentIsAlwaysRead) {
    int32_t b = 4, c = 0;
    EXPECT_EQ(read_list("()", "ii", b, c), kErrExpected);
    EXPECT_EQ(read_list("(-3)", "ii", b, c), 0);
    EXPECT_EQ(b, -3);
    EXPECT_EQ(read_list("5", "ii", b, c), kErrParameters);
}

TEST(Arguments, NestedCallsLeaveTheOuterListInPlace) {
    EXPECT_EQ(evaluate("LEN(SUBSTR(\"abcdef\", 2, 3)) + 1"), "I:4");
    EXPECT_EQ(evaluate("SUBSTR(SUBSTR(\"abcdef\", 2, 4), LEN(\"xy\"), 1)"), "S:c");
}

TEST(Arguments, StringResultsReadByKindOfTheWholeExpression) {
    EXPECT_EQ(evaluate("1 + SUBSTR(\"12ab\", 1, 2)"), "I:13");
    EXPECT_EQ(evaluate("SUBSTR(\"12ab\", 1, 2) + 1"), "S:121");
    EXPECT_EQ(evaluate("INSTR(\"abc\", \"x\") + 1"), "I:1");
    EXPECT_EQ(evaluate("INSTR(\"abc\", \"x\")"), "I:0");
}

TEST(StringFunctions, Substr) {
    EXPECT_EQ(evaluate("SUBSTR(\"abcdef\", 2, 3)"), "S:bcd");
    EXPECT_EQ(evaluate("SUBSTR(\"abcdef\", 5, 10)"), "S:ef");
    EXPECT_EQ(evaluate("SUBSTR(\"abcdef\", 7, 1)"), "S:");
    EXPECT_EQ(evaluate("SUBSTR(\"abcdef\", 0, 3)"), "S:");
    EXPECT_EQ(evaluate("SUBSTR(\"abcdef\", 9, 2)"), "S:");
    EXPECT_EQ(evaluate("SUBSTR(\"abcdef\", 3, -2)"), "S:");
    EXPECT_EQ(evaluate("SUBSTR(\"abcdef\", 2147483647, 2147483647)"), "S:");
    EXPECT_EQ(evaluate("SUBSTR(\"abcdef\", 2, 2147483647)"), "S:bcdef");
    EXPECT_EQ(evaluate("SUBSTR(\"abcdef\", -2147483648, 2147483647)"), "S:");
}

TEST(StringFunctions, InstrIsCaseBlind) {
    EXPECT_EQ(evaluate("INSTR(\"Hello World\", \"WORLD\")"), "I:7");
    EXPECT_EQ(evaluate("INSTR(\"abc\", \"\")"), "I:1");
    EXPECT_EQ(evaluate("INSTR(\"\", \"\")"), "I:0");
    EXPECT_EQ(evaluate("INSTR(\"aaab\", \"AAB\")"), "I:2");
    EXPECT_EQ(evaluate("INSTR(\"ab\", \"abc\")"), "I:0");
    EXPECT_EQ(evaluate("INSTR(\"x[Y\", \"{\")"), "I:0"); // only A to Z fold
}

TEST(StringFunctions, LenAndChr) {
    EXPECT_EQ(evaluate("LEN(\"\")"), "I:0");
    EXPECT_EQ(evaluate("CHR(65) + CHR(321) + CHR(-191)"), "S:AAA");
    EXPECT_EQ(evaluate("\"[\" + CHR(0) + CHR(256) + \"]\""), "S:[]");
    EXPECT_EQ(evaluate("LEN(CHR(200))"), "I:1");
}

} // namespace
} // namespace vtx
