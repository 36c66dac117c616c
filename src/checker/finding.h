// What the checker reports: one finding per line, FILE:LINE:COLUMN: error|warning: text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vtx {

struct Finding {
    std::string file;
    uint32_t line = 0; // 1-based
    uint32_t column = 0;
    bool error = false;
    std::string text;
};

using Findings = std::vector<Finding>;

// Orders findings[first..] by `ranks` (one per finding from `first` on; none: all equal),
// then line, then column; findings that compare equal keep their order. One sort for every
// caller: each instance of a sort over Finding costs the checker about 20 KB of code.
void sort_findings(Findings& findings, std::size_t first, const std::vector<uint32_t>& ranks = {});

// "FILE:LINE:COLUMN: error: text" and a line feed.
std::string format_finding(const Finding& f);

// The checker's exit code: 1 with any error, 2 with warnings only, 0 when clean.
int findings_status(const Findings& findings);

} // namespace vtx
