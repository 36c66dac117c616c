#include "app/posix/logon_choice.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

namespace vtx {
namespace {

using Kind = LogonChoice::Kind;
using Args = std::vector<std::string>;

// Sets (or, given null, removes) an environment variable for one test, then puts it back.
class ScopedVariable {
  public:
    ScopedVariable(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~ScopedVariable() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(LogonChoice, ProgramNameInAnyCaseWithOrWithoutAPath) {
    for (const char* attribute : {"VTX32.EXE sales.scr $x=1", "vtx32 sales.scr $x=1",
                                  "\\\\DC1\\NETLOGON\\Vtx32.Exe sales.scr $x=1",
                                  "\"\\\\DC1\\NETLOGON\\VTX32.EXE\" sales.scr $x=1"}) {
        LogonChoice c = choose_logon_script(attribute);
        EXPECT_EQ(c.kind, Kind::kProgram) << attribute;
        EXPECT_EQ(c.args, (Args{"sales.scr", "$x=1"})) << attribute;
    }
    EXPECT_EQ(choose_logon_script("VTX32.EXE").args, Args{});
    // Only the whole name counts: a script named after the program is a script.
    EXPECT_EQ(choose_logon_script("vtx32x.scr").kind, Kind::kScript);
}

TEST(LogonChoice, ScriptsBatchFilesAndBlanks) {
    LogonChoice s = choose_logon_script("  sales\\logon.scr extra ");
    EXPECT_EQ(s.kind, Kind::kScript);
    EXPECT_EQ(s.file, "sales\\logon.scr");
    EXPECT_EQ(s.args, Args{"extra"});
    EXPECT_EQ(choose_logon_script("LOGON.BAT").kind, Kind::kBatch);
    EXPECT_EQ(choose_logon_script("x\\logon.cmd").kind, Kind::kBatch);
    EXPECT_EQ(choose_logon_script("").kind, Kind::kNone);
    EXPECT_EQ(choose_logon_script(" \t ").kind, Kind::kNone);
}

TEST(LogonChoice, NamesOutsideTheShareAreRefused) {
    for (const char* attribute :
         {"..\\..\\x.scr", "a\\..\\..\\x.scr", "../x.scr", "C:\\x", "c:x.scr", "/etc/x", "\\x.scr",
          "\\\\other\\s\\x", "//other/s/x"}) {
        LogonChoice c = choose_logon_script(attribute);
        EXPECT_EQ(c.kind, Kind::kRefused) << attribute;
        EXPECT_FALSE(c.why.empty()) << attribute;
    }
    // Dots inside a name are no step up.
    EXPECT_EQ(refused_share_name("a..b\\..c.scr"), "");
    EXPECT_EQ(refused_share_name("sales\\logon.scr"), "");
    EXPECT_NE(refused_share_name(""), "");
}

TEST(LogonChoice, AnOverLongAttributeIsRefusedWhole) {
    EXPECT_EQ(choose_logon_script(std::string(kMaxLogonAttribute, 'x')).kind, Kind::kScript);
    LogonChoice c = choose_logon_script(std::string(kMaxLogonAttribute + 1, 'x'));
    EXPECT_EQ(c.kind, Kind::kRefused);
    EXPECT_NE(c.why.find("longer"), std::string::npos);
}

TEST(LogonBatch, LinesThatStartTheProgramRunWithTheEnvironmentExpanded) {
    ScopedVariable server("LOGONSERVER", "\\\\DC1"), user("USERNAME", "bob"), none("NOPE", nullptr);
    BatchLine run = read_batch_line("%LOGONSERVER%\\NETLOGON\\VTX32.EXE a.scr $u=%USERNAME%\r");
    EXPECT_EQ(run.kind, BatchLine::Kind::kRun);
    EXPECT_EQ(run.args, (Args{"a.scr", "$u=bob"}));
    // Unknown names give nothing; %% is one %; an unclosed % stays.
    EXPECT_EQ(read_batch_line("vtx32 $p=%NOPE%x%%y%z").args, (Args{"$p=x%y%z"}));
    EXPECT_EQ(read_batch_line("@vtx32").kind, BatchLine::Kind::kRun);
}

TEST(LogonBatch, SilentAndSkippedLines) {
    for (const char* line : {"", "  \r", "@echo off", "ECHO OFF", "rem x", "REM", "@rem x", ":: x"})
        EXPECT_EQ(read_batch_line(line).kind, BatchLine::Kind::kSilent) << line;
    BatchLine other = read_batch_line("net use x: \\\\dc1\\s");
    EXPECT_EQ(other.kind, BatchLine::Kind::kSkipped);
    EXPECT_EQ(other.text, "net use x: \\\\dc1\\s");
    // "remark" is a command, not a remark.
    EXPECT_EQ(read_batch_line("remark").kind, BatchLine::Kind::kSkipped);
}

} // namespace
} // namespace vtx
