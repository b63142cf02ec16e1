#pragma once

#include <gtest/gtest.h>

#include <string>

// A throwaway home for the hives of one test: XDG_CONFIG_HOME and XDG_CONFIG_DIRS point into a
// fresh temporary folder for the test's life, so TRegistry never sees the real hives.
class TemporaryHiveTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    [[nodiscard]] std::string UserHivePath() const {
        return folder_ + "/config/brindlex/registry.hive";
    }
    [[nodiscard]] std::string MachineHivePath() const {
        return folder_ + "/etc/brindlex/registry.hive";
    }
    [[nodiscard]] const std::string& Folder() const { return folder_; }

private:
    std::string folder_;
    std::string saved_home_;
    std::string saved_dirs_;
    bool had_home_ = false;
    bool had_dirs_ = false;
};

// Small file helpers for the tests.
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
