#include "builtins/function_table.h"

#include "builtins/handlers.h"
#include "engine/runtime.h"
#include "engine/text.h"
#include "engine/tokens.h"

namespace vtx {

constexpr int I = KIND_INTEGER;
constexpr int S = KIND_STRING;

// The order is part of the language: a function token carries its position here.
const FunctionEntry kFunctions[kFunctionCount] = {
    {"ADDKEY", fn_addkey, I},
    {"ADDPRINTERCONNECTION", fn_addprinterconnection, I},
    {"ADDPROGRAMGROUP", fn_addprogramgroup, I},
    {"ADDPROGRAMITEM", fn_addprogramitem, I},
    {"CHR", fn_chr, S},
    {"CLOSE", fn_close, I},
    {"DELKEY", fn_delkey, I},
    {"DELPROGRAMGROUP", fn_delprogramgroup, I},
    {"DELPROGRAMITEM", fn_delprogramitem, I},
    {"DELTREE", fn_deltree, I},
    {"DELVALUE", fn_delvalue, I},
    {"DELPRINTERCONNECTION", fn_delprinterconnection, I},
    {"ENUMKEY", fn_enumkey, S},
    {"ENUMVALUE", fn_enumvalue, S},
    {"EXISTKEY", fn_existkey, I},
    {"EXIST", fn_exist, I},
    {"INGROUP", fn_ingroup, I},
    {"INSTR", fn_instr, I},
    {"LEN", fn_len, I},
    {"LOADKEY", fn_loadkey, I},
    {"LOGOFF", fn_logoff, I},
    {"MESSAGEBOX", fn_messagebox, I},
    {"OPEN", fn_open, I},
    {"READPROFILESTRING", fn_readprofilestring, S},
    {"READLINE", fn_readline, S},
    {"READTYPE", fn_readtype, S},
    {"READVALUE", fn_readvalue, S},
    {"REDIRECTOUTPUT", fn_redirectoutput, S},
    {"SAVEKEY", fn_savekey, I},
    {"SENDMESSAGE", fn_sendmessage, I},
    {"SETCONSOLE", fn_setconsole, I},
    {"SETDEFAULTPRINTER", fn_setdefaultprinter, I},
    {"SETWALLPAPER", fn_setwallpaper, I},
    {"SHOWPROGRAMGROUP", fn_showprogramgroup, I},
    {"SHUTDOWN", fn_shutdown, I},
    {"SUBSTR", fn_substr, S},
    {"WRITEPROFILESTRING", fn_writeprofilestring, I},
    {"WRITEVALUE", fn_writevalue, I},
};

int find_function(std::string_view word) {
    if (word.size() < 3 || word.size() > 20) return -1;
    for (int i = 0; i < kFunctionCount; ++i)
        if (equal_nocase(word, kFunctions[i].name)) return i;
    return -1;
}

int function_kind(int index) {
    return kFunctions[index].kind;
}

void call_function(Runtime& rt, int index, std::string& result) {
    kFunctions[index].handler(rt, result);
}

} // namespace vtx
