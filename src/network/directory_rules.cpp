#include "network/directory_rules.h"

#include <limits>

#include "network/user_rules.h"

namespace vtx {

namespace {

constexpr int64_t kIntervalsPerSecond = 10000000;

uint32_t seconds_in(int64_t intervals) {
    int64_t s = intervals / kIntervalsPerSecond;
    return s <= 0                                     ? 0
           : s >= int64_t(platform::kNoPasswordLimit) ? platform::kNoPasswordLimit - 1
                                                      : uint32_t(s);
}

} // namespace

void store_directory_facts(const platform::DirectoryFacts& facts, int64_t now, UserInfo& user) {
    // Whole: the logon run refuses an over-long attribute rather than run a cut one.
    user.logon_script = facts.script_path;
    store_field(user.home_drive, facts.home_drive, width::kLogonDrive);
    if (!facts.home_directory.empty())
        store_field(user.home_dir, facts.home_directory, width::kPath);
    if (!facts.display_name.empty()) store_field(user.full_name, facts.display_name, width::kPath);
    if (!facts.description.empty()) store_field(user.comment, facts.description, width::kPath);
    if (facts.password_last_set > 0)
        user.password_age = password_age_days(seconds_in(now - facts.password_last_set));
    // The domain writes its limit as a negative interval; none is 0 or the most negative.
    int64_t limit = facts.max_password_age;
    uint32_t max_seconds = limit >= 0 || limit == std::numeric_limits<int64_t>::min()
                               ? platform::kNoPasswordLimit
                               : seconds_in(-limit);
    user.max_password_age = max_password_age_days(max_seconds, user.password_age);
    // The machine's own administrators (root, sudo, wheel, admin) stay administrators.
    if (facts.administrator)
        user.privilege = 2;
    else if (user.privilege != 2)
        user.privilege = facts.guest ? 0 : 1;
}

} // namespace vtx
