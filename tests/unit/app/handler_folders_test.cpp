// A handler lives in the folder whose table binds it, so a reader who finds a statement's
// binding knows where its code is without searching.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/handler_tables.h"

namespace vtx {
namespace {

namespace fs = std::filesystem;

std::string top_folder(const std::string& relative) {
    return relative.substr(0, relative.find('/'));
}

bool word_char(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

size_t skip_word(const std::string& s, size_t i) {
    while (i < s.size() && word_char(s[i])) ++i;
    return i;
}

// The handler of a table entry `{KW_NAME, handler}` starting at `at`, or "" when none is.
// Plain scanning rather than <regex>: g++ 12 warns inside <regex> under the sanitizer build.
std::string bound_handler(const std::string& s, size_t at) {
    size_t i = skip_word(s, at + 4);
    if (i >= s.size() || s[i] != ',') return "";
    while (++i < s.size() && std::isspace(static_cast<unsigned char>(s[i]))) {
    }
    size_t end = skip_word(s, i);
    return end > i && end < s.size() && s[end] == '}' ? s.substr(i, end - i) : "";
}

// The handler a line defines (`void cmd_x(Runtime& ...` without a `;`), or "".
std::string defined_handler(const std::string& line) {
    for (const char* prefix : {"void cmd_", "void fn_"}) {
        if (line.rfind(prefix, 0) != 0) continue;
        size_t end = skip_word(line, 5);
        if (line.compare(end, 9, "(Runtime&") == 0 && line.find(';') == std::string::npos)
            return line.substr(5, end - 5);
    }
    return "";
}

// Handler name to the folder of the header whose table binds it.
std::map<std::string, std::string> bound_folders(const fs::path& src) {
    std::map<std::string, std::string> bound;
    for (const auto& entry : fs::recursive_directory_iterator(src)) {
        if (entry.path().extension() != ".h") continue;
        std::ifstream in(entry.path());
        std::stringstream text;
        text << in.rdbuf();
        std::string content = text.str();
        std::string folder = top_folder(fs::relative(entry.path(), src).generic_string());
        for (size_t at = 0; (at = content.find('{', at)) != std::string::npos; ++at) {
            if (content.compare(at + 1, 3, "KW_") != 0 && content.compare(at + 1, 3, "FN_") != 0)
                continue;
            std::string handler = bound_handler(content, at);
            if (!handler.empty()) bound[handler] = folder;
        }
    }
    return bound;
}

// Handler name to the folders of the files that define it (a definition, not a declaration).
std::map<std::string, std::vector<std::string>> defining_folders(const fs::path& src) {
    std::map<std::string, std::vector<std::string>> defined;
    for (const auto& entry : fs::recursive_directory_iterator(src)) {
        if (entry.path().extension() != ".cpp") continue;
        std::string folder = top_folder(fs::relative(entry.path(), src).generic_string());
        std::ifstream in(entry.path());
        for (std::string line; std::getline(in, line);) {
            std::string handler = defined_handler(line);
            if (!handler.empty()) defined[handler].push_back(folder);
        }
    }
    return defined;
}

TEST(HandlerFolders, EveryHandlerIsDefinedInTheFolderThatBindsIt) {
    fs::path src = fs::path(VTX32_SOURCE_DIR) / "src";
    std::map<std::string, std::string> bound = bound_folders(src);
    std::map<std::string, std::vector<std::string>> defined = defining_folders(src);

    // The scan must see every binding the dispatch tables hold, or it proves nothing.
    size_t bindings = 0;
    for (auto table : kCommandTables) bindings += table.size();
    for (auto table : kFunctionTables) bindings += table.size();
    EXPECT_EQ(bound.size(), bindings) << "a table entry the scan did not read";

    for (const auto& [handler, folder] : bound) {
        auto found = defined.find(handler);
        ASSERT_NE(found, defined.end()) << handler << ": no definition found under src/";
        ASSERT_EQ(found->second.size(), 1u) << handler << " is defined more than once";
        EXPECT_EQ(found->second.front(), folder)
            << handler << " is bound in " << folder << "/ but defined in " << found->second.front()
            << "/";
    }
}

} // namespace
} // namespace vtx
