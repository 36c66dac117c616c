// The checker on texts: what it finds, where, and what it must leave alone.
#include "checker/checker.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "checker/text_checks.h"
#include "engine/script.h"

namespace vtx {
namespace {

// "LINE:COLUMN: error|warning" of each finding, in order.
std::vector<std::string> where(const std::string& text) {
    ScriptSource source;
    source.text = text;
    Findings out;
    std::vector<CalledScript> calls;
    check_source("t.scr", source, out, calls);
    std::vector<std::string> said;
    for (const Finding& f : out)
        said.push_back(std::to_string(f.line) + ":" + std::to_string(f.column) +
                       (f.error ? " error" : " warning"));
    return said;
}

using List = std::vector<std::string>;

TEST(Checker, SilentOnSoundScripts) {
    EXPECT_EQ(where(""), List{});
    EXPECT_EQ(where("$n = 5 + 7 * (2 - 1)\n\"[\" + $n + \"]\" ?\nIF $n > 3 AND @PRIV = \"ADMIN\" "
                    "\"x\" ? ELSE \"y\" ? ENDIF\n"),
              List{});
    EXPECT_EQ(where("WHILE $i < 3 $i = $i + 1 LOOP DO $i = $i - 1 UNTIL $i = 0\n"), List{});
    EXPECT_EQ(where(":top\nGOTO \"TOP\"\nGOTO top\nA:\nEXIT\n"), List{});
    EXPECT_EQ(where("$r = SUBSTR(\"abc\", 1, 2) + LEN(\"x\") + LOGOFF()\n"), List{});
    EXPECT_EQ(where("USE LIST\nUSE H: /DELETE\nUSE S: \"\\\\srv\\s\" /user:me /PASSWORD \"p\"\n"),
              List{});
    EXPECT_EQ(where("COLOR w+/b\nCOLOR y/n \"hi\" ?\nPLAY FILE \"t\"\nBREAK ON\nGET $k\n"), List{});
    // 0 + first makes the comparison numeric: no trap.
    EXPECT_EQ(where("IF 0 + READVALUE(\"k\", \"v\") > 100 ENDIF\n"), List{});
}

TEST(Checker, BlockErrorsBecomeWarningsWithGoto) {
    EXPECT_EQ(where("ENDIF\n"), List{"1:1 error"});
    EXPECT_EQ(where("ENDIF\nGOTO x\n:x\n"), List{"1:1 warning"});
    EXPECT_EQ(where("IF 1\n"), List{"1:1 warning"}); // still open at the end
    std::string ten;
    for (int i = 0; i < 10; ++i) ten += "DO ";
    EXPECT_EQ(where(ten).size(), 10u); // ten open blocks, all allowed
    List eleven = where(ten + "DO");
    EXPECT_EQ(std::count(eleven.begin(), eleven.end(), "1:31 error"), 1);
}

TEST(Checker, ExpressionsReadAsTheEvaluatorReadsThem) {
    // The type of the first operand decides the grammar: a word ends nothing in a text
    // expression but is no operand of a number expression.
    EXPECT_EQ(where("$s = \"a\" + word\n"), List{});
    EXPECT_EQ(where("$n = 1 + word\n"), List{"1:10 error"});
    // In a text expression - ends the expression and starts a statement of its own.
    EXPECT_EQ(where("$s = \"a\" - 1\n"), List{});
    EXPECT_EQ(where("$n = (1 + 2\n"), List{"2:1 error"});
    EXPECT_EQ(where("GOTO loop\n:loop\n"), List{"1:6 error"});
    EXPECT_EQ(where("$x = UPPER(\"abc\")\n"), List{"1:6 warning"});
    EXPECT_EQ(where("UPPER(\"abc\")\n"), List{"1:1 error"});
    EXPECT_EQ(where("IF READVALUE(\"k\", \"v\") = 1 ENDIF\n"), List{"1:24 warning"});
}

TEST(Checker, NestingBoundAsInTheEvaluator) {
    EXPECT_EQ(where("$x = " + std::string(900, '(') + "1" + std::string(900, ')')), List{});
    // Deeper than the evaluator allows: reported once, and the walk stops there.
    List deep = where("$x = " + std::string(100000, '(') + "1");
    ASSERT_EQ(deep.size(), 1u);
    EXPECT_EQ(deep[0].substr(deep[0].find(' ')), " error");
}

TEST(Checker, FindingsFormatAndStatus) {
    EXPECT_EQ(format_finding({"a.scr", 3, 7, true, "unknown command x"}),
              "a.scr:3:7: error: unknown command x\n");
    EXPECT_EQ(format_finding({"b", 1, 1, false, "w"}), "b:1:1: warning: w\n");
    EXPECT_EQ(findings_status({}), 0);
    EXPECT_EQ(findings_status({{"a", 1, 1, false, "w"}}), 2);
    EXPECT_EQ(findings_status({{"a", 1, 1, false, "w"}, {"a", 2, 1, true, "e"}}), 1);
}

// The interpreter keeps 14 characters of a name, $ included: names that part only at the
// 15th are one variable, names that part at the 14th are two.
TEST(Checker, VariableNamesCutAtFourteenCharacters) {
    EXPECT_EQ(where("$abcdefghijklmX = 1\n$abcdefghijklmY = 2\n"), List{"2:1 warning"});
    EXPECT_EQ(where("$abcdefghijklX = 1\n$abcdefghijklY = 2\n"), List{});
}

TEST(TextChecks, MacrosPercentSignsAndVariables) {
    auto offsets = [](std::string_view text) {
        std::vector<std::string> said;
        for (const TextFinding& f : check_text(text))
            said.push_back(std::to_string(f.offset) + (f.error ? "e" : "w"));
        return said;
    };
    EXPECT_EQ(offsets("@@ @USERID @MONTHNO @MONTH. %% %PATH% %ProgramFiles(x86)% 100%"), List{});
    EXPECT_EQ(offsets("a@b.com"), List{"1e"});
    EXPECT_EQ(offsets("trailing @"), List{"9e"});
    EXPECT_EQ(offsets("@DAYS"), List{"0w"});
    EXPECT_EQ(offsets("50% and 80%"), List{"2w"});
    EXPECT_EQ(offsets("%1%"), List{"0w"});
    auto names = variables_in_text("$a + $$b $c_1x $ $");
    EXPECT_EQ(std::vector<std::string>(names.begin(), names.end()),
              (std::vector<std::string>{"$a", "$c_1x"}));
}

} // namespace
} // namespace vtx
