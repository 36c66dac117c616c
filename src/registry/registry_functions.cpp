// The twelve registry functions: each reads its arguments, runs one registry operation,
// and leaves the operation's status in @ERROR.
#include "engine/arguments.h"
#include "engine/runtime.h"
#include "engine/script_error.h"
#include "engine/status_result.h"
#include "engine/text.h"
#include "registry/handlers.h"
#include "registry/operations.h"
#include "registry/value_text.h"

namespace vtx {

namespace {

// The text functions return their text and leave the status in @ERROR only.
void finish_text(Runtime& rt, std::string& result, int32_t status, std::string_view text) {
    rt.error = status;
    bounded_append(result, text);
}

template <Function F, typename Operation>
void key_function(Runtime& rt, std::string& result, Operation op) {
    std::string path;
    function_arguments<F>(rt, path);
    finish_status(rt, result, op(rt.registry, path));
}

template <Function F, typename Operation>
void key_file_function(Runtime& rt, std::string& result, Operation op) {
    std::string path, file;
    function_arguments<F>(rt, path, file);
    finish_status(rt, result, op(path, file));
}

template <Function F, typename Operation>
void enum_function(Runtime& rt, std::string& result, Operation op) {
    std::string path, name;
    int32_t index = 0;
    function_arguments<F>(rt, path, index);
    int32_t status = op(rt.registry, path, index, name);
    finish_text(rt, result, status, name);
}

} // namespace

void fn_readvalue(Runtime& rt, std::string& result) {
    std::string path, name, text;
    function_arguments<FN_READVALUE>(rt, path, name);
    uint32_t type = 0;
    int32_t status = read_value(rt.registry, path, name, text, type);
    finish_text(rt, result, status, text);
}

void fn_readtype(Runtime& rt, std::string& result) {
    std::string path, name, text;
    function_arguments<FN_READTYPE>(rt, path, name);
    uint32_t type = 0;
    int32_t status = read_value(rt.registry, path, name, text, type);
    finish_text(rt, result, status, registry_type_name(type));
}

void fn_writevalue(Runtime& rt, std::string& result) {
    std::string path, name, text, type_name;
    function_arguments<FN_WRITEVALUE>(rt, path, name, text, type_name);
    uint32_t type = 0;
    if (!registry_type_code(type_name, type)) throw ScriptError(kErrRegistryType);
    finish_status(rt, result, write_value(rt.registry, path, name, text, type));
}

void fn_delvalue(Runtime& rt, std::string& result) {
    std::string path, name;
    function_arguments<FN_DELVALUE>(rt, path, name);
    finish_status(rt, result, delete_value(rt.registry, path, name));
}

void fn_addkey(Runtime& rt, std::string& result) {
    key_function<FN_ADDKEY>(rt, result, create_key);
}
void fn_delkey(Runtime& rt, std::string& result) {
    key_function<FN_DELKEY>(rt, result, delete_key);
}
void fn_deltree(Runtime& rt, std::string& result) {
    key_function<FN_DELTREE>(rt, result, delete_tree);
}
void fn_existkey(Runtime& rt, std::string& result) {
    key_function<FN_EXISTKEY>(rt, result, test_key);
}

void fn_enumkey(Runtime& rt, std::string& result) {
    enum_function<FN_ENUMKEY>(rt, result, subkey_name_at);
}
void fn_enumvalue(Runtime& rt, std::string& result) {
    enum_function<FN_ENUMVALUE>(rt, result, value_name_at);
}

void fn_loadkey(Runtime& rt, std::string& result) {
    key_file_function<FN_LOADKEY>(rt, result,
                                  [&](const std::string& path, const std::string& file) {
                                      return hive_load(rt.registry, rt.os.is_nt(), path, file);
                                  });
}

void fn_savekey(Runtime& rt, std::string& result) {
    key_file_function<FN_SAVEKEY>(rt, result,
                                  [&](const std::string& path, const std::string& file) {
                                      return hive_save(rt.registry, path, file);
                                  });
}

} // namespace vtx
