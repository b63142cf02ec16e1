#include "core/str_to_int.h"

#include <string_view>

#include "core/exception.h"

namespace {

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::optional<int32_t> ParseHex(const std::string& text, size_t at) {
    if (at == text.size()) return std::nullopt;
    uint64_t value = 0;
    for (; at < text.size(); ++at) {
        const int digit = HexDigitValue(text[at]);
        if (digit < 0) return std::nullopt;
        value = value * 16 + static_cast<uint64_t>(digit);
        if (value > 0xFFFFFFFFull) return std::nullopt;
    }
    return static_cast<int32_t>(static_cast<uint32_t>(value));
}

std::optional<int32_t> ParseDecimal(const std::string& text, size_t at) {
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    if (at == text.size()) return std::nullopt;
    // The magnitude may reach 2^31 for the most negative value.
    const int64_t limit = negative ? 2147483648LL : 2147483647LL;
    int64_t magnitude = 0;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        if (c < '0' || c > '9') return std::nullopt;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > limit) return std::nullopt;
    }
    return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

}  // namespace

std::optional<int32_t> TryStrToInt(const std::string& text) {
    size_t at = 0;
    while (at < text.size() && text[at] == ' ') ++at;
    const std::string_view rest(text.data() + at, text.size() - at);
    if (rest.starts_with("0x") || rest.starts_with("0X")) return ParseHex(text, at + 2);
    if (rest.starts_with("$") || rest.starts_with("x") || rest.starts_with("X")) {
        return ParseHex(text, at + 1);
    }
    return ParseDecimal(text, at);
}

int32_t StrToInt(const std::string& text) {
    if (const auto value = TryStrToInt(text)) return *value;
    throw EConvertError(FormatMessage("'%s' is not a valid integer value", text));
}
