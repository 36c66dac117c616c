// A handler lives in the folder whose table binds it, so a reader who finds a statement's
// binding knows where its code is without searching.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
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

// Handler name to the folder of the header whose table binds it.
std::map<std::string, std::string> bound_folders(const fs::path& src) {
    std::map<std::string, std::string> bound;
    const std::regex binding(R"(\{(?:KW|FN)_\w+,\s*(\w+)\})");
    for (const auto& entry : fs::recursive_directory_iterator(src)) {
        if (entry.path().extension() != ".h") continue;
        std::ifstream in(entry.path());
        std::stringstream text;
        text << in.rdbuf();
        std::string content = text.str();
        std::string folder = top_folder(fs::relative(entry.path(), src).generic_string());
        for (std::sregex_iterator m(content.begin(), content.end(), binding), end; m != end; ++m)
            bound[(*m)[1]] = folder;
    }
    return bound;
}

// Handler name to the folders of the files that define it (a definition, not a declaration).
std::map<std::string, std::vector<std::string>> defining_folders(const fs::path& src) {
    std::map<std::string, std::vector<std::string>> defined;
    const std::regex definition(R"(^void ((?:cmd|fn)_\w+)\(Runtime&[^;]*$)");
    for (const auto& entry : fs::recursive_directory_iterator(src)) {
        if (entry.path().extension() != ".cpp") continue;
        std::string folder = top_folder(fs::relative(entry.path(), src).generic_string());
        std::ifstream in(entry.path());
        std::smatch m;
        for (std::string line; std::getline(in, line);)
            if (std::regex_match(line, m, definition)) defined[m[1]].push_back(folder);
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
