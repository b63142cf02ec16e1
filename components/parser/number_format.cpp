#include "number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

constexpr int kMaxDigits = 40;
constexpr int kSignificantDigits = 19;

// The digits of a non-negative value as the C library's fcvt gives them: digits holds the
// value rounded at the precision-th place after the point, beginning with the first non-zero
// digit; point is the number of those digits before the decimal point.
struct FixedDigits {
    std::string digits;
    int point = 1;
};

// Reads the digits and decimal exponent of a scientific text "d.ddd...e+x".
void ReadScientific(const char* begin, const char* end, std::string& digits, int& exponent) {
    const std::string_view text(begin, static_cast<size_t>(end - begin));
    const size_t e = text.find('e');
    digits.clear();
    for (char ch : text.substr(0, e)) {
        if (ch != '.') digits += ch;
    }
    const size_t exponent_start = e + (text[e + 1] == '+' ? 2 : 1);
    std::from_chars(text.data() + exponent_start, text.data() + text.size(), exponent);
}

FixedDigits ConvertFixed(double value, int precision) {
    FixedDigits result;
    char buffer[512];
    if (value == 0) {
        result.digits.assign(static_cast<size_t>(std::min(precision + 1, kMaxDigits)), '0');
        return result;
    }
    // The exponent of the first digit, taken from enough exact digits that no rounding can
    // carry into it.
    std::string digits;
    int exponent = 0;
    auto converted =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 60);
    ReadScientific(buffer, converted.ptr, digits, exponent);

    const int wanted = std::min(exponent + 1 + precision, kMaxDigits);
    if (wanted <= 0) {
        // The value lies below the last place kept; it rounds to one unit there or to zero.
        // Only wanted == 0 can round up, and then precision <= 324.
        bool rounds_up = false;
        if (wanted == 0) {
            converted = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::fixed, precision);
            rounds_up = converted.ptr[-1] == '1';
        }
        if (rounds_up) {
            result.digits = "1";
            result.point = 1 - precision;
        } else {
            result.digits.assign(static_cast<size_t>(std::min(precision + 1, kMaxDigits)), '0');
        }
        return result;
    }
    const int kept = std::min(wanted, kSignificantDigits);
    converted = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific,
                              kept - 1);
    ReadScientific(buffer, converted.ptr, digits, exponent);
    // A carry into a new leading digit (9.99 -> 10.0) moves the point one place on.
    result.point = exponent + 1;
    const int total = std::min(result.point + precision, kMaxDigits);
    result.digits = digits;
    if (static_cast<int>(result.digits.size()) < total) {
        result.digits.append(static_cast<size_t>(total) - result.digits.size(), '0');
    }
    return result;
}

}  // namespace

std::string LongDoubleToStr(long double value, int precision, const std::string& land_dot) {
    const double rounded = static_cast<double>(value);
    if (std::isnan(rounded)) return "NAN";
    if (std::isinf(rounded)) return rounded < 0 ? "-INF" : "INF";
    precision = std::max(precision, 0);
    // Beyond this many places every digit of a double lies within the 40 that are kept, so a
    // larger precision changes nothing.
    precision = std::min(precision, 400);
    const FixedDigits fixed = ConvertFixed(std::fabs(rounded), precision);

    std::string text;
    if (fixed.point < 1) {
        text = "0";
        text += land_dot;
        text.append(static_cast<size_t>(-fixed.point), '0');
        text += fixed.digits;
    } else {
        std::string digits = fixed.digits;
        // An integer part longer than the digits kept is filled with zeros.
        if (static_cast<int>(digits.size()) < fixed.point) {
            digits.append(static_cast<size_t>(fixed.point) - digits.size(), '0');
        }
        text = digits.substr(0, static_cast<size_t>(fixed.point));
        text += land_dot;
        text += digits.substr(static_cast<size_t>(fixed.point));
    }
    text = EntferneNullenUndPunkte(text, land_dot);
    if (rounded < 0) text.insert(text.begin(), '-');
    return text;
}

std::string EntferneNullenUndPunkte(const std::string& text, const std::string& land_dot) {
    if (land_dot.size() != 1) return text;
    const char symbol = land_dot[0];
    std::string result = text;
    const size_t symbol_position = result.find(symbol);
    if (symbol_position != std::string::npos) {
        size_t end = result.size();
        while (end > symbol_position + 1 && result[end - 1] == '0') --end;
        result.resize(end);
    }
    if (!result.empty() && result.back() == symbol) result.pop_back();
    if (!result.empty() && result.front() == symbol) result.insert(result.begin(), '0');
    return result;
}
