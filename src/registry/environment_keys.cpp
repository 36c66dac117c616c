// SET and SETM: the per-user and machine environment in the registry.
#include "engine/evaluator.h"
#include "engine/runtime.h"
#include "registry/handlers.h"
#include "registry/operations.h"

namespace vtx {

namespace {

constexpr const char* kUserEnvironment = "HKEY_CURRENT_USER\\Environment";
constexpr const char* kMachineEnvironment =
    "HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Session Manager\\Environment";

constexpr uint32_t kExpandSz = 2; // kept unexpanded, so %PATH%-style references survive

void set_environment_key(Runtime& rt, const char* key) {
    rt.error = 0;
    std::string text;
    evaluate_expression(rt, text, true);
    std::size_t eq = text.find('=');
    std::string name = text.substr(0, eq);
    std::string value = eq == std::string::npos ? std::string() : text.substr(eq + 1);
    rt.error = value.empty() ? delete_value(rt.registry, key, name)
                             : write_value(rt.registry, key, name, value, kExpandSz);
    if (rt.error == 0) rt.registry.broadcast_environment_change();
}

} // namespace

void cmd_set(Runtime& rt) {
    set_environment_key(rt, kUserEnvironment);
}
void cmd_setm(Runtime& rt) {
    set_environment_key(rt, kMachineEnvironment);
}

} // namespace vtx
