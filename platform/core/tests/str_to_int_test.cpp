#include <gtest/gtest.h>

#include "core/exception.h"
#include "core/str_to_int.h"

namespace {

struct Accepted {
    const char* text;
    int32_t value;
};

TEST(StrToInt, AcceptsDecimalAndHexadecimalForms) {
    const Accepted rows[] = {
        {"0", 0},
        {"42", 42},
        {"   42", 42},
        {"+7", 7},
        {"-150", -150},
        {"  -0", 0},
        {"007", 7},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"$1F", 31},
        {"$1f", 31},
        {"x10", 16},
        {"X10", 16},
        {"0x10", 16},
        {"0XfF", 255},
        {"  $10", 16},
        {"$7FFFFFFF", 2147483647},
        {"$80000000", INT32_MIN},
        {"$FFFFFFFF", -1},
        {"$000000000001", 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(StrToInt(row.text), row.value);
        EXPECT_EQ(TryStrToInt(row.text), row.value);
    }
}

TEST(StrToInt, RejectsEverythingElseWithThePlatformMessage) {
    const char* rows[] = {
        "",           "-",          "+",           " ",          "$",          "0x",
        "x",          "42 ",        "4 2",         "\t42",       "42abc",      "abc",
        "1.5",        "1e3",        "2147483648",  "-2147483649", "99999999999", "$100000000",
        "-$10",       "+$10",       "-0x10",       "$G",          "0x1G",        "--1",
        "+-1",        "٣",
    };
    for (const char* text : rows) {
        SCOPED_TRACE(text);
        EXPECT_EQ(TryStrToInt(text), std::nullopt);
        try {
            (void)StrToInt(text);
            ADD_FAILURE() << "accepted";
        } catch (const EConvertError& error) {
            EXPECT_EQ(error.Message(), "'" + std::string(text) + "' is not a valid integer value");
        }
    }
}

}  // namespace
