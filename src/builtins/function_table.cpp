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
    {"ADDKEY", fn_addkey, I, "S"},
    {"ADDPRINTERCONNECTION", fn_addprinterconnection, I, "S"},
    {"ADDPROGRAMGROUP", fn_addprogramgroup, I, "Sl"},
    {"ADDPROGRAMITEM", fn_addprogramitem, I, "SSSLSlll"},
    {"CHR", fn_chr, S, "I"},
    {"CLOSE", fn_close, I, "L"},
    {"DELKEY", fn_delkey, I, "S"},
    {"DELPROGRAMGROUP", fn_delprogramgroup, I, "Sl"},
    {"DELPROGRAMITEM", fn_delprogramitem, I, "S"},
    {"DELTREE", fn_deltree, I, "S"},
    {"DELVALUE", fn_delvalue, I, "SS"},
    {"DELPRINTERCONNECTION", fn_delprinterconnection, I, "S"},
    {"ENUMKEY", fn_enumkey, S, "SL"},
    {"ENUMVALUE", fn_enumvalue, S, "SL"},
    {"EXISTKEY", fn_existkey, I, "S"},
    {"EXIST", fn_exist, I, "S"},
    {"INGROUP", fn_ingroup, I, "S"},
    {"INSTR", fn_instr, I, "SS"},
    {"LEN", fn_len, I, "S"},
    {"LOADKEY", fn_loadkey, I, "SS"},
    {"LOGOFF", fn_logoff, I, "l"},
    {"MESSAGEBOX", fn_messagebox, I, "SSll"},
    {"OPEN", fn_open, I, "LS"},
    {"READPROFILESTRING", fn_readprofilestring, S, "SSS"},
    {"READLINE", fn_readline, S, "L"},
    {"READTYPE", fn_readtype, S, "SS"},
    {"READVALUE", fn_readvalue, S, "SS"},
    {"REDIRECTOUTPUT", fn_redirectoutput, S, "Sl"},
    {"SAVEKEY", fn_savekey, I, "SS"},
    {"SENDMESSAGE", fn_sendmessage, I, "SS"},
    {"SETCONSOLE", fn_setconsole, I, "S"},
    {"SETDEFAULTPRINTER", fn_setdefaultprinter, I, "S"},
    {"SETWALLPAPER", fn_setwallpaper, I, "S"},
    {"SHOWPROGRAMGROUP", fn_showprogramgroup, I, "SLl"},
    {"SHUTDOWN", fn_shutdown, I, "SSlll"},
    {"SUBSTR", fn_substr, S, "SLL"},
    {"WRITEPROFILESTRING", fn_writeprofilestring, I, "SSSs"},
    {"WRITEVALUE", fn_writevalue, I, "SSSS"},
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
