// The drive table and the path resolver against ordinary folders standing in for GVfs's
// FUSE folders: what a script path resolves to does not depend on who serves the files.
#include "platform/posix/system/drive_table.h"

#include <atomic>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "platform/files.h"
#include "platform/network.h"

namespace vtx::platform {
namespace {

namespace fs = std::filesystem;

// The resolved path, or "status N" when it cannot be reached.
std::string resolved(std::string_view path) {
    std::string out;
    int32_t st = resolve_network_path(path, out);
    return st ? "status " + std::to_string(st) : out;
}

class DriveTable : public ::testing::Test {
  protected:
    void SetUp() override {
        char tmpl[] = "/tmp/vtx32-drive-test.XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        rt_ = tmpl;
        const char* old = std::getenv("XDG_RUNTIME_DIR");
        had_old_ = old != nullptr;
        if (old) old_ = old;
        setenv("XDG_RUNTIME_DIR", rt_.c_str(), 1);
        home_ = share("smb-share:server=files,share=home");
        std::ofstream(home_ + "/ReadMe.txt") << "hi\n";
        fs::create_directory(home_ + "/Docs");
    }
    void TearDown() override {
        if (had_old_)
            setenv("XDG_RUNTIME_DIR", old_.c_str(), 1);
        else
            unsetenv("XDG_RUNTIME_DIR");
        fs::remove_all(rt_);
    }
    // A folder where GVfs would show a mounted share.
    std::string share(const std::string& name) {
        std::string dir = rt_ + "/gvfs/" + name;
        fs::create_directories(dir);
        return dir;
    }
    std::string rt_, home_, old_;
    bool had_old_ = false;
};

TEST_F(DriveTable, LettersResolveInEveryFormAScriptWrites) {
    ASSERT_EQ(record_drive("h:", "\\\\FILES\\HOME", home_), 0);
    EXPECT_EQ(resolved("H:"), home_);
    EXPECT_EQ(resolved("h:\\ReadMe.txt"), home_ + "/ReadMe.txt");
    EXPECT_EQ(resolved("H:ReadMe.txt"), home_ + "/ReadMe.txt");
    EXPECT_EQ(native_path("H:\\docs\\readme.TXT"), home_ + "/docs/readme.TXT");
    EXPECT_EQ(native_path("H:\\readme.txt"), home_ + "/ReadMe.txt"); // case-blind last part
    EXPECT_TRUE(path_exists(native_path("h:\\Docs")));
    // Unmapped letters and plain paths are left alone.
    EXPECT_EQ(resolved("Q:\\x"), "Q:\\x");
    EXPECT_EQ(resolved("notes.txt"), "notes.txt");
    EXPECT_EQ(resolved(""), "");
}

TEST_F(DriveTable, UncPathsFindTheMountedShareByLetterOrByGvfs) {
    std::string sales = share("smb-share:server=files,share=sales,user=clerk1");
    EXPECT_EQ(resolved("\\\\files\\sales\\q1.txt"), sales + "/q1.txt");
    EXPECT_EQ(resolved("//FILES/Sales"), sales);
    EXPECT_EQ(resolved("\\\\FILES\\HOME\\ReadMe.txt"), home_ + "/ReadMe.txt");
    // Not mounted, or not a whole server and share: still the network, never a local path;
    // a share missing on a server that has others mounted is a bad share name.
    EXPECT_EQ(resolved("\\\\files\\other\\x"), "status 67");
    EXPECT_EQ(resolved("\\\\files"), "status 67");
    EXPECT_EQ(resolved("\\\\files\\"), "status 67");
    EXPECT_EQ(resolved("\\\\nas\\home\\x"), "status 53");
    EXPECT_EQ(resolved("//srv/data/old.txt"), "status 53");
    EXPECT_EQ(resolved("\\\\\\share"), "status 53");
    std::string native = "unchanged";
    EXPECT_EQ(resolve_path("\\\\nas\\home\\x", native), 53);
    EXPECT_EQ(native, "");
    EXPECT_EQ(native_path("//srv/data/old.txt"), "");

    // A letter's link wins over GVfs's folder, and names the letter's subfolder only for
    // a remote that was that subfolder.
    ASSERT_EQ(record_drive("D:", "\\\\files\\home\\Docs", home_ + "/Docs"), 0);
    EXPECT_EQ(resolved("\\\\files\\home"), home_);
    std::string other = rt_ + "/elsewhere";
    fs::create_directory(other);
    ASSERT_EQ(record_drive("S:", "\\\\FILES\\SALES", other), 0);
    EXPECT_EQ(resolved("\\\\files\\sales\\x"), other + "/x");
}

TEST_F(DriveTable, TheLogonShareCountsWhenItIsMounted) {
    EXPECT_FALSE(logon_share_mounted(""));
    EXPECT_FALSE(logon_share_mounted("\\\\DC1\\NETLOGON\\"));
    share("smb-share:domain=EXAMPLE,server=dc2.example.test,share=netlogon");
    EXPECT_FALSE(logon_share_mounted("\\\\DC1\\NETLOGON\\"));
    // Kerberos mounts name the controller by its DNS name; @LSERVER has its first label.
    share("smb-share:domain=EXAMPLE,server=dc1.example.test,share=netlogon");
    EXPECT_TRUE(logon_share_mounted("\\\\DC1\\NETLOGON\\"));
    EXPECT_EQ(resolved("\\\\dc1.example.test\\netlogon\\x.scr"),
              rt_ + "/gvfs/smb-share:domain=EXAMPLE,server=dc1.example.test,share=netlogon/x.scr");
    EXPECT_EQ(resolved("\\\\dc1.other.test\\netlogon"), "status 53");
}

TEST_F(DriveTable, GoneMountsAreIgnoredAndTheListIsSorted) {
    ASSERT_EQ(record_drive("S:", "\\\\FILES\\SALES", share("smb-share:server=files,share=s")), 0);
    ASSERT_EQ(record_drive("H:", "\\\\FILES\\HOME", home_), 0);
    ASSERT_EQ(record_drive("K:", "\\\\FILES\\GONE", rt_ + "/gvfs/unmounted"), 0);
    std::vector<DriveEntry> live = live_drives();
    ASSERT_EQ(live.size(), 2u);
    EXPECT_EQ(live[0].device, "H:");
    EXPECT_EQ(live[0].remote, "\\\\FILES\\HOME");
    EXPECT_EQ(live[1].device, "S:");
    DriveEntry k;
    EXPECT_FALSE(find_drive("k:", k));
    EXPECT_EQ(resolved("K:\\x"), "K:\\x");
    EXPECT_EQ(change_drive('k'), 15);

    // The list: letters, then shares GVfs holds without one; a gone link is not listed.
    share("smb-share:domain=EXAMPLE,server=dc1,share=netlogon");
    share("sftp:host=example.test"); // not SMB: no connection of ours
    std::vector<Connection> list;
    bool opened = false;
    EXPECT_EQ(list_connections(list, opened), 0);
    EXPECT_TRUE(opened);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].local, "H:");
    EXPECT_EQ(list[1].local, "S:");
    EXPECT_EQ(list[2].local, "");
    EXPECT_EQ(list[2].remote, "\\\\dc1\\netlogon");

