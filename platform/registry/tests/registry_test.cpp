// The key store's semantics: names, order, paths, deep delete, the registry errors.
#include "registry/registry.h"

#include <sys/stat.h>

#include <functional>

#include "temporary_hive.h"

namespace {

using RegistryTest = TemporaryHiveTest;

std::vector<std::string> Lines(const TStringList& list) { return list.Lines(); }

std::vector<std::string> ValueNames(TRegistry& registry) {
    TStringList names;
    registry.GetValueNames(names);
    return Lines(names);
}

std::vector<std::string> KeyNames(TRegistry& registry) {
    TStringList names;
    registry.GetKeyNames(names);
    return Lines(names);
}

// The message of the registry error that action raises, or "" when it raises none.
std::string RegistryErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const ERegistryException& error) {
        return error.Message();
    }
    return "";
}

TEST_F(RegistryTest, ReadingNeverCreatesTheHiveAndTheFirstWriteCreatesItPrivately) {
    TRegistry registry;
    EXPECT_FALSE(registry.KeyExists("Software"));
    EXPECT_FALSE(registry.OpenKey("Software\\Brindlex\\Tapwerk", false));
    EXPECT_NE(registry.LastError().find(UserHivePath()), std::string::npos) << registry.LastError();
    EXPECT_FALSE(FileExists(UserHivePath()));

    ASSERT_TRUE(registry.OpenKey("Software\\Brindlex\\Tapwerk", true)) << registry.LastError();
    registry.WriteString("Interval", "2000");
    EXPECT_EQ(registry.ReadString("Interval"), "2000");
    EXPECT_EQ(registry.HiveFilePath(HKEY::HKEY_CURRENT_USER), UserHivePath());

    struct stat file {
    }, folder{};
    ASSERT_EQ(stat(UserHivePath().c_str(), &file), 0);
    ASSERT_EQ(stat((Folder() + "/config/brindlex").c_str(), &folder), 0);
    EXPECT_EQ(file.st_mode & 0777, 0600u);
    EXPECT_EQ(folder.st_mode & 0777, 0700u);
}

TEST_F(RegistryTest, NamesCompareWithoutLetterCaseAndKeepTheirFirstSpelling) {
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey("Software\\Maker\\Tool", true));
    registry.WriteString("Width", "10");
    registry.WriteString("width", "20");
    registry.WriteString("Ärger", "1");
    registry.WriteString("äRGER", "2");
    EXPECT_EQ(ValueNames(registry), (std::vector<std::string>{"Width", "Ärger"}));
    EXPECT_EQ(registry.ReadString("WIDTH"), "20");
    EXPECT_EQ(registry.ReadString("ärger"), "2");
    EXPECT_TRUE(registry.ValueExists("wIdTh"));
    registry.CloseKey();

    struct Row {
        const char* name;
        const char* path;
        bool exists;
    };
    const Row rows[] = {
        {"same spelling", "Software\\Maker\\Tool", true},
        {"other case", "SOFTWARE\\maker\\TOOL", true},
        {"leading backslash", "\\software\\Maker\\tool", true},
        {"trailing backslash", "Software\\Maker\\Tool\\", true},
        {"missing leaf", "Software\\Maker\\Tools", false},
        {"empty component", "Software\\\\Maker", false},
        {"two trailing backslashes", "Software\\Maker\\\\", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(registry.KeyExists(row.path), row.exists);
    }
    ASSERT_TRUE(registry.OpenKey("SOFTWARE\\MAKER\\TOOL\\Paths", true));
    ASSERT_TRUE(registry.OpenKey("\\software", false));
    EXPECT_EQ(KeyNames(registry), std::vector<std::string>{"Maker"});
    ASSERT_TRUE(registry.OpenKey("maker\\tool", false));
    EXPECT_EQ(KeyNames(registry), std::vector<std::string>{"Paths"});
}

TEST_F(RegistryTest, SubKeysEnumerateSortedAndValuesInCreationOrder) {
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey("Order", true));
    for (const char* key : {"beta", "Alpha", "gamma", "Delta", "alpha2"}) {
        ASSERT_TRUE(registry.CreateKey(key)) << key;  // relative to the open key
    }
    EXPECT_EQ(KeyNames(registry),
              (std::vector<std::string>{"Alpha", "alpha2", "beta", "Delta", "gamma"}));
    EXPECT_TRUE(registry.HasSubKeys());

    for (const char* value : {"z", "b", "A", "y"}) registry.WriteString(value, value);
    registry.WriteString("b", "again");  // overwriting keeps the place
    ASSERT_TRUE(registry.DeleteValue("z"));
    registry.WriteString("Z", "back");  // deleted and written again: last
    EXPECT_EQ(ValueNames(registry), (std::vector<std::string>{"b", "A", "y", "Z"}));
    EXPECT_FALSE(registry.DeleteValue("z2"));
}

