// OPEN, READLINE and CLOSE on real files, one runtime across several calls.
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "engine/evaluator.h"
#include "engine/runtime.h"
#include "engine/script_error.h"

namespace vtx {
namespace {

namespace fs = std::filesystem;

class FileSlotsTest : public ::testing::Test {
  protected:
    fs::path dir_ = fs::temp_directory_path() / ("vtx32_slots_" + std::to_string(::getpid()));
    Runtime rt;
    std::deque<ScriptText> texts_;

    void SetUp() override { fs::create_directories(dir_); }
    void TearDown() override { fs::remove_all(dir_); }

    std::string path(const std::string& name) { return (dir_ / name).string(); }
    std::string write(const std::string& name, const std::string& body) {
        std::ofstream(path(name), std::ios::binary) << body;
        return path(name);
    }

    // The text of one expression, evaluated on the test's runtime.
    std::string eval(const std::string& expr) {
        texts_.emplace_back(expr);
        rt.tok.attach(&texts_.back());
        std::string out;
        evaluate_expression(rt, out, true);
        return out;
    }
    std::string open(int slot, const std::string& file) {
        return eval("OPEN(" + std::to_string(slot) + ", \"" + file + "\")");
    }
    // "line|code" for one READLINE.
    std::string readline(int slot) {
        std::string line = eval("READLINE(" + std::to_string(slot) + ")");
        return line + "|" + std::to_string(rt.error);
    }
};

TEST_F(FileSlotsTest, OpenChecksInOrderAndCreatesMissingFiles) {
    EXPECT_EQ(open(11, ""), "-1");
    EXPECT_EQ(open(11, path("a.txt")), "-2");
    EXPECT_EQ(open(0, path("a.txt")), "-2");
    EXPECT_FALSE(fs::exists(path("a.txt")));
    EXPECT_EQ(open(1, path("a.txt")), "0");
    EXPECT_TRUE(fs::exists(path("a.txt")));
    EXPECT_EQ(open(1, path("a.txt")), "-3");
    EXPECT_EQ(rt.error, -3);
    EXPECT_EQ(open(2, path("no such folder/a.txt")), "3");
    EXPECT_EQ(open(2, dir_.string()), "5");
    EXPECT_FALSE(rt.files.slots[1].is_open());
}

TEST_F(FileSlotsTest, EveryLineEndEndsOneLine) {
    open(1, write("a.txt", std::string("a\r\nb\nc", 6)));
    EXPECT_EQ(readline(1), "a|0");
    EXPECT_EQ(readline(1), "b|0");
    EXPECT_EQ(readline(1), "c|0");
    EXPECT_EQ(readline(1), "|-1");
    EXPECT_EQ(readline(1), "|-1");

    open(2, write("b.txt", std::string("1\r2\n\r3\x1a"
                                       "4\0"
                                       "5\r\n",
                                       12)));
    for (const char* want : {"1|0", "2|0", "|0", "3|0", "4|0", "5|0", "|-1"})
        EXPECT_EQ(readline(2), want);
}

TEST_F(FileSlotsTest, SlotsThatCannotBeRead) {
    EXPECT_EQ(readline(2), "|-3");
    EXPECT_EQ(readline(11), "|-2");
    open(3, write("empty.txt", ""));
    EXPECT_EQ(readline(3), "|-1"); // an empty file has no lines
}

TEST_F(FileSlotsTest, CloseFreesTheSlotForAnotherFile) {
    EXPECT_EQ(eval("CLOSE(4)"), "0");
    EXPECT_EQ(eval("CLOSE(11)"), "-2");
    open(4, write("a.txt", "first\nsecond\n"));
    EXPECT_EQ(readline(4), "first|0");
    EXPECT_EQ(eval("CLOSE(4)"), "0");
    EXPECT_EQ(readline(4), "|-3");
    open(4, write("b.txt", "other\n"));
    EXPECT_EQ(readline(4), "other|0");
}

TEST_F(FileSlotsTest, LineLengthLimit) {
    open(1, write("ok.txt", std::string(31998, 'x') + "\n"));
    EXPECT_EQ(eval("LEN(READLINE(1))"), "31998");
    open(2, write("long.txt", std::string(31999, 'x')));
    EXPECT_THROW(eval("READLINE(2)"), ScriptError);
    open(3, write("longer.txt", std::string(40000, 'x') + "\r\n"));
    try {
        eval("READLINE(3)");
        FAIL() << "a 40000-character line was read";
    } catch (const ScriptError& e) {
        EXPECT_EQ(e.code, kErrTooLong);
    }
}

TEST_F(FileSlotsTest, LargeFileIsHeldOnceAndReadToTheEnd) {
    std::string file = path("big.txt");
    std::size_t lines = 0, size = 0;
    {
        std::ofstream out(file, std::ios::binary);
        std::string line;
        while (size < (std::size_t(50) << 20)) {
            line = "line " + std::to_string(++lines) + " of a fifty megabyte file............\r\n";
            out << line;
            size += line.size();
        }
    }
    open(1, file);
    std::size_t read = 0;
    std::string last, line;
    while (!(line = eval("READLINE(1)")).empty() || rt.error == 0) {
        ++read;
        last = line;
        if (read == 1) { // the whole file arrived in one block of its own size
            EXPECT_EQ(rt.files.slots[0].contents.size(), size);
            EXPECT_LT(rt.files.slots[0].contents.capacity(), size + 64);
        }
        texts_.clear();
    }
    EXPECT_EQ(rt.error, -1);
    EXPECT_EQ(read, lines);
    EXPECT_EQ(last, "line " + std::to_string(lines) + " of a fifty megabyte file............");
}

} // namespace
} // namespace vtx
