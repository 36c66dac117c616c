// libFuzzer target: the input runs as a script, as `vtx32 fuzz.scr` would run it, in a fresh
// runtime, in a working folder and registry store of its own that are emptied after each run.
// The same bytes are the keyboard: standard input reads them from the start.
//
// Run as root, the target does every run with the effective user "nobody", so a script that
// wanders off its folder (CD "..", DEL "*.*") cannot touch what is not its own.
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <string>
#include <vector>

#include <fcntl.h>
#include <grp.h>
#include <sys/mman.h>
#include <unistd.h>

#include "app/startup.h"
#include "engine/runtime.h"
#include "engine/script_error.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr uid_t kNobody = 65534;
constexpr gid_t kNoGroup = 65534;

struct Sandbox {
    fs::path root, work, registry;
    std::vector<std::string> environment; // as it was before the first run
    bool switch_user = false;
};

Sandbox& sandbox() {
    static Sandbox s;
    return s;
}

[[noreturn]] void fail(const char* what) {
    std::perror(what);
    std::abort();
}

void empty_folder(const fs::path& folder) {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) fs::remove_all(entry.path(), ec);
}

// The environment as it was, since SETL changes this process's own.
void restore_environment(const Sandbox& s) {
    clearenv();
    for (const std::string& entry : s.environment) putenv(const_cast<char*>(entry.c_str()));
}

void become(uid_t uid, gid_t gid) {
    if (uid == 0) {
        if (seteuid(0) != 0 || setegid(0) != 0) fail("seteuid root");
    } else if (setegid(gid) != 0 || seteuid(uid) != 0) {
        fail("seteuid nobody");
    }
}

// The keyboard: a memory file holding the input, as standard input.
void feed_keyboard(const uint8_t* data, size_t size) {
    int fd = memfd_create("vtx32-keys", MFD_CLOEXEC);
    if (fd < 0) fail("memfd_create");
    for (size_t done = 0; done < size;) {
        ssize_t n = write(fd, data + done, size - done);
        if (n <= 0) fail("write keys");
        done += size_t(n);
    }
    lseek(fd, 0, SEEK_SET);
    dup2(fd, STDIN_FILENO);
    close(fd);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    Sandbox& s = sandbox();
    char pattern[] = "/tmp/vtx32-fuzz-XXXXXX";
    if (!mkdtemp(pattern)) fail("mkdtemp");
    s.root = pattern;
    s.work = s.root / "work";
    s.registry = s.root / "registry";
    fs::create_directories(s.work);
    fs::create_directories(s.registry);
    fs::create_directories(s.root / "home");
    fs::create_directories(s.root / "session");
    fs::permissions(s.root / "session", fs::perms::owner_all); // a runtime folder is private
    fs::create_directories(s.root / "machine");
    s.switch_user = geteuid() == 0;
    if (s.switch_user) {
        // Root's own groups would still open group-owned files to the script.
        if (setgroups(0, nullptr) != 0) fail("setgroups");
        for (const fs::path& p : {s.work, s.registry, s.root / "home", s.root / "session"})
            if (chown(p.c_str(), kNobody, kNoGroup) != 0) fail("chown");
    }
    setenv("VTX32_REGISTRY", s.registry.c_str(), 1);
    setenv("HOME", (s.root / "home").c_str(), 1);
    // Printers and program groups stay in the sandbox: no scheduler answers, the user's menus
    // are under its home, and the machine's menu folders are its own (root's, as they are).
    setenv("CUPS_SERVER", (s.root / "no-scheduler").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (s.root / "session").c_str(), 1);
    setenv("XDG_DATA_DIRS", (s.root / "machine").c_str(), 1);
    setenv("XDG_CONFIG_DIRS", (s.root / "machine").c_str(), 1);
    unsetenv("XDG_DATA_HOME");
    unsetenv("XDG_CONFIG_HOME");
    for (char** e = environ; *e; ++e) s.environment.emplace_back(*e);

    // Script output is of no interest; libFuzzer reports on standard error.
    int null = open("/dev/null", O_WRONLY);
    if (null < 0 || dup2(null, STDOUT_FILENO) < 0) fail("/dev/null");
    close(null);
    std::atexit([] { fs::remove_all(sandbox().root); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Sandbox& s = sandbox();
    if (chdir(s.work.c_str()) != 0) fail("chdir");
    {
        FILE* f = std::fopen("fuzz.scr", "wb");
        if (!f || std::fwrite(data, 1, size, f) != size || std::fclose(f) != 0) fail("fuzz.scr");
        if (s.switch_user && chown("fuzz.scr", kNobody, kNoGroup) != 0) fail("chown");
    }
    feed_keyboard(data, size);

    if (s.switch_user) become(kNobody, kNoGroup);
    {
        vtx::Runtime rt;
        std::vector<std::string> args{"vtx32", "fuzz.scr"};
        try {
            vtx::run_program(rt, args);
        } catch (const vtx::ScriptError& e) {
            vtx::report_script_error(rt, e.code);
        } catch (const std::bad_alloc&) {
            vtx::report_script_error(rt, vtx::kErrOutOfMemory);
        }
    }
    if (s.switch_user) become(0, 0);

    restore_environment(s);
    empty_folder(s.work);
    empty_folder(s.registry);
    empty_folder(s.root / "home");
    empty_folder(s.root / "session");
    empty_folder(s.root / "machine");
    return 0;
}
