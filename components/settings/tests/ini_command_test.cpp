#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

int RunIniCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

namespace {

class IniCommandTest : public testing::Test {
protected:
    struct Result {
        int status;
        std::string out, err;
    };

    Result Run(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), file_);
        std::ostringstream out, err;
        const int status = RunIniCommand(arguments, out, err);
        return {status, out.str(), err.str()};
    }

    std::string FileBytes() const {
        std::ifstream in(file_, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    QTemporaryDir folder_;
    std::string file_ = folder_.path().toStdString() + "/app.ini";
};

TEST_F(IniCommandTest, SetGetListAndDeleteWorkOnTheFile) {
    EXPECT_EQ(Run({"get", "Width"}).status, 1);  // no file yet: missing
    EXPECT_EQ(Run({"set", "Width", "10"}).status, 0);
    EXPECT_EQ(Run({"set", "Last", "/tmp/a b", "Paths"}).status, 0);
    EXPECT_EQ(Run({"set", "Mode", "2"}).status, 0);
    EXPECT_EQ(FileBytes(), "\r\nWidth=10\r\nMode=2\r\n\r\n[Paths]\r\nLast=/tmp/a b\r\n");

    const Result got = Run({"get", "Last", "Paths"});
    EXPECT_EQ(got.status, 0);
    EXPECT_EQ(got.out, "/tmp/a b\n");
    EXPECT_EQ(Run({"get", "Last"}).status, 1);  // root folder only
    EXPECT_EQ(Run({"get", "Last", "paths"}).status, 1);

    EXPECT_EQ(Run({"list"}).out, "\tWidth\t10\n\tMode\t2\nPaths\tLast\t/tmp/a b\n");

    EXPECT_EQ(Run({"delete", "Width"}).status, 0);
    EXPECT_EQ(Run({"delete", "Width"}).status, 1);
    EXPECT_EQ(FileBytes(), "\r\nMode=2\r\n\r\n[Paths]\r\nLast=/tmp/a b\r\n");
}

TEST_F(IniCommandTest, RefusesWhatTheFileCannotHoldAndLeavesItAlone) {
    ASSERT_EQ(Run({"set", "Width", "10"}).status, 0);
    const std::string before = FileBytes();
    const std::vector<std::vector<std::string>> refused = {
        {"set", "a=b", "1"},
        {"set", "", "1"},
        {"set", " a", "1"},
        {"set", "[a", "1"},
        {"set", "a", "line\nbreak"},
        {"set", "a", "1", "[F]"},
        {"get"},
        {"list", "extra"},
        {"frobnicate", "x"},
    };
    for (const auto& arguments : refused) {
        SCOPED_TRACE(arguments[0] + " " + (arguments.size() > 1 ? arguments[1] : ""));
        const Result result = Run(arguments);
        EXPECT_EQ(result.status, 2);
        EXPECT_FALSE(result.err.empty());
    }
    EXPECT_EQ(FileBytes(), before);
}

TEST_F(IniCommandTest, AFileThatCannotBeReadIsNeverOverwritten) {
    file_ = folder_.path().toStdString();  // a folder, not a file
    file_ += "/sub";
    ASSERT_TRUE(QDir().mkdir(QString::fromStdString(file_)));
    const Result result = Run({"set", "a", "1"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("cannot read"), std::string::npos);
    EXPECT_EQ(Run({"list"}).status, 1);
}

}  // namespace
