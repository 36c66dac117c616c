#include "platform/posix/time_limit.h"

#include <atomic>
#include <gtest/gtest.h>
#include <string>

namespace vtx::platform {
namespace {

using namespace std::chrono_literals;

TEST(TimeLimit, GivesTheResultOfAPromptCall) {
    auto r = within_limit(10s, [] { return std::string("EXAMPLE"); });
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(*r, "EXAMPLE");
}

TEST(TimeLimit, AbandonsACallThatOverruns) {
    auto release = std::make_shared<std::atomic<bool>>(false);
    auto r = within_limit(20ms, [release] {
        while (!*release) std::this_thread::sleep_for(1ms);
        return 7;
    });
    EXPECT_FALSE(r.has_value());
    *release = true; // the abandoned call finishes into state nobody reads
}

} // namespace
} // namespace vtx::platform
