// The registry layer's operations on key paths. Each resolves its path, does one job,
// closes what it opened, releases the root and returns a Win32-numbered status.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/registry.h"

namespace vtx {

// Values (value_io.cpp). `text` is empty and `type` 0 unless the read succeeds.
int32_t read_value(platform::Registry& reg, std::string_view path, const std::string& name,
                   std::string& text, uint32_t& type);
// The key must exist: 2 when it does not; 1 for a type code above 9.
int32_t write_value(platform::Registry& reg, std::string_view path, const std::string& name,
                    std::string_view text, uint32_t type);
int32_t delete_value(platform::Registry& reg, std::string_view path, const std::string& name);

// Keys (key_ops.cpp).
int32_t create_key(platform::Registry& reg, std::string_view path);
int32_t delete_key(platform::Registry& reg, std::string_view path);
// 0 when the key can be opened for reading, else the opening failure.
int32_t test_key(platform::Registry& reg, std::string_view path);
// The subkey or value name at `index`: 259 past the last one; `name` empty on failure.
int32_t subkey_name_at(platform::Registry& reg, std::string_view path, int32_t index,
                       std::string& name);
int32_t value_name_at(platform::Registry& reg, std::string_view path, int32_t index,
                      std::string& name);

// Branches (key_tree.cpp).
int32_t delete_tree(platform::Registry& reg, std::string_view path);
// Deletes every key below an open key, always taking the first one; stops at the first
// failure without retrying. 259 when all are gone; 1010 for a subkey name no walk can
// take (empty, or holding a backslash), which only a damaged store holds.
int32_t clear_subkeys(platform::Registry& reg, platform::RegKey key);
// Copies the branch below `source` into `target`: subkeys (with their classes) before
// values, types and data byte for byte. 0 or the first failure (1010 as clear_subkeys).
int32_t copy_branch(platform::Registry& reg, platform::RegKey target, platform::RegKey source);

// Hive files (hive.cpp).
int32_t hive_save(platform::Registry& reg, std::string_view path, const std::string& file);
// `nt` picks the in-place restore; otherwise the file is mounted as a temporary hive and
// copied into the key, which is created when missing.
int32_t hive_load(platform::Registry& reg, bool nt, std::string_view path, const std::string& file);

} // namespace vtx
