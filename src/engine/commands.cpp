#include "engine/commands.h"

#include "engine/evaluator.h"
#include "engine/runtime.h"
#include "engine/script_error.h"
#include "engine/tokens.h"
#include "platform/files.h"

namespace vtx {

namespace {

using CommandHandler = void (*)(Runtime&);

// Indexed by statement keyword; control keywords and sub-keywords are handled elsewhere.
const CommandHandler kCommands[KW_COUNT] = {
    cmd_at,       // AT
    nullptr,      // AND
    cmd_beep,     // BEEP
    cmd_big,      // BIG
    cmd_box,      // BOX
    cmd_break,    // BREAK
    nullptr,      // CALL
    cmd_cd,       // CD
    cmd_cls,      // CLS
    cmd_color,    // COLOR
    cmd_del,      // DEL
    cmd_display,  // DISPLAY
    nullptr,      // DO
    nullptr,      // ENDIF
    nullptr,      // ELSE
    nullptr,      // EXIT
    nullptr,      // FILE
    cmd_flushkb,  // FLUSHKB
    cmd_get,      // GET
    cmd_gets,     // GETS
    cmd_go,       // GO
    nullptr,      // GOTO
    nullptr,      // IF
    nullptr,      // LIST
    nullptr,      // LOOP
    cmd_md,       // MD
    cmd_newline,  // ?
    nullptr,      // OR
    cmd_password, // PASSWORD
    cmd_play,     // PLAY
    cmd_run,      // RUN
    cmd_set,      // SET
    cmd_setl,     // SETL
    cmd_setm,     // SETM
    cmd_settime,  // SETTIME
    cmd_shell,    // SHELL
    cmd_sleep,    // SLEEP
    cmd_small,    // SMALL
    nullptr,      // UNTIL
    cmd_use,      // USE
    nullptr,      // WHILE
};

} // namespace

void run_command(Runtime& rt, int keyword) {
    CommandHandler handler = keyword >= 0 && keyword < KW_COUNT ? kCommands[keyword] : nullptr;
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
