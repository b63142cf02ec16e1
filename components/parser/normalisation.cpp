#include "normalisation.h"

#include <array>
#include <cstdint>

#include "core/exception.h"
#include "decimal_separator.h"
#include "float_text.h"

namespace {

char LowerAscii(char ch) {
    return (ch >= 'A' && ch <= 'Z') ? static_cast<char>(ch - 'A' + 'a') : ch;
}

// Compares text with a lower-case name, ignoring the case of text.
bool EqualsIgnoringCase(std::string_view text, std::string_view lower_name) {
    if (text.size() != lower_name.size()) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (LowerAscii(text[i]) != lower_name[i]) return false;
    }
    return true;
}

struct FunctionName {
    std::string_view name;
    std::string_view code;
};

// Tried in this order; the first match wins.
constexpr std::array<FunctionName, 7> kFunctionNames = {{
    {"sin", "s#"},
    {"cos", "c#"},
    {"tan", "t#"},
    {"ln", "n#"},
    {"lg", "g#"},
    {"abs", "r#"},
    {"mod", "m"},
}};

// Converts text when its conversion text (see ConversionText) is a plain decimal: an optional
// sign, digits with at most one point, at least one digit, at most 19 significant digits and
// at most 27 after the point, and nothing else. The value is the one ConvertLeadingNumber
// gives for it: the significand scaled by one exact power of ten. False for everything else,
// which the full conversion handles.
// The value is returned, not stored, so that it stays in a floating-point register.
long double ConvertPlainDecimal(std::string_view text, const std::string& land_dot,
                                bool convert_all, bool& converted) {
    converted = false;
    const bool single_symbol = land_dot.size() == 1;
    const char symbol = single_symbol ? land_dot[0] : '\0';
    const auto conversion_char = [&](char ch) {
        if (convert_all && ch == ',') ch = '.';
        if (single_symbol && ch == symbol) ch = '.';
        return ch;
    };
    size_t i = 0;
    bool negative = false;
    if (!text.empty()) {
        const char first = conversion_char(text[0]);
        if (first == '-' || first == '+') {
            negative = first == '-';
            i = 1;
        }
    }
    uint64_t significand = 0;
    int significant_digits = 0;
    int fraction_digits = 0;
    bool any_digit = false;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char ch = conversion_char(text[i]);
        if (ch >= '0' && ch <= '9') {
            any_digit = true;
            if (point) ++fraction_digits;
            // Leading zeros are no significant digits.
            if (significant_digits == 0 && ch == '0') continue;
            if (significant_digits == 19) return 0.0L;
            significand = significand * 10 + static_cast<uint64_t>(ch - '0');
            ++significant_digits;
        } else if (ch == '.' && !point) {
            point = true;
        } else {
            return 0.0L;
        }
    }
    if (!any_digit) return 0.0L;
    if (significand == 0) {
        converted = true;
        return negative ? -0.0L : 0.0L;
    }
    if (fraction_digits > kMaxExactPowerOfTen) return 0.0L;
    long double magnitude = static_cast<long double>(significand);
    if (fraction_digits > 0) magnitude /= ExactPowerOfTen(fraction_digits);
    converted = true;
    return negative ? -magnitude : magnitude;
}

}  // namespace

std::string ResolveLandDot(const std::string& overwrite) {
    if (!overwrite.empty()) return overwrite;
    return std::string(1, DecimalSeparator());
}

std::string EntferneLeerzeichen(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (char ch : text) {
        if (ch != ' ') result += ch;
    }
    return result;
}

std::string WandleSinCosTanUm(std::string_view text, const std::string& land_dot,
                              bool convert_all) {
    std::string result;
    result.reserve(text.size() + text.size() / 2);
    size_t i = 0;
    while (i < text.size()) {
        const char ch = text[i];
        bool matched = false;
        for (const FunctionName& function : kFunctionNames) {
            if (EqualsIgnoringCase(text.substr(i, function.name.size()), function.name)) {
                result += function.code;
                i += function.name.size();
                matched = true;
                break;
            }
        }
        if (matched) continue;
        if (convert_all && (ch == '.' || ch == ',')) {
            result += land_dot;
        } else {
            result += ch;
        }
        ++i;
    }
    return result;
}

