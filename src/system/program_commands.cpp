#include "engine/evaluator.h"
#include "engine/runtime.h"
#include "platform/process.h"
#include "system/handlers.h"

namespace vtx {

void cmd_run(Runtime& rt) {
    evaluate_expression(rt, rt.tok.token, true);
    rt.error = platform::start_program(rt.tok.token);
}

void cmd_shell(Runtime& rt) {
    evaluate_expression(rt, rt.tok.token, true);
    int32_t exit_code = 0;
    int32_t status = platform::run_program_and_wait(rt.tok.token, exit_code);
    rt.error = status == 0 ? exit_code : status;
}

} // namespace vtx
