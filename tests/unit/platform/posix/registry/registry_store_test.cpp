// The POSIX registry store: real SQLite databases in a temporary folder.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/posix/registry/hive_file.h"
#include "platform/posix/registry/key_store.h"
#include "platform/registry.h"
#include "registry/operations.h"

namespace vtx {
namespace {

using namespace platform;

class RegistryStore : public ::testing::Test {
  protected:
    void SetUp() override {
        char tmpl[] = "/tmp/vtx32-store-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir_ = tmpl;
        setenv("VTX32_REGISTRY", dir_.c_str(), 1);
    }
    void TearDown() override {
        std::string cmd = "rm -rf '" + dir_ + "'";
        ASSERT_EQ(std::system(cmd.c_str()), 0);
    }

    std::string file(const std::string& name) const { return dir_ + "/" + name; }

    // One number from the current user's database, read beside the store.
    int64_t count(const char* sql) {
        sqlite3* db = nullptr;
        EXPECT_EQ(sqlite3_open_v2(file("HKEY_CURRENT_USER.db").c_str(), &db, SQLITE_OPEN_READONLY,
                                  nullptr),
                  SQLITE_OK);
        sqlite3_busy_timeout(db, 5000);
        sqlite3_stmt* s = nullptr;
        EXPECT_EQ(sqlite3_prepare_v2(db, sql, -1, &s, nullptr), SQLITE_OK) << sql;
        int64_t n = sqlite3_step(s) == SQLITE_ROW ? sqlite3_column_int64(s, 0) : -1;
        sqlite3_finalize(s);
        sqlite3_close(db);
        return n;
    }