bool IsFunctionCode(char code) {
    switch (code) {
        case 's':
        case 'c':
        case 't':
        case 'n':
        case 'g':
        case 'r':
            return true;
        default:
            return false;
    }
}

bool IsZahl(std::string_view text) {
    if (text.size() == 1 && IsFunctionCode(text[0])) return true;
    if (IsVariableName(text) || EqualsIgnoringCase(text, "pi") || EqualsIgnoringCase(text, "e")) {
        return true;
    }
    return IsLongDouble(text);
}

bool IsLongDouble(std::string_view text) {
    // No canonical number is longer than "-1.23456789012346E-308"; a long text is no number
    // and need not be converted.
    if (text.empty() || text.size() > 32) return false;
    const char separator = DecimalSeparator();
    const auto value = TryStrToFloat(text, separator);
    if (!value) return false;
    return FloatToStr(static_cast<double>(*value), separator) == text;
}

bool IsVariableName(std::string_view text) {
    if (text.size() != 1) return false;
    const char lower = LowerAscii(text[0]);
    return lower == 'x' || lower == 'a' || lower == 'b' || lower == 'c' || lower == 'd';
}

std::string_view SubstituteOperandView(std::string_view text, const VariableTexts& variables,
                                       const std::string& land_dot, std::string& scratch) {
    std::string_view current = text;
    // Every name is one or two characters long; a longer text is substituted by nothing.
    if (current.size() > 2) return current;
    if (EqualsIgnoringCase(current, "x")) current = variables.x;
    if (EqualsIgnoringCase(current, "a")) current = variables.a;
    if (EqualsIgnoringCase(current, "b")) current = variables.b;
    if (EqualsIgnoringCase(current, "c")) current = variables.c;
    if (EqualsIgnoringCase(current, "d")) current = variables.d;
    if (EqualsIgnoringCase(current, "pi")) {
        scratch = "3" + land_dot + "1415927";
        current = scratch;
    }
    if (EqualsIgnoringCase(current, "e")) {
        scratch = "2" + land_dot + "7182818";
        current = scratch;
    }
    return current;
}

std::string SubstituteOperand(std::string_view text, const VariableTexts& variables,
                              const std::string& land_dot) {
    std::string scratch;
    return std::string(SubstituteOperandView(text, variables, land_dot, scratch));
}

std::string ConversionText(std::string_view text, const std::string& land_dot, bool convert_all) {
    std::string result(text);
    const bool single_symbol = land_dot.size() == 1;
    for (char& ch : result) {
        if (convert_all && ch == ',') ch = '.';
        if (single_symbol && ch == land_dot[0]) ch = '.';
    }
    return result;
}

long double ConvertOperandLeniently(std::string_view substituted, const std::string& land_dot,
                                    bool convert_all, bool& overflow) {
    overflow = false;
    bool converted;
    const long double plain = ConvertPlainDecimal(substituted, land_dot, convert_all, converted);
    if (converted) return plain;
    // Most operands hold no character that the conversion text would change; those are
    // converted in place.
    const bool single_symbol = land_dot.size() == 1;
    bool unchanged = true;
    for (char ch : substituted) {
        if ((convert_all && ch == ',') || (single_symbol && ch == land_dot[0] && ch != '.')) {
            unchanged = false;
            break;
        }
    }
    const LenientValue value =
        unchanged ? ConvertLeadingNumber(substituted)
                  : ConvertLeadingNumber(ConversionText(substituted, land_dot, convert_all));
    overflow = value.overflow;
    return value.value;
}

long double ConvertOperand(std::string_view substituted, const std::string& land_dot,
                           bool convert_all) {
    bool overflow;
    const long double value = ConvertOperandLeniently(substituted, land_dot, convert_all, overflow);
    if (overflow) {
        throw Exception(ConversionText(substituted, land_dot, convert_all) +
                        " kann nicht in eine Zahl umgewandelt werden! (STD)");
    }
    return value;
}

long double StrToLongDouble(std::string_view text, const VariableTexts& variables,
                            const std::string& land_dot, bool convert_all) {
    return ConvertOperand(SubstituteOperand(text, variables, land_dot), land_dot, convert_all);
}
