#include "parser/number_format.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace {

TEST(LongDoubleToStr, FormatsLikeFcvtThenTrims) {
    struct Row {
        long double value;
        int precision;
        const char* land_dot;
        std::string expected;
    };
    const Row rows[] = {
        {0.0L, 8, ".", "0"},
        {1.0L / 3, 8, ".", "0.33333333"},
        {2.0L / 3, 8, ".", "0.66666667"},
        {100.0L, 8, ".", "100"},
        {123.456L, 8, ".", "123.456"},
        {-2.5L, 8, ".", "-2.5"},
        {0.001234L, 8, ".", "0.001234"},
        {0.999999999L, 8, ".", "1"},
        {1.0L / 1000000000, 8, ".", "0"},
        {-1.0L / 1000000000, 8, ".", "-0"},
        {3.1415927L, 2, ".", "3.14"},
        {2.5L, 0, ".", "2"},
        {3.5L, 0, ".", "4"},
        {0.5L, 0, ".", "0"},
        {0.6L, 0, ".", "1"},
        {2.0L / 3, 3, ".", "0.667"},
        {2.0L / 3, 0, ".", "1"},
        {2.0L / 3, -5, ".", "1"},
        {0.25L, 8, ",", "0,25"},
        {0.25L, 8, "ab", "0ab25000000"},
        {0.0L, 3, "ab", "0ab000"},
        {0.06L, 1, ".", "0.1"},
        {0.125L, 2, ".", "0.12"},  // exactly halfway: to the even digit
        {0.375L, 2, ".", "0.38"},
        {1e20L, 8, ".", "100000000000000000000"},
        {1.0L / 3, 30, ".", "0.3333333333333333148"},  // 19 significant digits, then zeros
        {1e50L, 2, ".", "100000000000000007600000000000000000000000000000000"},
        {1.5e-30L, 40, ".", "0." + std::string(29, '0') + "15"},
        {-0.0L, 8, ".", "0"},
        {12345.678L, 2000000000, ".", "12345.67799999999988"},
        {4.9406564584124654e-324L, 400, ".", "0." + std::string(323, '0') + "4940656458412465442"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.expected);
        EXPECT_EQ(LongDoubleToStr(row.value, row.precision, row.land_dot), row.expected);
    }
}

TEST(LongDoubleToStr, NamesInfinitiesAndNotANumber) {
    constexpr long double kInfinity = std::numeric_limits<long double>::infinity();
    EXPECT_EQ(LongDoubleToStr(kInfinity, 8, "."), "INF");
    EXPECT_EQ(LongDoubleToStr(-kInfinity, 8, "."), "-INF");
    EXPECT_EQ(LongDoubleToStr(__builtin_nanl(""), 8, "."), "NAN");
}

TEST(EntferneNullenUndPunkte, TrimsOnlyAfterTheSymbol) {
    struct Row {
        const char* text;
        const char* land_dot;
        const char* expected;
    };
    const Row rows[] = {
        {"1.500", ".", "1.5"}, {"100.000", ".", "100"}, {"100", ".", "100"},
        {".5", ".", "0.5"},    {"0.", ".", "0"},        {"1.0203", ".", "1.0203"},
        {"2,50", ",", "2,5"},  {"2.50", ",", "2.50"},   {"0ab2500", "ab", "0ab2500"},
        {".", ".", ""},        {"", ".", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(EntferneNullenUndPunkte(row.text, row.land_dot), row.expected);
    }
}

}  // namespace