    std::string dir_;
};

std::string read_text(Registry& reg, std::string_view key, const std::string& name) {
    std::string text;
    uint32_t type = 0;
    EXPECT_EQ(read_value(reg, key, name, text, type), 0) << key << " " << name;
    return text;
}

TEST_F(RegistryStore, NewStoreHasTheStandardKeysAndPrivateUserFile) {
    Registry reg;
    EXPECT_EQ(test_key(reg, "HKEY_CURRENT_USER\\Environment"), 0);
    EXPECT_EQ(test_key(reg, "HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\"
                            "Session Manager\\Environment"),
              0);
    std::string name;
    EXPECT_EQ(
        subkey_name_at(reg, "HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control", 0, name), 0);
    EXPECT_EQ(name, "Session Manager"); // names keep their case
    struct stat st;
    ASSERT_EQ(stat(file("HKEY_CURRENT_USER.db").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST_F(RegistryStore, CaseBlindNamesAndOrders) {
    Registry reg;
    ASSERT_EQ(create_key(reg, "Software\\T\\beta"), 0);
    ASSERT_EQ(create_key(reg, "Software\\T\\Alpha"), 0);
    ASSERT_EQ(create_key(reg, "SOFTWARE\\t\\ALPHA"), 0); // the same key
    for (const char* v : {"zeta", "Eta", "alpha"})
        ASSERT_EQ(write_value(reg, "Software\\T", v, "1", 1), 0);
    ASSERT_EQ(write_value(reg, "Software\\T", "ZETA", "2", 1), 0); // keeps its place
    std::string name;
    std::vector<std::string> keys, values;
    for (int i = 0; subkey_name_at(reg, "Software\\T", i, name) == 0; ++i) keys.push_back(name);
    for (int i = 0; value_name_at(reg, "Software\\T", i, name) == 0; ++i) values.push_back(name);
    EXPECT_EQ(keys, (std::vector<std::string>{"Alpha", "beta"}));
    EXPECT_EQ(values, (std::vector<std::string>{"zeta", "Eta", "alpha"}));
    EXPECT_EQ(read_text(reg, "Software\\T", "Zeta"), "2");
}

// The store's own limit, apart from the hive reader's: 255 characters make a key, 256 are
// refused at every level of the path.
TEST_F(RegistryStore, KeyNamesOf255CharactersButNot256) {
    Registry reg;
    std::string longest(255, 'k');
    ASSERT_EQ(create_key(reg, "Software\\" + longest + "\\below"), 0);
    EXPECT_EQ(test_key(reg, "Software\\" + longest), 0);
    EXPECT_EQ(create_key(reg, "Software\\" + longest + "k"), 87);
    EXPECT_EQ(create_key(reg, "Software\\" + longest + "\\" + longest + "k"), 87);
    EXPECT_EQ(test_key(reg, "Software\\" + longest + "k"), 87);
}

TEST_F(RegistryStore, ViewsOfClassesAndUsers) {
    Registry reg;
    ASSERT_EQ(create_key(reg, "HKEY_CLASSES_ROOT\\.vtx"), 0);
    EXPECT_EQ(test_key(reg, "HKEY_LOCAL_MACHINE\\Software\\Classes\\.VTX"), 0);
    ASSERT_EQ(write_value(reg, "Software", "Mark", "here", 1), 0);
    // The current user's tree appears under HKEY_USERS among the stored keys, by name.
    std::string first, second, user;
    ASSERT_EQ(subkey_name_at(reg, "HKEY_USERS", 0, first), 0);
    ASSERT_EQ(subkey_name_at(reg, "HKEY_USERS", 1, user), 0);
    EXPECT_EQ(first, ".DEFAULT");
    EXPECT_EQ(read_text(reg, "HKEY_USERS\\" + user + "\\Software", "Mark"), "here");
    EXPECT_EQ(subkey_name_at(reg, "HKEY_USERS", 2, second), 259);
    EXPECT_EQ(delete_key(reg, "HKEY_USERS\\" + user), 5);
    EXPECT_EQ(delete_key(reg, "HKEY_CURRENT_USER"), 5);
}

TEST_F(RegistryStore, HandleOfADeletedKey) {
    Registry reg;
    ASSERT_EQ(create_key(reg, "Software\\Gone"), 0);
    RegKey key;
    ASSERT_EQ(reg.open_key(kCurrentUser, "Software\\Gone", KeyAccess::write, key), 0);
    ASSERT_EQ(delete_key(reg, "Software\\Gone"), 0);
    EXPECT_EQ(reg.set_value(key, "v", 1, "x"), 1018);
    RegKey sub;
    EXPECT_EQ(reg.create_key(key, "child", "", KeyAccess::write, sub), 1018);
    reg.close_key(key);
    EXPECT_EQ(count("SELECT count(*) FROM vals WHERE key NOT IN (SELECT id FROM keys)"), 0);
}

TEST_F(RegistryStore, TwoProcessesWritingTheSameKeyLoseNothing) {
    {
        Registry reg;
        ASSERT_EQ(create_key(reg, "Software\\Shared"), 0);
    }
    pid_t pids[2];
    for (int p = 0; p < 2; ++p) {
        pids[p] = fork();
        ASSERT_GE(pids[p], 0);
        if (pids[p] == 0) {
            Registry reg;
            int bad = 0;
            for (int i = 0; i < 1000; ++i) {
                std::string name = "p" + std::to_string(p) + "_" + std::to_string(i);
                bad += write_value(reg, "Software\\Shared", name, std::to_string(i), 4) != 0;
            }
            _exit(bad ? 1 : 0);
        }
    }
    for (pid_t pid : pids) {
        int st = 0;
        ASSERT_EQ(waitpid(pid, &st, 0), pid);
        EXPECT_TRUE(WIFEXITED(st) && WEXITSTATUS(st) == 0);
    }
    Registry reg;
    std::string name;
    int n = 0;
    while (value_name_at(reg, "Software\\Shared", n, name) == 0) ++n;
    EXPECT_EQ(n, 2000);
    EXPECT_EQ(read_text(reg, "Software\\Shared", "p0_999"), "999");
    EXPECT_EQ(read_text(reg, "Software\\Shared", "p1_0"), "0");
}

// Walks a branch through the store's own interface, reading every value.
int walk(Registry& reg, const std::string& path) {
    int keys = 1;
    std::string name, text;
    uint32_t type;
    for (int i = 0; value_name_at(reg, path, i, name) == 0; ++i)
        EXPECT_EQ(read_value(reg, path, name, text, type), 0);
    std::vector<std::string> subs;
    for (int i = 0; subkey_name_at(reg, path, i, name) == 0; ++i) subs.push_back(name);
    for (const std::string& s : subs) keys += walk(reg, path + "\\" + s);
    return keys;
}

TEST_F(RegistryStore, KilledDuringDeleteTreeLeavesAConsistentStore) {
    const char* branch = "Software\\Big";
    {
        Registry reg;
        for (int a = 0; a < 20; ++a) {
            for (int b = 0; b < 20; ++b) {
                for (int c = 0; c < 10; ++c) {
                    std::string key = std::string(branch) + "\\a" + std::to_string(a) + "\\b" +
                                      std::to_string(b) + "\\c" + std::to_string(c);
                    ASSERT_EQ(create_key(reg, key), 0);
                    ASSERT_EQ(write_value(reg, key, "v", "data", 1), 0);
                }
            }
        }
    }
    int64_t before = count("SELECT count(*) FROM keys");
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        Registry reg;
        _exit(delete_tree(reg, branch) == 0 ? 0 : 1);
    }
    // Kill it once a good part, but not all, of the branch is gone.
    while (count("SELECT count(*) FROM keys") > before - 1500) usleep(500);
    kill(pid, SIGKILL);
    int st = 0;
    ASSERT_EQ(waitpid(pid, &st, 0), pid);
    ASSERT_TRUE(WIFSIGNALED(st)) << "the deletion ended before it could be interrupted";

    int64_t left = count("SELECT count(*) FROM keys");
    EXPECT_LT(left, before);
    EXPECT_EQ(count("SELECT count(*) FROM pragma_integrity_check WHERE integrity_check <> 'ok'"),
              0);
    EXPECT_EQ(count("SELECT count(*) FROM pragma_foreign_key_check"), 0);
    EXPECT_EQ(count("SELECT count(*) FROM vals WHERE key NOT IN (SELECT id FROM keys)"), 0);
    EXPECT_EQ(count("WITH RECURSIVE r(id) AS (SELECT 1 UNION ALL SELECT keys.id FROM keys "
                    "JOIN r ON keys.parent = r.id) SELECT count(*) FROM r"),
              left);

    Registry reg;
    int below = walk(reg, std::string("HKEY_CURRENT_USER\\") + branch);
    EXPECT_GT(below, 1);
    EXPECT_EQ(delete_tree(reg, branch), 0);
    EXPECT_EQ(test_key(reg, branch), 2);
    EXPECT_EQ(count("SELECT count(*) FROM vals"), 0);
}

// A branch with what hives must carry: classes, every kind of data, big data, names
// beyond ASCII, and more subkeys than one list leaf holds.
void build_branch(Registry& reg, const std::string& root) {
    ASSERT_EQ(create_key(reg, root), 0);
    RegKey key, sub;
    ASSERT_EQ(reg.open_key(kCurrentUser, root, KeyAccess::write, key), 0);
    ASSERT_EQ(reg.create_key(key, "Classy", "MyClass", KeyAccess::write, sub), 0);
    reg.close_key(sub);
    reg.close_key(key);
    ASSERT_EQ(write_value(reg, root, "", "default", 1), 0);
    ASSERT_EQ(write_value(reg, root, "Multi", "one|t||wo|", 7), 0);
    ASSERT_EQ(write_value(reg, root, "Expand", "%PATH%;x", 2), 0);
    ASSERT_EQ(write_value(reg, root, "Num", "-5", 4), 0);
    ASSERT_EQ(write_value(reg, root, "Empty", "", 3), 0);
    ASSERT_EQ(write_value(reg, root, "Big", std::string(40000, 'a'), 3), 0);
    ASSERT_EQ(write_value(reg, root, "Caf\xe9", "\xe0 la carte", 1), 0);
    for (int i = 0; i < 1100; ++i)
        ASSERT_EQ(create_key(reg, root + "\\Many\\k" + std::to_string(i)), 0);
}

void expect_branch(Registry& reg, const std::string& root) {
    EXPECT_EQ(read_text(reg, root, ""), "default");
    EXPECT_EQ(read_text(reg, root, "Multi"), "one|t||wo|");
    EXPECT_EQ(read_text(reg, root, "Expand"), "%PATH%;x");
    EXPECT_EQ(read_text(reg, root, "Num"), "-5");
    EXPECT_EQ(read_text(reg, root, "Empty"), "");
    EXPECT_TRUE(read_text(reg, root, "Big") == std::string(40000, 'a')); // 20000 bytes 0xaa
    // Case-blind over A to Z only: the accented letter must match exactly.
    EXPECT_EQ(read_text(reg, root, "CAF\xe9"), "\xe0 la carte");
    RegKey key;
    ASSERT_EQ(reg.open_key(kCurrentUser, root, KeyAccess::read, key), 0);
    std::string name, cls;
    ASSERT_EQ(reg.enum_key(key, 0, name, &cls), 0);
    EXPECT_EQ(name, "Classy");
    EXPECT_EQ(cls, "MyClass");
    reg.close_key(key);
    std::string last;
    EXPECT_EQ(subkey_name_at(reg, root + "\\Many", 1099, last), 0);
    EXPECT_EQ(last, "k999");
}

TEST_F(RegistryStore, HiveSaveAndRestoreRoundTrip) {
    Registry reg;
    build_branch(reg, "Software\\Src");
    std::string hive = file("branch.hiv");
    EXPECT_EQ(hive_save(reg, "Software\\Src", hive), 0);
    EXPECT_EQ(hive_save(reg, "Software\\Src", hive), 0); // replaces the file

    ASSERT_EQ(create_key(reg, "Software\\Dst\\Stray"), 0);
    ASSERT_EQ(write_value(reg, "Software\\Dst", "Stray", "x", 1), 0);
    EXPECT_EQ(hive_load(reg, true, "Software\\Dst", hive), 0);
    expect_branch(reg, "Software\\Dst");
    EXPECT_EQ(test_key(reg, "Software\\Dst\\Stray"), 2);
    std::string text;
    uint32_t type;
    EXPECT_EQ(read_value(reg, "Software\\Dst", "Stray", text, type), 2);
    EXPECT_EQ(hive_load(reg, true, "Software\\Missing", hive), 2);
}

TEST_F(RegistryStore, HiveCopyKeepsValuesAndClassesAndClearsSubkeys) {
    Registry reg;
    build_branch(reg, "Software\\Src");
    std::string hive = file("branch.hiv");
    ASSERT_EQ(hive_save(reg, "Software\\Src", hive), 0);
    ASSERT_EQ(create_key(reg, "Software\\Dst\\Old"), 0);
    ASSERT_EQ(write_value(reg, "Software\\Dst", "Own", "mine", 1), 0);
    ASSERT_EQ(write_value(reg, "Software\\Dst", "Num", "1", 4), 0);
    EXPECT_EQ(hive_load(reg, false, "Software\\Dst", hive), 0);
    expect_branch(reg, "Software\\Dst");
    EXPECT_EQ(read_text(reg, "Software\\Dst", "Own"), "mine");
    EXPECT_EQ(test_key(reg, "Software\\Dst\\Old"), 2);
    EXPECT_EQ(test_key(reg, "HKEY_USERS\\TEMP_HIVE"), 2);
    // The copy creates a missing key; a missing file leaves it created and empty.
    EXPECT_EQ(hive_load(reg, false, "Software\\New", hive), 0);
    EXPECT_EQ(read_text(reg, "Software\\New", "Num"), "-5");
    EXPECT_EQ(hive_load(reg, false, "Software\\Empty", file("none.hiv")), 2);
    std::string name;
    EXPECT_EQ(subkey_name_at(reg, "Software\\Empty", 0, name), 259);
}

TEST_F(RegistryStore, DamagedHivesGiveAStatusNeverACrash) {
    Registry reg;
    build_branch(reg, "Software\\Src");
    std::string hive = file("good.hiv");
    ASSERT_EQ(hive_save(reg, "Software\\Src", hive), 0);
    std::ifstream in(hive, std::ios::binary);
    std::string good((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(good.size(), 8192u);

    std::mt19937 rng(12345);
    std::string bad = file("bad.hiv");
    int refused = 0;
    for (int round = 0; round < 300; ++round) {
        std::string bytes = good;
        if (round % 3 == 0) {
            bytes.resize(rng() % bytes.size());
        } else {
            for (int i = 0; i < 1 + round % 8; ++i) bytes[rng() % bytes.size()] = char(rng());
        }
        std::ofstream(bad, std::ios::binary | std::ios::trunc) << bytes;
        HiveKey tree;
        int32_t status = read_hive(bad, tree);
        EXPECT_TRUE(status == 0 || status == 13) << status;
        refused += status == 13;
    }
    EXPECT_GT(refused, 100);

    std::ofstream(bad, std::ios::binary | std::ios::trunc) << good.substr(0, 5000);
    ASSERT_EQ(create_key(reg, "Software\\Target\\Keep"), 0);
    EXPECT_EQ(hive_load(reg, true, "Software\\Target", bad), 13);
    EXPECT_EQ(test_key(reg, "Software\\Target\\Keep"), 0);
}

TEST_F(RegistryStore, HiveKeyNamesNoWalkCanTakeAreRefused) {
    for (const std::string& name : {std::string(), std::string("A\\B"), std::string(256, 'L')}) {
        HiveKey root{"ROOT", "", {}, {{"Fine", "", {}, {{name, "", {}, {}}}}}};
        std::ofstream(file("odd.hiv"), std::ios::binary | std::ios::trunc) << build_hive(root);
        HiveKey tree;
        EXPECT_EQ(read_hive(file("odd.hiv"), tree), 13) << name.size();
    }
    HiveKey root{"ROOT", "", {{"T", 0xFFFF0010u, "raw"}}, {{std::string(255, 'L'), "", {}, {}}}};
    std::ofstream(file("ok.hiv"), std::ios::binary | std::ios::trunc) << build_hive(root);
    HiveKey tree;
    ASSERT_EQ(read_hive(file("ok.hiv"), tree), 0);
    EXPECT_EQ(tree.values.at(0).type, 0xFFFF0010u);
}

TEST_F(RegistryStore, TreeWalksStopAtANameThatWouldRevisitAKey) {
    {
        Registry reg;
        ASSERT_EQ(create_key(reg, "Software\\Planted\\AB"), 0);
    }
    // What a damaged store (or an older release's hive load) could hold.
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file("HKEY_CURRENT_USER.db").c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "UPDATE keys SET name = '' WHERE name = 'AB'", 0, 0, 0), SQLITE_OK);
    sqlite3_close(db);
    Registry reg;
    EXPECT_EQ(delete_tree(reg, "Software\\Planted"), 1010);
    RegKey target, source;
    ASSERT_EQ(reg.create_key(kCurrentUser, "Software\\Copy", "", KeyAccess::all, target), 0);
    ASSERT_EQ(reg.open_key(kCurrentUser, "Software\\Planted", KeyAccess::read, source), 0);
    EXPECT_EQ(copy_branch(reg, target, source), 1010);
    reg.close_key(target);
    reg.close_key(source);
}

// Without HOME the store once landed in "/.local/share" (as root) or nowhere.
TEST(StoreFolder, HomeFromThePasswordDatabaseWhenHomeIsUnsetOrEmpty) {
    const std::string account = "/home/u/.local/share/vtx32/registry";
    EXPECT_EQ(store::user_folder(nullptr, nullptr, "/home/u"), account);
    EXPECT_EQ(store::user_folder("", "", "/home/u"), account);
    EXPECT_EQ(store::user_folder(nullptr, "/h", "/home/u"), "/h/.local/share/vtx32/registry");
    EXPECT_EQ(store::user_folder("/x", "/h", "/home/u"), "/x/vtx32/registry");
}

} // namespace
} // namespace vtx
