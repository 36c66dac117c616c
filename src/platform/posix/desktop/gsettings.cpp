#include "platform/posix/desktop/gsettings.h"

#include <cstring>
#include <functional>

#include "platform/posix/limited_child.h"
#include "platform/posix/shared_library.h"
#include "platform/status.h"

namespace vtx::platform {

namespace {

// The few GIO entries used, declared here so the build needs no GLib headers.
struct SchemaSource;
struct Schema;
struct Settings;
struct Backend;
using gboolean = int;

struct Gio {
    SharedLibrary lib{"libgio-2.0.so.0"};
    SchemaSource* (*default_source)() = nullptr;
    Schema* (*lookup)(SchemaSource*, const char*, gboolean) = nullptr;
    gboolean (*has_key)(Schema*, const char*) = nullptr;
    void (*schema_unref)(Schema*) = nullptr;
    Settings* (*settings_new)(Schema*, Backend*, const char*) = nullptr;
    gboolean (*set_string)(Settings*, const char*, const char*) = nullptr;
    void (*sync)() = nullptr;
    Backend* (*default_backend)() = nullptr;
    const char* (*type_name_of)(void*) = nullptr;
    void (*unref)(void*) = nullptr;

    bool bound() {
        return lib.bind(default_source, "g_settings_schema_source_get_default") &&
               lib.bind(lookup, "g_settings_schema_source_lookup") &&
               lib.bind(has_key, "g_settings_schema_has_key") &&
               lib.bind(schema_unref, "g_settings_schema_unref") &&
               lib.bind(settings_new, "g_settings_new_full") &&
               lib.bind(set_string, "g_settings_set_string") && lib.bind(sync, "g_settings_sync") &&
               lib.bind(default_backend, "g_settings_backend_get_default") &&
               lib.bind(type_name_of, "g_type_name_from_instance") &&
               lib.bind(unref, "g_object_unref");
    }

    // The schema, or null; asking for a missing one through g_settings_new would abort.
    Schema* schema(const char* id) {
        SchemaSource* source = default_source();
        return source ? lookup(source, id, 1) : nullptr;
    }
};

// GIO runs in a time-limited child, as for drives: the program itself never carries GIO's
// threads (a later fork for a drive would inherit them half-made), and a settings store that
// does not answer cannot hold the script. A child that gives no answer counts as no store.
constexpr int kSettingsSeconds = 10;

int32_t in_child(const std::function<int32_t()>& work) {
    std::string ignored;
    return run_limited_status([&] { return status_reply(work()); }, kSettingsSeconds,
                              status::kServiceNotActive, ignored);
}

bool schema_exists_here(const char* id) {
    Gio gio;
    if (!gio.bound()) return false;
    Schema* schema = gio.schema(id);
    if (schema) gio.schema_unref(schema);
    return schema != nullptr;
}

int32_t set_text_here(const char* id, const char* key, const std::string& value) {
    Gio gio;
    if (!gio.bound()) return status::kModuleNotFound;
    Schema* schema = gio.schema(id);
    if (!schema) return status::kNotSupported;
    int32_t st = 0;
    if (!gio.has_key(schema, key)) st = status::kNotSupported;
    Backend* backend = st ? nullptr : gio.default_backend();
    // GIO falls back to keeping settings in memory when no real backend is installed: the
    // desktop would never see them.
    if (!st && (!backend || std::strcmp(gio.type_name_of(backend), "GMemorySettingsBackend") == 0))
        st = status::kServiceNotActive;
    if (!st) {
        Settings* settings = gio.settings_new(schema, nullptr, nullptr);
        if (!gio.set_string(settings, key, value.c_str())) st = status::kAccessDenied;
        gio.sync();
        gio.unref(settings);
    }
    if (backend) gio.unref(backend);
    gio.schema_unref(schema);
    return st;
}

} // namespace

bool gsettings_schema_exists(const char* id) {
    return in_child([&] { return int32_t(schema_exists_here(id)); }) == 1;
}

int32_t set_gsettings_text(const char* id, const char* key, const std::string& value) {
    return in_child([&] { return set_text_here(id, key, value); });
}

} // namespace vtx::platform
