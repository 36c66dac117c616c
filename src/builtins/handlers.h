// Every built-in function's handler, grouped by the file that defines it.
#pragma once

#include <string>

namespace vtx {

struct Runtime;

#define VTX_HANDLER(name) void name(Runtime& rt, std::string& result)

// builtins/string_functions.cpp
VTX_HANDLER(fn_chr);
VTX_HANDLER(fn_instr);
VTX_HANDLER(fn_len);
VTX_HANDLER(fn_substr);
// builtins/file_functions.cpp
VTX_HANDLER(fn_close);
VTX_HANDLER(fn_exist);
VTX_HANDLER(fn_open);
VTX_HANDLER(fn_readline);
VTX_HANDLER(fn_redirectoutput);
// builtins/profile_functions.cpp
VTX_HANDLER(fn_readprofilestring);
VTX_HANDLER(fn_writeprofilestring);
// builtins/group_functions.cpp
VTX_HANDLER(fn_ingroup);
// builtins/registry_functions.cpp
VTX_HANDLER(fn_addkey);
VTX_HANDLER(fn_delkey);
VTX_HANDLER(fn_deltree);
VTX_HANDLER(fn_delvalue);
VTX_HANDLER(fn_enumkey);
VTX_HANDLER(fn_enumvalue);
VTX_HANDLER(fn_existkey);
VTX_HANDLER(fn_loadkey);
VTX_HANDLER(fn_readtype);
VTX_HANDLER(fn_readvalue);
VTX_HANDLER(fn_savekey);
VTX_HANDLER(fn_writevalue);
// shell/program_group_functions.cpp
VTX_HANDLER(fn_addprogramgroup);
VTX_HANDLER(fn_addprogramitem);
VTX_HANDLER(fn_delprogramgroup);
VTX_HANDLER(fn_delprogramitem);
VTX_HANDLER(fn_showprogramgroup);
// shell/desktop_functions.cpp
VTX_HANDLER(fn_addprinterconnection);
VTX_HANDLER(fn_delprinterconnection);
VTX_HANDLER(fn_setdefaultprinter);
VTX_HANDLER(fn_setwallpaper);
VTX_HANDLER(fn_setconsole);
VTX_HANDLER(fn_messagebox);
VTX_HANDLER(fn_shutdown);
VTX_HANDLER(fn_logoff);
// network/message_functions.cpp
VTX_HANDLER(fn_sendmessage);

#undef VTX_HANDLER

} // namespace vtx
