#include "settings/bdreg.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QVariant>
#include <climits>
#include <filesystem>
#include <memory>

#include "core/component_palette.h"

namespace {

class BDRegTest : public testing::Test {
protected:
    TBDReg reg{nullptr};
};

TEST_F(BDRegTest, PushingAKeyAgainReplacesItsValueAndMovesItBehindLaterPushes) {
    reg.PushString("Width", "10");
    reg.PushString("Mode", "2");
    reg.PushInt("Count", 7);
    reg.PushString("Width", "20");
    EXPECT_EQ(reg.Entries().Count(), 3);
    EXPECT_EQ(reg.PopString("Width"), "20");
    EXPECT_EQ(reg.GetIndex("Mode"), 0);
    EXPECT_EQ(reg.GetIndex("Width"), 2);
}

TEST_F(BDRegTest, FoldersSeparateEntriesAndCompareWithLetterCase) {
    reg.PushString("Width", "root");
    reg.PushString("Width", "main", "Main");
    EXPECT_EQ(reg.PopString("Width"), "root");
    EXPECT_EQ(reg.PopString("Width", "", "Main"), "main");
    EXPECT_TRUE(reg.Exist("Width", "Main"));
    EXPECT_FALSE(reg.Exist("Width", "main"));
    // The forms without a folder never see another folder's entries.
    reg.Delete("Width");
    EXPECT_FALSE(reg.Exist("Width"));
    EXPECT_EQ(reg.GetIndex("Width"), -1);
    EXPECT_EQ(reg.GetIndex("Width", "Main"), 0);
}

TEST_F(BDRegTest, PopOfAMissingEntryGivesTheDefaultButAnEmptyValueIsAValue) {
    EXPECT_EQ(reg.PopString("Name"), "");
    EXPECT_EQ(reg.PopString("Name", "Joe"), "Joe");
    EXPECT_EQ(reg.Pop("Name", "Joe", "Folder"), "Joe");
    EXPECT_EQ(reg.PopInt("Name"), 0);
    EXPECT_EQ(reg.PopInt("Name", 5), 5);
    EXPECT_FALSE(reg.PopBool("Name"));
    EXPECT_TRUE(reg.PopBool("Name", true));

    reg.Push("Name", "");
    EXPECT_EQ(reg.PopString("Name", "Joe"), "");
    EXPECT_EQ(reg.Pop("Name", "Joe"), "");
}

TEST_F(BDRegTest, TypedPushesStoreTheirDecimalText) {
    reg.PushInt("Low", INT32_MIN);
    reg.PushInt("Zero", 0, "F");
    reg.PushBool("On", true);
    reg.PushBool("Off", false, "F");
    EXPECT_EQ(reg.PopString("Low"), "-2147483648");
    EXPECT_EQ(reg.PopString("Zero", "", "F"), "0");
    EXPECT_EQ(reg.PopString("On"), "1");
    EXPECT_EQ(reg.PopString("Off", "", "F"), "0");
    EXPECT_EQ(reg.PopInt("Low"), INT32_MIN);
    EXPECT_TRUE(reg.PopBool("On"));
    EXPECT_FALSE(reg.PopBool("Off", true, "F"));
}

TEST_F(BDRegTest, PopIntConvertsTheStoredTextOrGivesTheDefault) {
    const struct {
        const char* stored;
        int32_t expected;  // with the default 99
    } rows[] = {
        {" 42 ", 42},
        {"\t42\r\n", 42},
        {"$1F", 31},
        {"0x1f", 31},
        {"X10", 16},
        {"$FFFFFFFF", -1},
        {"-2147483648", INT32_MIN},
        {"2147483647", INT32_MAX},
        {"+7", 7},
        {"010", 10},
        {"4.5", 99},
        {"12abc", 99},
        {"1 2", 99},
        {"2147483648", 99},
        {"-2147483649", 99},
        {"$100000000", 99},
        {"-$1", 99},
        {"", 99},
        {"   ", 99},
        {"-", 99},
        {"$", 99},
        {"\xA0"
         "5",
         99},  // a code-page character is no blank
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string("stored \"") + row.stored + "\"");
        reg.PushString("Value", row.stored);
        EXPECT_EQ(reg.PopInt("Value", 99), row.expected);
        EXPECT_EQ(TBDReg::StrToInt(row.stored, 99), row.expected);
    }
}

