// libFuzzer target: the input is a hive file. LOADKEY restores it into a key (as the NT line
// does) and copies it in through the temporary hive (as the 9x line does), then DELTREE
// removes what came in. Whatever the bytes, each call gives a status and the store stays
// walkable: a hive that planted a key no walk could leave would fail the final check.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "platform/registry.h"
#include "registry/operations.h"

namespace {

namespace fs = std::filesystem;

struct Sandbox {
    fs::path root, hive;
    vtx::platform::Registry* reg = nullptr; // one store for the whole run, as a script has
};

Sandbox& sandbox() {
    static Sandbox s;
    return s;
}

constexpr const char* kTarget = "HKEY_CURRENT_USER\\Software\\Fuzz";
constexpr const char* kCopy = "HKEY_CURRENT_USER\\Software\\FuzzCopy";

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    Sandbox& s = sandbox();
    char pattern[] = "/tmp/vtx32-fuzz-hive-XXXXXX";
    if (!mkdtemp(pattern)) std::abort();
    s.root = pattern;
    s.hive = s.root / "input.hiv";
    fs::create_directories(s.root / "registry");
    setenv("VTX32_REGISTRY", (s.root / "registry").c_str(), 1);
    s.reg = new vtx::platform::Registry;
    std::atexit([] {
        delete sandbox().reg;
        fs::remove_all(sandbox().root);
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Sandbox& s = sandbox();
    {
        FILE* f = std::fopen(s.hive.c_str(), "wb");
        if (!f || std::fwrite(data, 1, size, f) != size || std::fclose(f) != 0) std::abort();
    }
    vtx::platform::Registry& reg = *s.reg;
    if (vtx::create_key(reg, kTarget) != 0) std::abort();
    vtx::hive_load(reg, true, kTarget, s.hive.string());
    vtx::hive_load(reg, false, kCopy, s.hive.string());
    // Everything a hive brings in must go again.
    if (vtx::delete_tree(reg, kTarget) != 0 || vtx::delete_tree(reg, kCopy) != 0) std::abort();
    return 0;
}
