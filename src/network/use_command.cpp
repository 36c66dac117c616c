#include <string>
#include <vector>

#include "engine/evaluator.h"
#include "engine/macros.h"
#include "engine/runtime.h"
#include "engine/script_error.h"
#include "engine/text.h"
#include "engine/tokens.h"
#include "engine/trace.h"
#include "network/handlers.h"
#include "platform/network.h"
#include "platform/status.h"

namespace vtx {

namespace {

// The longest local device name the connection record takes.
constexpr std::size_t kMaxDevice = 11;

void use_list(Runtime& rt) {
    rt.out.write_text("\nCurrent redirections :\n\n");
    std::vector<platform::Connection> list;
    bool opened = false;
    int32_t status = platform::list_connections(list, opened);
    if (!opened) return;
    if (status == status::kNoMoreItems) return rt.out.write_text("No entries in list.\n");
    if (status != 0) {
        rt.error = status;
        return;
    }
    for (const platform::Connection& c : list) {
        std::string row = " " + c.local;
        if (c.local.size() < 5) row.append(5 - c.local.size(), ' ');
        row += "  -->  " + c.remote + "\n";
        rt.out.write_text(row);
    }
    rt.out.write_text("\nEnd of list.\n");
}

// True when `word` is a non-empty start of `full`, case-blind: /D, /DEL and /DELETE.
bool abbreviates(std::string_view word, std::string_view full) {
    return !word.empty() && starts_nocase(full, word);
}

// Reads up to two /USER and /PASSWORD options after the remote name. An option's value is
// the text after its `:`, or else the next expression.
void read_options(Runtime& rt, std::string& user, bool& has_user, std::string& password,
                  bool& has_password) {
    for (int i = 0; i < 2; ++i) {
        rt.tok.next_token();
        if (rt.tok.kind() != TK_SLASH) return rt.tok.push_back_token();
        rt.tok.next_token();
        if (rt.tok.kind() == TK_END) return;
        std::string word = rt.tok.token;
        std::size_t colon = word.find(':');
        std::string key = word.substr(0, colon);
        std::string value;
        if (colon != std::string::npos && colon + 1 < word.size()) {
            value = word.substr(colon + 1);
        } else if (abbreviates(key, "password")) {
            TraceSecret secret(rt);
            evaluate_expression(rt, value, true);
        } else {
            evaluate_expression(rt, value, true);
        }
        if (abbreviates(key, "user")) {
            user = value;
            has_user = true;
        } else if (abbreviates(key, "password")) {
            password = value;
            has_password = true;
        }
    }
}

} // namespace

void cmd_use(Runtime& rt) {
    rt.error = 0;
    rt.tok.next_token();
    if (rt.tok.kind() == KW_LIST) return use_list(rt);
    if (rt.tok.kind() == TK_END) throw ScriptError(kErrUse);

    std::string device = rt.tok.token;
    expand_text(rt, device);
    if (rt.trace > 1) trace_value(rt, KIND_STRING, 0, device);
    // A longer name would not fit the connection record; cutting it could connect a
    // different device than the script names. A remote name (cancelling a connection
    // without a device) is no device and has no such field.
    bool remote_name = device.rfind("\\\\", 0) == 0;
    if (device.size() > kMaxDevice && !remote_name) throw ScriptError(kErrUse);
    rt.tok.next_token();
    if (rt.tok.kind() == TK_END) return;

    if (rt.tok.kind() == TK_SLASH) {
        rt.tok.next_token();
        if (rt.tok.kind() != TK_END && abbreviates(rt.tok.token, "delete")) {
            rt.error = platform::cancel_connection(device);
            if (rt.logon_notes)
                rt.logon_notes->push_back("USE " + device +
                                          " /DELETE: " + std::to_string(rt.error));
        }
        return;
    }

    rt.tok.push_back_token();
    std::string remote, user, password;
    bool has_user = false, has_password = false;
    evaluate_expression(rt, remote, true);
    read_options(rt, user, has_user, password, has_password);
    rt.error = platform::add_connection(device, remote, has_user ? &user : nullptr,
                                        has_password ? &password : nullptr);
    // The user's name may be logged; the password never is.
    if (rt.logon_notes)
        rt.logon_notes->push_back("USE " + device + " " + remote +
                                  (has_user ? " /USER:" + user : "") + ": " +
                                  std::to_string(rt.error));
}

} // namespace vtx
