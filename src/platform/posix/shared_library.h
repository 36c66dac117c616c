// A desktop library opened at first use and kept for the rest of the run, so that start-up
// never pays for it and a machine without it still runs scripts.
#pragma once

#include <initializer_list>

namespace vtx::platform {

class SharedLibrary {
  public:
    // Tries each file name in turn (the versioned name first: the unversioned one exists only
    // with the development package).
    explicit SharedLibrary(std::initializer_list<const char*> names);
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    bool loaded() const { return handle_ != nullptr; }

    // Sets `fn` to the entry `name`; false (and `fn` null) when the library lacks it.
    template <typename Fn> bool bind(Fn& fn, const char* name) const {
        fn = reinterpret_cast<Fn>(symbol(name));
        return fn != nullptr;
    }

  private:
    void* symbol(const char* name) const;
    void* handle_ = nullptr;
};

} // namespace vtx::platform
