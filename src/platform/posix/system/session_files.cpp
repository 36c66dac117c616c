#include "platform/posix/system/session_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>

#include "platform/posix/file_writes.h"
#include "platform/posix/runtime_folder.h"

namespace vtx::platform {

std::string session_file(const std::string& stem) {
    std::string runtime = trusted_runtime_folder();
    if (runtime.empty()) return {};
    std::string folder = runtime + "/vtx32";
    if (make_folders(folder, 0700) != 0) return {};
    // The session's name goes into a file name: only its harmless characters.
    std::string session;
    if (const char* id = std::getenv("XDG_SESSION_ID"); id && *id) {
        for (const char* c = id; *c && session.size() < 64; ++c)
            if (std::isalnum(static_cast<unsigned char>(*c)) || *c == '-' || *c == '_')
                session += *c;
    }
    if (session.empty()) session = "runtime";
    return folder + "/" + stem + "-" + session;
}

int take_session_mark(const std::string& path) {
    // O_EXCL: of two runs at once only one takes the mark; O_NOFOLLOW: a planted link is no mark.
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return errno;
    ::close(fd);
    return 0;
}

std::string write_fields(const std::map<std::string, std::string>& fields) {
    std::string text;
    for (const auto& [name, value] : fields) {
        text += name;
        text += '=';
        // One field a line: a line feed inside a value would start a false field.
        for (char c : value) text += static_cast<unsigned char>(c) < 32 ? ' ' : c;
        text += '\n';
    }
    return text;
}

std::map<std::string, std::string> read_fields(const std::string& text) {
    std::map<std::string, std::string> fields;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (std::size_t eq = line.find('='); eq != std::string::npos && eq > 0)
            fields[line.substr(0, eq)] = line.substr(eq + 1);
        start = end + 1;
    }
    return fields;
}

} // namespace vtx::platform