    // Cancelling a letter whose mount is gone forgets it and says it was not connected.
    EXPECT_EQ(cancel_connection("K:"), 2250);
    EXPECT_FALSE(fs::is_symlink(drive_table_folder() + "/K:"));
}

TEST_F(DriveTable, DriveChangeEntersTheMappedFolder) {
    ASSERT_EQ(record_drive("H:", "\\\\FILES\\HOME", home_ + "/Docs"), 0);
    std::string before = fs::current_path();
    EXPECT_EQ(change_drive('h'), 0);
    EXPECT_EQ(fs::current_path(), fs::path(home_ + "/Docs"));
    fs::current_path(before);
}

TEST_F(DriveTable, RecordingReplacesAStaleEntryAndKeepsTheFolderPrivate) {
    ASSERT_EQ(record_drive("H:", "\\\\OLD\\X", rt_ + "/gvfs/gone"), 0);
    ASSERT_EQ(record_drive("H:", "\\\\FILES\\HOME", home_), 0);
    DriveEntry h;
    ASSERT_TRUE(find_drive("H:", h));
    EXPECT_EQ(h.remote, "\\\\FILES\\HOME");
    struct stat st;
    ASSERT_EQ(stat(drive_table_folder().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    // A device text is never a path: nothing outside the table is made or removed.
    std::ofstream(rt_ + "/bus") << "";
    EXPECT_EQ(record_drive("../x", "\\\\a\\b", home_), 1200);
    EXPECT_EQ(cancel_connection("../bus"), 2250);
    EXPECT_TRUE(fs::exists(rt_ + "/bus"));
}

TEST_F(DriveTable, DotsStayBelowTheDriveOrShareRoot) {
    ASSERT_EQ(record_drive("H:", "\\\\FILES\\HOME\\Docs", home_ + "/Docs"), 0);
    EXPECT_EQ(resolved("H:\\..\\..\\etc\\passwd"), home_ + "/Docs/etc/passwd");
    EXPECT_EQ(resolved("H:.."), home_ + "/Docs");
    EXPECT_EQ(resolved("H:\\a\\.\\b\\..\\..\\..\\c"), home_ + "/Docs/c");
    EXPECT_EQ(resolved("\\\\files\\home\\..\\..\\x"), home_ + "/x");
    EXPECT_EQ(resolved("//files/home/Docs/../../.."), home_);
    bool climbed = false;
    EXPECT_EQ(below_root("\\a\\..\\b\\", &climbed), "/b");
    EXPECT_FALSE(climbed);
    EXPECT_EQ(below_root("a/../..", &climbed), "");
    EXPECT_TRUE(climbed);
    // USE refuses a remote name above its share before anything is mounted.
    EXPECT_EQ(add_connection("J:", "\\\\FILES\\HOME\\..\\..\\..", nullptr, nullptr), 67);
}

TEST_F(DriveTable, NothingAnotherUserCouldHavePlantedIsTrusted) {
    ASSERT_EQ(record_drive("H:", "\\\\FILES\\HOME", home_), 0);
    ASSERT_EQ(chmod(rt_.c_str(), 0755), 0); // others may look in: could have written before
    EXPECT_EQ(drive_table_folder(), "");
    EXPECT_EQ(resolved("H:\\ReadMe.txt"), "H:\\ReadMe.txt");
    EXPECT_EQ(resolved("\\\\files\\home"), "status 53");
    EXPECT_EQ(add_connection("J:", "\\\\FILES\\HOME", nullptr, nullptr), 1222);
    ASSERT_EQ(chmod(rt_.c_str(), 0700), 0);
    EXPECT_EQ(resolved("H:"), home_);
    if (geteuid() != 0) GTEST_SKIP() << "planting as another user needs root";
    // Entries of another owner inside the user's folder are ignored one by one.
    ASSERT_EQ(lchown((drive_table_folder() + "/H:").c_str(), 65534, 65534), 0);
    EXPECT_EQ(resolved("H:"), "H:");
    ASSERT_EQ(lchown(home_.c_str(), 65534, 65534), 0);
    EXPECT_EQ(resolved("\\\\files\\home"), "status 67"); // the folder is seen, not used
    std::vector<Connection> list;
    bool opened = false;
    EXPECT_EQ(list_connections(list, opened), 259);
}

TEST_F(DriveTable, OfScriptsTakingOneLetterAtOnceOneGetsIt) {
    ASSERT_EQ(record_drive("Q:", "\\\\FILES\\HOME", home_), 0);
    std::string sales = share("smb-share:server=files,share=sales");
    EXPECT_EQ(record_drive("q:", "\\\\FILES\\SALES", sales), 85);
    std::vector<std::thread> racers;
    std::atomic<int> won{0}, refused{0};
    for (int i = 0; i < 8; ++i) {
        racers.emplace_back([&, i] {
            std::string folder = share("smb-share:server=files,share=r" + std::to_string(i));
            int32_t st = record_drive("R:", "\\\\FILES\\R" + std::to_string(i), folder);
            if (st == 0) ++won;
            if (st == 85) ++refused;
        });
    }
    for (std::thread& t : racers) t.join();
    EXPECT_EQ(won, 1);
    EXPECT_EQ(refused, 7);
    // A script holding the table makes the next one wait for it, not fail.
    int held = open(drive_table_folder().c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_EQ(flock(held, LOCK_EX), 0);
    std::atomic<int32_t> waited{-1};
    std::thread waiter([&] { waited = forget_drive("Q:"); });
    usleep(100 * 1000);
    EXPECT_EQ(waited, -1);
    close(held);
    waiter.join();
    EXPECT_EQ(waited, 0);
    DriveEntry r;
    EXPECT_FALSE(find_drive("Q:", r));
    ASSERT_TRUE(find_drive("R:", r));
    EXPECT_EQ(r.target, rt_ + "/gvfs/smb-share:server=files,share=r" + r.remote.substr(9));
    if (geteuid() == 0) GTEST_SKIP() << "root removes links from any folder";
    // A link that cannot be removed keeps its letter, and cancelling says so.
    ASSERT_EQ(chmod(drive_table_folder().c_str(), 0500), 0);
    EXPECT_EQ(cancel_connection("R:"), 5);
    EXPECT_TRUE(find_drive("R:", r));
    ASSERT_EQ(chmod(drive_table_folder().c_str(), 0700), 0);
}

// The keys of a FUSE folder's name, in whatever order and escaping GVfs writes them: an
// unmount finds its mount by them, and a remount by server and share.
TEST(ShareFolderName, KeysInAnyOrderUnescapedAndMatchedAsAShare) {
    ShareFolderKeys k;
    ASSERT_TRUE(parse_share_folder(
        "smb-share:user=ann,domain=EX,server=files,share=my%20docs,port=4445", k));
    EXPECT_EQ(k.server, "files");
    EXPECT_EQ(k.share, "my docs");
    EXPECT_EQ(k.user, "ann");
    EXPECT_EQ(k.domain, "EX");
    EXPECT_EQ(k.port, "4445");
    ASSERT_TRUE(parse_share_folder("smb-share:server=files,share=home", k));
    EXPECT_TRUE(k.user.empty() && k.domain.empty() && k.port.empty());
    EXPECT_FALSE(parse_share_folder("smb-share:server=files", k));
    EXPECT_FALSE(parse_share_folder("sftp:host=files,share=home", k));

    EXPECT_TRUE(is_share_folder_name("smb-share:server=files,share=home", "FILES", "HOME"));
    EXPECT_TRUE(is_share_folder_name("smb-share:server=dc1.example.test,share=netlogon", "DC1",
                                     "NetLogon"));
    EXPECT_FALSE(is_share_folder_name("smb-share:server=files,share=home", "files", "sales"));
    EXPECT_FALSE(is_share_folder_name("smb-share:server=fs,share=home", "files", "home"));
}

TEST(DriveTableWithoutSession, NothingResolvesAndNothingCanBeRecorded) {
    const char* old = std::getenv("XDG_RUNTIME_DIR");
    std::string saved = old ? old : "";
    unsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(drive_table_folder(), "");
    EXPECT_EQ(resolved("H:\\x"), "H:\\x");
    EXPECT_EQ(record_drive("H:", "\\\\a\\b", "/tmp"), 1222);
    // Nothing is mounted that could not be found again, with a letter or without.
    EXPECT_EQ(add_connection("H:", "\\\\a\\b", nullptr, nullptr), 1222);
    EXPECT_EQ(add_connection("", "\\\\a\\b", nullptr, nullptr), 1222);
    EXPECT_EQ(cancel_connection("H:"), 1222);
    if (old) setenv("XDG_RUNTIME_DIR", saved.c_str(), 1);
}

} // namespace
} // namespace vtx::platform
