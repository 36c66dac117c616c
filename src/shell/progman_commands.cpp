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

} // namespace

std::string create_group_command(const std::string& name, int32_t common) {
    return CommandText("CreateGroup").field(name).field(common).done();
}

std::string delete_group_command(const std::string& name, int32_t common) {
    return CommandText("DeleteGroup").field(name).field(common).done();
}

std::string show_group_command(const std::string& name, int32_t show, int32_t common) {
    if (show < 1 || show > 8) show = 1;
    return CommandText("ShowGroup").field(name).field(show).field(common).done();
}

std::string replace_item_command(const std::string& name) {
    return CommandText("ReplaceItem").field(name).done();
}

std::string add_item_command(const ProgramItem& item, bool nt_form) {
    // The fields left empty by the format itself (", , ,") are the item's position and hot
    // key, which are never given; an empty icon file still shows as its own blank field.
    std::string text = "[AddItem( " + item.command_line + " , " + item.name + " , " +
                       item.icon_file + " , " + format_int(item.icon_index) + " , , , " +
                       item.working_dir + " , , " + format_int(item.minimize);
    if (nt_form) text += " , " + format_int(item.separate_memory);
    return text + " )]";
}

std::string delete_item_command(const std::string& name) {
    return CommandText("DeleteItem").field(name).done();
}

} // namespace vtx
