// Registry type names and the text forms in which scripts see value data.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vtx {

// The name of a type code: the first table entry with that code ("REG_DWORD" for 4);
// "REG_NONE" for a code no entry has.
const char* registry_type_name(uint32_t code);
// The code of a type name, case-blind; false when the name is not in the table.
bool registry_type_code(std::string_view name, uint32_t& code);

// The text of stored data of type `code`.
std::string value_to_text(uint32_t code, std::string_view data);
// The data that text of type `code` stores; false for a code above 9 (nothing stored).
bool text_to_value(uint32_t code, std::string_view text, std::string& data);

} // namespace vtx
