// libFuzzer target: the input runs as a script twice, once by the interpreter alone and once
// with compiled statements and expressions. Output, script error, reading position at the
// error, exit code and the variables the dictionary names must all agree.
//
// Inputs that read the world (functions, macros, commands other than `?`, bare words that
// would change drive, CALL) are left out: the two runs must see the same world. Loops end at
// the fuzzing build's statement limit, which both runs reach at the same statement.
#include <cstdint>
#include <cstdlib>
#include <string>

#include <sys/mman.h>
#include <unistd.h>

#include "engine/interpreter.h"
#include "engine/runtime.h"
#include "engine/script_error.h"
#include "script_input.h"

namespace {

using namespace vtx;

struct Outcome {
    int error = -1;
    uint32_t position = 0;
    int32_t exit_code = 0;
    std::string variables;
    std::string output;
    bool operator==(const Outcome&) const = default;
};

bool allowed_keyword(int kind) {
    switch (kind) {
    case KW_IF:
    case KW_ELSE:
    case KW_ENDIF:
    case KW_WHILE:
    case KW_LOOP:
    case KW_DO:
    case KW_UNTIL:
    case KW_GOTO:
    case KW_EXIT:
    case KW_PRINT: return true;
    default: return !begins_statement(kind);
    }
}

bool reads_the_world(const Tokenizer& t) {
    return t.kind() == TK_FUNCTION || t.kind() == TK_MACRO || t.kind() == TK_NAME ||
           (t.kind() >= 0 && !allowed_keyword(t.kind())) || t.token.find('@') != std::string::npos;
}

// A memory file: the script's path, and where its output goes.
int memory_file(const char* name, const std::string& bytes) {
    int fd = memfd_create(name, 0);
    if (fd < 0 || write(fd, bytes.data(), bytes.size()) != ssize_t(bytes.size())) std::abort();
    return fd;
}

std::string read_back(int fd) {
    std::string out;
    char buf[4096];
    lseek(fd, 0, SEEK_SET);
    for (ssize_t n; (n = read(fd, buf, sizeof buf)) > 0;) out.append(buf, std::size_t(n));
    return out;
}

Outcome run(const std::string& input, bool compile) {
    int script = memory_file("vtx32-script", input);
    int written = memory_file("vtx32-output", "");
    Outcome o;
    {
        Runtime rt;
        rt.compile = compile;
        rt.out.redirect = written;
        try {
            run_script(rt, "/proc/self/fd/" + std::to_string(script));
        } catch (const ScriptError& e) {
            o.error = e.code;
            o.position = rt.tok.position();
        }
        o.exit_code = rt.exit_code;
        for (const char* name : {"$i", "$j", "$k", "$n", "$s", "$t", "$x", "$y"}) {
            const Variable* v = rt.vars.find(name);
            if (!v) continue;
            o.variables += std::string(name) + (v->kind == KIND_STRING ? "=S:" : "=I:");
            v->append_text(o.variables);
            o.variables += '\n';
        }
        rt.out.redirect = platform::kNoFile;
    }
    o.output = read_back(written);
    close(script);
    close(written);
    return o;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string input;
    if (!script_input(data, size, reads_the_world, input)) return -1;
    if (!(run(input, true) == run(input, false))) std::abort();
    return 0;
}
