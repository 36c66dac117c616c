// A DLL loaded at run time for one use and released when the use ends, so that the
// program starts on machines where the library is missing.
#pragma once

#include <windows.h>

namespace vtx::platform {

class Library {
  public:
    // On failure GetLastError() still holds the loader's status right after this.
    explicit Library(const char* name) : module_(LoadLibraryExA(name, nullptr, 0)) {}
    ~Library() {
        if (module_) FreeLibrary(module_);
    }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    bool loaded() const { return module_ != nullptr; }
    // The entry point by its exact name, or null (GetLastError() says why).
    template <class F> F entry(const char* name) const {
        return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
    }

  private:
    HMODULE module_;
};

// The maker's helper library of the 9x line.
inline constexpr const char* kHelperLibrary = "VX32.DLL";

} // namespace vtx::platform
