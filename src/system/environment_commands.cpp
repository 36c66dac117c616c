#include "engine/evaluator.h"
#include "engine/runtime.h"
#include "engine/text.h"
#include "engine/trace.h"
#include "platform/process.h"
#include "platform/system.h"
#include "system/handlers.h"

namespace vtx {

void cmd_setl(Runtime& rt) {
    evaluate_expression(rt, rt.tok.token, true);
    const std::string& text = rt.tok.token;
    std::size_t equals = text.find('=');
    std::string name = text.substr(0, equals);
    std::string value = equals == std::string::npos ? std::string() : text.substr(equals + 1);
    if (int32_t status = platform::set_environment(name, value)) rt.error = status;
}

void cmd_sleep(Runtime& rt) {
    rt.error = 0;
    evaluate_expression(rt, rt.work, true);
    int32_t seconds = text_to_int(rt.work);
    // A negative wait is no wait: the statement must end.
    if (seconds > 0) platform::sleep_milliseconds(uint64_t(seconds) * 1000);
}

void cmd_password(Runtime& rt) {
    TraceSecret secret(rt);
    evaluate_expression(rt, rt.tok.token, true);
}

} // namespace vtx
