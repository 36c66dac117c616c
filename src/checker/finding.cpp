#include "checker/finding.h"

#include <algorithm>
#include <tuple>

namespace vtx {

void sort_findings(Findings& findings, std::size_t first, const std::vector<uint32_t>& ranks) {
    // Small keys are sorted, not the findings: their position breaks ties, which keeps the
    // sort stable without the code of a stable sort over strings.
    struct Key {
        uint32_t rank, line, column, at;
    };
    std::vector<Key> keys;
    keys.reserve(findings.size() - first);
    for (std::size_t i = first; i < findings.size(); ++i)
        keys.push_back({ranks.empty() ? 0 : ranks[i - first], findings[i].line, findings[i].column,
                        uint32_t(i)});
    std::sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) {
        return std::tie(a.rank, a.line, a.column, a.at) < std::tie(b.rank, b.line, b.column, b.at);
    });
    Findings sorted;
    sorted.reserve(keys.size());
    for (const Key& k : keys) sorted.push_back(std::move(findings[k.at]));
    std::move(sorted.begin(), sorted.end(), findings.begin() + std::ptrdiff_t(first));
}

std::string format_finding(const Finding& f) {
    return f.file + ':' + std::to_string(f.line) + ':' + std::to_string(f.column) +
           (f.error ? ": error: " : ": warning: ") + f.text + '\n';
}

int findings_status(const Findings& findings) {
    int status = 0;
    for (const Finding& f : findings) {
        if (f.error) return 1;
        status = 2;
    }
    return status;
}

} // namespace vtx
