// Hostile script files end with a script error or a clean run: never a crash or a hang.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <unistd.h>

#include "engine/interpreter.h"
#include "engine/runtime.h"
#include "engine/script_error.h"
#include "platform/files.h"

namespace vtx {
namespace {

namespace fs = std::filesystem;

class HostileScript : public ::testing::Test {
  protected:
    fs::path dir_ = fs::temp_directory_path() / ("vtx32_hostile_" + std::to_string(::getpid()));
    void SetUp() override { fs::create_directories(dir_); }
    void TearDown() override { fs::remove_all(dir_); }

    std::string write(const std::string& name, const std::string& body) {
        std::string path = (dir_ / name).string();
        std::ofstream(path, std::ios::binary) << body;
        return path;
    }

    // Runs the script with its output thrown away: -1 after a clean run, else the error code.
    static int run(const std::string& path) {
        Runtime rt;
        platform::open_for_write("/dev/null", false, rt.out.redirect);
        int result = -1;
        try {
            if (run_script(rt, path) != 0) result = kErrNoScript;
        } catch (const ScriptError& e) {
            result = e.code;
        }
        rt.out.close_redirect();
        return result;
    }
};

TEST_F(HostileScript, HugeFileIsCutAndRuns) {
    std::string path = (dir_ / "huge.scr").string();
    {
        std::ofstream out(path, std::ios::binary);
        std::string line(1023, ';');
        line += '\n';
        for (int i = 0; i < 100 * 1024; ++i) out << line; // 100 MB of comments
    }
    EXPECT_EQ(run(path), -1);
}

TEST_F(HostileScript, RandomBytesEndCleanly) {
    std::mt19937 rng(12345);
    for (int round = 0; round < 50; ++round) {
        std::string body(4096, '\0');
        for (char& c : body) c = char(rng());
        int result = run(write("random.scr", body));
        EXPECT_TRUE(result == -1 || (result >= 0 && result <= 18)) << result;
    }
}

TEST_F(HostileScript, LongUnterminatedStringIsOneToken) {
    // Cut at 64000 characters, the string is still longer than a token may be.
    EXPECT_EQ(run(write("string.scr", "\"" + std::string(100000, 's'))), kErrTooLong);
    EXPECT_EQ(run(write("short.scr", "\"" + std::string(30000, 's'))), -1);
}

TEST_F(HostileScript, ManyLabels) {
    std::string body = "GOTO L5000\n";
    for (int i = 0; i < 200000; ++i) body += ":L" + std::to_string(i) + "\n";
    // Only the labels within the first 64000 characters exist.
    EXPECT_EQ(run(write("labels.scr", body)), -1);
    body.replace(5, 5, "L199999"); // beyond the cut
    EXPECT_EQ(run(write("labels2.scr", body)), kErrLabelNotFound);
}

TEST_F(HostileScript, SelfCallingScriptEnds) {
    std::string path = (dir_ / "self.scr").string();
    write("self.scr", "CALL \"" + path + "\"\n");
    EXPECT_EQ(run(path), kErrOutOfMemory);
}

} // namespace
} // namespace vtx
