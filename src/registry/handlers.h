// The statements and functions this folder defines, by file, and their bindings.
#pragma once

#include <string>

#include "engine/handler_tables.h"

namespace vtx {

// registry/environment_keys.cpp
void cmd_set(Runtime& rt);
void cmd_setm(Runtime& rt);
// registry/registry_functions.cpp
void fn_addkey(Runtime& rt, std::string& result);
void fn_delkey(Runtime& rt, std::string& result);
void fn_deltree(Runtime& rt, std::string& result);
void fn_delvalue(Runtime& rt, std::string& result);
void fn_enumkey(Runtime& rt, std::string& result);
void fn_enumvalue(Runtime& rt, std::string& result);
void fn_existkey(Runtime& rt, std::string& result);
void fn_loadkey(Runtime& rt, std::string& result);
void fn_readtype(Runtime& rt, std::string& result);
void fn_readvalue(Runtime& rt, std::string& result);
void fn_savekey(Runtime& rt, std::string& result);
void fn_writevalue(Runtime& rt, std::string& result);

inline constexpr CommandBinding kRegistryCommands[] = {{KW_SET, cmd_set}, {KW_SETM, cmd_setm}};

inline constexpr FunctionBinding kRegistryFunctions[] = {
    {FN_ADDKEY, fn_addkey},       {FN_DELKEY, fn_delkey},   {FN_DELTREE, fn_deltree},
    {FN_DELVALUE, fn_delvalue},   {FN_ENUMKEY, fn_enumkey}, {FN_ENUMVALUE, fn_enumvalue},
    {FN_EXISTKEY, fn_existkey},   {FN_LOADKEY, fn_loadkey}, {FN_READTYPE, fn_readtype},
    {FN_READVALUE, fn_readvalue}, {FN_SAVEKEY, fn_savekey}, {FN_WRITEVALUE, fn_writevalue},
};

} // namespace vtx
