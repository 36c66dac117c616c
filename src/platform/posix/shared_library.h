// A shared library opened at first use and kept for the rest of the run: the program starts
// on machines where it is missing, start-up pays nothing for it, and nothing it handed out
// is ever unmapped under a caller.
#pragma once

#include <dlfcn.h>

namespace vtx::platform {

class SharedLibrary {
  public:
    explicit SharedLibrary(const char* soname) : handle_(::dlopen(soname, RTLD_NOW | RTLD_LOCAL)) {}
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    bool loaded() const { return handle_ != nullptr; }
    // The entry point by name, typed as `F`; null when the library or the name is missing.
    template <class F> F entry(const char* name) const {
        return handle_ ? reinterpret_cast<F>(::dlsym(handle_, name)) : nullptr;
    }

  private:
    void* handle_;
};

} // namespace vtx::platform
