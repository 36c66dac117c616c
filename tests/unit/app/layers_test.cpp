// The folders under src/ are layers: a file includes headers of its own layer and the ones
// below it. An upward include needs a reason on its line and a place on the list below.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <utility>

namespace {

namespace fs = std::filesystem;

// Lowest first. The engine is the language core; the folders above it each drive one facility
// and bind their own statements and functions; the checker sits beside them.
const std::map<std::string, int> kLayer = {
    {"platform", 0}, {"screen", 1}, {"engine", 2},  {"console", 3}, {"system", 3},
    {"registry", 3}, {"shell", 4},  {"network", 4}, {"checker", 4}, {"app", 5},
};

// Including file and included header of every upward include there is a reason for.
const std::set<std::pair<std::string, std::string>> kAllowed = {};

struct Include {
    std::string file, header;
    bool has_reason;
};

std::vector<Include> upward_includes(int& files) {
    std::vector<Include> found;
    files = 0;
    fs::path src = fs::path(VTX32_SOURCE_DIR) / "src";
    for (const auto& entry : fs::recursive_directory_iterator(src)) {
        if (!entry.is_regular_file()) continue;
        std::string file = fs::relative(entry.path(), src).generic_string();
        auto own = kLayer.find(file.substr(0, file.find('/')));
        if (own == kLayer.end()) continue;
        ++files;
        std::ifstream in(entry.path());
        for (std::string line; std::getline(in, line);) {
            if (line.rfind("#include \"", 0) != 0) continue;
            std::string header = line.substr(10, line.find('"', 10) - 10);
            auto theirs = kLayer.find(header.substr(0, header.find('/')));
            if (theirs == kLayer.end() || theirs->second <= own->second) continue;
            found.push_back({file, header, line.find("// upward:") != std::string::npos});
        }
    }
    return found;
}

TEST(Layers, UpwardIncludesAreFewAndListed) {
    int files = 0;
    std::vector<Include> found = upward_includes(files);
    ASSERT_GT(files, 0) << "no sources under " << VTX32_SOURCE_DIR;
    std::set<std::pair<std::string, std::string>> folders;
    for (const Include& i : found) {
        EXPECT_TRUE(kAllowed.count({i.file, i.header}))
            << i.file << " includes " << i.header << " from a higher layer";
        EXPECT_TRUE(i.has_reason) << i.file << ": say why, with // upward: on the line";
        folders.insert(
            {i.file.substr(0, i.file.find('/')), i.header.substr(0, i.header.find('/'))});
    }
    EXPECT_LE(folders.size(), 1u);
}

} // namespace
