// The built-in functions that scripts call as NAME(arguments) inside expressions: their
// names and result kinds, once. Their handlers live in the folders that define them.
#pragma once

#include <string_view>

#include "engine/tokens.h"

namespace vtx {

// Every function, once: its name (also its id, FN_name), its result kind, I or S, and the
// argument letters its handler reads (S text, I number, lower case: may be left out), by
// which the checker reads argument lists. A function token carries its position here.
#define VTX32_FUNCTIONS(X)                                                                         \
    X(ADDKEY, I, "S")                                                                              \
    X(ADDPRINTERCONNECTION, I, "S")                                                                \
    X(ADDPROGRAMGROUP, I, "Si")                                                                    \
    X(ADDPROGRAMITEM, I, "SSSISiii")                                                               \
    X(CHR, S, "I")                                                                                 \
    X(CLOSE, I, "I")                                                                               \
    X(DELKEY, I, "S")                                                                              \
    X(DELPROGRAMGROUP, I, "Si")                                                                    \
    X(DELPROGRAMITEM, I, "S")                                                                      \
    X(DELTREE, I, "S")                                                                             \
    X(DELVALUE, I, "SS")                                                                           \
    X(DELPRINTERCONNECTION, I, "S")                                                                \
    X(ENUMKEY, S, "SI")                                                                            \
    X(ENUMVALUE, S, "SI")                                                                          \
    X(EXISTKEY, I, "S")                                                                            \
    X(EXIST, I, "S")                                                                               \
    X(INGROUP, I, "S")                                                                             \
    X(INSTR, I, "SS")                                                                              \
    X(LEN, I, "S")                                                                                 \
    X(LOADKEY, I, "SS")                                                                            \
    X(LOGOFF, I, "i")                                                                              \
    X(MESSAGEBOX, I, "SSii")                                                                       \
    X(OPEN, I, "IS")                                                                               \
    X(READPROFILESTRING, S, "SSS")                                                                 \
    X(READLINE, S, "I")                                                                            \
    X(READTYPE, S, "SS")                                                                           \
    X(READVALUE, S, "SS")                                                                          \
    X(REDIRECTOUTPUT, S, "Si")                                                                     \
    X(SAVEKEY, I, "SS")                                                                            \
    X(SENDMESSAGE, I, "SS")                                                                        \
    X(SETCONSOLE, I, "S")                                                                          \
    X(SETDEFAULTPRINTER, I, "S")                                                                   \
    X(SETWALLPAPER, I, "S")                                                                        \
    X(SHOWPROGRAMGROUP, I, "SIi")                                                                  \
    X(SHUTDOWN, I, "SSiii")                                                                        \
    X(SUBSTR, S, "SII")                                                                            \
    X(WRITEPROFILESTRING, I, "SSSs")                                                               \
    X(WRITEVALUE, I, "SSSS")

enum Function {
#define VTX32_FUNCTION_ID(name, kind, signature) FN_##name,
    VTX32_FUNCTIONS(VTX32_FUNCTION_ID)
#undef VTX32_FUNCTION_ID
        FN_COUNT
};

struct FunctionName {
    const char* name;
    int kind; // KIND_INTEGER or KIND_STRING
    const char* signature;
};

inline constexpr FunctionName kFunctionNames[FN_COUNT] = {
#define VTX32_FUNCTION_ENTRY(name, kind, signature) {#name, KIND_##kind, signature},
#define KIND_I KIND_INTEGER
#define KIND_S KIND_STRING
    VTX32_FUNCTIONS(VTX32_FUNCTION_ENTRY)
#undef KIND_I
#undef KIND_S
#undef VTX32_FUNCTION_ENTRY
};

// Position of the function named `word` (case-blind, whole name), or -1.
int find_function(std::string_view word);

// The letters of an argument signature, here and in the "(SIG)" parts of VTX32_KEYWORDS.
constexpr bool is_text_letter(char letter) {
    return letter == 'S' || letter == 's';
}
constexpr bool is_optional_letter(char letter) {
    return letter >= 'a' && letter <= 'z';
}

inline int function_kind(int index) {
    return kFunctionNames[index].kind;
}

} // namespace vtx
