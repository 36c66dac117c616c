// The built-in functions that scripts call as NAME(arguments) inside expressions: their
// names and result kinds, once. Their handlers live in the folders that define them.
#pragma once

#include <string_view>

#include "engine/tokens.h"

namespace vtx {

// Every function, once: its name (also its id, FN_name) and its result kind, I or S. A
// function token carries its position here.
#define VTX32_FUNCTIONS(X)                                                                         \
    X(ADDKEY, I)                                                                                   \
    X(ADDPRINTERCONNECTION, I)                                                                     \
    X(ADDPROGRAMGROUP, I)                                                                          \
    X(ADDPROGRAMITEM, I)                                                                           \
    X(CHR, S)                                                                                      \
    X(CLOSE, I)                                                                                    \
    X(DELKEY, I)                                                                                   \
    X(DELPROGRAMGROUP, I)                                                                          \
    X(DELPROGRAMITEM, I)                                                                           \
    X(DELTREE, I)                                                                                  \
    X(DELVALUE, I)                                                                                 \
    X(DELPRINTERCONNECTION, I)                                                                     \
    X(ENUMKEY, S)                                                                                  \
    X(ENUMVALUE, S)                                                                                \
    X(EXISTKEY, I)                                                                                 \
    X(EXIST, I)                                                                                    \
    X(INGROUP, I)                                                                                  \
    X(INSTR, I)                                                                                    \
    X(LEN, I)                                                                                      \
    X(LOADKEY, I)                                                                                  \
    X(LOGOFF, I)                                                                                   \
    X(MESSAGEBOX, I)                                                                               \
    X(OPEN, I)                                                                                     \
    X(READPROFILESTRING, S)                                                                        \
    X(READLINE, S)                                                                                 \
    X(READTYPE, S)                                                                                 \
    X(READVALUE, S)                                                                                \
    X(REDIRECTOUTPUT, S)                                                                           \
    X(SAVEKEY, I)                                                                                  \
    X(SENDMESSAGE, I)                                                                              \
    X(SETCONSOLE, I)                                                                               \
    X(SETDEFAULTPRINTER, I)                                                                        \
    X(SETWALLPAPER, I)                                                                             \
    X(SHOWPROGRAMGROUP, I)                                                                         \
    X(SHUTDOWN, I)                                                                                 \
    X(SUBSTR, S)                                                                                   \
    X(WRITEPROFILESTRING, I)                                                                       \
    X(WRITEVALUE, I)

enum Function {
#define VTX32_FUNCTION_ID(name, kind) FN_##name,
    VTX32_FUNCTIONS(VTX32_FUNCTION_ID)
#undef VTX32_FUNCTION_ID
        FN_COUNT
};

struct FunctionName {
    const char* name;
    int kind; // KIND_INTEGER or KIND_STRING
};

inline constexpr FunctionName kFunctionNames[FN_COUNT] = {
#define VTX32_FUNCTION_ENTRY(name, kind) {#name, KIND_##kind},
#define KIND_I KIND_INTEGER
#define KIND_S KIND_STRING
    VTX32_FUNCTIONS(VTX32_FUNCTION_ENTRY)
#undef KIND_I
#undef KIND_S
#undef VTX32_FUNCTION_ENTRY
};

// Position of the function named `word` (case-blind, whole name), or -1.
int find_function(std::string_view word);

inline int function_kind(int index) {
    return kFunctionNames[index].kind;
}

} // namespace vtx
