#include "settings/settings_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(SettingsLine, KeyAndValueSplitAtTheFirstEqualsSignWithoutTrimming) {
    const struct {
        const char* line;
        const char* key;
        const char* value;
    } rows[] = {
        {"a=b", "a", "b"},
        {"a=b=c", "a", "b=c"},
        {"abc", "abc", ""},
        {"=x", "", "x"},
        {"a=", "a", ""},
        {"", "", ""},
        {"  Name = Joe ", "  Name ", " Joe "},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        EXPECT_EQ(Bdreg::GetDataKey(row.line), row.key);
        EXPECT_EQ(Bdreg::GetDataValue(row.line), row.value);
    }
    EXPECT_EQ(Bdreg::BuildData("Last", "C:\\x=y"), "Last=C:\\x=y");
    EXPECT_EQ(Bdreg::BuildData("", ""), "=");
}

TEST(SettingsLine, ExtractFolderNameAcceptsOnlyHeaderLines) {
    const struct {
        const char* line;
        const char* folder;  // empty: no header
    } rows[] = {
        {"[Main]", "Main"},    {" [Main] ", "Main"}, {"[ Main ]", " Main "},
        {"[Main", "Main"},     {"[Ma[in]", "Main"},  {"[Main]]", "Main"},
        {"[a=b]", "a=b"},      {"[]", ""},           {"", ""},
        {"Main", ""},          {"[Main]x", ""},      {"[Main] ;note", ""},
        {"\t[Main]", ""},      {"[Main]\t", ""},     {"x[Main]", ""},
        {"[Main][Other]", ""}, {"]Main", ""},        {"Width=10", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        EXPECT_EQ(Bdreg::ExtractFolderName(row.line), row.folder);
    }
}

TEST(SettingsCoding, EncodeReplacesEveryKindOfLineBreak) {
    const struct {
        std::string text;
        std::string placeholder;
        std::string encoded;
    } rows[] = {
        {"a\r\nb\nc\rd", "|", "a|b|c|d"},
        {"\r\n\r\n", "|", "||"},
        {"\n\r", "|", "||"},  // LF then CR are two breaks
        {"a\r\nb", "", "ab"},
        {"a\nb", "<br>", "a<br>b"},
        {"plain", "|", "plain"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(Bdreg::EncodeText(row.text, row.placeholder), row.encoded);
    }
}

TEST(SettingsCoding, DecodeReplacesPlaceholdersLeftToRightWithoutOverlap) {
    const struct {
        std::string text;
        std::string placeholder;
        std::string decoded;
    } rows[] = {
        {"a|b|c|d", "|", "a\r\nb\r\nc\r\nd"},
        {"a||b", "||", "a\r\nb"},
        {"a|||b", "||", "a\r\n|b"},
        {"a|", "||", "a|"},
        {"a|b", "", "a|b"},  // an empty placeholder matches nothing
        {"", "|", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text + " with " + row.placeholder);
        EXPECT_EQ(Bdreg::DecodeText(row.text, row.placeholder), row.decoded);
    }
}

TEST(SettingsCoding, DecodeUndoesEncodeAndNormalisesLoneBreaks) {
    const std::string text = "first\r\nsecond\r\n\r\nfourth";
    EXPECT_EQ(Bdreg::DecodeText(Bdreg::EncodeText(text, "\\n"), "\\n"), text);
    EXPECT_EQ(Bdreg::DecodeText(Bdreg::EncodeText("a\nb\rc", "~~"), "~~"), "a\r\nb\r\nc");
}

}  // namespace
