#include <gtest/gtest.h>

#include "registry/key_path.h"

namespace vtx {
namespace {

using namespace platform;

KeyPath parsed(std::string_view path, int32_t expect = 0) {
    KeyPath kp;
    EXPECT_EQ(parse_key_path(path, kp), expect) << path;
    return kp;
}

TEST(KeyPath, RootNamesAnyCaseWithOneBackslashSkipped) {
    struct Case {
        const char* path;
        RegKey root;
        const char* subkey;
    } cases[] = {
        {"HKEY_LOCAL_MACHINE\\Software", kLocalMachine, "Software"},
        {"hkey_local_machine\\software", kLocalMachine, "software"},
        {"HKEY_CURRENT_USER", kCurrentUser, ""},
        {"HKEY_CURRENT_USER\\", kCurrentUser, ""},
        {"HKEY_CURRENT_USER\\\\Software", kCurrentUser, "\\Software"},
        {"HKEY_USERS\\.DEFAULT", kUsers, ".DEFAULT"},
        {"HKEY_CLASSES_ROOT\\.txt", kClassesRoot, ".txt"},
        // Only the name itself is compared.
        {"HKEY_USERSX\\Y", kUsers, "X\\Y"},
        // No short forms, and anything else is a subkey of the current user's root.
        {"HKLM\\Software", kCurrentUser, "HKLM\\Software"},
        {"Software\\Test", kCurrentUser, "Software\\Test"},
        {"HKEY_CURRENT_USE", kCurrentUser, "HKEY_CURRENT_USE"},
        {"", kCurrentUser, ""},
    };
    for (const Case& c : cases) {
        KeyPath kp = parsed(c.path);
        EXPECT_EQ(kp.root, c.root) << c.path;
        EXPECT_EQ(kp.subkey, c.subkey) << c.path;
        EXPECT_EQ(kp.computer, "") << c.path;
    }
}

TEST(KeyPath, ComputerPart) {
    KeyPath kp = parsed("\\\\SERVER\\HKEY_LOCAL_MACHINE\\System");
    EXPECT_EQ(kp.computer, "\\\\SERVER");
    EXPECT_EQ(kp.root, kLocalMachine);
    EXPECT_EQ(kp.subkey, "System");

    kp = parsed("\\\\SERVER\\Software");
    EXPECT_EQ(kp.root, kCurrentUser);
    EXPECT_EQ(kp.subkey, "Software");

    // A long name is not cut to the old 13-character field.
    kp = parsed("\\\\fileserver.example.org\\HKEY_USERS");
    EXPECT_EQ(kp.computer, "\\\\fileserver.example.org");
    EXPECT_EQ(kp.root, kUsers);

    parsed("\\\\SERVER", 1010);
    parsed("\\\\", 1010);
}

TEST(KeyPath, ResolveReleasesOnlyRemoteRoots) {
    Registry reg;
    ResolvedKey rk;
    ASSERT_EQ(resolve_key_path(reg, "HKEY_USERS\\x", rk), 0);
    EXPECT_EQ(rk.root, kUsers);
    EXPECT_EQ(rk.subkey, "x");
    EXPECT_EQ(resolve_key_path(reg, "\\\\SERVER", rk), 1010);
}

} // namespace
} // namespace vtx
