#include "network/domain_names.h"

#include <algorithm>

#include "platform/text_rules.h"

namespace vtx {

QualifiedName split_account_name(std::string_view name) {
    QualifiedName q;
    if (std::size_t slash = name.find('\\'); slash != std::string_view::npos) {
        q.domain = name.substr(0, slash);
        q.user = name.substr(slash + 1);
    } else if (std::size_t at = name.rfind('@'); at != std::string_view::npos) {
        q.user = name.substr(0, at);
        q.domain = name.substr(at + 1);
        q.realm_form = true;
    } else {
        q.user = name;
    }
    if (q.domain.empty() || q.user.empty()) q = QualifiedName{std::string(), std::string(name)};
    return q;
}

std::string first_label_upper(std::string_view name) {
    name.remove_prefix(std::min(name.find_first_not_of('\\'), name.size()));
    return upper_copy(name.substr(0, name.find('.')));
}

bool domain_group_matches(std::string_view group, std::string_view wanted) {
    if (equal_nocase(group, wanted)) return true;
    QualifiedName g = split_account_name(group);
    QualifiedName w = split_account_name(wanted);
    if (g.domain.empty() || !equal_nocase(g.user, w.user)) return false;
    if (w.domain.empty()) return true;
    if (g.realm_form && w.realm_form) return equal_nocase(g.domain, w.domain);
    // DOMAIN\name against name@realm: the realm's first label stands for its NetBIOS name.
    auto netbios = [](const QualifiedName& q) {
        return q.realm_form ? first_label_upper(q.domain) : q.domain;
    };
    return equal_nocase(netbios(g), netbios(w));
}

bool is_builtin_group(std::string_view group) {
    return starts_nocase(group, "BUILTIN\\");
}

} // namespace vtx
