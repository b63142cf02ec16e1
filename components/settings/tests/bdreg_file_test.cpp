#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "settings/bdreg.h"

namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<std::string> FolderListing(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& item : fs::directory_iterator(folder)) {
        names.push_back(item.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// A store whose settings file lies in a fresh temporary folder.
class BDRegFileTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        reg_.SetIniFileDir(folder_.path().toStdString());
        reg_.SetIniFileName("test.ini");
    }
    std::string Dir() const { return folder_.path().toStdString(); }
    std::string Path() const { return Dir() + "/test.ini"; }

    QTemporaryDir folder_;
    TBDReg reg_{nullptr};
};

TEST_F(BDRegFileTest, SavesTheExampleByteForByteAndLoadsItBack) {
    reg_.PushInt("Width", 10);
    reg_.PushString("Last", "C:\\x", "Paths");
    reg_.PushInt("Mode", 2);
    ASSERT_TRUE(reg_.SaveToFile());
    EXPECT_EQ(ReadBytes(Path()), "\r\nWidth=10\r\nMode=2\r\n\r\n[Paths]\r\nLast=C:\\x\r\n");
    EXPECT_EQ(FolderListing(Dir()), std::vector<std::string>{"test.ini"});

    TBDReg other(nullptr);
    other.SetIniFileDir(Dir() + "/");
    other.SetIniFileName("test.ini");
    other.PushString("Stale", "gone");
    ASSERT_TRUE(other.LoadFromFile());
    EXPECT_FALSE(other.Exist("Stale"));
    EXPECT_EQ(other.Entries().Count(), 3);
    EXPECT_EQ(other.PopInt("Width"), 10);
    EXPECT_EQ(other.GetIndex("Mode"), 1);
    EXPECT_EQ(other.PopString("Last", "", "Paths"), "C:\\x");
}

TEST_F(BDRegFileTest, FoldersDifferingOnlyInLetterCaseLoseNothing) {
    reg_.PushString("Key", "upper", "Main");
    reg_.PushString("Key", "lower", "main");
    reg_.PushString("Other", "x", "MAIN");
    ASSERT_TRUE(reg_.SaveToFile());
    ASSERT_TRUE(reg_.LoadFromFile());
    EXPECT_EQ(reg_.Entries().Count(), 3);
    EXPECT_EQ(reg_.PopString("Key", "", "Main"), "upper");
    EXPECT_EQ(reg_.PopString("Key", "", "main"), "lower");
    EXPECT_EQ(reg_.PopString("Other", "", "MAIN"), "x");
}

TEST_F(BDRegFileTest, AppendKeepsHeldEntriesAndLetsTheFileWin) {
    WriteBytes(Path(), "\r\nShared=file\r\n\r\n[F]\r\nNew=1\r\n");
    reg_.PushString("Shared", "memory");
    reg_.PushString("Mine", "kept");
    ASSERT_TRUE(reg_.AppendFromFile());
    EXPECT_EQ(reg_.PopString("Shared"), "file");
    EXPECT_EQ(reg_.PopString("Mine"), "kept");
    EXPECT_EQ(reg_.GetIndex("Mine"), 0);
    EXPECT_EQ(reg_.GetIndex("Shared"), 1);
    EXPECT_EQ(reg_.GetIndex("New", "F"), 2);
}

TEST_F(BDRegFileTest, MissingFile) {
    reg_.PushString("a", "1");
    EXPECT_FALSE(reg_.AppendFromFile());
    EXPECT_EQ(reg_.PopString("a"), "1");
    EXPECT_FALSE(reg_.ClearFile());
    EXPECT_FALSE(reg_.LoadFromFile());
    EXPECT_EQ(reg_.Entries().Count(), 0);
    // A folder is no settings file.
    fs::create_directory(Path());
    EXPECT_FALSE(reg_.LoadFromFile());
    EXPECT_FALSE(reg_.ClearFile());
    EXPECT_TRUE(fs::is_directory(Path()));
}

TEST_F(BDRegFileTest, ClearFileDeletesAnExistingFile) {
    WriteBytes(Path(), "\r\n");
    EXPECT_TRUE(reg_.ClearFile());
    EXPECT_FALSE(fs::exists(Path()));
    EXPECT_FALSE(reg_.ClearFile());
}

TEST_F(BDRegFileTest, AnEmptyFolderMeansTheCurrentFolder) {
    const fs::path before = fs::current_path();
    fs::current_path(Dir());
    reg_.SetIniFileDir("");
    reg_.PushString("here", "1");
    const bool saved = reg_.SaveToFile();
    fs::current_path(before);
    EXPECT_TRUE(saved);
    EXPECT_EQ(ReadBytes(Path()), "\r\nhere=1\r\n");
}

