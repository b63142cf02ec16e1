// The hive file: refusing files that are not sound hives, several writers, crashes.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "registry/registry.h"
#include "temporary_hive.h"

namespace {

using HiveTest = TemporaryHiveTest;

// Each child writes its own values, one handle per write as the application does.
void WriteValuesAndExit(int writer, int count) {
    int failures = 0;
    for (int i = 0; i < count; ++i) {
        try {
            TRegistry registry;
            if (!registry.OpenKey("Software\\Shared", true)) {
                std::fprintf(stderr, "writer %d: %s\n", writer, registry.LastError().c_str());
                ++failures;
                continue;
            }
            registry.WriteString("w" + std::to_string(writer) + "-" + std::to_string(i),
                                 std::to_string(i));
        } catch (const std::exception& error) {
            std::fprintf(stderr, "writer %d: %s\n", writer, error.what());
            ++failures;
        } catch (...) {
            std::fprintf(stderr, "writer %d: unexpected exception\n", writer);
            ++failures;
        }
    }
    _exit(failures == 0 ? 0 : 1);
}

TEST_F(HiveTest, TwoProcessesWritingOneHiveLoseNothing) {
    constexpr int kCount = 60;
    pid_t children[2];
    for (int writer = 0; writer < 2; ++writer) {
        children[writer] = fork();
        ASSERT_GE(children[writer], 0);
        if (children[writer] == 0) WriteValuesAndExit(writer, kCount);
    }
    for (const pid_t child : children) {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a writer failed";
    }
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey("Software\\Shared", false)) << registry.LastError();
    TStringList names;
    registry.GetValueNames(names);
    EXPECT_EQ(names.Count(), 2 * kCount);
    for (int writer = 0; writer < 2; ++writer) {
        for (int i = 0; i < kCount; ++i) {
            const std::string name = "w" + std::to_string(writer) + "-" + std::to_string(i);
            ASSERT_EQ(registry.ReadString(name), std::to_string(i)) << name;
        }
    }
}

TEST_F(HiveTest, AWriterKilledMidWayLeavesWholeValuesOnly) {
    const std::string big(20000, 'x');  // spans several pages, so a torn write would show
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        TRegistry registry;
        if (!registry.OpenKey("Crash", true)) _exit(1);
        for (int i = 0;; ++i)
            registry.WriteString("v" + std::to_string(i % 50), big + std::to_string(i));
    }
    // Let it get well into its writes, then kill it wherever it is.
    for (int tries = 0; tries < 500 && !FileExists(UserHivePath()); ++tries) usleep(2000);
    usleep(150000);
    kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);

    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey("Crash", false)) << registry.LastError();
    TStringList names;
    registry.GetValueNames(names);
    ASSERT_GT(names.Count(), 0);
    for (int i = 0; i < names.Count(); ++i) {
        const std::string text = registry.ReadString(names[i]);
        ASSERT_EQ(text.compare(0, big.size(), big), 0) << names[i];
        EXPECT_GT(text.size(), big.size()) << names[i];
    }
    registry.WriteString("after", "the hive is still usable");
    EXPECT_EQ(registry.ReadString("after"), "the hive is still usable");
}

// A copy of a sound hive with some bytes changed.
std::string SoundHiveBytes(const std::string& path) {
    TRegistry registry;
    registry.SetHiveFolder(HKEY::HKEY_CURRENT_USER, path);
    EXPECT_TRUE(registry.OpenKey("Software\\Brindlex\\Tapwerk", true));
    for (int i = 0; i < 6; ++i)
        registry.WriteString("v" + std::to_string(i), std::string(2000, 'v'));
    registry.CloseKey();
    return ReadFileBytes(path + "/registry.hive");
}

TEST_F(HiveTest, AFileThatIsNoSoundHiveIsRefusedAndLeftAsItWas) {
    const std::string sound = SoundHiveBytes(Folder() + "/sound");
    ASSERT_GT(sound.size(), 8192u);
    std::string wrong_id = sound;
    wrong_id[68] ^= 0x01;  // the application id: another program's database
    std::string scribbled = sound;
    for (size_t i = 4096; i < 8192; ++i) scribbled[i] = static_cast<char>(i * 7);

    struct Row {
        const char* name;
        std::string bytes;
    };
    const Row rows[] = {
        {"empty file", ""},
        {"text file", "[Settings]\nInterval=2000\n"},
        {"header only", sound.substr(0, 100)},
        {"cut after the first page", sound.substr(0, 4096)},
        {"another database", wrong_id},
        {"scribbled page", scribbled},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        WriteFileBytes(UserHivePath(), row.bytes);
        TRegistry registry;
        EXPECT_FALSE(registry.OpenKey("Software\\Brindlex\\Tapwerk", true));
        EXPECT_NE(registry.LastError().find(UserHivePath()), std::string::npos)
            << registry.LastError();
        EXPECT_NE(registry.LastError().find("not a registry hive"), std::string::npos)
            << registry.LastError();
        EXPECT_FALSE(registry.CreateKey("New"));
        EXPECT_FALSE(registry.DeleteKey("Software"));
        EXPECT_EQ(registry.ReadString("Interval"), "");
        EXPECT_EQ(ReadFileBytes(UserHivePath()), row.bytes);
        EXPECT_FALSE(FileExists(UserHivePath() + "-journal"));
    }
}

TEST_F(HiveTest, AFolderInPlaceOfTheHiveIsRefused) {
    WriteFileBytes(UserHivePath() + "/inside", "x");
    TRegistry registry;
    EXPECT_FALSE(registry.CreateKey("Software"));
    EXPECT_NE(registry.LastError().find("not a registry hive"), std::string::npos);
}

}  // namespace
