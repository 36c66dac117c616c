// Registry hive files (the regf format) for the POSIX store: a writer of fresh hives and a
// reader through libhivex, both working on a branch held in memory.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vtx::platform {

struct HiveValue {
    std::string name;
    uint32_t type = 0;
    std::string data; // as the A calls see it: strings in the ANSI code page
};

struct HiveKey {
    std::string name;
    std::string class_name;
    std::vector<HiveValue> values;
    std::vector<HiveKey> subkeys;
};

// The bytes of a new hive file whose root key is `root`.
std::string build_hive(const HiveKey& root);

// Reads a whole hive file into `root`: 0; 2, 3 or 5 when the file cannot be read; 13 when
// it is not a sound hive (truncated, corrupt, looping, absurdly deep or large).
int32_t read_hive(const std::string& path, HiveKey& root);

} // namespace vtx::platform
