#include "note_text.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "core/string_list.h"

namespace midi {

namespace {

constexpr int kTicksPerWhole = 3072;  // four quarter notes of 768 ticks

constexpr NoteLength MakeLength(int numerator, int denominator) {
    const int ticks = kTicksPerWhole * numerator / denominator;
    if (ticks < 128) {
        return {numerator, denominator, ticks, 1, {static_cast<uint8_t>(ticks), 0}};
    }
    return {numerator,
            denominator,
            ticks,
            2,
            {static_cast<uint8_t>(0x80 | (ticks / 128)), static_cast<uint8_t>(ticks % 128)}};
}

// Rows by note value 1, 2, 4, 8, 16, 32; columns plain, triplet (2/3), dotted (3/2) and
// double-dotted (7/4).
constexpr NoteLength kLengths[6][4] = {
    {MakeLength(1, 1), MakeLength(2, 3), MakeLength(3, 2), MakeLength(7, 4)},
    {MakeLength(1, 2), MakeLength(1, 3), MakeLength(3, 4), MakeLength(7, 8)},
    {MakeLength(1, 4), MakeLength(1, 6), MakeLength(3, 8), MakeLength(7, 16)},
    {MakeLength(1, 8), MakeLength(1, 12), MakeLength(3, 16), MakeLength(7, 32)},
    {MakeLength(1, 16), MakeLength(1, 24), MakeLength(3, 32), MakeLength(7, 64)},
    {MakeLength(1, 32), MakeLength(1, 48), MakeLength(3, 64), MakeLength(7, 128)},
};

// The row of a note value text, or -1 for anything but the six values.
int NoteValueRow(std::string_view digits) {
    if (digits == "1") return 0;
    if (digits == "2") return 1;
    if (digits == "4") return 2;
    if (digits == "8") return 3;
    if (digits == "16") return 4;
    if (digits == "32") return 5;
    return -1;
}

}  // namespace

void ExtractNotes(std::string_view keys, TStrings& target) {
    target.Clear();
    ForEachKeyItem(keys, [&](std::string_view item) { target.Add(std::string(item)); });
}

int CountKeyItems(std::string_view keys) {
    int count = 0;
    ForEachKeyItem(keys, [&](std::string_view) { ++count; });
    return count;
}

int64_t ReadKey(std::string_view item) {
    size_t at = 0;
    // The white space that isspace() knows in the C locale.
    while (at < item.size() && (item[at] == ' ' || (item[at] >= '\t' && item[at] <= '\r'))) ++at;
    bool negative = false;
    if (at < item.size() && (item[at] == '+' || item[at] == '-')) {
        negative = item[at] == '-';
        ++at;
    }
    // Accumulate towards the negative side, which holds one value more than the positive.
    constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
    int64_t value = 0;
    bool saturated = false;
    for (; at < item.size() && item[at] >= '0' && item[at] <= '9'; ++at) {
        const int digit = item[at] - '0';
        if (saturated || value < (kMin + digit) / 10) {
            saturated = true;
            continue;
        }
        value = value * 10 - digit;
    }
    if (saturated) return negative ? kMin : std::numeric_limits<int64_t>::max();
    if (negative) return value;
    return value == kMin ? std::numeric_limits<int64_t>::max() : -value;
}

const NoteLength& LookUpLength(std::string_view code) {
    int column = 0;
    if (!code.empty()) {
        switch (code.front()) {
            case 'T':
                column = 1;
                break;
            case 'P':
                column = 2;
                break;
            case 'D':
                column = 3;
                break;
            default:
                break;
        }
    }
    const int row = NoteValueRow(column == 0 ? code : code.substr(1));
    return row < 0 ? kLengths[0][0] : kLengths[row][column];
}

long double GetSekundenOfLength(std::string_view code, long double whole) {
    const NoteLength& length = LookUpLength(code);
    const long double fraction =
        static_cast<long double>(length.numerator) / static_cast<long double>(length.denominator);
    return fraction * whole;
}

std::string LongToStr(long double value) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    const long double thousandths = std::trunc(value * 1000.0L);
    if (std::isinf(thousandths)) {
        // Too large to count in thousandths; such a value has no fraction left anyway.
        const int size = std::snprintf(nullptr, 0, "%.0Lf", value);
        std::string whole(static_cast<size_t>(size), '\0');
        std::snprintf(whole.data(), whole.size() + 1, "%.0Lf", value);
        return whole + ".000";
    }
    // Formatting the magnitude alone keeps the sign out of the digit positions, so that
    // -0.5 reads "-0.500" rather than "-.500".
    const long double magnitude = std::fabs(thousandths);
    const int size = std::snprintf(nullptr, 0, "%.0Lf", magnitude);
    std::string digits(static_cast<size_t>(size), '\0');
    std::snprintf(digits.data(), digits.size() + 1, "%.0Lf", magnitude);
    if (digits.size() < 3) return "0";
    std::string whole = digits.substr(0, digits.size() - 3);
    if (whole.empty()) whole = "0";
    const std::string sign = thousandths < 0 ? "-" : "";
    return sign + whole + "." + digits.substr(digits.size() - 3);
}

}  // namespace midi
