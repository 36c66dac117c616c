// The one runtime object: every piece of process-wide state of a run.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/file_slots.h"
#include "engine/interpreter.h"
#include "engine/tokenizer.h"
#include "engine/user_info.h"
#include "engine/variables.h"
#include "platform/registry.h"
#include "platform/system.h"
#include "screen/writer.h"

namespace vtx {

// Working text buffers reused by the evaluator; a deque keeps leased ones in place.
struct BufferPool {
    std::deque<std::string> buffers;
    std::size_t used = 0;
};

// Expressions and statements run from their compiled forms. The parity build
// (VTX32_PARITY) interprets everything, so that its results can be compared with these.
#ifdef VTX32_PARITY
inline constexpr bool kCompileByDefault = false;
#else
inline constexpr bool kCompileByDefault = true;
#endif

struct Runtime {
    Tokenizer tok;
    Variables vars;
    Writer out;
    int32_t error = 0;     // @ERROR
    int32_t exit_code = 0; // set by EXIT
    std::string work;      // the engine's shared work buffer
    bool compile = kCompileByDefault;

    std::string program_dir;
    bool logon_share = false;
    OsVersion os;
    UserInfo user; // read through user_facts() where a fact may still be unread
    int32_t user_result = 0;
    // The user facts still unread, and what reads them (set by the gathering at start-up).
    unsigned user_facts_unread = 0;
    std::function<void(Runtime&, unsigned facts)> read_user_facts;
    FileSlots files;             // OPEN, READLINE, CLOSE
    platform::Registry registry; // keeps the registry store open for the whole run

    // Runs in progress, innermost last. Not unwound on a script error, so that the
    // report can still show the offending line.
    std::vector<std::unique_ptr<ScriptRun>> runs;
    BufferPool buffers;
    int depth = 0; // expression nesting, guarded so hostile scripts cannot exhaust the stack
    // VTX32_TRACE: each statement and each change of @ERROR goes to standard error; at
    // level 2 also the values each statement used.
    int trace = 0;
    bool trace_secret = false;   // the value being evaluated is a password
    std::string traced_values;   // level 2: "FILE:LINE: ->" and the statement's values so far
    bool traced_any = false;     // a value follows the prefix in traced_values
    std::size_t traced_last = 0; // where the last value began in traced_values
    int32_t traced_error = 0;    // @ERROR as the trace last showed it
    std::string missing_script;  // the last script that could not be loaded
    // The logon run's record of each connection's status (never a password); null in a
    // plain run.
    std::vector<std::string>* logon_notes = nullptr;
    // Statements run: counted and limited by the fuzzing build only (platform/fuzzing.h).
    uint64_t statements = 0;
};

// The user-information record with `facts` (UserFact bits) read: the first use reads them.
inline const UserInfo& user_facts(Runtime& rt, unsigned facts) {
    if (rt.user_facts_unread & facts) rt.read_user_facts(rt, rt.user_facts_unread & facts);
    return rt.user;
}

} // namespace vtx
