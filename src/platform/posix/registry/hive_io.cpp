// Hive files and the store: saving a branch, restoring one over a key, loading and
// unloading a hive as a key of its own.
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include "platform/files.h"
#include "platform/posix/descriptor_io.h"
#include "platform/posix/errno_status.h"
#include "platform/posix/registry/key_store.h"
#include "platform/status.h"

namespace vtx::platform {

using store::kRootId;
using store::Loc;

int32_t Registry::State::read_tree(const Loc& at, HiveKey& out, int depth) {
    if (depth > store::kMaxDepth) return status::kInvalidData;
    Database& d = db(at);
    {
        Query q(d, "SELECT name, type, data FROM vals WHERE key = ?1 ORDER BY rowid");
        q.bind(1, at.id);
        int rc;
        while ((rc = q.step()) == SQLITE_ROW)
            out.values.push_back({q.text(0), uint32_t(q.integer(1)), q.text(2)});
        if (rc != SQLITE_DONE) return sqlite_status(rc);
    }
    std::vector<std::pair<int64_t, HiveKey>> children;
    {
        Query q(d, "SELECT id, name, class FROM keys WHERE parent = ?1 ORDER BY name");
        q.bind(1, at.id);
        int rc;
        while ((rc = q.step()) == SQLITE_ROW) {
            HiveKey k;
            k.name = q.text(1);
            k.class_name = q.text(2);
            children.emplace_back(q.integer(0), std::move(k));
        }
        if (rc != SQLITE_DONE) return sqlite_status(rc);
    }
    for (auto& [id, k] : children) {
        int32_t status = read_tree({at.db, id}, k, depth + 1);
        if (status != 0) return status;
        out.subkeys.push_back(std::move(k));
    }
    return 0;
}

int32_t Registry::State::write_tree(const Loc& at, const HiveKey& tree) {
    for (const HiveValue& v : tree.values) {
        int32_t status = put_value(at, v.name, v.type, v.data);
        if (status != 0) return status;
    }
    for (const HiveKey& k : tree.subkeys) {
        Loc next;
        int32_t status = child_or_new(at, k.name, k.class_name, next);
        if (status == 0) status = write_tree(next, k);
        if (status != 0) return status;
    }
    return 0;
}

int32_t Registry::State::empty_key(const Loc& at) {
    Database& d = db(at);
    Query sub(d, "WITH RECURSIVE below(id) AS (SELECT id FROM keys WHERE parent = ?1 "
                 "UNION ALL SELECT keys.id FROM keys JOIN below ON keys.parent = below.id) "
                 "DELETE FROM keys WHERE id IN below");
    int32_t status = sub.bind(1, at.id).finish();
    if (status != 0) return status;
    Query vals(d, "DELETE FROM vals WHERE key = ?1");
    return vals.bind(1, at.id).finish();
}

int32_t Registry::State::save(RegKey key, const std::string& file) {
    Loc at;
    if (int32_t found = locate(key, at)) return found;
    HiveKey tree;
    {
        Transaction t(db(at), false);
        int32_t status = present(at);
        if (status != 0) return status;
        if (at.id == kRootId) {
            tree.name = "ROOT";
        } else {
            Query q(db(at), "SELECT name FROM keys WHERE id = ?1");
            int rc = q.bind(1, at.id).step();
            if (rc != SQLITE_ROW)
                return rc == SQLITE_DONE ? status::kKeyDeleted : sqlite_status(rc);
            tree.name = q.text(0);
        }
        status = read_tree(at, tree, 0);
        if (status != 0) return status;
    }
    std::string bytes = build_hive(tree);
    std::string path;
    if (int32_t st = resolve_path(file, path)) return st;
    // A hive holds the user's settings: private, as the store is.
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) return errno == EEXIST ? status::kAlreadyExists : status_from_errno(errno, true);
    int err = write_all(fd, bytes);
    if (::close(fd) != 0 && !err) err = errno;
    if (err) {
        ::unlink(path.c_str()); // no half-written hive is left behind
        return status_from_errno(err);
    }
    return 0;
}

int32_t Registry::State::restore(RegKey key, const std::string& file) {
    Loc at;
    if (int32_t found = locate(key, at)) return found;
    HiveKey tree;
    std::string path;
    int32_t status = resolve_path(file, path);
    if (status == 0) status = read_hive(path, tree);
    if (status != 0) return status;
    Database& d = db(at);
    if (!d.writable()) return status::kAccessDenied;
    if (is_users_root(at)) return status::kAccessDenied;
    Transaction t(d, true);
    if (t.status() != 0) return t.status();
    if ((status = present(at)) != 0) return status;
    status = empty_key(at);
    if (status == 0) status = write_tree(at, tree);
    return status == 0 ? t.commit() : status;
}

int32_t Registry::State::load(RegKey root, const std::string& name, const std::string& file) {
    if (root != kUsers && root != kLocalMachine) return status::kInvalidParameter;
    if (name.empty() || name.find('\\') != std::string::npos) return status::kInvalidParameter;
    HiveKey tree;
    std::string path;
    int32_t status = resolve_path(file, path);
    if (status == 0) status = read_hive(path, tree);
    if (status != 0) return status;
    Loc at;
    if (int32_t found = locate(root, at)) return found;
    Database& d = db(at);
    if (!d.writable()) return status::kAccessDenied;
    Transaction t(d, true);
    if (t.status() != 0) return t.status();
    Loc existing;
    status = child(at, name, existing);
    if (status == 0) return status::kAccessDenied; // in use
    if (status != status::kFileNotFound) return status;
    tree.name = name;
    HiveKey holder;
    holder.subkeys.push_back(std::move(tree));
    status = write_tree(at, holder);
    return status == 0 ? t.commit() : status;
}

int32_t Registry::State::unload(RegKey root, const std::string& name) {
    Loc at;
    if (root != kUsers && root != kLocalMachine) return status::kInvalidParameter;
    if (int32_t found = locate(root, at)) return found;
    Database& d = db(at);
    if (!d.writable()) return status::kAccessDenied;
    Transaction t(d, true);
    if (t.status() != 0) return t.status();
    Loc key;
    int32_t status = child(at, name, key);
    if (status != 0 || key.db != at.db) return status ? status : status::kAccessDenied;
    status = empty_key(key);
    if (status != 0) return status;
    Query q(d, "DELETE FROM keys WHERE id = ?1");
    status = q.bind(1, key.id).finish();
    return status == 0 ? t.commit() : status;
}

} // namespace vtx::platform
