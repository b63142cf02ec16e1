#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace std::string_literals;
using Bdreg::Entry;
using Bdreg::EntryList;

struct Row {
    std::string folder, key, value;
    bool operator==(const Row&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Row& row) {
    return out << "[" << row.folder << "] \"" << row.key << "\" = \"" << row.value << "\"";
}

std::vector<Row> Rows(const EntryList& list) {
    std::vector<Row> rows;
    for (const Entry& entry : list) rows.push_back({entry.folder, entry.key, entry.value});
    return rows;
}

void Fill(EntryList& list, const std::vector<Row>& rows) {
    for (const Row& row : rows) list.Add(row.key, row.value, row.folder);
}

TEST(SettingsFileFormat, WritesTheExactBytes) {
    const struct {
        const char* name;
        std::vector<Row> entries;
        std::string bytes;
    } cases[] = {
        {"empty store", {}, "\r\n"},
        {"root only", {{"", "Width", "10"}, {"", "Mode", "2"}}, "\r\nWidth=10\r\nMode=2\r\n"},
        {"root and a folder",
         {{"", "Width", "10"}, {"", "Mode", "2"}, {"Paths", "Last", "C:\\x"}},
         "\r\nWidth=10\r\nMode=2\r\n\r\n[Paths]\r\nLast=C:\\x\r\n"},
        {"empty root group still opens with its empty line",
         {{"A", "k", "v"}},
         "\r\n\r\n[A]\r\nk=v\r\n"},
        {"folders in order of first occurrence, entries grouped",
         {{"B", "b1", "1"}, {"", "r", "0"}, {"A", "a1", "2"}, {"B", "b2", "3"}},
         "\r\nr=0\r\n\r\n[B]\r\nb1=1\r\nb2=3\r\n\r\n[A]\r\na1=2\r\n"},
        {"folders differing in letter case get a group each",
         {{"Main", "x", "1"}, {"main", "y", "2"}, {"Main", "z", "3"}},
         "\r\n\r\n[Main]\r\nx=1\r\nz=3\r\n\r\n[main]\r\ny=2\r\n"},
        {"nothing escaped or trimmed", {{"", " k", "a=b "}}, "\r\n k=a=b \r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EntryList list;
        Fill(list, c.entries);
        EXPECT_EQ(Bdreg::FormatSettingsFile(list), c.bytes);
    }
}

TEST(SettingsFileFormat, ReadsHeadersEntriesAndSkippedLines) {
    const std::string file =
        "  Name = Joe \r\n"  // key trimmed, value keeps its blanks
        "a=b=c\n"            // lone LF
        "abc\r"              // lone CR; no "=": empty value
        "=x\r\n"             // empty key: skipped
        " \t \r\n"           // blank: skipped
        "\r\n"
        " [Main] \r\n"  // header with spaces around
        "Width=1\r\n"
        "[Main]x\r\n"  // no header: an entry with an empty value
        "[Main] ;note\r\n"
        "\t[Tab]\r\n"
        "[]\r\n"
        "[ Spaced ]\r\n"
        "Root=back?\r\n"  // no way back to the root folder
        "[Open\r\n"
        "Width=2\r\n"
        "Width=3\r\n"  // the last occurrence wins
        "[Main]\r\n"
        "Width=4\r\n"  // replaces the earlier Main entry and moves to the end
        "Cut=a\0b\r\nLost=1\r\n"s;
    EntryList list;
    Bdreg::ReadSettingsFile(file, list);
    const std::vector<Row> expected = {
        {"", "Name", " Joe "},
        {"", "a", "b=c"},
        {"", "abc", ""},
        {"Main", "[Main]x", ""},
        {"Main", "[Main] ;note", ""},
        {"Main", "[Tab]", ""},
        {"Main", "[]", ""},
        {" Spaced ", "Root", "back?"},
        {"Open", "Width", "3"},
        {"Main", "Width", "4"},
        {"Main", "Cut", "a"},
    };
    EXPECT_EQ(Rows(list), expected);
}

TEST(SettingsFileFormat, WhatIsWrittenReadsBackFolderByFolder) {
    EntryList original;
    Fill(original, {{"", "Width", "10"},
                    {"Paths", "Last", "/home/me/x=1"},
                    {"", "Mode", ""},
                    {"Main", "Key", " spaced value "},
                    {"main", "Key", "other case"},
                    {"Paths", "First", "\xC3\xA4\xFF"}});
    EntryList read;
    Bdreg::ReadSettingsFile(Bdreg::FormatSettingsFile(original), read);
    const std::vector<Row> grouped = {{"", "Width", "10"},
                                      {"", "Mode", ""},
                                      {"Paths", "Last", "/home/me/x=1"},
                                      {"Paths", "First", "\xC3\xA4\xFF"},
                                      {"Main", "Key", " spaced value "},
                                      {"main", "Key", "other case"}};
    EXPECT_EQ(Rows(read), grouped);
}

TEST(SettingsFileFormat, PathJoinsFolderAndName) {
    EXPECT_EQ(Bdreg::SettingsFilePath("/opt/app/", "config.ini"), "/opt/app/config.ini");
    EXPECT_EQ(Bdreg::SettingsFilePath("/opt/app", "config.ini"), "/opt/app/config.ini");
    EXPECT_EQ(Bdreg::SettingsFilePath("", "config.ini"), "config.ini");
    EXPECT_EQ(Bdreg::SettingsFilePath("rel", "c.ini"), "rel/c.ini");
}

}  // namespace
