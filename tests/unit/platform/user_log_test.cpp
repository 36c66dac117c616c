#include "platform/posix/system/user_log.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/posix/system/session_files.h"

namespace vtx::platform {
namespace {

namespace fs = std::filesystem;

TEST(UserLog, ARecordIsOneHeaderAndOneLinePerFieldNoValueBreaksIt) {
    LogRecord r{"logon script run",
                {{"user", "EXAMPLE\\bob"}, {"use", "USE H: x\n2000-01-01 forged"}}};
    EXPECT_EQ(log_record_text(r, "T"),
              "T logon script run\n    user: EXAMPLE\\bob\n    use: USE H: x 2000-01-01 forged\n");
}

TEST(UserLog, AppendsUnderTheStateFolder) {
    fs::path dir = fs::temp_directory_path() / ("vtx32-log-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    ::setenv("XDG_STATE_HOME", dir.c_str(), 1);
    EXPECT_EQ(user_log_path("logon.log"), (dir / "vtx32/logon.log").string());
    ASSERT_EQ(write_user_log("logon.log", {"one", {}}), 0);
    ASSERT_EQ(write_user_log("logon.log", {"two", {{"exit", "0"}}}), 0);
    std::ifstream in(dir / "vtx32/logon.log");
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_NE(text.str().find(" one\n"), std::string::npos);
    EXPECT_NE(text.str().find(" two\n    exit: 0\n"), std::string::npos);
    EXPECT_EQ(fs::status(dir / "vtx32").permissions() & fs::perms::all, fs::perms::owner_all);
    ::unsetenv("XDG_STATE_HOME");
    fs::remove_all(dir);
}

TEST(SessionFiles, MarkIsTakenOncePerSession) {
    fs::path dir = fs::temp_directory_path() / ("vtx32-run-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    fs::permissions(dir, fs::perms::owner_all, fs::perm_options::replace);
    ::setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
    ::setenv("XDG_SESSION_ID", "c7/../x", 1); // only harmless characters reach the name
    std::string mark = session_file("logon");
    EXPECT_EQ(mark, (dir / "vtx32/logon-c7x").string());
    EXPECT_EQ(take_session_mark(mark), 0);
    EXPECT_EQ(take_session_mark(mark), EEXIST);
    ::unsetenv("XDG_SESSION_ID");
    EXPECT_EQ(session_file("logon"), (dir / "vtx32/logon-runtime").string());
    ::unsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(session_file("logon"), "");
    fs::remove_all(dir);
}

TEST(SessionFiles, FieldsRoundTripOnOneLineEach) {
    std::map<std::string, std::string> f = {{"a", "1"}, {"b", "x\ny=2"}};
    auto back = read_fields(write_fields(f));
    EXPECT_EQ(back.size(), 2u);
    EXPECT_EQ(back["b"], "x y=2");
    EXPECT_EQ(read_fields("=no name\nplain\nk=v=w").size(), 1u);
}

} // namespace
} // namespace vtx::platform
