#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>

#include "platform/posix/desktop/desktop_entry.h"
#include "platform/posix/desktop/progman_command.h"
#include "platform/posix/desktop/xdg_menu_files.h"
#include "shell/progman_commands.h"

namespace vtx::platform {
namespace {

using Fields = std::vector<std::string>;

ProgmanCommand parsed(const std::string& text) {
    ProgmanCommand c;
    EXPECT_TRUE(parse_progman_command(text, c)) << text;
    return c;
}

// The substitute reads exactly the texts the shared code builds for the server.
TEST(ProgmanCommand, ReadsTheTextsSentToTheServer) {
    ProgmanCommand c = parsed(create_group_command("Tools", 1));
    EXPECT_EQ(c.verb, "CreateGroup");
    EXPECT_EQ(c.fields, (Fields{"Tools", "1"}));

    ProgramItem item{"notepad.exe", "Editor", "", 0, "C:\\", 1, 1};
    c = parsed(add_item_command(item, true));
    EXPECT_EQ(c.verb, "AddItem");
    EXPECT_EQ(c.fields, (Fields{"notepad.exe", "Editor", "", "0", "", "", "C:\\", "", "1", "1"}));

    c = parsed(show_group_command("My Tools (old)", 0, 0));
    EXPECT_EQ(c.fields, (Fields{"My Tools (old)", "1", "0"}));
    c = parsed(create_group_command("Evil,1", 0));
    EXPECT_EQ(c.fields, (Fields{"Evil,1", "0"}));
    item.name = "A, B [x]";
    EXPECT_EQ(parsed(add_item_command(item, false)).fields[1], "A, B [x]");
}

TEST(ProgmanCommand, QuotesKeepCommasAndStayInCommandLines) {
    EXPECT_EQ(parsed("[CreateGroup( \"Sales, North\" , 0 )]").fields,
              (Fields{"Sales, North", "0"}));
    EXPECT_EQ(parsed("[AddItem( \"C:\\My App\\a.exe\" /x , A )]").fields,
              (Fields{"\"C:\\My App\\a.exe\" /x", "A"}));
}

TEST(ProgmanCommand, OtherShapesAreRefused) {
    ProgmanCommand c;
    for (const char* bad : {"", "[]", "CreateGroup( a )", "[CreateGroup a ]", "[( a )]",
                            "[CreateGroup( a ) x]", "[CreateGroup) a (]", "[CreateGroup( a )"})
        EXPECT_FALSE(parse_progman_command(bad, c)) << bad;
}

TEST(DesktopEntry, ValuesAreEscapedUtf8) {
    EXPECT_EQ(desktop_value("Tools"), "Tools");
    EXPECT_EQ(desktop_value(" C:\\x\ty\nz"), "\\sC:\\\\x\\ty\\nz");
    EXPECT_EQ(desktop_value("Caf\xc3\xa9"), "Caf\xc3\xa9");   // UTF-8 kept
    EXPECT_EQ(desktop_value("Caf\xe9"), "Caf\xc3\xa9");       // Latin-1 converted
    EXPECT_EQ(desktop_value("\xe2\x82"), "\xc3\xa2\xc2\x82"); // cut-off sequence
}

TEST(DesktopEntry, ExecQuotesReservedWordsAndDoublesPercent) {
    EXPECT_EQ(desktop_exec("xterm -e top"), "xterm -e top");
    EXPECT_EQ(desktop_exec("  gedit   a.txt "), "gedit a.txt");
    EXPECT_EQ(desktop_exec("\"/opt/My App/run\" --x=1 50%"), "\"/opt/My App/run\" --x=1 50%%");
    EXPECT_EQ(desktop_exec("sh -c echo$HOME;ls"), "sh -c \"echo\\\\$HOME;ls\"");
    // A backslash is escaped for the quoting, then again for the value.
    EXPECT_EQ(desktop_exec("C:\\a.exe"), "\"C:\\\\\\\\a.exe\"");
    EXPECT_EQ(desktop_exec("run \"\""), "run \"\"");
}

TEST(DesktopEntry, MenuIdsFoldCaseAndNeverCollide) {
    EXPECT_EQ(menu_id("Tools"), "tools");
    EXPECT_EQ(menu_id("TOOLS"), menu_id("tools"));
    EXPECT_EQ(menu_id("My Tools"), "my_20tools");
    EXPECT_NE(menu_id("a b"), menu_id("a_b"));
    EXPECT_EQ(menu_id("a-b/c"), "a_2db_2fc");
}

class MenuFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        char tmpl[] = "/tmp/vtx32-menus-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        root_ = tmpl;
        f_ = {root_ + "/data", root_ + "/config"};
    }
    void TearDown() override { std::filesystem::remove_all(root_); }

