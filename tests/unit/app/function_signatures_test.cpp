// The argument letters of VTX32_FUNCTIONS against the handlers and the checker: calls written
// from a function's letters (each optional argument present and absent) run without a script
// error and read to their end; one argument too many, one of the wrong kind or a required
// one left out is script error 11 (14 for an empty list). The checker agrees on both. Wrong
// letters must show as a disagreement.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/handler_run.h"
#include "engine/functions.h"
#include "engine/script_fixture.h"

namespace vtx {
namespace {

using Texts = std::vector<std::string>;

bool is_text(char letter) {
    return letter == 'S' || letter == 's';
}

bool is_optional(char letter) {
    return letter >= 'a' && letter <= 'z';
}

// Values that fail fast and touch nothing: no such key, file, computer, printer or user.
std::string sample(int function, std::size_t position, char letter) {
    if (function == FN_SHUTDOWN && position == 0) return "\"\\\\-x\"";
    if (function == FN_SENDMESSAGE && position == 0) return "\"\\\\-x\"";
    if (function == FN_SETCONSOLE) return "\"SHOW\"";
    if (function == FN_WRITEVALUE && position == 3) return "\"REG_SZ\"";
    return is_text(letter) ? "\"/nonexistent/vtx32-signature\"" : "0";
}

// The other kind's value, which the list must refuse.
std::string wrong_kind(char letter) {
    return is_text(letter) ? "0" : "\"0\"";
}

std::string call(int function, const Texts& arguments) {
    std::string text = std::string(kFunctionNames[function].name) + "(";
    for (std::size_t i = 0; i < arguments.size(); ++i) text += (i ? ", " : "") + arguments[i];
    return text + ")";
}

Texts samples(int function, std::string_view letters, std::size_t count) {
    Texts out;
    for (std::size_t i = 0; i < count; ++i) out.push_back(sample(function, i, letters[i]));
    return out;
}

// Runs one call: "" when it ran and read to its end, else what went otherwise.
std::string run(const std::string& text) {
    test::LoadedScript s(text);
    std::string value;
    try {
        s.eval(value);
    } catch (const ScriptError& e) {
        return "E" + std::to_string(e.code);
    }
    return s.rt.tok.kind() == TK_END ? "" : "stopped before " + s.rt.tok.token;
}

bool checker_finds_error(const std::string& text) {
    return test::checker_finds_error("$v = " + text);
}

struct Refused {
    std::string text;
    int error;
};

// The lists `letters` refuses: short of a required argument, one too many, and each
// argument of the wrong kind.
std::vector<Refused> refused(int function, std::string_view letters) {
    std::vector<Refused> out;
    std::string name = kFunctionNames[function].name;
    out.push_back({name, kErrParameters});
    for (std::size_t n = 0; n < letters.size() && !is_optional(letters[n]); ++n)
        out.push_back({call(function, samples(function, letters, n)),
                       n == 0 ? kErrExpected : kErrParameters});
    Texts all = samples(function, letters, letters.size());
    Texts extra = all;
    extra.push_back("0");
    out.push_back({call(function, extra), kErrParameters});
    for (std::size_t i = 0; i < letters.size(); ++i) {
        Texts wrong = all;
        wrong[i] = wrong_kind(letters[i]);
        out.push_back({call(function, wrong), kErrParameters});
    }
    return out;
}

// Each way the handler of `function`, or the checker, disagrees with `letters`.
Texts disagreements(int function, std::string_view letters) {
    Texts found;
    std::size_t required = 0;
    while (required < letters.size() && !is_optional(letters[required])) ++required;
    for (std::size_t n = std::max<std::size_t>(required, 1); n <= letters.size(); ++n) {
        std::string text = call(function, samples(function, letters, n));
        if (std::string said = run(text); !said.empty()) found.push_back(text + ": " + said);
        if (checker_finds_error(text)) found.push_back(text + ": the checker reports an error");
    }
    for (const Refused& r : refused(function, letters)) {
        std::string want = "E" + std::to_string(r.error);
        if (std::string said = run(r.text); said != want)
            found.push_back(r.text + ": " + (said.empty() ? "no error" : said) + ", not " + want);
        if (!checker_finds_error(r.text)) found.push_back(r.text + ": the checker finds nothing");
    }
    return found;
}

// The handlers run for real: give them a scratch home, registry and folder, no keyboard, no
// display and dead buses and printer scheduler, so that nothing they try reaches the machine.
class Scratch {
  public:
    Scratch() {
        char pattern[] = "/tmp/vtx32-signatures-XXXXXX";
        if (!::mkdtemp(pattern)) throw std::runtime_error("no scratch folder");
        dir_ = pattern;
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(dir_);
        set("HOME", dir_);
        set("VTX32_REGISTRY", dir_ + "/registry");
        set("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + dir_ + "/no-bus");
        set("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=" + dir_ + "/no-bus");
        set("CUPS_SERVER", dir_ + "/no-scheduler");
        set("DISPLAY", "");
        set("WAYLAND_DISPLAY", "");
    }
    ~Scratch() {
        for (const Saved& s : saved_) {
            if (s.had)
                ::setenv(s.name.c_str(), s.value.c_str(), 1);
            else
                ::unsetenv(s.name.c_str());
        }
        std::filesystem::current_path(previous_);
        std::filesystem::remove_all(dir_);
    }

  private:
    struct Saved {
        std::string name, value;
        bool had;
    };
    void set(const std::string& name, const std::string& value) {
        const char* old = std::getenv(name.c_str());
        saved_.push_back({name, old ? old : "", old != nullptr});
        if (value.empty())
            ::unsetenv(name.c_str());
        else
            ::setenv(name.c_str(), value.c_str(), 1);
    }
    std::string dir_;
    std::filesystem::path previous_;
    std::vector<Saved> saved_;
    test::NoKeyboard keys_;
};

TEST(FunctionSignatures, EveryFunctionAgreesWithItsLetters) {
    Scratch scratch;
    for (int f = 0; f < FN_COUNT; ++f)
        EXPECT_EQ(disagreements(f, kFunctionNames[f].signature), Texts{}) << kFunctionNames[f].name;
}

TEST(FunctionSignatures, WrongLettersShow) {
    Scratch scratch;
    EXPECT_NE(disagreements(FN_LEN, "SS"), Texts{});                  // one argument too many
    EXPECT_NE(disagreements(FN_SUBSTR, "SI"), Texts{});               // one too few
    EXPECT_NE(disagreements(FN_CHR, "S"), Texts{});                   // the wrong kind
    EXPECT_NE(disagreements(FN_SHOWPROGRAMGROUP, "Sii"), Texts{});    // a required one optional
    EXPECT_NE(disagreements(FN_WRITEPROFILESTRING, "SSSS"), Texts{}); // an optional one required
    EXPECT_NE(disagreements(FN_MESSAGEBOX, "SSi"), Texts{});          // an optional one left out
}

} // namespace
} // namespace vtx
