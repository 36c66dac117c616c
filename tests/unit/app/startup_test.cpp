#include "app/startup.h"

#include <gtest/gtest.h>

#include "engine/runtime.h"
#include "platform/diagnostics.h"

namespace vtx {
namespace {

TEST(Startup, ProgramDirectory) {
    EXPECT_EQ(program_directory("C:\\TOOLS\\VTX32.EXE", false), "C:\\TOOLS\\");
    EXPECT_EQ(program_directory("VTX32.EXE", false), "");
    EXPECT_EQ(program_directory("/usr/bin/vtx32", true), "/usr/bin/");
    EXPECT_EQ(program_directory("/usr/bin/vtx32", false), "");
    EXPECT_EQ(program_directory(std::string(300, 'a') + "\\x.exe", false), "");
}

TEST(Startup, LogonShareTest) {
    EXPECT_TRUE(is_logon_share_path("\\\\srv\\NETLOGON;C:\\WIN"));
    EXPECT_TRUE(is_logon_share_path("\\\\srv\\netlogon\\x"));
    EXPECT_TRUE(is_logon_share_path("\\\\srv\\NETLOGONS"));
    EXPECT_FALSE(is_logon_share_path("\\\\srv\\apps;\\\\srv\\NETLOGON"));
    EXPECT_FALSE(is_logon_share_path("\\\\"));
    EXPECT_FALSE(is_logon_share_path("C:\\NETLOGON"));
}

TEST(Startup, ScriptFileName) {
    EXPECT_EQ(script_file_name("logon"), "logon.SCR");
    EXPECT_EQ(script_file_name("logon.txt"), "logon.txt");
    EXPECT_EQ(script_file_name("dir.two\\logon"), "dir.two\\logon.SCR");
    EXPECT_EQ(script_file_name("/H"), "/H.SCR");
}

TEST(Startup, HelpSwitchOrPath) {
    for (const char* arg : {"/h", "/help", "/?", "/hilfe"}) EXPECT_TRUE(is_help_switch(arg)) << arg;
    EXPECT_FALSE(is_help_switch("logon.scr"));
    EXPECT_FALSE(is_help_switch("$x=/h"));
    // A '/' after the first character makes it a path on POSIX; Windows keeps the switch.
    EXPECT_EQ(is_help_switch("/home/alice/logon.scr"), !platform::kPosixConventions);
    EXPECT_EQ(is_help_switch("/?/x"), !platform::kPosixConventions);
    EXPECT_EQ(is_help_switch("--help"), platform::kPosixConventions);
    if (platform::kPosixConventions) {
        EXPECT_EQ(script_file_name("/srv/a.b/logon"), "/srv/a.b/logon.SCR");
    }
}

TEST(Startup, CommandLineVariables) {
    Runtime rt;
    for (const char* arg : {"$n=42", "$s=abc", "$e=", "$d=-7", "$b", "$m=5-3", "$x=1", "$x=2"})
        define_command_line_variable(rt, arg);
    EXPECT_EQ(rt.vars.find("$n")->number, 42);
    EXPECT_EQ(rt.vars.find("$s")->text, "abc");
    EXPECT_EQ(rt.vars.find("$e")->kind, KIND_INTEGER);
    EXPECT_EQ(rt.vars.find("$d")->number, -7);
    EXPECT_EQ(rt.vars.find("$b")->kind, KIND_STRING);
    EXPECT_EQ(rt.vars.find("$m")->number, 5);
    EXPECT_EQ(rt.vars.find("$x")->number, 1);
}

} // namespace
} // namespace vtx

namespace vtx {
namespace {

// A status byte of 0 would report EXIT 256 as success.
TEST(Startup, ExitStatusOutsideOneByte) {
    EXPECT_EQ(process_status(0), 0);
    EXPECT_EQ(process_status(255), 255);
    EXPECT_EQ(process_status(256), 255);
    EXPECT_EQ(process_status(-1), 255);
    EXPECT_EQ(process_status(INT32_MIN), 255);
}

} // namespace
} // namespace vtx
