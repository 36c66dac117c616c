#include "app/posix/logon_choice.h"

#include "engine/macros.h"
#include "platform/posix/system/command_line.h"
#include "platform/text_rules.h"

namespace vtx {

namespace {

std::string_view trimmed(std::string_view s) {
    std::size_t start = s.find_first_not_of(" \t\r\n");
    if (start == std::string_view::npos) return {};
    return s.substr(start, s.find_last_not_of(" \t\r\n") - start + 1);
}

std::string_view last_component(std::string_view path) {
    std::size_t cut = path.find_last_of("\\/");
    return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

bool ends_nocase(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && equal_nocase(text.substr(text.size() - tail.size()), tail);
}

} // namespace

bool is_program_word(std::string_view word) {
    std::string_view name = last_component(word);
    return equal_nocase(name, "VTX32") || equal_nocase(name, "VTX32.EXE");
}

std::string refused_share_name(std::string_view name) {
    if (name.empty()) return "names no file";
    if (name.size() > 1 && (name[0] == '\\' || name[0] == '/') &&
        (name[1] == '\\' || name[1] == '/'))
        return "is a UNC path, not a name on NETLOGON";
    if (name[0] == '\\' || name[0] == '/') return "is an absolute path, not a name on NETLOGON";
    if (name.find(':') != std::string_view::npos) return "names a drive, not a name on NETLOGON";
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = name.find_first_of("\\/", start);
        if (end == std::string_view::npos) end = name.size();
        if (name.substr(start, end - start) == "..") return "leaves NETLOGON with ..";
        start = end + 1;
    }
    return {};
}

LogonChoice choose_logon_script(std::string_view attribute) {
    LogonChoice choice;
    attribute = trimmed(attribute);
    if (attribute.empty()) return choice;
    if (attribute.size() > kMaxLogonAttribute) {
        choice.kind = LogonChoice::Kind::kRefused;
        choice.why =
            "the attribute is longer than " + std::to_string(kMaxLogonAttribute) + " characters";
        return choice;
    }
    std::vector<std::string> words = split_command_line(attribute);
    if (is_program_word(words[0])) {
        choice.kind = LogonChoice::Kind::kProgram;
        choice.args.assign(words.begin() + 1, words.end());
        return choice;
    }
    choice.file = words[0];
    if (std::string why = refused_share_name(choice.file); !why.empty()) {
        choice.kind = LogonChoice::Kind::kRefused;
        choice.why = "\"" + choice.file + "\" " + why;
        return choice;
    }
    bool batch = ends_nocase(choice.file, ".bat") || ends_nocase(choice.file, ".cmd");
    choice.kind = batch ? LogonChoice::Kind::kBatch : LogonChoice::Kind::kScript;
    if (!batch) choice.args.assign(words.begin() + 1, words.end());
    return choice;
}

BatchLine read_batch_line(std::string_view line) {
    BatchLine out;
    std::string_view raw = trimmed(line);
    if (!raw.empty() && raw[0] == '@') raw = trimmed(raw.substr(1));
    bool remark = starts_nocase(raw, "rem") && (raw.size() == 3 || raw[3] == ' ' || raw[3] == '\t');
    if (raw.empty() || remark || raw.substr(0, 2) == "::" || equal_nocase(raw, "echo off"))
        return out;
    std::string expanded(raw);
    expand_environment(expanded);
    std::vector<std::string> words = split_command_line(expanded);
    if (!is_program_word(words[0])) {
        out.kind = BatchLine::Kind::kSkipped;
        out.text = expanded;
        return out;
    }
    out.kind = BatchLine::Kind::kRun;
    out.args.assign(words.begin() + 1, words.end());
    return out;
}

} // namespace vtx
