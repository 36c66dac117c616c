// A desktop library opened at first use, so that start-up stays fast and the program still
// runs where the library is missing (that call then reports a status instead).
#pragma once

#include <dlfcn.h>

namespace vtx::platform {

class SharedLibrary {
  public:
    // `soname` is the versioned name (libasound.so.2), which the run-time package provides
    // without the development files. A library once loaded stays: GIO and the sound plugins
    // leave threads and registered types behind that must not lose their code.
    explicit SharedLibrary(const char* soname)
        : handle_(::dlopen(soname, RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE)) {}
    ~SharedLibrary() {
        if (handle_) ::dlclose(handle_);
    }
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    bool loaded() const { return handle_ != nullptr; }

    // Looks up `name` as a pointer of the declared type of `F`; false when the library or
    // the entry is missing (`out` is then null).
    template <class F> bool bind(F*& out, const char* name) const {
        out = handle_ ? reinterpret_cast<F*>(::dlsym(handle_, name)) : nullptr;
        return out != nullptr;
    }

  private:
    void* handle_;
};

} // namespace vtx::platform
