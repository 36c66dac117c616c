#include "checker/finding.h"

namespace vtx {

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
