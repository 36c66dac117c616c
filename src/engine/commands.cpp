#include "engine/commands.h"

#include "engine/evaluator.h"
#include "engine/runtime.h"
#include "engine/script_error.h"
#include "engine/tokens.h"
#include "platform/files.h"
#include "platform/text_rules.h"

namespace vtx {

void run_command(Runtime& rt, int keyword) {
    CommandHandler handler =
        keyword >= 0 && keyword < KW_COUNT ? kCommandHandlers[keyword] : nullptr;
    if (!handler) return drive_change(rt, rt.tok.token);
    handler(rt);
}

void drive_change(Runtime& rt, const std::string& text) {
    if (!is_drive_word(text)) throw ScriptError(kErrUnknownCommand);
    rt.error = platform::change_drive(text[0]) == 0 ? 0 : -1;
}

} // namespace vtx

namespace vtx {

void cmd_go(Runtime& rt) {
    // The drive comes from an expression, so a variable or a macro can name it.
    evaluate_expression(rt, rt.tok.token, true);
    drive_change(rt, rt.tok.token);
}

} // namespace vtx
