#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "core/exception.h"
#include "test_support.h"

int RunMidiCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
int RunHzCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
int RunInstrumentsCommand(const std::vector<std::string>& arguments, std::ostream& out,
                          std::ostream& err);

namespace {

using midi_test::Hex;
using midi_test::ReadBytes;

struct Result {
    int status;
    std::string out, err;
};

template <typename Run>
Result Call(Run run, const std::vector<std::string>& arguments) {
    std::ostringstream out, err;
    const int status = run(arguments, out, err);
    return {status, out.str(), err.str()};
}

std::string ErrorOf(const std::vector<std::string>& arguments) {
    try {
        (void)Call(RunMidiCommand, arguments);
    } catch (const Exception& error) {
        return error.Message();
    }
    return "no error";
}

class MidiCommandTest : public ::testing::Test {
protected:
    midi_test::TempDir dir_;
    std::string in_ = dir_.File("tune.txt");
    std::string out_ = dir_.File("tune.mid");
};

TEST_F(MidiCommandTest, WritesOneEntryPerLineAndSkipsBlankLines) {
    midi_test::WriteText(in_, "\n  \t\n60,64 4 100\r\n\n");
    const Result result = Call(RunMidiCommand, {in_, out_});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, out_ + ": 1 entry, 87 bytes\n");
    const auto file = ReadBytes(out_);
    ASSERT_EQ(file.size(), 87u);
    EXPECT_EQ(Hex({file.begin() + 49, file.end() - 21}),
              "00 90 3C 64 00 90 40 64 86 00 80 3C 64 00 80 40 64");

    // A second run writes only its own melody, not the first one's as well.
    midi_test::WriteText(in_, "60\t16   100\n62 32 1\n");
    EXPECT_EQ(Call(RunMidiCommand, {"--exact", in_, out_}).out, out_ + ": 2 entries, 87 bytes\n");
    const auto exact = ReadBytes(out_);
    EXPECT_EQ(Hex({exact.begin() + 49, exact.end() - 21}),
              "00 90 3C 64 81 40 80 3C 64 00 90 3E 01 60 80 3E 01");
    EXPECT_EQ(Call(RunMidiCommand, {in_, "--", out_}).status, 0);
    const auto coarse = ReadBytes(out_);
    EXPECT_EQ(Hex({coarse.begin() + 49, coarse.end() - 21}),
              "00 90 3C 64 81 00 80 3C 64 00 90 3E 01 60 80 3E 01");
}

TEST_F(MidiCommandTest, BadLineNamesFileAndLineAndWritesNothing) {
    const struct {
        const char* text;
        std::string message;
    } rows[] = {
        {"60 4 100\n\n60 4 loud\n", ":3: 'loud' is not a valid integer value"},
        {"60 4 100\n60 4 128\n", ":2: velocity 128 is outside 0 to 127"},
        {"60,200 4 100\n", ":1: key \"200\" is outside 0 to 127"},
        {"60 4\n",
         ":1: expected keys, length and velocity separated by blanks, such as "
         "\"60,64 4 100\""},
        {"60 4 100 1\n",
         ":1: expected keys, length and velocity separated by blanks, such as "
         "\"60,64 4 100\""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        midi_test::WriteText(in_, row.text);
        EXPECT_EQ(ErrorOf({in_, out_}), in_ + row.message);
        EXPECT_EQ(dir_.Names(), std::vector<std::string>{"tune.txt"});
    }
    EXPECT_EQ(ErrorOf({dir_.File("missing.txt"), out_}),
              "Cannot read file \"" + dir_.File("missing.txt") + "\": No such file or directory");
}

TEST_F(MidiCommandTest, WrongArgumentsAreUsageErrors) {
    const std::vector<std::vector<std::string>> rows = {
        {}, {in_}, {in_, out_, "x"}, {"--fast", in_, out_}, {"-x", in_, out_}};
    for (const auto& arguments : rows) {
        const Result result = Call(RunMidiCommand, arguments);
        EXPECT_EQ(result.status, 2);
        EXPECT_NE(result.err.find("Usage: brindlex midi [--exact] IN.txt OUT.mid"),
                  std::string::npos)
            << result.err;
    }
    EXPECT_EQ(Call(RunMidiCommand, {"--fast", in_, out_}).err.rfind("brindlex midi: ", 0), 0u);
}

TEST(HzCommand, PrintsTheFrequencyOfAKey) {
    EXPECT_EQ(Call(RunHzCommand, {"69"}).out, "440,000\n");
    EXPECT_EQ(Call(RunHzCommand, {"--", "-3"}).out, "8,175\n");
    EXPECT_EQ(Call(RunHzCommand, {"-3"}).out, "8,175\n");
    EXPECT_EQ(Call(RunHzCommand, {"127"}).out, "12543,855\n");
    EXPECT_THROW((void)Call(RunHzCommand, {"A4"}), EConvertError);
    EXPECT_EQ(Call(RunHzCommand, {}).status, 2);
    EXPECT_EQ(Call(RunHzCommand, {"1", "2"}).status, 2);
    EXPECT_EQ(Call(RunHzCommand, {"--verbose", "1"}).status, 2);
}

TEST(InstrumentsCommand, PrintsTheEightyNamesInProgramOrder) {
    const Result result = Call(RunInstrumentsCommand, {});
    EXPECT_EQ(result.status, 0);
    std::istringstream lines(result.out);
    std::vector<std::string> names;
    for (std::string line; std::getline(lines, line);) names.push_back(line);
    ASSERT_EQ(names.size(), 80u);
    EXPECT_EQ(names.front(), "Acoustic Grand Piano");
    EXPECT_EQ(names[26], "Acoustic Guitar (Jazz)");
    EXPECT_EQ(names.back(), "Ocarina");
    EXPECT_EQ(Call(RunInstrumentsCommand, {"x"}).status, 2);
}

}  // namespace