TEST_F(RegistryTest, DeleteKeyRemovesEverythingBelowIt) {
    TRegistry registry;
    for (const char* path : {"Root\\A\\B\\C", "Root\\A\\B2", "Root\\Keep"}) {
        ASSERT_TRUE(registry.OpenKey(path, true));
        registry.WriteString("v", path);
        registry.CloseKey();
    }
    ASSERT_TRUE(registry.DeleteKey("root\\a"));
    for (const char* gone : {"Root\\A", "Root\\A\\B", "Root\\A\\B\\C", "Root\\A\\B2"}) {
        EXPECT_FALSE(registry.KeyExists(gone)) << gone;
    }
    EXPECT_FALSE(registry.DeleteKey("Root\\A"));  // a second time: nothing to delete
    ASSERT_TRUE(registry.OpenKey("Root\\A\\B\\C", true));
    EXPECT_TRUE(ValueNames(registry).empty());  // no value comes back with the key
    EXPECT_FALSE(registry.HasSubKeys());
    ASSERT_TRUE(registry.OpenKey("\\Root\\Keep", false));
    EXPECT_EQ(registry.ReadString("v"), "Root\\Keep");
    registry.CloseKey();
    EXPECT_FALSE(registry.DeleteKey(""));  // the root itself stays
    EXPECT_TRUE(registry.KeyExists("Root"));
}

TEST_F(RegistryTest, PathsAreRelativeToTheOpenKeyUnlessTheyStartWithABackslash) {
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey("Software\\Maker", true));
    EXPECT_EQ(registry.CurrentPath(), "Software\\Maker");
    ASSERT_TRUE(registry.OpenKey("Tool", true));
    EXPECT_EQ(registry.CurrentPath(), "Software\\Maker\\Tool");
    EXPECT_TRUE(registry.KeyExists("\\Software\\Maker\\Tool"));
    EXPECT_FALSE(registry.KeyExists("Software"));  // would be ...\Tool\Software
    EXPECT_FALSE(registry.OpenKey("Missing", false));
    EXPECT_EQ(registry.CurrentPath(), "Software\\Maker\\Tool");  // a failed open keeps the key
    ASSERT_TRUE(registry.OpenKey("\\Other", true));
    EXPECT_EQ(registry.CurrentPath(), "Other");
    registry.CloseKey();
    EXPECT_EQ(registry.CurrentPath(), "");
    EXPECT_TRUE(registry.KeyExists("Software\\Maker\\Tool"));
}

TEST_F(RegistryTest, ValuesOfEveryTypeReadBackAsWritten) {
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey("Types", true));
    registry.WriteString("", "default value");
    registry.WriteExpandString("Path", "%HOME%\\bin");
    registry.WriteInteger("Negative", -2);
    registry.WriteBinaryData("Bytes", {0, 1, 0xFF});
    registry.WriteString("Empty", "");

    EXPECT_EQ(registry.ReadString(""), "default value");
    EXPECT_EQ(registry.ReadString("Path"), "%HOME%\\bin");  // never expanded
    EXPECT_EQ(registry.ReadInteger("Negative"), -2);
    EXPECT_EQ(registry.ReadBinaryData("Bytes"), (std::vector<uint8_t>{0, 1, 0xFF}));
    EXPECT_EQ(registry.ReadString("Empty"), "");
    EXPECT_EQ(registry.GetDataSize("Empty"), 1);  // the closing zero byte
    EXPECT_EQ(registry.GetDataSize("Missing"), -1);

    const std::pair<const char*, TRegDataType> types[] = {
        {"", TRegDataType::rdString},          {"Path", TRegDataType::rdExpandString},
        {"Negative", TRegDataType::rdInteger}, {"Bytes", TRegDataType::rdBinary},
        {"Missing", TRegDataType::rdUnknown},
    };
    for (const auto& [name, type] : types) EXPECT_EQ(registry.GetDataType(name), type) << name;

    // A string's text ends at its first zero byte; other type numbers survive unchanged.
    registry.WriteRawValue("Inner zero", 1, {'a', 'b', 0, 'c', 0});
    EXPECT_EQ(registry.ReadString("Inner zero"), "ab");
    registry.WriteRawValue("Multi", 7, {'a', 0, 'b', 0, 0});
    uint32_t type = 0;
    std::vector<uint8_t> data;
    ASSERT_TRUE(registry.ReadRawValue("multi", type, data));
    EXPECT_EQ(type, 7u);
    EXPECT_EQ(data, (std::vector<uint8_t>{'a', 0, 'b', 0, 0}));
    EXPECT_EQ(registry.GetDataType("Multi"), TRegDataType::rdUnknown);
}

