// The statement shapes of VTX32_KEYWORDS against the handlers and the checker: statements
// written from a shape (each optional part present and absent) run without a script error
// and read to their end; each cut before a required part raises that part's error. The
// checker agrees on both. A wrong shape must show as a disagreement.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/handler_run.h"
#include "engine/commands.h"
#include "engine/script.h"
#include "engine/script_fixture.h"
#include "engine/statement_syntax.h"
#include "engine/tokens.h"

namespace vtx {
namespace {

using Texts = std::vector<std::string>;

// Values that fail fast and touch nothing: no such file, program, drive or time server.
std::string sample_expression(int keyword) {
    switch (keyword) {
    case KW_GO: return "\"Q:\"";
    case KW_SET:
    case KW_SETM: return "\"VTX32_SYNTAX_TEST=\"";
    case KW_SETL: return "\"VTX32_SYNTAX_TEST=1\"";
    case KW_SLEEP: return "0";
    case KW_SETTIME: return "\"" + std::string(300, 'x') + "\"";
    case KW_USE: return "\"\\\\s\\x\"";
    default: return "\"/nonexistent/vtx32-syntax\"";
    }
}

Texts join(const Texts& heads, const Texts& tails) {
    Texts out;
    for (const std::string& h : heads)
        for (const std::string& t : tails) out.push_back(t.empty() ? h : h + " " + t);
    return out;
}

// The argument lists of a signature: every count from the required ones to all.
Texts argument_lists(std::string_view signature) {
    Texts lists;
    std::size_t required = 0;
    while (required < signature.size() && std::isupper((unsigned char)signature[required]))
        ++required;
    for (std::size_t n = required; n <= signature.size(); ++n) {
        std::string list = "(";
        for (std::size_t i = 0; i < n; ++i)
            list += std::string(i ? ", " : "") + (std::toupper(signature[i]) == 'I' ? "0" : "\"\"");
        lists.push_back(list + ")");
    }
    return lists;
}

Texts statements(int keyword, std::string_view shape);

Texts part_texts(int keyword, std::string_view part) {
    if (std::string_view optional = syntax_optional(part); !optional.empty()) {
        Texts out = statements(keyword, optional);
        out.insert(out.begin(), "");
        return out;
    }
    if (part == "E") return {sample_expression(keyword)};
    if (part.front() == '(') return argument_lists(part.substr(1, part.size() - 2));
    if (part == "V") return {"$v"};
    if (part == "C") return {"w+/b"};
    if (part == "D") return {"X:"};
    if (part == "w") return {"ON"};
    if (part == "/O") return {"/USER:bob", "/PASSWORD: \"pw\""};
    return {std::string(part)}; // a keyword or /DELETE, as written
}

// Every statement tail a shape allows.
Texts statements(int keyword, std::string_view shape) {
    Texts out;
    for (std::string_view alternative : syntax_alternatives(shape)) {
        Texts tails = {""};
        for (std::string_view part : syntax_parts(alternative))
            tails = join(tails, part_texts(keyword, part));
        out.insert(out.end(), tails.begin(), tails.end());
    }
    if (out.empty()) out.push_back("");
    return out;
}

// The error a missing required part raises; 0 for colour words, which may be none.
int missing_error(std::string_view part) {
    if (part == "E") return kErrExpected;
    if (part == "C") return 0;
    if (part == "D") return kErrUse;
    return kErrParameters; // a variable or an argument list
}

struct Cut {
    std::string tail;
    int error;
};

// The statements of the last alternative (the one that takes the rest), cut before each
// required part, with optional parts left out; and argument lists short of a required value
// (an empty list is an empty argument, script error 14, as in a function call).
std::vector<Cut> cuts(int keyword, std::string_view shape) {
    std::vector<Cut> out;
    std::vector<std::string_view> alternatives = syntax_alternatives(shape);
    if (alternatives.empty()) return out;
    std::string before;
    for (std::string_view part : syntax_parts(alternatives.back())) {
        if (!syntax_optional(part).empty()) continue;
        if (int error = missing_error(part)) out.push_back({before, error});
        if (part.front() == '(') {
            std::string_view signature = part.substr(1, part.size() - 2);
            for (std::size_t n = 1;
                 n < signature.size() && std::isupper((unsigned char)signature[n]); ++n) {
                std::string list = "(";
                for (std::size_t i = 0; i < n; ++i) list += i ? ", 0" : "0";
                out.push_back({before + (before.empty() ? "" : " ") + list + ")", kErrParameters});
            }
        }
        std::string text = part_texts(keyword, part).back();
        before += (before.empty() ? "" : " ") + text;
    }
    return out;
}

// Runs one statement: "" when it ran to its end, else what went otherwise.
std::string run(const std::string& text) {
    test::LoadedScript s(text);
    try {
        s.rt.tok.next_token();
        run_command(s.rt, s.rt.tok.kind());
    } catch (const ScriptError& e) {
        return "E" + std::to_string(e.code);
    }
    s.rt.tok.next_token();
    return s.rt.tok.kind() == TK_END ? "" : "stopped before " + s.rt.tok.token;
}

// Each way the handler of `keyword`, or the checker, disagrees with `shape`.
Texts disagreements(int keyword, std::string_view shape) {
    Texts found;
    std::string name = kKeywords[keyword].text;
    for (const std::string& tail : statements(keyword, shape)) {
        std::string text = tail.empty() ? name : name + " " + tail;
        if (std::string said = run(text); !said.empty()) found.push_back(text + ": " + said);
        if (test::checker_finds_error(text))
            found.push_back(text + ": the checker reports an error");
    }
    for (const Cut& cut : cuts(keyword, shape)) {
        std::string text = cut.tail.empty() ? name : name + " " + cut.tail;
        std::string want = "E" + std::to_string(cut.error);
        if (std::string said = run(text); said != want)
            found.push_back(text + ": " + (said.empty() ? "no error" : said) + ", not " + want);
        if (!test::checker_finds_error(text)) found.push_back(text + ": the checker finds nothing");
    }
    return found;
}

TEST(StatementSyntax, EveryCommandAgreesWithItsShape) {
    test::NoKeyboard keys;
    for (int k = 0; k < KW_COUNT; ++k) {
        if (kKeywords[k].role != kCommand) continue;
        EXPECT_EQ(disagreements(k, kKeywords[k].syntax), Texts{}) << kKeywords[k].text;
    }
}

TEST(StatementSyntax, AWrongShapeShows) {
    test::NoKeyboard keys;
    EXPECT_NE(disagreements(KW_AT, "(III)"), Texts{});       // one argument too many
    EXPECT_NE(disagreements(KW_CD, "[E]"), Texts{});         // a required part made optional
    EXPECT_NE(disagreements(KW_BREAK, "w"), Texts{});        // an optional part made required
    EXPECT_NE(disagreements(KW_GET, "E"), Texts{});          // the wrong kind of part
    EXPECT_NE(disagreements(KW_PLAY, "FILE E"), Texts{});    // an optional keyword made required
    EXPECT_NE(disagreements(KW_USE, "LIST | D E"), Texts{}); // an optional part made required
}

} // namespace
} // namespace vtx
