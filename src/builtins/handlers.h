// The functions this folder defines, by the file that defines them, and their bindings.
#pragma once

#include <string>

#include "engine/handler_tables.h"

namespace vtx {

// builtins/string_functions.cpp
void fn_chr(Runtime& rt, std::string& result);
void fn_instr(Runtime& rt, std::string& result);
void fn_len(Runtime& rt, std::string& result);
void fn_substr(Runtime& rt, std::string& result);
// builtins/file_functions.cpp
void fn_close(Runtime& rt, std::string& result);
void fn_exist(Runtime& rt, std::string& result);
void fn_open(Runtime& rt, std::string& result);
void fn_readline(Runtime& rt, std::string& result);
void fn_redirectoutput(Runtime& rt, std::string& result);
// builtins/profile_functions.cpp
void fn_readprofilestring(Runtime& rt, std::string& result);
void fn_writeprofilestring(Runtime& rt, std::string& result);
// builtins/group_functions.cpp
void fn_ingroup(Runtime& rt, std::string& result);
// builtins/registry_functions.cpp
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

inline constexpr FunctionBinding kBuiltinFunctions[] = {
    {FN_CHR, fn_chr},
    {FN_INSTR, fn_instr},
    {FN_LEN, fn_len},
    {FN_SUBSTR, fn_substr},
    {FN_CLOSE, fn_close},
    {FN_EXIST, fn_exist},
    {FN_OPEN, fn_open},
    {FN_READLINE, fn_readline},
    {FN_REDIRECTOUTPUT, fn_redirectoutput},
    {FN_READPROFILESTRING, fn_readprofilestring},
    {FN_WRITEPROFILESTRING, fn_writeprofilestring},
    {FN_INGROUP, fn_ingroup},
    {FN_ADDKEY, fn_addkey},
    {FN_DELKEY, fn_delkey},
    {FN_DELTREE, fn_deltree},
    {FN_DELVALUE, fn_delvalue},
    {FN_ENUMKEY, fn_enumkey},
    {FN_ENUMVALUE, fn_enumvalue},
    {FN_EXISTKEY, fn_existkey},
    {FN_LOADKEY, fn_loadkey},
    {FN_READTYPE, fn_readtype},
    {FN_READVALUE, fn_readvalue},
    {FN_SAVEKEY, fn_savekey},
    {FN_WRITEVALUE, fn_writevalue},
};

} // namespace vtx
