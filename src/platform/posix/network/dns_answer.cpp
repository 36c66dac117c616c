#include "platform/posix/network/dns_answer.h"

#include <arpa/nameser.h>
#include <resolv.h>

namespace vtx::platform {

namespace {

unsigned read16(const unsigned char* p) {
    return unsigned(p[0]) << 8 | p[1];
}

} // namespace

bool first_srv_target(const unsigned char* message, std::size_t length, std::string& target) {
    if (length < NS_HFIXEDSZ) return false;
    const unsigned char* end = message + length;
    unsigned questions = read16(message + 4);
    unsigned answers = read16(message + 6);
    const unsigned char* p = message + NS_HFIXEDSZ;
    char name[NS_MAXDNAME];
    for (unsigned i = 0; i < questions; ++i) {
        int n = ::dn_expand(message, end, p, name, sizeof name);
        if (n < 0 || end - (p + n) < NS_QFIXEDSZ) return false;
        p += n + NS_QFIXEDSZ;
    }
    bool found = false;
    unsigned best_priority = 0, best_weight = 0;
    for (unsigned i = 0; i < answers; ++i) {
        int n = ::dn_expand(message, end, p, name, sizeof name);
        if (n < 0 || end - (p + n) < NS_RRFIXEDSZ) return found;
        p += n;
        unsigned type = read16(p);
        unsigned data_length = read16(p + 8);
        p += NS_RRFIXEDSZ;
        if (std::size_t(end - p) < data_length) return found;
        const unsigned char* data = p;
        p += data_length;
        // Priority, weight and port, then at least the root label of the target.
        if (type != ns_t_srv || data_length < 7) continue;
        unsigned priority = read16(data), weight = read16(data + 2);
        // The lowest priority, then the heaviest weight: the controller the domain prefers,
        // the same one on every logon rather than a weighted draw.
        if (found &&
            (priority > best_priority || (priority == best_priority && weight <= best_weight)))
            continue;
        if (::dn_expand(message, end, data + 6, name, sizeof name) < 0) continue;
        if (name[0] == '\0') continue; // "." says the service is not offered here
        target = name;
        best_priority = priority;
        best_weight = weight;
        found = true;
    }
    return found;
}

} // namespace vtx::platform
