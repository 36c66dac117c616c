#include <algorithm>
#include <string_view>

#include "engine/evaluator.h"
#include "engine/runtime.h"
#include "engine/script.h"
#include "engine/text.h"
#include "platform/files.h"
#include "system/handlers.h"

namespace vtx {

namespace {

// Writes `data` in the pieces a line-by-line read of at most 31999 characters gives; `line`
// keeps an unfinished piece for the next block of the file.
void write_pieces(Runtime& rt, std::string& line, std::string_view data) {
    while (!data.empty()) {
        std::size_t room = kMaxText - line.size();
        std::size_t end = data.substr(0, room).find('\n');
        std::size_t take = end == std::string_view::npos ? std::min(room, data.size()) : end + 1;
        line.append(data.substr(0, take));
        data.remove_prefix(take);
        if (line.size() == kMaxText || line.back() == '\n') {
            rt.out.write_text(line);
            line.clear();
        }
    }
}

} // namespace

void cmd_cd(Runtime& rt) {
    rt.error = 0;
    evaluate_expression(rt, rt.tok.token, true);
    if (int32_t status = platform::set_current_directory(rt.tok.token)) rt.error = status;
}

void cmd_md(Runtime& rt) {
    rt.error = 0;
    evaluate_expression(rt, rt.tok.token, true);
    if (int32_t status = platform::create_directory(rt.tok.token)) rt.error = status;
}

void cmd_del(Runtime& rt) {
    evaluate_expression(rt, rt.tok.token, true);
    rt.error = platform::delete_file(rt.tok.token);
}

void cmd_display(Runtime& rt) {
    evaluate_expression(rt, rt.tok.token, true);
    rt.error = 2;
    platform::FileHandle file = platform::kNoFile;
    std::string path = search_path(rt, rt.tok.token);
    if (platform::open_for_read(path, file) != 0) return;
    rt.error = 0;
    std::string line;
    char block[65536];
    std::size_t got = 0;
    while (platform::read_bytes(file, block, sizeof block, got) == 0 && got > 0)
        write_pieces(rt, line, std::string_view(block, got));
    if (!line.empty()) rt.out.write_text(line); // the last line, without a line end
    platform::close_file(file);
}

} // namespace vtx
