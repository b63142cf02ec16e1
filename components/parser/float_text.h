#pragma once

#include <optional>
#include <string>
#include <string_view>

// Conversions between decimal texts and floating-point values. None of them depends on the
// process locale: the decimal symbol is always an argument.

// The result of the lenient conversion.
struct LenientValue {
    long double value = 0.0L;
    // Set when the text holds a number too large for extended precision (an overflow);
    // value is then meaningless.
    bool overflow = false;
};

// Powers of ten that are exact in the 64-bit significand of extended precision
// (5^27 < 2^63): ExactPowerOfTen(n) is 10^n for 0 <= n <= kMaxExactPowerOfTen. A decimal
// with at most 19 significant digits and such a power as its scale converts with one
// multiplication or division of two exact values, which rounds correctly.
inline constexpr int kMaxExactPowerOfTen = 27;
[[nodiscard]] long double ExactPowerOfTen(int exponent);

// Converts the way strtold does in the "C" locale, restricted to decimal numbers: leading
// white space is skipped, then the longest prefix of the form [sign] digits ["." digits]
// [("e"|"E") [sign] digits] (at least one mantissa digit; "5." and ".5" count) is converted
// and the rest ignored. Text without such a prefix gives 0. The result is the correctly
// rounded extended value of the prefix.
[[nodiscard]] LenientValue ConvertLeadingNumber(std::string_view text);

// The platform's strict text-to-number conversion: optional spaces, an optional sign, digits
// with at most one separator, an optional exponent ("e" or "E", optional sign, digits) and
// optional spaces; at least one digit before the exponent; nothing else. nullopt on failure.
[[nodiscard]] std::optional<long double> TryStrToFloat(std::string_view text, char separator);

// The platform's default number-to-text conversion: general format with 15 significant
// digits and no trailing zeros. Fixed notation when the value is 0 or at least 0.00001 with
// at most 15 digits before the point ("0.25", "-3", "123456789012345"); otherwise scientific
// notation with "E", a "-" for negative exponents and no padding ("1E15", "1.5E-7").
// Infinities and not-a-number give "INF", "-INF" and "NAN".
[[nodiscard]] std::string FloatToStr(double value, char separator);
