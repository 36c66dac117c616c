#include "network/user_rules.h"

#include <cstdio>

#include "engine/text.h"

namespace vtx {

void store_field(std::string& field, std::string_view text, std::size_t width) {
    field.assign(text.substr(0, width - 1));
}

int32_t password_age_days(uint32_t seconds) {
    return int32_t(seconds / 86400.0 + 0.5);
}

int32_t max_password_age_days(uint32_t seconds, int32_t password_age) {
    if (seconds == platform::kNoPasswordLimit || seconds <= uint32_t(password_age)) return 0;
    return int32_t(seconds / 86400);
}

std::string logon_server_text(std::string_view name) {
    std::size_t start = name.find_first_not_of('\\');
    return "\\\\" + std::string(start == std::string_view::npos ? "" : name.substr(start));
}

void store_logon_server(std::string_view name, UserInfo& user) {
    store_field(user.logon_server, logon_server_text(name), width::kLogonServer);
    store_field(user.logon_drive, user.logon_server + "\\NETLOGON\\", width::kLogonDrive);
}

void split_home_share(UserInfo& user) {
    user.home_share = user.home_dir;
    const std::string& share = user.home_share;
    if (share.size() < 2 || share[0] != '\\' || share[1] != '\\') return;
    std::size_t server_end = share.find('\\', 2);
    if (server_end == std::string::npos) return;
    std::size_t share_end = share.find('\\', server_end + 1);
    if (share_end == std::string::npos) return;
    user.home_dir = share.substr(share_end + 1);
    user.home_share.resize(share_end);
}

std::string adapter_address_text(const uint8_t (&bytes)[6]) {
    char text[13];
    std::snprintf(text, sizeof text, "%02X%02X%02X%02X%02X%02X", bytes[0], bytes[1], bytes[2],
                  bytes[3], bytes[4], bytes[5]);
    return text;
}

std::string ip_address_text(const std::array<uint8_t, 4>& bytes) {
    char text[20];
    std::snprintf(text, sizeof text, "%3u.%3u.%3u.%3u", bytes[0], bytes[1], bytes[2], bytes[3]);
    return text;
}

bool netlogon_server(std::string_view remote_name, std::string& server) {
    std::size_t slash = remote_name.rfind('\\');
    if (slash == std::string_view::npos || !equal_nocase(remote_name.substr(slash + 1), "NETLOGON"))
        return false;
    server.assign(remote_name.substr(0, slash));
    return true;
}

namespace {

// Walks zero-terminated texts; past the end every text is empty.
class AnswerReader {
  public:
    explicit AnswerReader(std::string_view answer) : rest_(answer) {}
    bool at_end() const { return rest_.empty(); }
    std::string_view next() {
        std::size_t end = rest_.find('\0');
        std::string_view text = rest_.substr(0, end);
        rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
        return text;
    }
    int32_t next_number() { return text_to_int(next()); }

  private:
    std::string_view rest_;
};

} // namespace

void read_helper_answer(std::string_view answer, UserInfo& user) {
    AnswerReader in(answer);
    store_field(user.workstation, in.next(), width::kWorkstation);
    store_field(user.user_id, in.next(), width::kUserId);
    store_field(user.domain, in.next(), width::kDomain);
    store_field(user.logon_domain, in.next(), width::kDomain);
    store_field(user.lan_root, in.next(), width::kPath);
    user.lm_major = int8_t(in.next_number());
    user.lm_minor = int8_t(in.next_number());
    store_field(user.logon_server, in.next(), width::kLogonServer);
    store_field(user.comment, in.next(), width::kPath);
    store_field(user.full_name, in.next(), width::kPath);
    store_field(user.home_dir, in.next(), width::kPath);
    user.privilege = in.next_number();
    user.password_age = in.next_number();
    user.max_password_age = in.next_number();
    // The count is the library's word; the names must also be in the buffer.
    uint32_t count = uint32_t(in.next_number());
    user.groups.clear();
    for (uint32_t i = 0; i < count && !in.at_end(); ++i) user.groups.emplace_back(in.next());
    user.local_groups.clear();
}

void store_account_facts(const platform::AccountFacts& facts, UserInfo& user) {
    store_field(user.user_id, facts.user_name, width::kUserId);
    store_field(user.logon_domain, facts.logon_domain, width::kDomain);
    if (!facts.logon_server.empty()) store_logon_server(facts.logon_server, user);
    store_field(user.workstation, facts.workstation, width::kWorkstation);
    store_field(user.domain, facts.domain, width::kDomain);
    store_field(user.lan_root, facts.lan_root, width::kPath);
    user.lm_major = int8_t(facts.lm_major);
    user.lm_minor = int8_t(facts.lm_minor);
    store_field(user.comment, facts.comment, width::kPath);
    store_field(user.full_name, facts.full_name, width::kPath);
    store_field(user.home_dir, facts.home_dir, width::kPath);
    user.privilege = facts.privilege;
    user.password_age = password_age_days(facts.password_age_seconds);
    user.max_password_age =
        max_password_age_days(facts.max_password_age_seconds, user.password_age);
    for (auto [from, to] : {std::pair{&facts.groups, &user.groups},
                            std::pair{&facts.local_groups, &user.local_groups}}) {
        to->clear();
        for (const std::string& name : *from) {
            to->emplace_back();
            store_field(to->back(), name, width::kGroup);
        }
    }
}

} // namespace vtx
