// The statement interpreter: runs one script from its first token to its end.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "engine/script.h"
#include "engine/tokenizer.h"

namespace vtx {

struct Runtime;

// A block stack of one script run. Entries pushed by counting alone (a forward GOTO into
// a block) are marked unwritten; the depth may run past the stack, whose entries beyond
// it are never touched.
struct BlockStack {
    static constexpr int kLimit = 10;
    static constexpr uint32_t kUnwritten = UINT32_MAX;
    uint32_t position[kLimit];
    bool taken[kLimit];
    int depth = -1;

    // The innermost entry's position, or kUnwritten.
    uint32_t top() const { return depth >= 0 && depth < kLimit ? position[depth] : kUnwritten; }
    void open(uint32_t pos, bool flag = false) {
        ++depth;
        position[depth] = pos;
        taken[depth] = flag;
    }
    void count_open();
    void close() {
        if (depth >= 0) --depth;
    }
};

struct ScriptRun {
    std::string name; // as the command line or CALL gave it: the file of a located message
    std::unique_ptr<ScriptText> text;
    LabelIndex labels;
    BlockStack ifs, whiles, dos;
};

// Reads whole tokens until `closer` takes the level below `depth` (or, with `stop_at`, until
// that keyword at `depth` itself). Returns the level reached; TK_END stops too.
int skip_block(Tokenizer& t, int opener, int closer, int depth, int stop_at = -1);

// Nested CALLs deeper than this are script error 10: a script calling itself forever
// ends cleanly instead of exhausting memory.
inline constexpr std::size_t kMaxCallDepth = 100;

// Loads and runs a script under the name given: 0 after the run, 1 when it could not be
// loaded.
int run_script(Runtime& rt, std::string_view name);

} // namespace vtx