    std::string read(const std::string& rel) const {
        std::ifstream in(root_ + "/" + rel);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    bool exists(const std::string& rel) const {
        struct stat st;
        return stat((root_ + "/" + rel).c_str(), &st) == 0;
    }
    void write(const std::string& rel, const std::string& text) const {
        std::ofstream(root_ + "/" + rel) << text;
    }

    std::string root_;
    MenuFolders f_;
};

TEST_F(MenuFiles, GroupsAndItemsBecomeMenuFiles) {
    ASSERT_TRUE(create_group(f_, "Tools"));
    EXPECT_TRUE(group_exists(f_, "TOOLS"));
    EXPECT_NE(read("config/menus/applications-merged/vtx32-tools.menu")
                  .find("<Category>X-vtx32-tools</Category>"),
              std::string::npos);
    EXPECT_EQ(read("data/desktop-directories/vtx32-tools.directory"),
              "[Desktop Entry]\nType=Directory\nName=Tools\nX-VTX32-Group=Tools\n");

    ASSERT_TRUE(add_item(f_, "tools", {"xterm", "Term", "", 0, ""}));
    EXPECT_EQ(read("data/applications/vtx32-tools-term.desktop"),
              "[Desktop Entry]\nType=Application\nName=Term\nExec=xterm\n"
              "Categories=X-vtx32-tools;\nX-VTX32-Group=tools\n");
    // Adding under a name that is there already replaces that item.
    ASSERT_TRUE(add_item(f_, "Tools", {"xterm -e top", "TERM", "", 0, ""}));
    EXPECT_NE(read("data/applications/vtx32-tools-term.desktop").find("Exec=xterm -e top"),
              std::string::npos);

    EXPECT_FALSE(add_item(f_, "Missing", {"xterm", "Term", "", 0, ""}));
    EXPECT_FALSE(add_item(f_, "Tools", {"", "Empty", "", 0, ""}));
    EXPECT_FALSE(delete_item(f_, "Tools", "Nothing"));
    EXPECT_TRUE(delete_item(f_, "Tools", "term"));
    EXPECT_FALSE(exists("data/applications/vtx32-tools-term.desktop"));
}

TEST_F(MenuFiles, DeleteRemovesExactlyWhatVtx32Made) {
    ASSERT_TRUE(create_group(f_, "Tools"));
    ASSERT_TRUE(create_group(f_, "Tools2"));
    ASSERT_TRUE(add_item(f_, "Tools", {"a", "A", "", 0, ""}));
    ASSERT_TRUE(add_item(f_, "Tools2", {"b", "B", "", 0, ""}));
    // Someone else's entry in the group's name space: never replaced, never removed.
    const std::string foreign = "data/applications/vtx32-tools-mine.desktop";
    write(foreign, "[Desktop Entry]\nType=Application\nName=Mine\nExec=mine\n");
    EXPECT_FALSE(add_item(f_, "Tools", {"other", "Mine", "", 0, ""}));
    EXPECT_FALSE(delete_item(f_, "Tools", "Mine"));

    ASSERT_TRUE(delete_group(f_, "tools"));
    EXPECT_FALSE(group_exists(f_, "Tools"));
    EXPECT_FALSE(exists("data/applications/vtx32-tools-a.desktop"));
    EXPECT_FALSE(exists("config/menus/applications-merged/vtx32-tools.menu"));
    EXPECT_FALSE(exists("data/desktop-directories/vtx32-tools.directory"));
    EXPECT_TRUE(exists(foreign));
    EXPECT_TRUE(exists("data/applications/vtx32-tools2-b.desktop"));
    EXPECT_TRUE(group_exists(f_, "Tools2"));
    EXPECT_FALSE(delete_group(f_, "Tools"));
}

TEST_F(MenuFiles, AForeignMenuInTheWayStopsTheGroup) {
    ASSERT_TRUE(create_group(f_, "Probe")); // makes the folders
    write("config/menus/applications-merged/vtx32-tools.menu", "<Menu/>\n");
    EXPECT_FALSE(create_group(f_, "Tools"));
    EXPECT_FALSE(group_exists(f_, "Tools"));
}

TEST(MenuFolders, FollowTheXdgVariables) {
    MenuFolders f;
    setenv("XDG_DATA_DIRS", "/d1:/d2", 1);
    setenv("XDG_CONFIG_DIRS", "/c1:/c2", 1);
    ASSERT_TRUE(menu_folders(true, f));
    EXPECT_EQ(f.data, "/d1");
    EXPECT_EQ(f.config, "/c1");
    unsetenv("XDG_DATA_DIRS");
    unsetenv("XDG_CONFIG_DIRS");
    ASSERT_TRUE(menu_folders(true, f));
    EXPECT_EQ(f.data, "/usr/local/share");
    EXPECT_EQ(f.config, "/etc/xdg");

    std::string home = getenv("HOME") ? getenv("HOME") : "";
    setenv("HOME", "/home/u", 1);
    setenv("XDG_DATA_HOME", "relative/is/ignored", 1);
    unsetenv("XDG_CONFIG_HOME");
    ASSERT_TRUE(menu_folders(false, f));
    EXPECT_EQ(f.data, "/home/u/.local/share");
    EXPECT_EQ(f.config, "/home/u/.config");
    unsetenv("HOME");
    unsetenv("XDG_DATA_HOME");
    EXPECT_FALSE(menu_folders(false, f));
    if (!home.empty()) setenv("HOME", home.c_str(), 1);
}

} // namespace
} // namespace vtx::platform