TEST_F(BDRegTest, PopBoolReadsOnlyTheNumbersZeroAndOne) {
    const struct {
        const char* stored;
        bool with_false;  // PopBool(key, false)
        bool with_true;   // PopBool(key, true)
    } rows[] = {
        {"1", true, true},   {" 1 ", true, true},   {"01", true, true},   {"+1", true, true},
        {"$1", true, true},  {"0", false, false},   {"$0", false, false}, {"2", false, true},
        {"-1", false, true}, {"true", false, true}, {"", false, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string("stored \"") + row.stored + "\"");
        reg.PushString("Flag", row.stored, "F");
        EXPECT_EQ(reg.PopBool("Flag", false, "F"), row.with_false);
        EXPECT_EQ(reg.PopBool("Flag", true, "F"), row.with_true);
    }
}

TEST(BDRegText, IsIntLooksAtTheFirstCharacterOnly) {
    const struct {
        const char* text;
        bool expected;
    } rows[] = {{"", false},  {"-5", false}, {" 5", false}, {"0", true},
                {"9x", true}, {"7up", true}, {"a1", false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(TBDReg::IsInt(row.text), row.expected);
    }
}

TEST_F(BDRegTest, DeleteReportsWhetherThereWasAnEntry) {
    reg.PushString("a", "1");
    reg.PushString("b", "2");
    EXPECT_FALSE(reg.Delete("c"));
    EXPECT_FALSE(reg.Delete("a", "Other"));
    EXPECT_EQ(reg.Entries().Count(), 2);
    EXPECT_TRUE(reg.Delete("a"));
    EXPECT_FALSE(reg.Exist("a"));
    EXPECT_EQ(reg.GetIndex("b"), 0);
    EXPECT_FALSE(reg.Delete("a"));
}

TEST_F(BDRegTest, PropertiesHaveTheirDefaultsAndSurviveClear) {
    EXPECT_EQ(reg.Programmname(), "");
    EXPECT_EQ(reg.Firmenname(), "");
    EXPECT_EQ(reg.IniFileName(), "config.ini");
    EXPECT_EQ(reg.IniFileDir(), TBDReg::AppDir());

    // A form description sets the published properties by name.
    EXPECT_TRUE(reg.setProperty("Programmname", QString("Tapwerk")));
    EXPECT_TRUE(reg.setProperty("Firmenname", QString("Brindlex")));
    EXPECT_TRUE(reg.setProperty("IniFileName", QString("tap.ini")));
    EXPECT_TRUE(reg.setProperty("IniFileDir", QString("/etc/tap")));
    reg.PushString("a", "1");
    reg.Clear();
    EXPECT_EQ(reg.Entries().Count(), 0);
    EXPECT_EQ(reg.Programmname(), "Tapwerk");
    EXPECT_EQ(reg.Firmenname(), "Brindlex");
    EXPECT_EQ(reg.property("IniFileName").toString(), "tap.ini");
    EXPECT_EQ(reg.IniFileDir(), "/etc/tap");
}

TEST(BDRegText, AppDirIsTheFolderOfTheRunningProgram) {
    const std::string dir = TBDReg::AppDir();
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(dir.back(), '/');
    EXPECT_EQ(std::filesystem::path(dir + "x").parent_path(),
              std::filesystem::read_symlink("/proc/self/exe").parent_path());
}

TEST(BDRegComponent, IsOwnedAndRegisteredOnTheBrindlexPage) {
    auto owner = std::make_unique<TComponent>(nullptr);
    auto* reg = new TBDReg(owner.get());  // owned and destroyed by owner
    EXPECT_EQ(owner->Components(0), reg);
    Bdreg::Register();
    const auto names = RegisteredComponentNames(kBrindlexPalettePage);
    EXPECT_NE(std::find(names.begin(), names.end(), "TBDReg"), names.end());
}

}  // namespace
