#include "engine/evaluator.h"

#include <gtest/gtest.h>

#include "script_fixture.h"

namespace vtx {
namespace {

using test::evaluate;

TEST(Evaluator, IntegerLevels) {
    EXPECT_EQ(evaluate("2 + 3 * 4"), "I:14");
    EXPECT_EQ(evaluate("(2 + 3) * 4"), "I:20");
    EXPECT_EQ(evaluate("-2 * 3"), "I:-6");
    EXPECT_EQ(evaluate("7 / 2"), "I:3");
    EXPECT_EQ(evaluate("-7 / 2"), "I:-3");
    EXPECT_EQ(evaluate("10 - 4 - 3"), "I:3");
    EXPECT_EQ(evaluate("2147483647 + 1"), "I:-2147483648");
    EXPECT_EQ(evaluate("65536 * 65536"), "I:0");
    EXPECT_EQ(evaluate("1 / 0"), "I:0");
    EXPECT_EQ(evaluate("-2147483648 / -1"), "I:-2147483648");
    EXPECT_EQ(evaluate("3 >= 3"), "I:1");
    EXPECT_EQ(evaluate("3 <> 3"), "I:0");
    EXPECT_EQ(evaluate("-1 < 0"), "I:1");
    EXPECT_EQ(evaluate("5 + ()"), "I:5");
}

TEST(Evaluator, LogicGroupsToTheRightWithoutShortCircuit) {
    EXPECT_EQ(evaluate("1 = 1 AND 0"), "I:0");
    EXPECT_EQ(evaluate("0 AND 0 OR 1"), "I:0");
    EXPECT_EQ(evaluate("1 OR 1 AND 0"), "I:1");
    EXPECT_EQ(evaluate("2 AND \"x\""), "I:1");
    EXPECT_EQ(evaluate("\"\" OR 0"), "S:");
    EXPECT_EQ(evaluate("\"a\" AND 1"), "S:1");
}

TEST(Evaluator, StringLevels) {
    EXPECT_EQ(evaluate("\"a\" + \"b\" + 1"), "S:ab1");
    EXPECT_EQ(evaluate("\"Smith\" = \"SMITH\""), "S:1");
    EXPECT_EQ(evaluate("\"a\" < \"B\""), "S:1");
    EXPECT_EQ(evaluate("\"a\" = \"b\""), "S:");
    EXPECT_EQ(evaluate("\"x\" + (\"a\" + \"b\")"), "S:xab");
    EXPECT_EQ(evaluate("word"), "S:word");
}

TEST(Evaluator, TypeFromFirstOperand) {
    EXPECT_EQ(evaluate("5 + \"7\""), "I:12");
    EXPECT_EQ(evaluate("\"7\" + 5"), "S:75");
    EXPECT_EQ(evaluate("5 = \"5\""), "I:1");
    EXPECT_EQ(evaluate("$undefined + 2"), "I:2");
    EXPECT_EQ(evaluate("((\"a\")) + \"b\""), "S:ab");
    EXPECT_EQ(evaluate("((1)) + \"2\""), "I:3");
    EXPECT_EQ(evaluate("@ERROR + 1"), "I:1");   // a macro with digits starts an integer
    EXPECT_EQ(evaluate("@VTX + 1"), "S:3.341"); // one with a dot starts a string
}

TEST(Evaluator, Errors) {
    EXPECT_EQ(evaluate(""), "E14");
    EXPECT_EQ(evaluate(")"), "E14");
    EXPECT_EQ(evaluate("(1 + 2"), "E14");
    EXPECT_EQ(evaluate("--1"), "E14");
    EXPECT_EQ(evaluate("1 + word"), "E14");
    EXPECT_EQ(evaluate(":label"), "E14");
    EXPECT_EQ(evaluate("(()) + 1"), "E14");
    EXPECT_EQ(evaluate(std::string(1001, '(') + "1" + std::string(1001, ')')), "E9");
    EXPECT_EQ(evaluate(std::string(999, '(') + "1" + std::string(999, ')')), "I:1");
}

TEST(Evaluator, OptionalExpressionAndPushBack) {
    test::LoadedScript s("ENDIF rest");
    std::string out = "untouched";
    EXPECT_EQ(s.eval(out, false), TK_NAME);
    EXPECT_EQ(out, "untouched");
    s.rt.tok.next_token();
    EXPECT_EQ(s.rt.tok.kind(), KW_ENDIF);

    test::LoadedScript t("1 < 2 < 3");
    EXPECT_EQ(t.eval(out), KIND_INTEGER);
    EXPECT_EQ(out, "1");
    EXPECT_EQ(t.rt.tok.kind(), TK_LESS); // the second comparison ends the expression
    t.rt.tok.next_token();
    EXPECT_EQ(t.rt.tok.kind(), TK_LESS);
}

TEST(Evaluator, VariablesAndExpansion) {
    test::LoadedScript s("\"n=$n, $$, 50@@\"");
    s.rt.vars.create("$n", KIND_INTEGER).number = 3;
    std::string out;
    EXPECT_EQ(s.eval(out), KIND_STRING);
    EXPECT_EQ(out, "n=3, $, 50@");

    test::LoadedScript t("\"x\" + $name.txt");
    t.rt.vars.create("$name", KIND_STRING).text = "N";
    t.eval(out);
    EXPECT_EQ(out, "xN.txt");
}

} // namespace
} // namespace vtx
