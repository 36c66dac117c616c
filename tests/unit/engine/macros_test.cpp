#include "engine/macros.h"

#include <cstdlib>
#include <gtest/gtest.h>

#include "engine/runtime.h"
#include "engine/script_error.h"
#include "engine/text.h"

namespace vtx {
namespace {

int error_of(Runtime& rt, std::string text) {
    try {
        expand_macros(rt, text);
    } catch (const ScriptError& e) {
        return e.code;
    }
    return -1;
}

std::string macros(Runtime& rt, std::string text) {
    expand_macros(rt, text);
    return text;
}

TEST(DayOfYear, FirstOfMarchFollowsTheLeapYearRule) {
    EXPECT_EQ(day_of_year(2000, 3, 1), 61); // divisible by 400
    EXPECT_EQ(day_of_year(1900, 3, 1), 60); // divisible by 100 only
    EXPECT_EQ(day_of_year(1996, 3, 1), 61);
    EXPECT_EQ(day_of_year(1997, 3, 1), 60);
    EXPECT_EQ(day_of_year(1997, 1, 1), 1);
    EXPECT_EQ(day_of_year(1996, 12, 31), 366);
}

TEST(Macros, DoubledAtAndUnknownNames) {
    Runtime rt;
    EXPECT_EQ(macros(rt, "50@@"), "50@");
    EXPECT_EQ(macros(rt, "@@@@x"), "@@x");
    EXPECT_EQ(error_of(rt, "a@b"), kErrUnknownMacro);
    EXPECT_EQ(error_of(rt, "trailing @"), kErrUnknownMacro);
    EXPECT_EQ(error_of(rt, "@ USERID"), kErrUnknownMacro);
}

TEST(Macros, NamesMatchAsCaseBlindPrefixesInTableOrder) {
    Runtime rt;
    rt.user.user_id = "jdoe";
    EXPECT_EQ(macros(rt, "@userid.log"), "jdoe.log");
    std::string month = macros(rt, "@MONTH"), number = macros(rt, "@MONTHNO");
    EXPECT_EQ(macros(rt, "@monthname"), month + "name");
    EXPECT_GE(text_to_int(number), 1);
    EXPECT_LE(text_to_int(number), 12);
    EXPECT_EQ(macros(rt, "@DAYS"), macros(rt, "@DAY") + "S");
    EXPECT_EQ(macros(rt, "@VTXx"), "3.34x");
}

TEST(Macros, UserFactsAndTheirFormats) {
    Runtime rt;
    rt.user.lm_major = 2;
    rt.user.lm_minor = -1;
    rt.user.max_password_age = 42;
    rt.error = -5;
    EXPECT_EQ(macros(rt, "@LM @MAXPWAGE @ERROR"), "2.-1 42 -5");
    const char* levels[] = {"GUEST", "USER", "ADMIN", "ADMIN"};
    for (int p = 0; p < 4; ++p) {
        rt.user.privilege = p == 3 ? -7 : p;
        EXPECT_EQ(macros(rt, "@PRIV"), levels[p]);
    }
    rt.os.platform_id = 1;
    EXPECT_EQ(macros(rt, "@INWIN"), "2");
}

TEST(Macros, OneClockReadingServesTheWholeText) {
    Runtime rt;
    std::string text = macros(rt, "@DATE|@YEAR|@MONTHNO|@MDAYNO|@YDAYNO");
    int year = 0, month = 0, day = 0, y = 0, m = 0, d = 0, yday = 0;
    ASSERT_EQ(
        std::sscanf(text.c_str(), "%d/%d/%d|%d|%d|%d|%d", &year, &month, &day, &y, &m, &d, &yday),
        7);
    EXPECT_EQ(year, y);
    EXPECT_EQ(month, m);
    EXPECT_EQ(day, d);
    EXPECT_EQ(yday, day_of_year(year, month, day));

    std::string times;
    for (int i = 0; i < 2000; ++i) times += "@TIME";
    std::string expanded = macros(rt, times);
    ASSERT_EQ(expanded.size(), 2000u * 8);
    for (std::size_t i = 8; i < expanded.size(); i += 8)
        ASSERT_EQ(expanded.compare(i, 8, expanded, 0, 8), 0) << expanded.substr(i, 8);
}

TEST(Macros, ValuesAreNotScannedAgainButMeetTheLaterExpansions) {
    Runtime rt;
    ::setenv("VTX_MACRO_TEST", "env", 1);
    rt.user.user_id = "a@b";
    rt.user.comment = "[%VTX_MACRO_TEST%]";
    EXPECT_EQ(macros(rt, "@USERID"), "a@b");
    EXPECT_EQ(macros(rt, "@COMMENT"), "[%VTX_MACRO_TEST%]");
    std::string text = "@COMMENT";
    expand_text(rt, text);
    EXPECT_EQ(text, "[env]");

    // A variable's value comes last, so it is not expanded further.
    rt.vars.create("$v", KIND_STRING).text = "%VTX_MACRO_TEST%@";
    text = "$v";
    expand_text(rt, text);
    EXPECT_EQ(text, "%VTX_MACRO_TEST%@");
}

TEST(Macros, CostlyFactsAreReadOnceOnFirstUse) {
    Runtime rt;
    rt.user.ip_lookup_done = 1; // already attempted: the slots are used as they are
    rt.user.ip_address[1] = " 10.  0.  0.  5";
    rt.user.host_name = "host";
    EXPECT_EQ(macros(rt, "[@IPADDRESS0][@IPADDRESS1][@HOSTNAME]"), "[][ 10.  0.  0.  5][host]");

    // Facts still unread are read once, by the first macro that needs them.
    Runtime fresh;
    std::vector<unsigned> reads;
    fresh.user_facts_unread = kFactsOnFirstUse;
    fresh.read_user_facts = [&reads](Runtime& run, unsigned facts) {
        reads.push_back(facts);
        run.user_facts_unread &= ~facts;
    };
    macros(fresh, "@YEAR@USERID@WKSTA");
    EXPECT_TRUE(reads.empty());
    macros(fresh, "@IPADDRESS3@HOSTNAME@PRIV@PRIV@LDOMAIN@DOMAIN");
    EXPECT_EQ(reads, (std::vector<unsigned>{kFactAddresses, kFactGroups, kFactHostDomain}));
}

// Appends keep one character free, so an expanded text holds at most 31998.
TEST(Macros, ResultBeyondTheLimitIsTooLong) {
    Runtime rt;
    EXPECT_EQ(error_of(rt, std::string(kMaxText - 5, 'x') + "@VTX"), -1);
    EXPECT_EQ(error_of(rt, std::string(kMaxText - 4, 'x') + "@VTX"), kErrTooLong);
}

std::string environment(std::string text) {
    expand_environment(text);
    return text;
}

TEST(Environment, ReferencesPairsAndLonePercents) {
    ::setenv("VTX_ENV_A", "alpha", 1);
    ::setenv("VTX_ENV_AB", "long", 1);
    ::unsetenv("VTX_ENV_NONE");
    EXPECT_EQ(environment("%PATH%"), std::getenv("PATH"));
    EXPECT_EQ(environment("%path%"), std::getenv("PATH"));
    EXPECT_EQ(environment("<%vtx_env_a%>"), "<alpha>");
    EXPECT_EQ(environment("<%VTX_ENV_NONE%>"), "<>");
    EXPECT_EQ(environment("50%"), "50%");
    EXPECT_EQ(environment("%%"), "%");
    EXPECT_EQ(environment("100%% sure"), "100% sure");
    EXPECT_EQ(environment("%VTX_ENV_A%%VTX_ENV_AB%"), "alphalong");
    EXPECT_EQ(environment("x%VTX_ENV_A%y%z"), "xalphay%z");
}

std::string variables(Runtime& rt, std::string text) {
    expand_variables(rt, text);
    return text;
}

TEST(Variables, DollarsNamesAndUndefinedNames) {
    Runtime rt;
    rt.vars.create("$name", KIND_STRING).text = "report";
    rt.vars.create("$n", KIND_INTEGER).number = -12;
    EXPECT_EQ(variables(rt, "$$"), "$");
    EXPECT_EQ(variables(rt, "$name.txt"), "report.txt");
    EXPECT_EQ(variables(rt, "$NAME_x|$n|$undefined|"), "|-12||");
    EXPECT_EQ(variables(rt, "cost 5$"), "cost 5");
    EXPECT_EQ(variables(rt, "$$name"), "$name");
}

// The evaluator's shortcut for a variable operand must give what expansion in place gives.
TEST(Variables, WholeNameAppendsAsExpansionWould) {
    Runtime rt;
    rt.vars.create("$name", KIND_STRING).text = "report";
    rt.vars.create("$n", KIND_INTEGER).number = -12;
    for (const char* name : {"$name", "$NAME", "$n", "$undefined"}) {
        std::string out = "<";
        EXPECT_TRUE(append_variable_value(rt, name, out)) << name;
        EXPECT_EQ(out, "<" + variables(rt, name)) << name;
    }
    for (const char* text : {"$", "$$", "$$name", "$name.txt", "x$name", "$na-me", ""}) {
        std::string out = "<";
        EXPECT_FALSE(append_variable_value(rt, text, out)) << text;
        EXPECT_EQ(out, "<") << text;
    }
    // The same bound as every append: the value and one more character must fit.
    rt.vars.create("$long", KIND_STRING).text = std::string(kMaxText, 'x');
    std::string out;
    EXPECT_THROW(append_variable_value(rt, "$long", out), ScriptError);
    EXPECT_THROW(variables(rt, "$long"), ScriptError);
}

} // namespace
} // namespace vtx
