#include "shell/progman_commands.h"

#include "engine/text.h"

namespace vtx {

namespace {

// Builds "[Verb( a , b , ... )]" from its already formatted fields.
class CommandText {
  public:
    explicit CommandText(const char* verb) : text_("[") {
        text_ += verb;
        text_ += "( ";
    }
    CommandText& field(const std::string& value) {
        if (!first_) text_ += " , ";
        first_ = false;
        text_ += value;
        return *this;
    }
    CommandText& field(int32_t value) { return field(format_int(value)); }
    std::string done() { return text_ + " )]"; }

  private:
    std::string text_;
    bool first_ = true;
};

// A name is data: it goes in double quotes when it holds what would end or split its field
// (a comma would otherwise pass its rest off as the next field, such as the common flag).
// The syntax has no escape for a double quote or a line break, so a name holding one cannot
// be sent at all: false.
bool name_field(const std::string& name, std::string& field) {
    for (unsigned char c : name)
        if (c == '"' || c == '\r' || c == '\n') return false;
    field = name.find_first_of(",()[]") == std::string::npos ? name : '"' + name + '"';
    return true;
}

// The command with `name` as its first field, or "" (never sent) for a name it cannot carry.
template <class... Fields>
std::string named_command(const char* verb, const std::string& name, Fields... rest) {
    std::string field;
    if (!name_field(name, field)) return {};
    CommandText text(verb);
    text.field(field);
    (text.field(rest), ...);
    return text.done();
}

} // namespace

std::string create_group_command(const std::string& name, int32_t common) {
    return named_command("CreateGroup", name, common);
}

std::string delete_group_command(const std::string& name, int32_t common) {
    return named_command("DeleteGroup", name, common);
}

std::string show_group_command(const std::string& name, int32_t show, int32_t common) {
    if (show < 1 || show > 8) show = 1;
    return named_command("ShowGroup", name, show, common);
}

std::string replace_item_command(const std::string& name) {
    return named_command("ReplaceItem", name);
}

std::string add_item_command(const ProgramItem& item, bool nt_form) {
    // The fields left empty by the format itself (", , ,") are the item's position and hot
    // key, which are never given; an empty icon file still shows as its own blank field.
    // The command line keeps its own quotes, which its program needs.
    std::string name;
    if (!name_field(item.name, name)) return {};
    std::string text = "[AddItem( " + item.command_line + " , " + name + " , " + item.icon_file +
                       " , " + format_int(item.icon_index) + " , , , " + item.working_dir +
                       " , , " + format_int(item.minimize);
    if (nt_form) text += " , " + format_int(item.separate_memory);
    return text + " )]";
}

std::string delete_item_command(const std::string& name) {
    return named_command("DeleteItem", name);
}

} // namespace vtx
