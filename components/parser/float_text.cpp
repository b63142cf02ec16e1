#include "float_text.h"

#include <locale.h>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }

bool IsCSpace(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\v' || ch == '\f' || ch == '\r';
}

// The pieces of a decimal number, already split by the grammar.
struct DecimalParts {
    bool negative = false;
    std::string_view integer_digits;
    std::string_view fraction_digits;
    bool exponent_negative = false;
    std::string_view exponent_digits;
};

locale_t CLocale() {
    static const locale_t c_locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c_locale;
}

// Extended value of the parts, correctly rounded. Up to 19 significant digits and a decimal
// exponent within the exact powers of ten need a single multiplication or division of two
// exact values, which IEEE arithmetic rounds correctly; everything else goes to strtold in
// the "C" locale, which rounds correctly as well, so both paths give the same value.
LenientValue ValueOf(const DecimalParts& parts) {
    // Leading zeros are no significant digits; any digit past the nineteenth (even a zero)
    // leaves the fast path.
    uint64_t mantissa = 0;
    int significant = 0;
    bool exact = true;
    auto take = [&](char ch) {
        if (significant == 0 && ch == '0') return;
        if (significant == 19) {
            exact = false;
            return;
        }
        mantissa = mantissa * 10 + static_cast<uint64_t>(ch - '0');
        ++significant;
    };
    for (char ch : parts.integer_digits) take(ch);
    for (char ch : parts.fraction_digits) take(ch);
    long exponent = 0;
    for (char ch : parts.exponent_digits) {
        if (exponent < 100000) exponent = exponent * 10 + (ch - '0');
    }
    if (parts.exponent_negative) exponent = -exponent;
    const long decimal_exponent = exponent - static_cast<long>(parts.fraction_digits.size());

    LenientValue result;
    if (exact && mantissa == 0) {
        result.value = parts.negative ? -0.0L : 0.0L;
        return result;
    }
    if (exact && decimal_exponent >= -kMaxExactPowerOfTen &&
        decimal_exponent <= kMaxExactPowerOfTen) {
        const long double m = static_cast<long double>(mantissa);
        const long double power = ExactPowerOfTen(static_cast<int>(std::labs(decimal_exponent)));
        long double value = decimal_exponent >= 0 ? m * power : m / power;
        result.value = parts.negative ? -value : value;
        return result;
    }

    std::string text;
    text.reserve(parts.integer_digits.size() + parts.fraction_digits.size() + 16);
    if (parts.negative) text += '-';
    text += parts.integer_digits;
    if (text.empty() || text == "-") text += '0';
    text += '.';
    text += parts.fraction_digits;
    text += parts.exponent_negative ? "e-" : "e";
    text += parts.exponent_digits.empty() ? std::string_view("0") : parts.exponent_digits;
    result.value = strtold_l(text.c_str(), nullptr, CLocale());
    result.overflow = std::isinf(result.value);
    return result;
}

// Reads [sign] digits [point digits] [exponent] from position i; returns false when no
// mantissa digit is there. i ends after the last character used.
bool ReadNumber(std::string_view text, size_t& i, char point, DecimalParts& parts) {
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        parts.negative = text[i] == '-';
        ++i;
    }
    const size_t integer_start = i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    parts.integer_digits = text.substr(integer_start, i - integer_start);
    if (i < text.size() && text[i] == point) {
        const size_t fraction_start = i + 1;
        size_t j = fraction_start;
        while (j < text.size() && IsDigit(text[j])) ++j;
        if (!parts.integer_digits.empty() || j > fraction_start) {
            parts.fraction_digits = text.substr(fraction_start, j - fraction_start);
            i = j;
        }
    }
    if (parts.integer_digits.empty() && parts.fraction_digits.empty()) return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        bool negative = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            negative = text[j] == '-';
            ++j;
        }
        const size_t digits_start = j;
        while (j < text.size() && IsDigit(text[j])) ++j;
        if (j > digits_start) {
            parts.exponent_negative = negative;
            parts.exponent_digits = text.substr(digits_start, j - digits_start);
            i = j;
        }
    }
    return true;
}

}  // namespace

long double ExactPowerOfTen(int exponent) {
    // Decimal literals are converted correctly rounded, and these are exact.
    static constexpr long double kPowers[kMaxExactPowerOfTen + 1] = {
        1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,
        1e10L, 1e11L, 1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L,
        1e20L, 1e21L, 1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L};
    return kPowers[exponent];
}

LenientValue ConvertLeadingNumber(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsCSpace(text[i])) ++i;
    DecimalParts parts;
    if (!ReadNumber(text, i, '.', parts)) return {};
    return ValueOf(parts);
}

std::optional<long double> TryStrToFloat(std::string_view text, char separator) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    DecimalParts parts;
    if (!ReadNumber(text, i, separator, parts)) return std::nullopt;
    // An exponent marker without digits is an error here, not the end of the number.
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) return std::nullopt;
    while (i < text.size() && text[i] == ' ') ++i;
    if (i != text.size()) return std::nullopt;
    const LenientValue value = ValueOf(parts);
    if (value.overflow) return std::nullopt;
    return value.value;
}

std::string FloatToStr(double value, char separator) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    if (value == 0) return "0";

    // Fifteen significant digits, correctly rounded: d.dddddddddddddde[+-]x
    char buffer[64];
    const auto converted = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                         std::chars_format::scientific, 14);
    const std::string_view scientific(buffer, static_cast<size_t>(converted.ptr - buffer));
    const size_t e = scientific.find('e');
    std::string digits;
    digits += scientific[0];
    digits += scientific.substr(2, e - 2);
    int exponent = 0;
    std::from_chars(scientific.data() + e + (scientific[e + 1] == '+' ? 2 : 1),
                    scientific.data() + scientific.size(), exponent);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    std::string text = value < 0 ? "-" : "";
    const int integer_digits = exponent + 1;
    if (integer_digits > 15 || exponent < -5) {
        text += digits[0];
        if (digits.size() > 1) {
            text += separator;
            text += digits.substr(1);
        }
        text += 'E';
        text += std::to_string(exponent);
    } else if (exponent >= 0) {
        const size_t whole = static_cast<size_t>(integer_digits);
        if (digits.size() <= whole) {
            text += digits;
            text.append(whole - digits.size(), '0');
        } else {
            text += digits.substr(0, whole);
            text += separator;
            text += digits.substr(whole);
        }
    } else {
        text += '0';
        text += separator;
        text.append(static_cast<size_t>(-exponent - 1), '0');
        text += digits;
    }
    return text;
}
