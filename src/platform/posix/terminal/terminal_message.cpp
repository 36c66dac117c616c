#include "platform/posix/terminal/terminal_message.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utmpx.h>
#include <vector>

#include "platform/diagnostics.h"
#include "platform/posix/descriptor_io.h"
#include "platform/status.h"
#include "platform/text_rules.h"

namespace vtx::platform {

namespace {

std::vector<std::string> terminals_of(const std::string& user) {
    std::vector<std::string> lines;
    ::setutxent();
    while (utmpx* u = ::getutxent()) {
        if (u->ut_type != USER_PROCESS) continue;
        std::string name(u->ut_user, strnlen(u->ut_user, sizeof u->ut_user));
        std::string line(u->ut_line, strnlen(u->ut_line, sizeof u->ut_line));
        // A line name with a slash in it could point outside /dev.
        if (equal_nocase(name, user) && !line.empty() && line.find("..") == std::string::npos)
            lines.push_back(line);
    }
    ::endutxent();
    return lines;
}

// The terminal takes messages when it is a terminal and its group may write to it (mesg y).
bool write_to(const std::string& device, const std::string& text) {
    // Non-blocking: a terminal stopped with Ctrl+S must not hold the sender.
    int fd = ::open(device.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    bool ok =
        ::fstat(fd, &st) == 0 && S_ISCHR(st.st_mode) && (st.st_mode & S_IWGRP) && ::isatty(fd);
    ok = ok && write_all(fd, text) == 0;
    ::close(fd);
    return ok;
}

std::string banner(const std::string& sender) {
    char host[256] = "";
    ::gethostname(host, sizeof host - 1);
    const char* tty = ::ttyname(STDIN_FILENO);
    std::string from = sender + "@" + host;
    if (tty)
        from += std::string(" on ") + (std::string(tty).rfind("/dev/", 0) == 0 ? tty + 5 : tty);
    std::time_t now = std::time(nullptr);
    std::tm tm{};
    ::localtime_r(&now, &tm);
    char at[16];
    std::snprintf(at, sizeof at, "%02d:%02d", tm.tm_hour, tm.tm_min);
    return "Message from " + from + " at " + at + " ...";
}

} // namespace

std::string terminal_message_text(const std::string& head, const std::string& message,
                                  HighBytes high) {
    // CR LF throughout: the other terminal may be in a mode that adds no carriage return.
    std::string text = "\r\n\a" + head + "\r\n";
    std::string body;
    for (char c : message)
        if (c != '\r') body += c;
    for (char c : visible_controls(body, high)) {
        if (c == '\n') text += '\r';
        text += c;
    }
    if (!message.empty() && message.back() != '\n') text += "\r\n";
    return text + "EOF\r\n";
}

int32_t message_terminals(const std::string& user, const std::string& sender,
                          const std::string& message) {
    std::vector<std::string> lines = terminals_of(user);
    if (lines.empty()) return status::kFileNotFound;
    std::string text = terminal_message_text(banner(sender), message, terminal_high_bytes());
    bool delivered = false;
    for (const std::string& line : lines) delivered |= write_to("/dev/" + line, text);
    // 5: every terminal of the user refuses messages (mesg n).
    return delivered ? 0 : status::kAccessDenied;
}

} // namespace vtx::platform