TEST_F(BDRegFileTest, ReplacingKeepsTheFilesPermissionsAndLinks) {
    fs::create_directory(Dir() + "/real");
    const std::string target = Dir() + "/real/target.ini";
    WriteBytes(target, "\r\nold=1\r\n");
    ::chmod(target.c_str(), 0640);
    fs::create_symlink("real/target.ini", Path());

    reg_.PushString("new", "2");
    ASSERT_TRUE(reg_.SaveToFile());
    EXPECT_TRUE(fs::is_symlink(Path()));
    EXPECT_EQ(ReadBytes(target), "\r\nnew=2\r\n");
    struct stat status {};
    ASSERT_EQ(::stat(target.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
    EXPECT_EQ(FolderListing(Dir() + "/real"), std::vector<std::string>{"target.ini"});
}

TEST_F(BDRegFileTest, SaveIntoAMissingFolderFailsAndCreatesNothing) {
    reg_.SetIniFileDir(Dir() + "/no/such/folder");
    reg_.PushString("a", "1");
    EXPECT_FALSE(reg_.SaveToFile());
    EXPECT_TRUE(FolderListing(Dir()).empty());
    EXPECT_EQ(reg_.PopString("a"), "1");
}

// The real file system, failing at one chosen step of a save or a load.
enum class FailAt { Create, Append, Sync, Close, Rename, Read };

class FaultyFile final : public Bdreg::WritableFile {
public:
    FaultyFile(std::unique_ptr<Bdreg::WritableFile> real, FailAt fail_at)
        : real_(std::move(real)), fail_at_(fail_at) {}
    const std::string& Path() const override { return real_->Path(); }
    bool Append(std::string_view data) override {
        // An interrupted write: half of the data reaches the file.
        if (fail_at_ == FailAt::Append)
            return real_->Append(data.substr(0, data.size() / 2)) && false;
        return real_->Append(data);
    }
    bool Sync() override { return real_->Sync() && fail_at_ != FailAt::Sync; }
    bool Close() override { return real_->Close() && fail_at_ != FailAt::Close; }

private:
    std::unique_ptr<Bdreg::WritableFile> real_;
    FailAt fail_at_;
};

class FaultyFileSystem final : public Bdreg::FileSystem {
public:
    explicit FaultyFileSystem(FailAt fail_at) : fail_at_(fail_at) {}
    bool FileExists(const std::string& path) const override { return real_->FileExists(path); }
    std::optional<std::string> ReadFile(const std::string& path) const override {
        if (fail_at_ == FailAt::Read) return std::nullopt;
        return real_->ReadFile(path);
    }
    std::unique_ptr<Bdreg::WritableFile> CreateFileBeside(const std::string& target) override {
        if (fail_at_ == FailAt::Create) return nullptr;
        return std::make_unique<FaultyFile>(real_->CreateFileBeside(target), fail_at_);
    }
    bool RenameFile(const std::string& from, const std::string& to) override {
        return fail_at_ != FailAt::Rename && real_->RenameFile(from, to);
    }
    bool RemoveFile(const std::string& path) override { return real_->RemoveFile(path); }

private:
    std::unique_ptr<Bdreg::FileSystem> real_ = Bdreg::NewLocalFileSystem();
    FailAt fail_at_;
};

TEST_F(BDRegFileTest, AFailedSaveKeepsThePreviousFile) {
    const std::string previous = "\r\nWidth=10\r\n\r\n[Paths]\r\nLast=/tmp\r\n";
    const struct {
        const char* name;
        FailAt fail_at;
    } rows[] = {{"create", FailAt::Create},
                {"write", FailAt::Append},
                {"sync", FailAt::Sync},
                {"close", FailAt::Close},
                {"rename", FailAt::Rename}};
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string("failing at ") + row.name);
        WriteBytes(Path(), previous);
        reg_.Clear();
        reg_.PushString(std::string(4096, 'k'), std::string(100000, 'v'));
        reg_.SetFileSystem(std::make_unique<FaultyFileSystem>(row.fail_at));
        EXPECT_FALSE(reg_.SaveToFile());
        EXPECT_EQ(ReadBytes(Path()), previous);
        EXPECT_EQ(FolderListing(Dir()), std::vector<std::string>{"test.ini"});
        EXPECT_EQ(reg_.Entries().Count(), 1);
    }
}

TEST_F(BDRegFileTest, AFailedReadAddsNothing) {
    WriteBytes(Path(), "\r\nfrom_file=1\r\n");
    reg_.PushString("held", "1");
    reg_.SetFileSystem(std::make_unique<FaultyFileSystem>(FailAt::Read));
    EXPECT_FALSE(reg_.AppendFromFile());
    EXPECT_EQ(reg_.Entries().Count(), 1);
    EXPECT_FALSE(reg_.LoadFromFile());
    EXPECT_EQ(reg_.Entries().Count(), 0);
}

}  // namespace
