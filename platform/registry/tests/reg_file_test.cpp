// The exported-keys text format.
#include "registry/reg_file.h"

#include <gtest/gtest.h>

namespace {

TEST(RegFileTest, EveryKindOfValueSurvivesAWriteAndARead) {
    std::vector<uint8_t> long_binary;
    for (int i = 0; i < 300; ++i) long_binary.push_back(static_cast<uint8_t>(i));
    const std::vector<RegFileKey> keys = {
        {HKEY::HKEY_CURRENT_USER,
         "Software\\Brindlex\\Tapwerk",
         false,
         {
             {"Interval", false, 1, {'2', '0', '0', '0', 0}},
             {"", false, 1, {'d', 'e', 'f', 0}},
             {"quote\" and \\ in name", false, 1, {'"', '\\', 'x', 0}},
             {"line break", false, 1, {'a', '\n', 'b', 0}},
             {"inner zero", false, 1, {'a', 0, 'b', 0}},
             {"no closing zero", false, 1, {'a', 'b'}},
             {"no bytes", false, 1, {}},
             {"Enter", false, 4, {0x2a, 0, 0, 0x80}},
             {"Blob", false, 3, long_binary},
             {"Empty blob", false, 3, {}},
             {"Path", false, 2, {'%', 'H', '%', 0}},
             {"Multi", false, 7, {'a', 0, 'b', 0, 0}},
             {"Qword", false, 0xb, {1, 2, 3, 4, 5, 6, 7, 8}},
             {"Gone", true, 1, {}},
         }},
        {HKEY::HKEY_CURRENT_USER, "Software\\Old", true, {}},
        {HKEY::HKEY_LOCAL_MACHINE, "Software\\Run", false, {}},
    };
    const std::string text = FormatRegFile(keys);
    EXPECT_EQ(text.rfind("Windows Registry Editor Version 5.00\r\n", 0), 0u);
    EXPECT_NE(text.find("\"Interval\"=\"2000\"\r\n"), std::string::npos);
    EXPECT_NE(text.find("\"Enter\"=dword:8000002a\r\n"), std::string::npos);
    EXPECT_NE(text.find("[-HKEY_CURRENT_USER\\Software\\Old]"), std::string::npos);

    const std::vector<RegFileKey> read = ParseRegFile(text);
    ASSERT_EQ(read.size(), keys.size());
    for (size_t k = 0; k < keys.size(); ++k) {
        EXPECT_EQ(read[k].root, keys[k].root);
        EXPECT_EQ(read[k].path, keys[k].path);
        EXPECT_EQ(read[k].remove, keys[k].remove);
        ASSERT_EQ(read[k].values.size(), keys[k].values.size());
        for (size_t v = 0; v < keys[k].values.size(); ++v) {
            const RegFileValue& want = keys[k].values[v];
            const RegFileValue& got = read[k].values[v];
            SCOPED_TRACE(want.name);
            EXPECT_EQ(got.name, want.name);
            EXPECT_EQ(got.remove, want.remove);
            if (want.remove) continue;
            EXPECT_EQ(got.type, want.type);
            EXPECT_EQ(got.data, want.data);
        }
    }
}

TEST(RegFileTest, ReadsWhatTheWindowsToolsWrite) {
    // UTF-16LE with a byte order mark, CRLF, a comment, a continued hex line, HKCU.
    const std::string utf8 =
        "Windows Registry Editor Version 5.00\r\n\r\n; exported\r\n[HKCU\\Software\\Stra\xC3\x9F"
        "e]\r\n"
        "\"Bin\"=hex:01,02,\\\r\n  03\r\n\"Small\"=dword:1\r\n";
    std::string utf16 = "\xFF\xFE";
    for (const char c : utf8) {
        // Every character here is one byte or the two bytes of U+00DF.
        if (static_cast<unsigned char>(c) == 0xC3) continue;
        const auto unit =
            static_cast<unsigned char>(c) == 0x9F ? 0xDF : static_cast<unsigned char>(c);
        utf16 += static_cast<char>(unit);
        utf16 += '\0';
    }
    for (const std::string& file : {utf8, utf16, "\xEF\xBB\xBF" + utf8}) {
        const std::vector<RegFileKey> keys = ParseRegFile(file);
        ASSERT_EQ(keys.size(), 1u);
        EXPECT_EQ(keys[0].path,
                  "Software\\Stra\xC3\x9F"
                  "e");
        ASSERT_EQ(keys[0].values.size(), 2u);
        EXPECT_EQ(keys[0].values[0].data, (std::vector<uint8_t>{1, 2, 3}));
        EXPECT_EQ(keys[0].values[1].data, (std::vector<uint8_t>{1, 0, 0, 0}));
    }
}

TEST(RegFileTest, BrokenFilesAreRejectedWithTheirLine) {
    const std::string header = "Windows Registry Editor Version 5.00\n";
    struct Row {
        const char* name;
        std::string text;
        std::string error;
    };
    const Row rows[] = {
        {"empty", "", "The file is empty"},
        {"no header", "[HKEY_CURRENT_USER\\A]\n", "Line 1: the file does not start with"},
        {"value before key", header + "\"a\"=\"b\"\n", "Line 2: a value comes before"},
        {"unknown root", header + "[HKEY_USERS\\A]\n", "Line 2: the key 'HKEY_USERS\\A'"},
        {"unclosed key", header + "[HKCU\\A\n", "Line 2: a key line must end"},
        {"unclosed quote", header + "[HKCU\\A]\n\"a=\"b\n", "Line 3: expected = after"},
        {"bad dword", header + "[HKCU\\A]\n\"a\"=dword:123456789\n", "Line 3: dword data"},
        {"bad hex", header + "[HKCU\\A]\n\"a\"=hex:1,2\n", "Line 3: hex data"},
        {"bad hex type", header + "[HKCU\\A]\n\"a\"=hex(z):01\n", "Line 3: expected hex(<type>)"},
        {"trailing text", header + "[HKCU\\A]\n\"a\"=\"b\"c\n", "Line 3: unexpected text"},
        {"bare word", header + "[HKCU\\A]\nname=1\n", "Line 3: expected a key in brackets"},
        {"values of a deleted key", header + "[-HKCU\\A]\n\"a\"=\"b\"\n", "Line 3: a deleted key"},
        {"odd UTF-16", "\xFF\xFE\x41", "The UTF-16 file ends"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        try {
            (void)ParseRegFile(row.text);
            ADD_FAILURE() << "accepted";
        } catch (const ERegFileError& error) {
            EXPECT_EQ(error.Message().rfind(row.error, 0), 0u) << error.Message();
        }
    }
}

}  // namespace
