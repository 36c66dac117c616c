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
    ScriptFacts facts;
    check_source("t.scr", source, out, facts);
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

TEST(Checker, OperatorWordsInsideUnquotedPaths) {
    EXPECT_EQ(where("CD C:\\Documents and Settings\\x\n"), List{"1:17 warning"});
    EXPECT_EQ(where("CD Documents or C:\\x\n"), List{"1:14 warning"});
    EXPECT_EQ(where("CD \"C:\\Documents and Settings\"\nIF $a AND $b ENDIF\n"), List{});
    // Not on the same line: the path ended with its line.
    EXPECT_EQ(where("$s = x\nIF $s = \"\" OR $s = C:\\x ENDIF\n"), List{});
}

// What the walk hands on for the whole set to judge: assignments by kind, reads, orderings.
TEST(Checker, FactsForTheScriptSet) {
    ScriptSource source;
    source.text = "$t = \"10\"\n$n = 1 + 2\nGET $k\nIF $t < 9 ENDIF\n\"$u and $$\" ?\n"
                  "IF $n = 2 ENDIF\nCALL \"a.scr\"\nIF 1 CALL \"b.scr\" ENDIF\nCALL $n\n";
    Findings out;
    ScriptFacts facts;
    check_source("t.scr", source, out, facts);
    EXPECT_EQ(facts.assigned["$t"], unsigned(kAssignedText));
    EXPECT_EQ(facts.assigned["$n"], unsigned(kAssignedNumber));
    EXPECT_EQ(facts.assigned["$k"], unsigned(kAssignedText));
    ASSERT_EQ(facts.orderings.size(), 1u); // = is no ordering
    EXPECT_TRUE(facts.orderings[0].literal_is_number && facts.orderings[0].variable_first);
    bool text_read = std::any_of(facts.reads.begin(), facts.reads.end(), [](const auto& r) {
        return r.name == "$u" && r.in_text && r.line == 5 && r.column == 2;
    });
    EXPECT_TRUE(text_read);
    ASSERT_EQ(facts.calls.size(), 2u);
    EXPECT_TRUE(facts.calls[0].every_run);
    EXPECT_FALSE(facts.calls[1].every_run);
    EXPECT_TRUE(facts.unknown_call);
    EXPECT_EQ(variable_key("$PrinterDefaultOld"), variable_key("$printerdefaultNEW"));
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

// Rank first, then line and column; equal places keep the order they were found in, and
// findings before `first` stay where they are.
TEST(Checker, FindingsSortedStably) {
    Findings f{{"k", 9, 9, false, "kept"}, {"b", 2, 5, false, "late"}, {"a", 2, 1, false, "1st"},
               {"b", 2, 1, true, "2nd"},   {"a", 1, 4, false, "x"},    {"c", 1, 1, false, "y"}};
    sort_findings(f, 1, {1, 1, 1, 0, 2});
    std::vector<std::string> texts;
    for (const Finding& x : f) texts.push_back(x.text);
    EXPECT_EQ(texts, (List{"kept", "x", "1st", "2nd", "late", "y"}));
    sort_findings(f, 0);
    texts.clear();
    for (const Finding& x : f) texts.push_back(x.text);
    EXPECT_EQ(texts, (List{"y", "x", "1st", "2nd", "late", "kept"}));
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
    // A $ that starts no name vanishes; $$ and a name are fine.
    EXPECT_EQ(offsets("\\\\FS01\\IT$ c$\\d $$ $x"), (List{"9w", "12w"}));
    // Only a whole first part names a root abbreviation.
    EXPECT_EQ(offsets("HKLM\\Software"), List{"0w"});
    EXPECT_EQ(offsets("hku\\.DEFAULT"), List{"0w"});
    EXPECT_EQ(offsets("HKEY_LOCAL_MACHINE\\Software HKLMX\\a HKLM"), List{});
    auto names = variables_in_text("$a + $$b $c_1x $ $");
    EXPECT_EQ(std::vector<std::string>(names.begin(), names.end()),
              (std::vector<std::string>{"$a", "$c_1x"}));
}

} // namespace
} // namespace vtx
