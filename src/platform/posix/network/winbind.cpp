#include <atomic>
#include <chrono>

#include "platform/domain.h"
#include "platform/posix/shared_library.h"
#include "platform/posix/time_limit.h"
#include "platform/status.h"

// Only the header is needed to build (libwbclient-dev); the library is found at run time.
#include <samba-4.0/wbclient.h>

namespace vtx::platform {

namespace {

// A logon waits at most a second for any one service question.
constexpr std::chrono::milliseconds kLimit{1000};

// The entry points, resolved once; the types come from the header, the code from the
// library found at run time (the program is never linked against it).
struct Winbind {
    SharedLibrary library{"libwbclient.so.0"};
#define VTX32_WBC_ENTRY(name) decltype(&::name) name = library.entry<decltype(&::name)>(#name)
    VTX32_WBC_ENTRY(wbcFreeMemory);
    VTX32_WBC_ENTRY(wbcInterfaceDetails);
    VTX32_WBC_ENTRY(wbcDomainInfo);
    VTX32_WBC_ENTRY(wbcLookupDomainControllerEx);
    VTX32_WBC_ENTRY(wbcLookupName);
    VTX32_WBC_ENTRY(wbcLookupUserSids);
    VTX32_WBC_ENTRY(wbcLookupSids);
#undef VTX32_WBC_ENTRY
};

const Winbind* winbind() {
    static const Winbind w; // first use only: a local user's start-up never gets here
    return w.wbcFreeMemory ? &w : nullptr;
}

int32_t status_of(wbcErr e) {
    // Whatever winbind fails with, for a script the domain did not answer.
    return e == WBC_ERR_SUCCESS ? 0 : status::kNoSuchDomain;
}

// Set once a question overran: winbind is stuck, and asking again would only add a second
// to the start-up each time.
std::atomic<bool> gave_up{false};

// Runs one question to winbind within the time limit; `ask` returns a status and fills a
// result of its own, which reaches `out` only when it came in time.
template <class Out, class Ask> int32_t ask_winbind(Out& out, Ask ask) {
    const Winbind* w = winbind();
    if (!w) return status::kNotSupported;
    if (gave_up) return status::kTimeout;
    auto answer = within_limit(kLimit, [w, ask]() {
        std::pair<int32_t, Out> r{0, Out{}};
        r.first = ask(*w, r.second);
        return r;
    });
    if (!answer) {
        gave_up = true;
        return status::kTimeout;
    }
    if (answer->first == 0) out = std::move(answer->second);
    return answer->first;
}

std::string text(const char* s) {
    return s ? s : "";
}

} // namespace

int32_t winbind_own_domain(std::string& netbios) {
    return ask_winbind(netbios, [](const Winbind& w, std::string& out) {
        struct wbcInterfaceDetails* details = nullptr;
        wbcErr e = w.wbcInterfaceDetails(&details);
        if (e != WBC_ERR_SUCCESS) return status_of(e);
        out = text(details->netbios_domain);
        w.wbcFreeMemory(details);
        return out.empty() ? status::kNoSuchDomain : 0;
    });
}

int32_t winbind_domain_names(const std::string& domain, std::string& netbios, std::string& dns) {
    std::pair<std::string, std::string> names;
    int32_t st = ask_winbind(names, [domain](const Winbind& w, auto& out) {
        struct wbcDomainInfo* info = nullptr;
        wbcErr e = w.wbcDomainInfo(domain.c_str(), &info);
        if (e != WBC_ERR_SUCCESS) return status_of(e);
        out = {text(info->short_name), text(info->dns_name)};
        w.wbcFreeMemory(info);
        return 0;
    });
    if (st == 0) std::tie(netbios, dns) = names;
    return st;
}

int32_t winbind_domain_controller(const std::string& domain, std::string& controller) {
    return ask_winbind(controller, [domain](const Winbind& w, std::string& out) {
        struct wbcDomainControllerInfoEx* dc = nullptr;
        wbcErr e = w.wbcLookupDomainControllerEx(domain.c_str(), nullptr, nullptr, 0, &dc);
        if (e != WBC_ERR_SUCCESS) return status_of(e);
        out = text(dc->dc_unc);
        w.wbcFreeMemory(dc);
        return out.empty() ? status::kNoSuchDomain : 0;
    });
}

int32_t winbind_user_groups(const std::string& account, std::vector<std::string>& groups) {
    return ask_winbind(groups, [account](const Winbind& w, std::vector<std::string>& out) {
        std::size_t slash = account.find('\\');
        std::string domain = slash == std::string::npos ? "" : account.substr(0, slash);
        std::string user = slash == std::string::npos ? account : account.substr(slash + 1);
        wbcDomainSid user_sid{};
        wbcSidType type{};
        wbcErr e = w.wbcLookupName(domain.c_str(), user.c_str(), &user_sid, &type);
        if (e != WBC_ERR_SUCCESS) return status_of(e);
        uint32_t count = 0;
        wbcDomainSid* sids = nullptr;
        e = w.wbcLookupUserSids(&user_sid, false, &count, &sids);
        if (e != WBC_ERR_SUCCESS) return status_of(e);
        struct wbcDomainInfo* domains = nullptr;
        int domain_count = 0;
        wbcTranslatedName* names = nullptr;
        e = w.wbcLookupSids(sids, int(count), &domains, &domain_count, &names);
        if (e == WBC_ERR_SUCCESS) {
            for (uint32_t i = 0; i < count; ++i) {
                // Well-known groups (Everyone, Authenticated Users) belong to every account.
                if (names[i].type != WBC_SID_NAME_DOM_GRP && names[i].type != WBC_SID_NAME_ALIAS)
                    continue;
                // The library leaves `domain_count` at 0 (seen with 4.17) although it fills
                // the array that `domain_index` points into, so the index is what counts.
                int d = names[i].domain_index;
                std::string prefix = d >= 0 && domains ? text(domains[d].short_name) : "";
                out.push_back(prefix.empty() ? text(names[i].name)
                                             : prefix + "\\" + text(names[i].name));
            }
            w.wbcFreeMemory(names);
            w.wbcFreeMemory(domains);
        }
        w.wbcFreeMemory(sids);
        return status_of(e);
    });
}

} // namespace vtx::platform
