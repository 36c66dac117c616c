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

namespace vtx {
namespace {

ScriptSource load_bytes(const std::string& bytes) {
    namespace fs = std::filesystem;
    fs::path path = fs::temp_directory_path() / ("vtx32_bom_" + std::to_string(::getpid()));
    std::ofstream(path, std::ios::binary) << bytes;
    ScriptSource source;
    EXPECT_TRUE(read_script_file(path.string(), source));
    fs::remove(path);
    return source;
}

std::string utf16(std::u16string_view text, bool big_endian) {
    std::string out = big_endian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t c : text) {
        char hi = char(c >> 8), lo = char(c & 0xFF);
        out += big_endian ? std::string{hi, lo} : std::string{lo, hi};
    }
    return out;
}

TEST(ReadScriptFile, ByteOrderMarks) {
    ScriptSource plain = load_bytes("\"a\" ?\r\n");
    EXPECT_EQ(plain.text, "\"a\" ?\n");
    EXPECT_EQ(plain.byte_order_mark, 0);

    ScriptSource utf8 = load_bytes("\xEF\xBB\xBF\"a\" ?\r\n");
    EXPECT_EQ(utf8.text, "\"a\" ?\n");
    EXPECT_EQ(utf8.byte_order_mark, 8);

    // Converted first, then read as text mode reads: CR LF becomes LF.
    ScriptSource le = load_bytes(utf16(u"\"\u00e9\u20ac\" ?\r\n", false));
    EXPECT_EQ(le.text, "\"\xC3\xA9\xE2\x82\xAC\" ?\n");
    EXPECT_EQ(le.byte_order_mark, 16);
    EXPECT_EQ(load_bytes(utf16(u"x\U0001F600", true)).text, "x\xF0\x9F\x98\x80");
    // A lone surrogate cannot be encoded: it becomes U+FFFD.
    EXPECT_EQ(load_bytes(utf16(u"\xD800x", false)).text, "\xEF\xBF\xBDx");
    // A mark later in the text is text.
    EXPECT_EQ(load_bytes("a\xEF\xBB\xBF").byte_order_mark, 0);
}

TEST(ReadScriptFile, LimitCountsTheConvertedText) {
    EXPECT_FALSE(load_bytes(std::string(kMaxScript, 'a')).cut);
    EXPECT_TRUE(load_bytes(std::string(kMaxScript, 'a') + "\r\n").cut);
    ScriptSource cut = load_bytes(std::string(kMaxScript + 1, 'a'));
    EXPECT_TRUE(cut.cut);
    EXPECT_EQ(cut.text.size(), kMaxScript);
    // Each UTF-16 a is one character after conversion, so 64000 of them fit exactly.
    ScriptSource wide = load_bytes(utf16(std::u16string(kMaxScript, u'a'), false));
    EXPECT_FALSE(wide.cut);
    EXPECT_EQ(wide.text.size(), kMaxScript);
    EXPECT_TRUE(load_bytes(utf16(std::u16string(kMaxScript + 1, u'a'), false)).cut);
}

TEST(TextMode, TellsWhetherTextWasLeftOver) {
    std::string out;
    EXPECT_FALSE(text_mode("abc", 3, out));
    EXPECT_TRUE(text_mode("abcd", 3, out));
    EXPECT_TRUE(text_mode("abc\r\n", 3, out)); // the LF would be the fourth character
    EXPECT_FALSE(text_mode("ab\r\n", 3, out));
    EXPECT_FALSE(text_mode("abc\x1a tail", 3, out)); // Ctrl+Z ends the text: nothing is cut
}

} // namespace
} // namespace vtx
