#include "platform/posix/system/ini_text.h"

#include <gtest/gtest.h>

namespace vtx::ini {
namespace {

using Names = std::vector<std::string>;

const char* const kSample = "; settings\r\n"
                            "loose=before any section\r\n"
                            "[Main]\r\n"
                            "  Name =  Smith  \r\n"
                            "Quoted=\" kept inside \"\r\n"
                            "Single='x'\r\n"
                            "Odd=\"x'\r\n"
                            ";Commented=1\r\n"
                            "no equals sign\r\n"
                            "\r\n"
                            "[ Other ]\r\n"
                            "a=1\r\n"
                            "[main]\r\n"
                            "Later=ignored\r\n";

TEST(IniText, ReadTrimsAndUnquotes) {
    EXPECT_EQ(read_value(kSample, "main", "NAME"), "Smith");
    EXPECT_EQ(read_value(kSample, "Main", "Quoted"), " kept inside ");
    EXPECT_EQ(read_value(kSample, "Main", "Single"), "x");
    EXPECT_EQ(read_value(kSample, "Main", "Odd"), "\"x'");
    EXPECT_EQ(read_value(kSample, "other", "A"), "1");
}

TEST(IniText, WhatIsNotAKeyReadsEmpty) {
    EXPECT_EQ(read_value(kSample, "Main", ";Commented"), "");
    EXPECT_EQ(read_value(kSample, "Main", "no equals sign"), "");
    EXPECT_EQ(read_value(kSample, "Main", "a"), "");     // another section's key
    EXPECT_EQ(read_value(kSample, "Main", "Later"), ""); // only the first [Main] counts
    EXPECT_EQ(read_value(kSample, "Missing", "Name"), "");
    EXPECT_EQ(read_value("", "Main", "Name"), "");
}

TEST(IniText, Listings) {
    EXPECT_EQ(section_names(kSample), (Names{"Main", "Other"}));
    EXPECT_EQ(key_names(kSample, "MAIN"), (Names{"Name", "Quoted", "Single", "Odd"}));
    EXPECT_EQ(key_names(kSample, "Missing"), Names{});
    EXPECT_EQ(key_names("[s]\nk=1\nK=2\n", "s"), Names{"k"});
}

TEST(IniText, WriteReplacesInPlaceAndKeepsEverythingElse) {
    std::string value = "Jones";
    std::string out = write_value(kSample, "MAIN", "name", &value);
    std::string want = kSample;
    want.replace(want.find("  Name =  Smith  "), 17, "Name=Jones");
    EXPECT_EQ(out, want);
}

TEST(IniText, WriteAddsKeysAfterTheLastKeyOfTheSection) {
    std::string value = "v";
    std::string out = write_value("[a]\nx=1\n\n[b]\ny=2\n", "A", "New", &value);
    EXPECT_EQ(out, "[a]\nx=1\nNew=v\n\n[b]\ny=2\n");
    // A single line without an end is a file as a new one: CR LF.
    EXPECT_EQ(write_value("[a]", "a", "k", &value), "[a]\r\nk=v\r\n");
    EXPECT_EQ(write_value("[a]\r\n[b]\r\n", "b", "k", &value), "[a]\r\n[b]\r\nk=v\r\n");
    EXPECT_EQ(write_value("x\n[a]\r", "a", "k", &value), "x\n[a]\r\nk=v\n");
}

TEST(IniText, WriteCreatesSectionsAndFiles) {
    std::string value = "v";
    // A new file gets CR LF, as initialisation files have everywhere.
    EXPECT_EQ(write_value("", "S", "k", &value), "[S]\r\nk=v\r\n");
    EXPECT_EQ(write_value("[a]\r\nx=1", "b", "k", &value), "[a]\r\nx=1\r\n[b]\r\nk=v\r\n");
}

TEST(IniText, DeleteRemovesOnlyThatKey) {
    EXPECT_EQ(write_value("[a]\nx=1\ny=2\n[b]\nx=3\n", "a", "X", nullptr), "[a]\ny=2\n[b]\nx=3\n");
    EXPECT_EQ(write_value("[a]\nx=1", "a", "x", nullptr), "[a]\n");
    EXPECT_EQ(write_value("[a]\nx=1\n", "a", "missing", nullptr), "[a]\nx=1\n");
    EXPECT_EQ(write_value("[a]\nx=1\n", "b", "x", nullptr), "[a]\nx=1\n");
}

TEST(IniText, WrittenValuesReadBack) {
    std::string text;
    for (std::string v : {"plain", "  padded  ", "\"quoted\"", "a=b", "[not a section]"}) {
        text = write_value(text, "s", "k", &v);
        std::string expect = v == "  padded  " ? "padded" : v == "\"quoted\"" ? "quoted" : v;
        EXPECT_EQ(read_value(text, "s", "k"), expect) << v;
    }
    EXPECT_EQ(key_names(text, "s"), Names{"k"});
}

} // namespace
} // namespace vtx::ini
