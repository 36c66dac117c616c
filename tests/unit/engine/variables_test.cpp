#include "engine/variables.h"

#include <gtest/gtest.h>

namespace vtx {
namespace {

TEST(Variables, NamesAreCutAndCaseBlind) {
    Variables vars;
    vars.create("$LongVariableName1", KIND_INTEGER).number = 7;
    Variable* v = vars.find("$longvariablename2");
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->number, 7);
    EXPECT_EQ(v->name, "$LongVariableN");
    EXPECT_EQ(vars.find("$LongVariable"), nullptr); // shorter than the stored name
    EXPECT_EQ(vars.find("$other"), nullptr);
}

TEST(Variables, FirstCreatedWins) {
    Variables vars;
    vars.create("$x", KIND_INTEGER).number = 1;
    vars.create("$X", KIND_INTEGER).number = 2;
    EXPECT_EQ(vars.size(), 2u);
    EXPECT_EQ(vars.find("$x")->number, 1);
}

TEST(Variables, KindChanges) {
    Variables vars;
    Variable& v = vars.create("$a", KIND_INTEGER);
    v.set_string("12abc");
    EXPECT_EQ(v.kind, KIND_STRING);
    EXPECT_EQ(v.as_integer(), 12);
    v.set_integer(-5);
    EXPECT_EQ(v.kind, KIND_INTEGER);
    EXPECT_TRUE(v.text.empty());
    std::string out;
    v.append_text(out);
    EXPECT_EQ(out, "-5");
}

TEST(Variables, ManyVariablesStayAddressable) {
    Variables vars;
    Variable* first = &vars.create("$v0", KIND_INTEGER);
    for (int i = 1; i < 10000; ++i) vars.create("$v" + std::to_string(i), KIND_INTEGER).number = i;
    EXPECT_EQ(vars.find("$v0"), first); // records never move
    EXPECT_EQ(vars.find("$V9999")->number, 9999);
}

} // namespace
} // namespace vtx
