#include "app/handler_tables.h"

#include <gtest/gtest.h>

#include "engine/functions.h"
#include "engine/tokens.h"
#include "platform/text_rules.h"

namespace vtx {
namespace {

// A binding in two folders would leave the dispatch to whichever table was read last.
TEST(HandlerTables, EveryCommandAndFunctionHasExactlyOneHandler) {
    int commands[KW_COUNT] = {};
    for (auto folder : kCommandTables)
        for (const CommandBinding& b : folder) ++commands[b.keyword];
    for (int k = 0; k < KW_COUNT; ++k) {
        int expected = kKeywords[k].role == kCommand ? 1 : 0;
        EXPECT_EQ(commands[k], expected) << kKeywords[k].text;
        EXPECT_EQ(kCommandHandlers[k] != nullptr, expected == 1) << kKeywords[k].text;
    }
    int functions[FN_COUNT] = {};
    for (auto folder : kFunctionTables)
        for (const FunctionBinding& b : folder) ++functions[b.function];
    for (int f = 0; f < FN_COUNT; ++f) {
        EXPECT_EQ(functions[f], 1) << kFunctionNames[f].name;
        EXPECT_NE(kFunctionHandlers[f], nullptr) << kFunctionNames[f].name;
    }
}

TEST(HandlerTables, EveryNameFindsItsOwnId) {
    for (int k = 0; k < KW_COUNT; ++k) EXPECT_EQ(find_keyword(kKeywords[k].text), k);
    for (int f = 0; f < FN_COUNT; ++f) {
        std::string lower = kFunctionNames[f].name;
        for (char& c : lower) c = fold(c);
        EXPECT_EQ(find_function(lower), f);
    }
    EXPECT_EQ(find_function("LE"), -1);
    EXPECT_EQ(find_function("READPROFILESTRINGS"), -1);
}

} // namespace
} // namespace vtx
