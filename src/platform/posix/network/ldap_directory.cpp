#include <ldap.h>
#include <sys/time.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <string>

#include "platform/directory.h"
#include "platform/files.h"
#include "platform/posix/file_writes.h"
#include "platform/posix/limited_child.h"
#include "platform/posix/shared_library.h"
#include "platform/posix/system/session_files.h"
#include "platform/status.h"

namespace vtx::platform {

namespace {

// The SASL library's interaction record (stable since SASL 2.0); its header is not needed
// for this one type.
struct SaslInteract {
    unsigned long id;
    const char* challenge;
    const char* prompt;
    const char* defresult;
    const void* result;
    unsigned len;
};

// The entry points, typed from the header; the library is found at run time under the
// name of either ABI still shipped.
struct Ldap {
    SharedLibrary current{"libldap.so.2"};
    SharedLibrary older{"libldap-2.5.so.0"};
    const SharedLibrary& library = current.loaded() ? current : older;
#define VTX32_LDAP_ENTRY(name) decltype(&::name) name = library.entry<decltype(&::name)>(#name)
    VTX32_LDAP_ENTRY(ldap_initialize);
    VTX32_LDAP_ENTRY(ldap_set_option);
    VTX32_LDAP_ENTRY(ldap_sasl_interactive_bind_s);
    VTX32_LDAP_ENTRY(ldap_search_ext_s);
    VTX32_LDAP_ENTRY(ldap_first_entry);
    VTX32_LDAP_ENTRY(ldap_get_dn);
    VTX32_LDAP_ENTRY(ldap_get_values_len);
    VTX32_LDAP_ENTRY(ldap_value_free_len);
    VTX32_LDAP_ENTRY(ldap_msgfree);
    VTX32_LDAP_ENTRY(ldap_memfree);
    VTX32_LDAP_ENTRY(ldap_unbind_ext_s);
#undef VTX32_LDAP_ENTRY
    bool complete() const {
        return ldap_initialize && ldap_set_option && ldap_sasl_interactive_bind_s &&
               ldap_search_ext_s && ldap_first_entry && ldap_get_dn && ldap_get_values_len &&
               ldap_value_free_len && ldap_msgfree && ldap_memfree && ldap_unbind_ext_s;
    }
};

// GSSAPI asks only for an authorisation name; the library's default (none) is the answer.
int take_defaults(LDAP*, unsigned, void*, void* prompts) {
    for (auto* p = static_cast<SaslInteract*>(prompts); p->id != 0; ++p) {
        p->result = p->defresult ? p->defresult : "";
        p->len = p->defresult ? unsigned(std::strlen(p->defresult)) : 0;
    }
    return LDAP_SUCCESS;
}

// DC=example,DC=test for example.test.
std::string base_of(const std::string& realm) {
    std::string base = "DC=";
    for (char c : realm) base += c == '.' ? std::string(",DC=") : std::string(1, c);
    return base;
}

// The account name inside a filter: the characters a filter gives meaning to, escaped.
std::string filter_text(const std::string& name) {
    static const char kHex[] = "0123456789abcdef";
    std::string out;
    for (unsigned char c : name) {
        if (c == '*' || c == '(' || c == ')' || c == '\\' || c < 32) {
            out += '\\';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else {
            out += char(c);
        }
    }
    return out;
}

class Session {
  public:
    Session(const Ldap& l, LDAP* ld) : l_(l), ld_(ld) {}
    ~Session() { l_.ldap_unbind_ext_s(ld_, nullptr, nullptr); }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // The first entry's attributes (first value each) and its name; the LDAP result code.
    int search(const std::string& base, int scope, const std::string& filter,
               std::initializer_list<const char*> names, std::map<std::string, std::string>& out,
               std::string* dn = nullptr) {
        std::vector<char*> attrs;
        for (const char* n : names) attrs.push_back(const_cast<char*>(n));
        attrs.push_back(nullptr);
        timeval limit{kDirectorySeconds, 0};
        LDAPMessage* result = nullptr;
        int rc = l_.ldap_search_ext_s(ld_, base.c_str(), scope, filter.c_str(), attrs.data(), 0,
                                      nullptr, nullptr, &limit, 2, &result);
        LDAPMessage* entry = rc == LDAP_SUCCESS ? l_.ldap_first_entry(ld_, result) : nullptr;
        if (rc == LDAP_SUCCESS && !entry) rc = LDAP_NO_SUCH_OBJECT;
        if (entry) {
            if (dn) {
                char* text = l_.ldap_get_dn(ld_, entry);
                if (text) *dn = text;
                l_.ldap_memfree(text);
            }
            for (const char* n : names) {
                berval** values = l_.ldap_get_values_len(ld_, entry, n);
                if (values && values[0]) out[n].assign(values[0]->bv_val, values[0]->bv_len);
                l_.ldap_value_free_len(values);
            }
        }
        if (result) l_.ldap_msgfree(result);
        return rc;
    }

  private:
    const Ldap& l_;
    LDAP* ld_;
};

// The lookup itself, in the time-limited child: the answer as fields, "status" first.
std::map<std::string, std::string> look_up(const std::string& host, const std::string& realm,
                                           const std::string& user) {
    std::map<std::string, std::string> out;
    Ldap l;
    if (!l.library.loaded() || !l.complete()) {
        out["status"] = std::to_string(status::kModuleNotFound);
        return out;
    }
    LDAP* ld = nullptr;
    if (l.ldap_initialize(&ld, ("ldap://" + host).c_str()) != LDAP_SUCCESS || !ld) {
        out["status"] = std::to_string(status::kBadNetPath);
        return out;
    }
    Session s(l, ld);
    int version = LDAP_VERSION3;
    timeval wait{kDirectorySeconds, 0};
    l.ldap_set_option(ld, LDAP_OPT_PROTOCOL_VERSION, &version);
    // The library would chase the directory's partition referrals unauthenticated: time lost.
    l.ldap_set_option(ld, LDAP_OPT_REFERRALS, LDAP_OPT_OFF);
    l.ldap_set_option(ld, LDAP_OPT_NETWORK_TIMEOUT, &wait);
    // The ticket names the controller as given, never as a reverse lookup names it.
    // LDAP_OPT_ON lives in the library: any non-null pointer switches a flag on.
    static int on = 1;
    l.ldap_set_option(ld, LDAP_OPT_X_SASL_NOCANON, &on);
    int rc = l.ldap_sasl_interactive_bind_s(ld, nullptr, "GSSAPI", nullptr, nullptr,
                                            LDAP_SASL_QUIET, take_defaults, nullptr);
    if (rc != LDAP_SUCCESS) {
        // An unreachable controller is 53; any other refusal of the bind is a missing or
        // refused ticket, which Windows reports as a logon failure.
        out["status"] =
            std::to_string(rc == LDAP_SERVER_DOWN || rc == LDAP_TIMEOUT ? status::kBadNetPath
                                                                        : status::kLogonFailure);
        return out;
    }
    std::string base = base_of(realm), dn;
    rc = s.search(
        base, LDAP_SCOPE_SUBTREE, "(&(objectClass=user)(sAMAccountName=" + filter_text(user) + "))",
        {"scriptPath", "homeDirectory", "homeDrive", "displayName", "description", "pwdLastSet"},
        out, &dn);
    if (rc != LDAP_SUCCESS) {
        out["status"] = std::to_string(status::kUserNotFound);
        return out;
    }
    s.search(base, LDAP_SCOPE_BASE, "(objectClass=*)", {"maxPwdAge"}, out);
    // Membership through nested groups (Domain Admins inside Administrators) by the
    // directory's own transitive rule.
    for (const auto& [group, field] : {std::pair{"Administrators", "admin"}, {"Guests", "guest"}}) {
        std::map<std::string, std::string> found;
        std::string filter = "(memberOf:1.2.840.113556.1.4.1941:=CN=" + std::string(group) +
                             ",CN=Builtin," + base + ")";
        if (s.search(dn, LDAP_SCOPE_BASE, filter, {"cn"}, found) == LDAP_SUCCESS) out[field] = "1";
    }
    out["status"] = "0";
    return out;
}

int64_t number(const std::map<std::string, std::string>& f, const char* name) {
    auto it = f.find(name);
    return it == f.end() ? 0 : std::strtoll(it->second.c_str(), nullptr, 10);
}

std::string text(const std::map<std::string, std::string>& f, const char* name) {
    auto it = f.find(name);
    return it == f.end() ? std::string() : it->second;
}

constexpr int64_t kSilentSeconds = 300;

} // namespace

int32_t read_directory_facts(const std::string& host, const std::string& realm,
                             const std::string& user, DirectoryFacts& facts) {
    std::string cache = session_file("directory");
    std::string known;
    std::map<std::string, std::string> f;
    if (!cache.empty() && read_file(cache, known, 1 << 16) == 0) f = read_fields(known);
    std::string asked = user + "@" + host;
    int64_t now = int64_t(std::time(nullptr));
    // A controller that did not answer is not asked again for a while: every run by the
    // account would otherwise wait out the limit.
    bool silent_lately = text(f, "status") == std::to_string(status::kBadNetPath) &&
                         now - number(f, "at") >= 0 && now - number(f, "at") < kSilentSeconds;
    if (text(f, "asked") != asked || (text(f, "status") != "0" && !silent_lately)) {
        std::string reply;
        f.clear();
        if (run_limited([&] { return write_fields(look_up(host, realm, user)); }, kDirectorySeconds,
                        reply))
            f = read_fields(reply);
        if (f.find("status") == f.end()) f["status"] = std::to_string(status::kBadNetPath);
        f["asked"] = asked;
        f["at"] = std::to_string(now);
        // A refusal is asked again by the next run (a ticket may have come since).
        std::string st = text(f, "status");
        if (!cache.empty() && (st == "0" || st == std::to_string(status::kBadNetPath)))
            write_whole_file(cache, write_fields(f));
    }
    if (int32_t st = int32_t(number(f, "status")); st != 0) return st;
    facts.script_path = text(f, "scriptPath");
    facts.home_directory = text(f, "homeDirectory");
    facts.home_drive = text(f, "homeDrive");
    facts.display_name = text(f, "displayName");
    facts.description = text(f, "description");
    facts.password_last_set = number(f, "pwdLastSet");
    facts.max_password_age = number(f, "maxPwdAge");
    facts.administrator = text(f, "admin") == "1";
    facts.guest = text(f, "guest") == "1";
    return 0;
}

} // namespace vtx::platform
