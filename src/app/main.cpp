// The program entry: the one place where script errors are caught and reported.
#include <new>
#include <string>
#include <vector>

#include "app/startup.h"
#include "engine/runtime.h"
#include "engine/script_error.h"

int main(int argc, char** argv) {
    vtx::Runtime rt;
    std::vector<std::string> args(argv, argv + argc);
    try {
        return vtx::run_program(rt, args);
    } catch (const vtx::ScriptError& e) {
        return vtx::report_script_error(rt, e.code);
    } catch (const std::bad_alloc&) {
        return vtx::report_script_error(rt, vtx::kErrOutOfMemory);
    }
}
