#include "checker/checker.h"

#include <set>

#include "engine/script.h"
#include "engine/text.h"

namespace vtx {

Findings check_scripts(const std::vector<std::string>& names) {
    Findings out;
    std::set<std::string> seen;
    struct Pending {
        std::string name;
        Finding call; // the CALL that names it; no file for the command line
    };
    std::vector<Pending> queue;
    for (const std::string& n : names) queue.push_back({n, {}});
    for (std::size_t i = 0; i < queue.size(); ++i) {
        Pending p = queue[i];
        if (!seen.insert(fold_copy(p.name)).second) continue;
        ScriptSource source;
        if (!read_script_file(p.name, source)) {
            Finding f = p.call;
            if (f.file.empty()) {
                f = {p.name, 1, 1, true, "failed to find/open script"};
            } else {
                // On a workstation the logon drive or the program's folder may hold it.
                f.text = "CALL \"" + p.name + "\": no such script here";
            }
            out.push_back(f);
            continue;
        }
        std::vector<CalledScript> calls;
        check_source(p.name, source, out, calls);
        for (const CalledScript& c : calls)
            queue.push_back({c.name, {p.name, c.line, c.column, false, {}}});
    }
    return out;
}

} // namespace vtx
