// Initialisation-file text: reading, listing and rewriting, as pure transformations of the
// file's contents. Section and key names compare case-blind over A to Z; names and values
// lose their surrounding blanks, and a value in matching quotes loses them too. Lines
// starting with ';' are comments. Only the first section of a name counts.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vtx::ini {

// The value of `key` in `section`; empty when either is missing.
std::string read_value(std::string_view text, std::string_view section, std::string_view key);

// The section names, in file order, each once.
std::vector<std::string> section_names(std::string_view text);

// The key names of `section`, in file order, each once; none when the section is missing.
std::vector<std::string> key_names(std::string_view text, std::string_view section);

// The text with `key` of `section` set to `*value`, or removed when `value` is null. A
// missing section is added at the end and a missing key after the section's last key;
// every other line stays as it was, and new lines take the text's own line ends.
std::string write_value(std::string_view text, std::string_view section, std::string_view key,
                        const std::string* value);

} // namespace vtx::ini
