// libFuzzer target: the input is a path as a script names it. Against a drive table mapping
// H: to a share's subfolder and a GVfs folder for \\srv\data, whatever the bytes: a path on
// the letter or the share resolves inside its root (no `.` or `..` left to climb with), a
// network name that is not mounted gives 53 or 67 and no path, and nothing else fails.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <unistd.h>

#include "platform/files.h"
#include "platform/posix/system/drive_table.h"

namespace {

namespace fs = std::filesystem;

struct Sandbox {
    fs::path root;
    std::string letter, share; // what H: and \\srv\data stand for
};

Sandbox& sandbox() {
    static Sandbox s;
    return s;
}

void check(bool ok) {
    if (!ok) __builtin_trap();
}

bool is_separator(char c) {
    return c == '\\' || c == '/';
}

// `native` is `root` or below it, by components that cannot climb.
bool inside(const std::string& native, const std::string& root) {
    if (native.compare(0, root.size(), root) != 0) return false;
    std::string_view rest = std::string_view(native).substr(root.size());
    if (rest.empty()) return true;
    if (rest[0] != '/') return false;
    for (std::size_t at = 1; at <= rest.size();) {
        std::size_t end = rest.find('/', at);
        if (end == std::string_view::npos) end = rest.size();
        std::string_view part = rest.substr(at, end - at);
        if (part.empty() || part == "." || part == "..") return false;
        at = end + 1;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    Sandbox& s = sandbox();
    char pattern[] = "/tmp/vtx32-fuzz-paths-XXXXXX";
    if (!mkdtemp(pattern)) std::abort(); // made with mode 0700, as a runtime folder is
    s.root = pattern;
    s.share = (s.root / "gvfs" / "smb-share:server=srv,share=data").string();
    s.letter = (s.root / "homes" / "sub").string();
    fs::create_directories(s.share + "/Docs");
    fs::create_directories(s.letter + "/Docs");
    setenv("XDG_RUNTIME_DIR", s.root.c_str(), 1);
    if (vtx::platform::record_drive("H:", "\\\\SRV\\HOME\\sub", s.letter) != 0) std::abort();
    std::atexit([] { fs::remove_all(sandbox().root); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const Sandbox& s = sandbox();
    std::string path(reinterpret_cast<const char*>(data), size < 4096 ? size : 4096);
    std::string native = "unset";
    int32_t status = vtx::platform::resolve_path(path, native);
    bool network = path.size() >= 2 && is_separator(path[0]) && is_separator(path[1]);
    bool letter = path.size() >= 2 && (path[0] == 'H' || path[0] == 'h') && path[1] == ':';
    if (network) {
        check(status == 0 ? inside(native, s.share) : native.empty());
        check(status == 0 || status == 53 || status == 67);
    } else {
        check(status == 0);
        if (letter) check(inside(native, s.letter));
    }
    // What stays below a root is already resolved: resolving it again changes nothing.
    bool climbed = true;
    std::string below = vtx::platform::below_root(path, &climbed);
    check(vtx::platform::below_root(below, &climbed) == below && !climbed);
    return 0;
}
