// The walk over one script, shared by the checker's two files: statements
// (script_walk.cpp) and expressions (expression_walk.cpp). Every statement is read as the
// interpreter would read it, and nothing runs.
#pragma once

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "checker/checker.h"
#include "engine/script.h"
#include "engine/tokenizer.h"

namespace vtx::walk {

// An expression's type is its first operand's; a variable's or a macro's is known only
// when the script runs.
enum class Type { none, integer, string, unknown };

// What one operand of an expression was, as far as reading it tells.
struct Operand {
    bool number = false;          // a number literal
    bool text = false;            // a text literal
    std::string variable;         // a lone variable, as written
    uint32_t at = 0;              // where it starts
    bool string_function = false; // a call of a function that gives text
    std::string function;         // its name, as written
};

struct Block {
    uint32_t pos;
    bool had_else = false;
};

// Words other languages use that this one does not know: here each is a plain text.
bool is_foreign_word(std::string_view word);

class ScriptWalk {
  public:
    ScriptWalk(const std::string& name, const ScriptSource& source, Findings& out,
               ScriptFacts& facts)
        : name_(name), source_(source), text_(source.text), out_(out), facts_(facts) {
        t_.attach(&text_);
    }

    void run();

  private:
    const std::string& name_;
    const ScriptSource& source_;
    ScriptText text_;
    Tokenizer t_;
    Findings& out_;
    ScriptFacts& facts_;
    LabelIndex labels_;
    bool has_goto_ = false;
    uint32_t keyword_at_ = 0;    // where the command being read starts
    bool exit_seen_ = false;     // an EXIT stands before the current statement
    uint32_t path_word_end_ = 0; // where the last operand that was an unquoted path ended
    std::vector<Block> ifs_, whiles_, dos_;
    // Variable names cut to their significant length and folded -> the first full name
    // (folded, as written) and where it stands.
    struct FirstName {
        std::string folded, written;
        uint32_t pos;
    };
    std::map<std::string, FirstName> variables_;
    std::set<std::string> reported_names_;
    uint32_t tokens_ = 0;           // tokens read so far: tells a one-token expression
    uint32_t expression_start_ = 0; // where the last expression began
    int depth_ = 0;                 // expressions and parentheses open, as the evaluator counts

    // The evaluator's bound on nesting: deeper is "expression too long" there, and here it
    // keeps a hostile script from exhausting the checker's stack.
    struct Nesting {
        ScriptWalk& walk;
        explicit Nesting(ScriptWalk& w);
        ~Nesting() { --walk.depth_; }
    };

    // --- findings ---------------------------------------------------------------------

    void report(uint32_t pos, bool is_error, std::string text);
    void error(uint32_t pos, std::string text) { report(pos, true, std::move(text)); }
    void warn(uint32_t pos, std::string text) { report(pos, false, std::move(text)); }

    // Nesting found by reading in text order. A GOTO can enter or leave a block, so in a
    // script that holds one these are only likely, not certain.
    void block_finding(uint32_t pos, const char* message);

    void report_open(const char* opener, const char* closer, const std::vector<Block>& open);

    // --- tokens -----------------------------------------------------------------------

    // The cursor and the token text: a look-ahead must give back both.
    struct Saved {
        Tokenizer::Mark mark;
        std::string token;
    };
    Saved save() const { return {t_.mark(), t_.token}; }
    void restore(const Saved& s);

    void next();

    // The token after the current one, without moving on: its kind and where it starts.
    struct Ahead {
        int kind;
        uint32_t start;
    };
    Ahead look_ahead();
    int peek() { return look_ahead().kind; }

    // The first pass: labels, GOTOs, and what stops the interpreter's reading early (a
    // zero byte, a text without its closing quote).
    void first_pass();

    void report_early_end(uint32_t pos);

    void note_variable(std::string_view name, uint32_t pos);

    void note_read(std::string_view name, uint32_t pos, bool in_text);

    void note_assigned(std::string_view name, Type type);

    // An ordering comparison of a lone variable with a literal, for the whole set to judge.
    void note_ordering(const Operand& left, int op, const Operand& right);

    // An AND or OR that stands inside what reads as an unquoted path.
    void check_operator_in_path();

    // A text that the interpreter expands when it uses it.
    void check_literal(std::string_view text, uint32_t text_pos);

    // Where the current string token's text begins (after its opening quote).
    uint32_t text_start() const;

    // --- statements -------------------------------------------------------------------

    void statement();

    void condition() { expression(true); }

    void open_block(std::vector<Block>& stack, int too_deep);

    void close_block(std::vector<Block>& stack, int without);

    void statement_else();

    void unknown_command();

    void statement_variable();

    void statement_goto();

    void statement_call();

    // Reads a required expression; true when it was one literal whose text needs no
    // expansion, which is then in `text` (and where it stands in `pos`).
    bool literal_expression(std::string& text, uint32_t& pos);

    // A command's statement, read by its shape in VTX32_KEYWORDS.
    void command(int keyword);
    // True when the next token can start `alternative` of a shape.
    bool fits(std::string_view alternative);
    void shape(const char* name, std::string_view text);
    void shape_part(const char* name, std::string_view part);

    void statement_color();

    void statement_get();

    // --- expressions ------------------------------------------------------------------
    // The evaluator's grammar, read the same way: the first operand fixes the type, a
    // string expression knows only +, comparisons, AND and OR. Where the type waits for the
    // run (a variable, a macro) both grammars are accepted.

    // Reads the expression that starts at the next token; the token after it is given back.
    Type expression(bool required);

    std::string expected_text() const;

    Type first_type();

    void logic(Type type);

    void comparison(Type type);

    Operand additive(Type type);

    Operand multiplicative(Type type);

    Operand unary(Type type);

    Operand parenthesis(Type type);

    Operand primary(Type type);

    // A word that names nothing is its own text: the trap of words from other languages.
    void bare_word();

    void function_call();

    // With the function name or command keyword current: "(", the arguments, ")". Leaves
    // ")" current, or the token that broke the list.
    void argument_list(const char* name, std::string_view signature);

    void check_argument_type(const char* name, std::string_view signature, std::size_t i, Type type,
                             uint32_t at);

    static std::string arity(std::size_t low, std::size_t high);
};

} // namespace vtx::walk
