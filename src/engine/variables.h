// The process-wide variable table: first-created-wins, names case-blind over 14 characters.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>

#include "engine/tokens.h"
#include "platform/text_rules.h"

namespace vtx {

struct Variable {
    std::string name; // as written, `$` included, cut to 14 characters
    int kind = KIND_INTEGER;
    int32_t number = 0;
    std::string text; // the value while kind == KIND_STRING

    void set_integer(int32_t v) {
        if (kind != KIND_INTEGER) clear_text();
        number = v;
    }
    void set_string(std::string_view v); // caller has bounded it to 31999 characters
    // set_string by exchange: `v` is left holding the old buffer.
    void take_string(std::string& v);
    // The value as text ("%ld" for an integer), appended.
    void append_text(std::string& out) const;
    int32_t as_integer() const { return kind == KIND_STRING ? text_to_int(text) : number; }

  private:
    void clear_text(); // becomes an integer, giving the text's memory back
};

class Variables {
  public:
    static constexpr std::size_t kNameLength = 14;

    // Appends a new record without looking for an existing one.
    Variable& create(std::string_view name, int kind);
    // The first record whose cut, case-blind name equals the cut `name`, or null.
    Variable* find(std::string_view name);
    std::size_t size() const { return records_.size(); }

  private:
    std::deque<Variable> records_; // stable addresses: the tokenizer may keep pointers
    std::unordered_map<std::string, Variable*> index_;
    std::string key_; // reused for lookups
};

} // namespace vtx
