#include "engine/variables.h"

#include "engine/text.h"

namespace vtx {

void Variable::clear_text() {
    kind = KIND_INTEGER;
    std::string().swap(text); // gives the buffer back: clear() would keep a long text's memory
}

void Variable::set_string(std::string_view v) {
    kind = KIND_STRING;
    number = 0;
    text.assign(v.data(), v.size());
}

void Variable::take_string(std::string& v) {
    kind = KIND_STRING;
    number = 0;
    text.swap(v);
}

void Variable::append_text(std::string& out) const {
    if (kind == KIND_STRING)
        out += text;
    else
        append_int(out, number);
}

Variable& Variables::create(std::string_view name, int kind) {
    Variable& v = records_.emplace_back();
    v.name.assign(name.substr(0, kNameLength));
    v.kind = kind;
    index_.emplace(fold_copy(v.name), &v); // an existing name keeps its first record
    return v;
}

Variable* Variables::find(std::string_view name) {
    name = name.substr(0, kNameLength);
    key_.assign(name.data(), name.size());
    for (char& c : key_) c = fold(c);
    auto it = index_.find(key_);
    return it == index_.end() ? nullptr : it->second;
}

} // namespace vtx