TEST_F(RegistryTest, ReadsOfTheWrongTypeRaiseTheRegistryErrors) {
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey("Errors", true));
    registry.WriteInteger("Enter", 1);
    registry.WriteBinaryData("Blob", {1, 2});
    registry.WriteBinaryData("NoBytes", {});
    registry.WriteString("Text", "x");
    registry.WriteRawValue("Short", 4, {1, 2});

    struct Row {
        const char* name;
        std::function<void()> read;
        std::string error;
    };
    const Row rows[] = {
        {"string of a dword", [&] { (void)registry.ReadString("Enter"); },
         "Invalid data type for 'Enter'"},
        {"string of binary", [&] { (void)registry.ReadString("Blob"); },
         "Invalid data type for 'Blob'"},
        {"string of size 0 of any type", [&] { EXPECT_EQ(registry.ReadString("NoBytes"), ""); },
         ""},
        {"string of a missing value", [&] { EXPECT_EQ(registry.ReadString("Nothing"), ""); }, ""},
        {"integer of a string", [&] { (void)registry.ReadInteger("Text"); },
         "Invalid data type for 'Text'"},
        {"integer of 2 bytes", [&] { (void)registry.ReadInteger("Short"); },
         "Invalid data type for 'Short'"},
        {"integer of a missing value", [&] { (void)registry.ReadInteger("Nothing"); },
         "Failed to get data for 'Nothing'"},
        {"binary of a string", [&] { (void)registry.ReadBinaryData("Text"); },
         "Invalid data type for 'Text'"},
        {"binary of a missing value",
         [&] { EXPECT_TRUE(registry.ReadBinaryData("Nothing").empty()); }, ""},
    };
    for (const Row& row : rows) EXPECT_EQ(RegistryErrorOf(row.read), row.error) << row.name;
}

TEST_F(RegistryTest, WritesThatCannotBeDoneRaiseAndChangeNothing) {
    {
        TRegistry setup;
        ASSERT_TRUE(setup.OpenKey("Software\\Brindlex\\Tapwerk", true));
        setup.WriteString("Interval", "2000");
    }
    TRegistry no_key;
    EXPECT_EQ(RegistryErrorOf([&] { no_key.WriteString("Interval", "1"); }),
              "Failed to set data for 'Interval'");

    TRegistry failed_open;
    EXPECT_FALSE(failed_open.OpenKey("Software\\\\Bad", true));
    EXPECT_EQ(RegistryErrorOf([&] { failed_open.WriteInteger("Enter", 1); }),
              "Failed to set data for 'Enter'");
    EXPECT_EQ(failed_open.ReadString("Interval"), "");  // reads find nothing instead

    TRegistry read_only;
    ASSERT_TRUE(read_only.OpenKeyReadOnly("Software\\Brindlex\\Tapwerk"));
    EXPECT_EQ(read_only.ReadString("Interval"), "2000");
    EXPECT_EQ(RegistryErrorOf([&] { read_only.WriteString("Interval", "1"); }),
              "Failed to set data for 'Interval'");
    EXPECT_FALSE(read_only.DeleteValue("Interval"));

    // A key deleted by someone else while open: writes fail, reads find nothing.
    TRegistry holder;
    ASSERT_TRUE(holder.OpenKey("Software\\Brindlex\\Tapwerk", false));
    ASSERT_TRUE(TRegistry().DeleteKey("Software\\Brindlex"));
    EXPECT_EQ(RegistryErrorOf([&] { holder.WriteString("Interval", "1"); }),
              "Failed to set data for 'Interval'");
    EXPECT_FALSE(holder.ValueExists("Interval"));
    EXPECT_FALSE(TRegistry().KeyExists("Software\\Brindlex"));  // the write did not revive it
}

TEST_F(RegistryTest, TheMachineRootIsAHiveOfItsOwn) {
    TRegistry registry;
    registry.SetRootKey(HKEY::HKEY_LOCAL_MACHINE);
    EXPECT_EQ(registry.RootKey(), HKEY::HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(registry.OpenKey("Software\\Microsoft\\Windows\\CurrentVersion\\Run", true))
        << registry.LastError();
    registry.WriteString("Tapwerk", "/usr/bin/tapwerk");
    EXPECT_TRUE(FileExists(MachineHivePath()));
    registry.SetRootKey(HKEY::HKEY_CURRENT_USER);
    EXPECT_FALSE(registry.KeyExists("Software\\Microsoft"));

    // An explicit folder replaces the standard place.
    TRegistry elsewhere;
    elsewhere.SetHiveFolder(HKEY::HKEY_CURRENT_USER, Folder() + "/other");
    ASSERT_TRUE(elsewhere.CreateKey("Mine"));
    EXPECT_TRUE(FileExists(Folder() + "/other/registry.hive"));
    EXPECT_FALSE(FileExists(UserHivePath()));
}

}  // namespace
