// What the checker reports: one finding per line, FILE:LINE:COLUMN: error|warning: text.
#pragma once

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

// "FILE:LINE:COLUMN: error: text" and a line feed.
std::string format_finding(const Finding& f);

// The checker's exit code: 1 with any error, 2 with warnings only, 0 when clean.
int findings_status(const Findings& findings);

} // namespace vtx
