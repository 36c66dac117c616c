// A library loaded for one use and released after it, so the program starts without it.
#pragma once

#include <windows.h>

namespace vtx::platform {

class RuntimeLibrary {
  public:
    explicit RuntimeLibrary(const char* name) : module_(LoadLibraryExA(name, nullptr, 0)) {}
    ~RuntimeLibrary() {
        if (module_)
            FreeLibrary(module_);
    }
    RuntimeLibrary(const RuntimeLibrary&) = delete;
    RuntimeLibrary& operator=(const RuntimeLibrary&) = delete;

    bool loaded() const { return module_ != nullptr; }
    // The entry as a function pointer of type F, or null (GetLastError() tells why).
    template <class F> F entry(const char* name) const {
        return module_ ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module_, name)))
                       : nullptr;
    }

  private:
    HMODULE module_;
};

// The maker's helper library of the 9x line.
inline constexpr const char* kHelperLibrary = "VX32.DLL";

} // namespace vtx::platform
