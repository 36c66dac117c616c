// Finding, reading and indexing script files.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

namespace vtx {

struct Runtime;

// The longest script text that is run; a longer file is cut.
inline constexpr std::size_t kMaxScript = 64000;

// The path a script (or a displayed or played file) is opened under: with the logon-share
// flag set, a relative name is looked for on the logon drive, then in the program folder.
std::string search_path(const Runtime& rt, std::string_view name);

// Text-mode reading: CR LF becomes LF and Ctrl+Z ends the text; at most `limit` characters.
// Returns false when the file cannot be opened.
bool read_text_file(const std::string& path, std::size_t limit, std::string& out);

// A script as loaded: its text, and what the loader did to it.
struct ScriptSource {
    std::string text;
    int byte_order_mark = 0; // 0 none, 8 UTF-8 (skipped), 16 UTF-16 (converted)
    bool cut = false;        // longer than kMaxScript: only the first kMaxScript ran
    bool end_mark = false;   // a Ctrl+Z ended the text before more of it
};

// Reads a script as text mode reads it, after the byte-order mark an editor may have put in
// front: a UTF-8 mark is skipped, a UTF-16 text is converted to the platform's 8-bit text.
// The limit of kMaxScript characters applies to the converted text.
bool read_script_file(const std::string& path, ScriptSource& out);

// Text-mode conversion of bytes already read; true when text was left over past `limit`.
bool text_mode(std::string_view raw, std::size_t limit, std::string& out);

// The labels of one script: folded name -> position just after the name. First wins.
class LabelIndex {
  public:
    void add(std::string_view name, uint32_t target);
    // Position after the label's name, or -1.
    int64_t find(std::string_view name) const;

  private:
    std::unordered_map<std::string, uint32_t> labels_;
};

} // namespace vtx
