#include "temporary_hive.h"

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

void TemporaryHiveTest::SetUp() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "registry-test-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    if (const char* home = std::getenv("XDG_CONFIG_HOME")) {
        had_home_ = true;
        saved_home_ = home;
    }
    if (const char* dirs = std::getenv("XDG_CONFIG_DIRS")) {
        had_dirs_ = true;
        saved_dirs_ = dirs;
    }
    setenv("XDG_CONFIG_HOME", (folder_ + "/config").c_str(), 1);
    setenv("XDG_CONFIG_DIRS", (folder_ + "/etc:/etc/xdg").c_str(), 1);
}

void TemporaryHiveTest::TearDown() {
    if (had_home_) {
        setenv("XDG_CONFIG_HOME", saved_home_.c_str(), 1);
    } else {
        unsetenv("XDG_CONFIG_HOME");
    }
    if (had_dirs_) {
        setenv("XDG_CONFIG_DIRS", saved_dirs_.c_str(), 1);
    } else {
        unsetenv("XDG_CONFIG_DIRS");
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

bool FileExists(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0;
}
