// Text-mode reading of script files: line ends, the end-of-file character and the cut.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "engine/script.h"

namespace vtx {
namespace {

namespace fs = std::filesystem;

std::string read_back(const std::string& bytes, std::size_t limit) {
    fs::path path = fs::temp_directory_path() / ("vtx32_text_" + std::to_string(::getpid()));
    std::ofstream(path, std::ios::binary) << bytes;
    std::string out = "stale";
    EXPECT_TRUE(read_text_file(path.string(), limit, out));
    fs::remove(path);
    return out;
}

TEST(ReadTextFile, LineEndsAndEndOfFile) {
    EXPECT_EQ(read_back("a\r\nb\r\n", 100), "a\nb\n");
    EXPECT_EQ(read_back("a\rb\r", 100), "a\rb\r");   // a lone CR stays
    EXPECT_EQ(read_back("a\r\r\nb", 100), "a\r\nb"); // only the CR before LF goes
    EXPECT_EQ(read_back("ab\x1a"
                        "cd\r\n",
                        100),
              "ab"); // Ctrl+Z ends the text
    EXPECT_EQ(read_back("ab\r\x1a", 100), "ab\r");
    EXPECT_EQ(read_back("", 100), "");
}

TEST(ReadTextFile, CutCountsCharactersAfterConversion) {
    EXPECT_EQ(read_back("abcdef", 4), "abcd");
    EXPECT_EQ(read_back("a\r\nb\r\nc\r\nd", 5), "a\nb\nc");
    EXPECT_EQ(read_back("abc\r\nd", 4), "abc\n");
    EXPECT_EQ(read_back("abc\rd", 4), "abc\r");
}

TEST(ReadTextFile, MissingFileFails) {
    std::string out;
    EXPECT_FALSE(read_text_file("/nonexistent/vtx32/none.scr", 100, out));
}

} // namespace
} // namespace vtx
