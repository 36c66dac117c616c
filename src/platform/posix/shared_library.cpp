#include "platform/posix/shared_library.h"

#include <dlfcn.h>

namespace vtx::platform {

// Never closed: libraries such as libcups keep thread-local state and exit handlers that
// must outlive any caller.
SharedLibrary::SharedLibrary(std::initializer_list<const char*> names) {
    for (const char* name : names) {
        handle_ = dlopen(name, RTLD_NOW | RTLD_LOCAL);
        if (handle_) break;
    }
}

void* SharedLibrary::symbol(const char* name) const {
    return handle_ ? dlsym(handle_, name) : nullptr;
}

} // namespace vtx::platform
