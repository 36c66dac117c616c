#include "platform/posix/system/user_log.h"

#include <fcntl.h>
#include <sys/uio.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <ctime>

#include "platform/posix/descriptor_io.h"
#include "platform/posix/file_writes.h"
#include "platform/posix/shared_library.h"

namespace vtx::platform {

namespace {

std::string one_line(const std::string& value) {
    std::string out = value;
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 32) c = ' ';
    return out;
}

// VTX32_ and the name in capitals, other characters as _: the journal's field rules.
std::string journal_field(const std::string& name) {
    std::string out = "VTX32_";
    for (char c : name)
        out += std::isalnum(static_cast<unsigned char>(c))
                   ? char(std::toupper(static_cast<unsigned char>(c)))
                   : '_';
    return out;
}

void send_to_journal(const LogRecord& record) {
    static const SharedLibrary systemd("libsystemd.so.0");
    int (*sendv)(const iovec*, int) = nullptr;
    if (!systemd.bind(sendv, "sd_journal_sendv")) return;
    std::vector<std::string> lines = {"MESSAGE=" + one_line(record.message),
                                      "SYSLOG_IDENTIFIER=vtx32"};
    for (const auto& [name, value] : record.fields)
        lines.push_back(journal_field(name) + "=" + one_line(value));
    std::vector<iovec> parts;
    for (std::string& line : lines) parts.push_back({line.data(), line.size()});
    sendv(parts.data(), int(parts.size()));
}

} // namespace

std::string user_log_path(const std::string& name) {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state && state[0] == '/') return std::string(state) + "/vtx32/" + name;
    const char* home = std::getenv("HOME");
    if (!home || home[0] != '/') return {};
    return std::string(home) + "/.local/state/vtx32/" + name;
}

std::string log_record_text(const LogRecord& record, const std::string& time) {
    std::string text = time + " " + one_line(record.message) + "\n";
    for (const auto& [name, value] : record.fields)
        text += "    " + name + ": " + one_line(value) + "\n";
    return text;
}

int write_user_log(const std::string& name, const LogRecord& record) {
    send_to_journal(record);
    std::string path = user_log_path(name);
    if (path.empty()) return ENOENT;
    if (int e = make_folders(path.substr(0, path.rfind('/')), 0700)) return e;
    char time[32];
    std::time_t now = std::time(nullptr);
    std::tm utc{};
    ::gmtime_r(&now, &utc);
    std::strftime(time, sizeof time, "%Y-%m-%dT%H:%M:%SZ", &utc);
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return errno;
    // One write: records of runs that end together do not interleave.
    int e = write_all(fd, log_record_text(record, time));
    ::close(fd);
    return e;
}

} // namespace vtx::platform
