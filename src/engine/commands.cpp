#include "engine/commands.h"

#include "engine/evaluator.h"
#include "engine/runtime.h"
#include "engine/script_error.h"
#include "engine/tokens.h"
#include "platform/files.h"

namespace vtx {

void run_command(Runtime& rt, int keyword) {
    CommandHandler handler =
        keyword >= 0 && keyword < KW_COUNT ? kCommandHandlers[keyword] : nullptr;
    if (!handler) return drive_change(rt, rt.tok.token);
    handler(rt);
}

void drive_change(Runtime& rt, const std::string& text) {
    char letter = text.size() == 2 ? text[0] : 0;
    bool is_letter = (letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z');
    if (!is_letter || text[1] != ':') throw ScriptError(kErrUnknownCommand);
    rt.error = platform::change_drive(letter) == 0 ? 0 : -1;
}

} // namespace vtx

namespace vtx {

void cmd_go(Runtime& rt) {
    evaluate_expression(rt, rt.tok.token, true);
    drive_change(rt, rt.tok.token);
}

} // namespace vtx
