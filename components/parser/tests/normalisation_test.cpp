#include "parser/normalisation.h"

#include <gtest/gtest.h>

#include "core/exception.h"
#include "parser/decimal_separator.h"
#include "parser/float_text.h"

namespace {

// Every test states the platform separator it needs and leaves the process as it found it.
class WithSeparator {
public:
    explicit WithSeparator(char separator) { SetDecimalSeparator(separator); }
    ~WithSeparator() { ResetDecimalSeparator(); }
};

TEST(EntferneLeerzeichen, RemovesOnlySpaces) {
    EXPECT_EQ(EntferneLeerzeichen("1 + 2"), "1+2");
    EXPECT_EQ(EntferneLeerzeichen("1\t+ 2"), "1\t+2");
    EXPECT_EQ(EntferneLeerzeichen("   "), "");
}

TEST(WandleSinCosTanUm, RewritesFunctionNamesAndDecimalSymbols) {
    struct Row {
        const char* text;
        const char* land_dot;
        bool convert_all;
        const char* expected;
    };
    const Row rows[] = {
        {"Sin(x)*2", ".", false, "s#(x)*2"},
        {"SIN(X)", ".", false, "s#(X)"},
        {"7mod3", ".", false, "7m3"},
        {"LG(100)", ".", false, "g#(100)"},
        {"lnx", ".", false, "n#x"},
        {"abs(-2)", ".", false, "r#(-2)"},
        {"cosin", ".", false, "c#in"},
        {"acos(1)", ".", false, "ac#(1)"},
        {"tan(1)+ln(2)", ".", false, "t#(1)+n#(2)"},
        {"sqrt(4)", ".", false, "sqrt(4)"},
        {"1.5+2,5", ",", false, "1.5+2,5"},
        {"1.5+2,5", ",", true, "1,5+2,5"},
        {"1.5+2,5", ".", true, "1.5+2.5"},
        {"1.5", "ab", true, "1ab5"},
        {"lg", ".", false, "g#"},
        {"l", ".", false, "l"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(WandleSinCosTanUm(row.text, row.land_dot, row.convert_all), row.expected);
    }
}

TEST(IsZahl, AcceptsSingleOperandsOnly) {
    WithSeparator point('.');
    struct Row {
        const char* text;
        bool expected;
    };
    const Row rows[] = {
        {"s", true},      {"c", true},
        {"r", true},      {"S", false},
        {"T", false},     {"x", true},
        {"X", true},      {"D", true},
        {"PI", true},     {"pI", true},
        {"E", true},      {"2", true},
        {"2.5", true},    {"-3", true},
        {"0.25", true},   {"2.50", false},
        {"02", false},    {".5", false},
        {"+2", false},    {"1e3", false},
        {"", false},      {"y", false},
        {"2,5", false},   {"1E20", true},
        {"1.5E-7", true}, {"0.00001", true},
        {"1E-6", true},   {"123456789012345", true},
        {"1E15", true},   {"1000000000000000", false},
        {"0.1", true},    {"0.30000000000000004", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(IsZahl(row.text), row.expected);
    }
}

TEST(IsLongDouble, FollowsThePlatformSeparatorNotTheEvaluatorsSymbol) {
    {
        WithSeparator comma(',');
        EXPECT_TRUE(IsLongDouble("2,5"));
        EXPECT_FALSE(IsLongDouble("2.5"));
    }
    {
        WithSeparator point('.');
        EXPECT_TRUE(IsLongDouble("2.5"));
        EXPECT_FALSE(IsLongDouble("2,5"));
    }
}

TEST(FloatToStr, WritesTheGeneralFormatWith15Digits) {
    struct Row {
        double value;
        const char* expected;
    };
    const Row rows[] = {
        {0.0, "0"},           {2.5, "2.5"},
        {-3, "-3"},           {1.0 / 3, "0.333333333333333"},
        {1e15, "1E15"},       {1.5e-7, "1.5E-7"},
        {0.00001, "0.00001"}, {123456789012345.0, "123456789012345"},
        {1e-300, "1E-300"},   {2.0 / 3, "0.666666666666667"},
        {100, "100"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.expected);
        EXPECT_EQ(FloatToStr(row.value, '.'), row.expected);
    }
    EXPECT_EQ(FloatToStr(2.5, ','), "2,5");
}

TEST(ConvertLeadingNumber, ConvertsTheLongestDecimalPrefix) {
    struct Row {
        const char* text;
        long double expected;
    };
    const Row rows[] = {
        {"3abc", 3.0L},
        {"", 0.0L},
        {"abc", 0.0L},
        {"  -2.5", -2.5L},
        {"5.", 5.0L},
        {".5", 0.5L},
        {"1e3", 1000.0L},
        {"1e", 1.0L},
        {"1e+", 1.0L},
        {"2,5", 2.0L},
        {"0x10", 0.0L},
        {"inf", 0.0L},
        {"+7", 7.0L},
        {"1.5e-3x", 0.0015L},
        {"0.1", 0.1L},
        {"123456789012345678901234567890", 123456789012345678901234567890.0L},
        {"3.1415927", 3.1415927L},
        {"1e-4000", 1e-4000L},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const LenientValue value = ConvertLeadingNumber(row.text);
        EXPECT_FALSE(value.overflow);
        EXPECT_EQ(value.value, row.expected);
    }
    EXPECT_TRUE(ConvertLeadingNumber("1e5000").overflow);
}

TEST(ConvertLeadingNumber, AgreesWithStrtoldOnTheFastAndTheSlowPath) {
    const char* texts[] = {"0.1",
                           "1.7976931348623157e308",
                           "9007199254740993",
                           "1e27",
                           "1e-27",
                           "1e28",
                           "1234567890123456789",
                           "12345678901234567891",
                           "0.000001",
                           "4.9406564584124654e-324",
                           "2.2250738585072011e-308",
                           "7e22",
                           "18446744073709551615",
                           "0.3333333333333333333333"};
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ConvertLeadingNumber(text).value, std::strtold(text, nullptr));
    }
}

TEST(StrToLongDouble, SubstitutesVariablesAndConstantsInOrder) {
    struct Row {
        const char* name;
        const char* text;
        VariableTexts variables;
        const char* land_dot;
        bool convert_all;
        long double expected;
    };
    const Row rows[] = {
        {"comma symbol", "2,5", {}, ",", false, 2.5L},
        {"point is always the conversion's point", "2.5", {}, ",", false, 2.5L},
        {"lenient prefix", "3abc", {}, ",", false, 3.0L},
        {"empty variable", "x", {}, ",", false, 0.0L},
        {"constant any case", "PI", {}, ",", false, 3.1415927L},
        {"comma without convert-all", "2,5", {}, ".", false, 2.0L},
        {"comma with convert-all", "2,5", {}, ".", true, 2.5L},
        {"e", "e", {}, ",", false, 2.7182818L},
        {"e with point", "E", {}, ".", false, 2.7182818L},
        {"pi with another symbol", "pi", {}, ";", false, 3.1415927L},
        {"pi with a long symbol", "pi", {}, "ab", false, 3.0L},
        {"x holds pi", "x", {"pi", "", "", "", ""}, ".", false, 3.1415927L},
        {"x holds b", "x", {"b", "", "7", "", ""}, ".", false, 7.0L},
        {"b holds x: no second round", "b", {"5", "", "x", "", ""}, ".", false, 0.0L},
        {"upper-case name", "X", {"4", "", "", "", ""}, ".", false, 4.0L},
        {"x with a comma", "x", {"-1,5", "", "", "", ""}, ",", false, -1.5L},
        {"d holds e", "d", {"", "", "", "", "e"}, ".", false, 2.7182818L},
        {"c holds a: earlier in the order", "c", {"", "9", "", "a", ""}, ".", false, 0.0L},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(StrToLongDouble(row.text, row.variables, row.land_dot, row.convert_all),
                  row.expected);
    }
}

TEST(StrToLongDouble, ReportsANumberTooLargeWithTheConversionText) {
    try {
        (void)StrToLongDouble("x", {"1,5e99999", "", "", "", ""}, ",", false);
        FAIL() << "no error";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), "1.5e99999 kann nicht in eine Zahl umgewandelt werden! (STD)");
    }
}

TEST(ResolveLandDot, PrefersTheOverwriteAndOtherwiseFollowsThePlatform) {
    WithSeparator comma(',');
    EXPECT_EQ(ResolveLandDot(""), ",");
    EXPECT_EQ(ResolveLandDot("."), ".");
    EXPECT_EQ(ResolveLandDot("ab"), "ab");
    SetDecimalSeparator('.');
    EXPECT_EQ(ResolveLandDot(""), ".");
}

}  // namespace
