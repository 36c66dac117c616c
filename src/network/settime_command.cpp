#include "engine/evaluator.h"
#include "engine/runtime.h"
#include "network/handlers.h"
#include "network/time_sync.h"

namespace vtx {

void cmd_settime(Runtime& rt) {
    std::string server;
    evaluate_expression(rt, server, true);
    rt.error = set_time_from_server(rt.os, server);
}

} // namespace vtx
