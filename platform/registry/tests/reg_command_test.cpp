// brindlex reg, run as a program: the export, delete, import round trip and its errors.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

#include "registry/registry.h"
#include "temporary_hive.h"

namespace {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

class RegCommandTest : public TemporaryHiveTest {
protected:
    // Runs brindlex reg with arguments (standard input empty), in this test's hives.
    Outcome Reg(const std::vector<std::string>& arguments) {
        const std::string out_path = Folder() + "/out.txt";
        const std::string err_path = Folder() + "/err.txt";
        const pid_t child = fork();
        if (child == 0) {
            if (!std::freopen("/dev/null", "r", stdin) ||
                !std::freopen(out_path.c_str(), "w", stdout) ||
                !std::freopen(err_path.c_str(), "w", stderr)) {
                _exit(127);
            }
            std::vector<char*> argv{const_cast<char*>(BRINDLEX_EXE), const_cast<char*>("reg")};
            for (const std::string& argument : arguments)
                argv.push_back(const_cast<char*>(argument.c_str()));
            argv.push_back(nullptr);
            execv(BRINDLEX_EXE, argv.data());
            _exit(127);
        }
        Outcome run;
        int status = 0;
        waitpid(child, &status, 0);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.out = ReadFileBytes(out_path);
        run.err = ReadFileBytes(err_path);
        return run;
    }
};

TEST_F(RegCommandTest, ExportDeleteImportGivesTheSameKeysBack) {
    const std::string key = "HKCU\\Software\\Brindlex";
    ASSERT_EQ(Reg({"add", key + "\\Tapwerk", "/v", "Interval", "/d", "2000"}).status, 0);
    ASSERT_EQ(Reg({"add", key + "\\Tapwerk", "/v", "Enter", "/t", "REG_DWORD", "/d", "1"}).status,
              0);
    ASSERT_EQ(
        Reg({"add", key + "\\Tapwerk\\Paths", "/ve", "/t", "REG_EXPAND_SZ", "/d", "%HOME%"}).status,
        0);
    ASSERT_EQ(Reg({"add", key + "\\Beta", "/v", "Blob", "/t", "REG_BINARY", "/d", "00ff10"}).status,
              0);
    {
        TRegistry registry;  // values the command line cannot make
        ASSERT_TRUE(registry.OpenKey("Software\\Brindlex\\Tapwerk", false));
        registry.WriteString("Quote \"and\\ back", "line\none");
        registry.WriteRawValue("Multi", 7, {'a', 0, 'b', 0, 0});
    }
    const Outcome before = Reg({"query", key, "/s"});
    ASSERT_EQ(before.status, 0) << before.err;
    EXPECT_NE(before.out.find("    Interval    REG_SZ    2000\n"), std::string::npos) << before.out;
    EXPECT_NE(before.out.find("    Enter    REG_DWORD    0x1\n"), std::string::npos) << before.out;
    EXPECT_NE(before.out.find("    Blob    REG_BINARY    00FF10\n"), std::string::npos)
        << before.out;

    const std::string file = Folder() + "/brindlex.reg";
    const Outcome exported = Reg({"export", key, file});
    ASSERT_EQ(exported.status, 0) << exported.err;
    EXPECT_EQ(ReadFileBytes(file).rfind("Windows Registry Editor Version 5.00\r\n", 0), 0u);
    ASSERT_EQ(Reg({"delete", key, "/f"}).status, 0);
    EXPECT_EQ(Reg({"query", key}).status, 1);
    const Outcome imported = Reg({"import", file});
    ASSERT_EQ(imported.status, 0) << imported.err;
    EXPECT_EQ(Reg({"query", key, "/s"}).out, before.out);
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey("Software\\Brindlex\\Tapwerk", false));
    EXPECT_EQ(registry.ReadString("Quote \"and\\ back"), "line\none");
}

TEST_F(RegCommandTest, ProblemsGoToStandardErrorWithAFailureStatus) {
    ASSERT_EQ(Reg({"add", "HKCU\\A", "/v", "x", "/d", "1"}).status, 0);
    const std::string broken = Folder() + "/broken.reg";
    WriteFileBytes(
        broken, "Windows Registry Editor Version 5.00\n[HKCU\\A]\n\"x\"=\"2\"\n\"y\"=dword:zz\n");
    struct Row {
        const char* name;
        std::vector<std::string> arguments;
        int status;
        std::string error;
    };
    const Row rows[] = {
        {"missing key", {"query", "HKCU\\Nope"}, 1, "unable to find"},
        {"missing value", {"query", "HKCU\\A", "/v", "nope"}, 1, "unable to find"},
        {"foreign root", {"query", "HKU\\A"}, 2, "Invalid key name"},
        {"bad type",
         {"add", "HKCU\\A", "/v", "x", "/t", "REG_QWORD", "/d", "1"},
         2,
         "Invalid type"},
        {"bad binary",
         {"add", "HKCU\\A", "/v", "x", "/t", "REG_BINARY", "/d", "abc"},
         2,
         "Invalid REG_BINARY"},
        {"overwrite without /f", {"add", "HKCU\\A", "/v", "x", "/d", "2"}, 1, "cancelled"},
        {"delete without /f", {"delete", "HKCU\\A"}, 1, "cancelled"},
        {"broken file", {"import", broken}, 1, "Line 4: dword data"},
        {"unknown operation", {"copy", "HKCU\\A"}, 2, "unknown operation"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Outcome run = Reg(row.arguments);
        EXPECT_EQ(run.status, row.status);
        EXPECT_NE(run.err.find(row.error), std::string::npos) << run.err;
    }
    TRegistry registry;  // neither the refused overwrite nor the broken import changed "x"
    ASSERT_TRUE(registry.OpenKey("A", false));
    EXPECT_EQ(registry.ReadString("x"), "1");

    WriteFileBytes(UserHivePath(), "not a hive");
    const Outcome damaged = Reg({"query", "HKCU\\A"});
    EXPECT_EQ(damaged.status, 1);
    EXPECT_NE(damaged.err.find("not a registry hive"), std::string::npos) << damaged.err;
    EXPECT_EQ(ReadFileBytes(UserHivePath()), "not a hive");
}

}  // namespace
