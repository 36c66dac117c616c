// The POSIX registry: the seam's calls handed to the store (key_store.h).
#include "platform/posix/registry/key_store.h"
#include "platform/registry.h"
#include "platform/status.h"

namespace vtx::platform {

Registry::Registry() : state_(std::make_unique<State>()) {}
Registry::~Registry() = default;

int32_t Registry::connect(const std::string&, RegKey, RegKey&) {
    return status::kNotSupported; // no remote registry on POSIX
}

int32_t Registry::open_key(RegKey parent, const std::string& subkey, KeyAccess access,
                           RegKey& out) {
    return state_->open(parent, subkey, access, out);
}

int32_t Registry::create_key(RegKey parent, const std::string& subkey,
                             const std::string& class_name, KeyAccess, RegKey& out) {
    return state_->create(parent, subkey, class_name, out);
}

void Registry::close_key(RegKey key) {
    state_->keys.erase(key);
}

int32_t Registry::delete_key(RegKey parent, const std::string& subkey) {
    return state_->remove(parent, subkey);
}

int32_t Registry::enum_key(RegKey key, uint32_t index, std::string& name, std::string* class_name) {
    return state_->enum_key(key, index, name, class_name);
}

int32_t Registry::enum_value(RegKey key, uint32_t index, std::string& name, uint32_t* type,
                             std::string* data) {
    return state_->enum_value(key, index, name, type, data);
}

int32_t Registry::query_value(RegKey key, const std::string& name, uint32_t& type,
                              std::string& data) {
    return state_->query(key, name, type, data);
}

int32_t Registry::set_value(RegKey key, const std::string& name, uint32_t type,
                            std::string_view data) {
    return state_->set(key, name, type, data);
}

int32_t Registry::delete_value(RegKey key, const std::string& name) {
    return state_->unset(key, name);
}

int32_t Registry::save_key(RegKey key, const std::string& file) {
    return state_->save(key, file);
}

int32_t Registry::restore_key(RegKey key, const std::string& file) {
    return state_->restore(key, file);
}

int32_t Registry::load_hive(RegKey root, const std::string& name, const std::string& file) {
    return state_->load(root, name, file);
}

int32_t Registry::unload_hive(RegKey root, const std::string& name) {
    return state_->unload(root, name);
}

// Access here rests on file modes, not on privileges.
int32_t Registry::enable_privilege(const char*, PrivilegeGrant&) {
    return status::kNotSupported;
}
void Registry::withdraw_privilege(PrivilegeGrant&) {}

void Registry::broadcast_environment_change() {}

} // namespace vtx::platform
