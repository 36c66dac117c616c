#include "checker/checker.h"

#include <algorithm>
#include <map>
#include <set>

#include "engine/interpreter.h"
#include "engine/script.h"
#include "engine/text.h"
#include "platform/files.h"

namespace vtx {

namespace {

struct Checked {
    std::string name;
    ScriptFacts facts;
};

// The CALLs every run makes, as a graph over the scripts read: a cycle, or a chain deeper
// than the interpreter's limit, stops every run with "out of memory".
class CallDepth {
  public:
    CallDepth(const std::vector<Checked>& scripts, Findings& out) : scripts_(scripts), out_(out) {
        for (std::size_t i = 0; i < scripts.size(); ++i) index_[fold_copy(scripts[i].name)] = i;
        state_.assign(scripts.size(), 0);
        depth_.assign(scripts.size(), 1);
        deepest_.assign(scripts.size(), nullptr);
    }

    void from(std::size_t root) {
        visit(root);
        if (depth_[root] > kMaxCallDepth && deepest_[root] && !reported_)
            add(root, *deepest_[root],
                "every run nests " + std::to_string(depth_[root]) +
                    " scripts deep through this CALL, more than the " +
                    std::to_string(kMaxCallDepth) +
                    " the program allows: it stops with \"out "
                    "of memory\"");
    }

  private:
    const std::vector<Checked>& scripts_;
    Findings& out_;
    std::map<std::string, std::size_t> index_;
    std::vector<int> state_; // 0 not seen, 1 on the path, 2 done
    std::vector<std::size_t> depth_;
    std::vector<const CalledScript*> deepest_;
    std::vector<std::size_t> path_;
    bool reported_ = false;

    void add(std::size_t script, const CalledScript& c, std::string text) {
        out_.push_back({scripts_[script].name, c.line, c.column, true, std::move(text)});
        reported_ = true;
    }

    void visit(std::size_t s) {
        state_[s] = 1;
        path_.push_back(s);
        for (const CalledScript& c : scripts_[s].facts.calls) {
            auto it = index_.find(fold_copy(c.name));
            if (!c.every_run || it == index_.end()) continue;
            std::size_t t = it->second;
            if (state_[t] == 1) {
                cycle(s, t, c);
                depth_[s] = SIZE_MAX / 2;
                continue;
            }
            if (state_[t] == 0) visit(t);
            if (depth_[t] + 1 > depth_[s]) {
                depth_[s] = std::min(depth_[t] + 1, SIZE_MAX / 2);
                deepest_[s] = &c;
            }
        }
        path_.pop_back();
        state_[s] = 2;
    }

