#include <gtest/gtest.h>

#include "shell/progman_commands.h"

namespace vtx {
namespace {

TEST(ProgmanCommands, GroupCommands) {
    EXPECT_EQ(create_group_command("Tools", 0), "[CreateGroup( Tools , 0 )]");
    EXPECT_EQ(delete_group_command("Tools", 1), "[DeleteGroup( Tools , 1 )]");
    EXPECT_EQ(delete_item_command("Editor"), "[DeleteItem( Editor )]");
    EXPECT_EQ(replace_item_command("Editor"), "[ReplaceItem( Editor )]");
}

// A name's comma must not pass its rest off as the common flag; what no field can carry is
// never sent.
TEST(ProgmanCommands, NamesAreData) {
    EXPECT_EQ(create_group_command("Evil,1", 0), "[CreateGroup( \"Evil,1\" , 0 )]");
    EXPECT_EQ(delete_item_command("a)][DeleteGroup(x"), "[DeleteItem( \"a)][DeleteGroup(x\" )]");
    ProgramItem item{"x", "", "", 0, "", 0, 0};
    for (const char* bad : {"say \"hi\"", "two\nlines", "cr\rhere"}) {
        item.name = bad;
        EXPECT_EQ(create_group_command(bad, 0), "") << bad;
        EXPECT_EQ(show_group_command(bad, 1, 0), "") << bad;
        EXPECT_EQ(replace_item_command(bad), "") << bad;
        EXPECT_EQ(add_item_command(item, true), "") << bad;
    }
}

TEST(ProgmanCommands, ShowCommandOutsideOneToEightBecomesOne) {
    EXPECT_EQ(show_group_command("Accessories", 0, 0), "[ShowGroup( Accessories , 1 , 0 )]");
    EXPECT_EQ(show_group_command("A", 9, 1), "[ShowGroup( A , 1 , 1 )]");
    EXPECT_EQ(show_group_command("A", -3, 0), "[ShowGroup( A , 1 , 0 )]");
    EXPECT_EQ(show_group_command("A", 8, 0), "[ShowGroup( A , 8 , 0 )]");
}

TEST(ProgmanCommands, AddItemFormsKeepEmptyFields) {
    ProgramItem item{"notepad.exe", "Editor", "", 0, "C:\\", 0, 0};
    EXPECT_EQ(add_item_command(item, true),
              "[AddItem( notepad.exe , Editor ,  , 0 , , , C:\\ , , 0 , 0 )]");
    item.icon_file = "shell.dll";
    item.icon_index = 3;
    item.minimize = 1;
    item.separate_memory = 1;
    EXPECT_EQ(add_item_command(item, false),
              "[AddItem( notepad.exe , Editor , shell.dll , 3 , , , C:\\ , , 1 )]");
}

} // namespace
} // namespace vtx