    void cycle(std::size_t s, std::size_t t, const CalledScript& c) {
        if (s == t)
            return add(s, c,
                       "CALL of this script itself on every run (outside any IF or "
                       "WHILE): it calls itself until the program stops with \"out of "
                       "memory\"");
        std::string chain;
        auto from = std::find(path_.begin(), path_.end(), t);
        for (auto i = from; i != path_.end(); ++i) chain += scripts_[*i].name + " -> ";
        add(s, c,
            "CALL \"" + c.name + "\" on every run starts a script that is still running (" + chain +
                scripts_[t].name +
                "): they call each other until the program stops with \"out of memory\"");
    }
};

// The first operand decides whether texts or numbers are compared.
std::string ordering_text(const ScriptFacts::Ordering& o) {
    if (o.literal_is_number)
        return o.name + " only ever holds text, so " +
               (o.variable_first ? "this compares texts (\"10\" < \"9\" is true)"
                                 : "this compares numbers only because the number stands "
                                   "first (the other way round it compares texts)") +
               ": write 0 + " + o.name + " to compare numbers";
    return o.name + " only ever holds a number, so " +
           (o.variable_first ? "this compares numbers and reads the text as one"
                             : "this compares texts, as the text stands first (\"10\" < \"9\" is "
                               "true)") +
           ": compare it with a number";
}

// What a variable's use tells once every script of the set has been read.
void check_variables(const std::vector<Checked>& scripts, const std::vector<std::string>& defined,
                     Findings& out) {
    std::map<std::string, unsigned> assigned;
    for (const std::string& d : defined) {
        std::string name = d.substr(0, d.find('='));
        if (name.empty() || name[0] != '$') name.insert(0, "$");
        assigned[variable_key(name)] |= kAssignedOther;
    }
    for (const Checked& c : scripts)
        for (const auto& [key, kinds] : c.facts.assigned) assigned[key] |= kinds;
    std::set<std::string> reported;
    for (const Checked& c : scripts) {
        for (const ScriptFacts::Read& r : c.facts.reads) {
            if (assigned.count(r.key) || !reported.insert(r.key).second) continue;
            out.push_back({c.name, r.line, r.column, false,
                           r.in_text ? r.name + " in a text expands to nothing: no script here "
                                                "assigns it; write $$ for a dollar sign"
                                     : r.name + " is read but no script here assigns it (=, "
                                                "GET, GETS or the command line): it is empty"});
        }
        for (const ScriptFacts::Ordering& o : c.facts.orderings) {
            auto it = assigned.find(o.key);
            if (it == assigned.end()) continue;
            unsigned other = o.literal_is_number ? kAssignedText : kAssignedNumber;
            if (it->second != other) continue;
            out.push_back({c.name, o.line, o.column, false, ordering_text(o)});
        }
    }
}

} // namespace

Findings check_scripts(const std::vector<std::string>& names,
                       const std::vector<std::string>& defined) {
    Findings out;
    std::set<std::string> seen;
    struct Pending {
        std::string name;
        Finding call; // the CALL that names it; no file for the command line
    };
    std::vector<Pending> queue;
    for (const std::string& n : names) queue.push_back({n, {}});
    std::vector<Checked> scripts;
    bool complete = true;
    for (std::size_t i = 0; i < queue.size(); ++i) {
        Pending p = queue[i];
        if (!seen.insert(fold_copy(p.name)).second) continue;
        ScriptSource source;
        // A device or a pipe would wait for input that never comes.
        platform::FileKind kind = platform::file_kind(platform::native_path(p.name));
        bool regular = kind == platform::FileKind::regular;
        if (!regular || !read_script_file(p.name, source)) {
            complete = false;
            Finding f = p.call;
            bool exists = kind != platform::FileKind::missing;
            if (f.file.empty()) {
                f = {p.name, 1, 1, true,
                     exists && !regular ? "not a script file: the checker reads only regular files"
                                        : "failed to find/open script"};
            } else if (exists && !regular) {
                f.text = "CALL \"" + p.name + "\": not a script file (a device or folder)";
            } else {
                // On a workstation the logon drive or the program's folder may hold it.
                f.text = "CALL \"" + p.name + "\": no such script here";
            }
            out.push_back(f);
            continue;
        }
        scripts.push_back({p.name, {}});
        ScriptFacts& facts = scripts.back().facts;
        check_source(p.name, source, out, facts);
        complete = complete && !facts.unknown_call;
        for (const CalledScript& c : facts.calls)
            queue.push_back({c.name, {p.name, c.line, c.column, false, {}}});
    }
    CallDepth depth(scripts, out);
    for (std::size_t i = 0; i < scripts.size(); ++i)
        if (std::find(names.begin(), names.end(), scripts[i].name) != names.end()) depth.from(i);
    // Text order is not run order, and a script left out may assign anything.
    if (complete) check_variables(scripts, defined, out);
    std::map<std::string, uint32_t> rank;
    for (const Checked& c : scripts) rank.emplace(c.name, uint32_t(rank.size()));
    // Each script's findings together, in the order of its text; a file not checked last.
    std::vector<uint32_t> ranks;
    ranks.reserve(out.size());
    for (const Finding& f : out) {
        auto r = rank.find(f.file);
        ranks.push_back(r == rank.end() ? UINT32_MAX : r->second);
    }
    sort_findings(out, 0, ranks);
    return out;
}

} // namespace vtx
