#include "settings/settings_text.h"

#include "core/str_to_int.h"

namespace Bdreg {

std::string_view TrimControl(std::string_view text) {
    // Bytes above 127 are characters of the code page, not control codes: compare unsigned.
    const auto is_control = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    while (!text.empty() && is_control(text.front())) text.remove_prefix(1);
    while (!text.empty() && is_control(text.back())) text.remove_suffix(1);
    return text;
}

int32_t StrToInt(std::string_view text, int32_t fallback) {
    const std::string_view trimmed = TrimControl(text);
    if (trimmed.empty()) return fallback;
    return TryStrToInt(std::string(trimmed)).value_or(fallback);
}

bool IsInt(std::string_view text) { return !text.empty() && text[0] >= '0' && text[0] <= '9'; }

std::string GetDataKey(std::string_view line) {
    return std::string(line.substr(0, line.find('=')));
}

std::string GetDataValue(std::string_view line) {
    const size_t equals = line.find('=');
    return equals == std::string_view::npos ? std::string() : std::string(line.substr(equals + 1));
}

std::string BuildData(std::string_view key, std::string_view value) {
    std::string line;
    line.reserve(key.size() + 1 + value.size());
    line.append(key).append(1, '=').append(value);
    return line;
}

std::string ExtractFolderName(std::string_view line) {
    std::string name;
    bool inside = false;
    bool closed = false;
    for (const char c : line) {
        if (c == '[') {
            if (closed) return {};
            inside = true;
        } else if (c == ']') {
            inside = false;
            closed = true;
        } else if (inside) {
            name += c;
        } else if (c != ' ') {
            return {};
        }
    }
    return name;
}

std::string EncodeText(std::string_view text, std::string_view placeholder) {
    std::string encoded;
    encoded.reserve(text.size());
    for (size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        if (c == '\r' || c == '\n') {
            encoded.append(placeholder);
            if (c == '\r' && at + 1 < text.size() && text[at + 1] == '\n') ++at;
        } else {
            encoded += c;
        }
    }
    return encoded;
}

std::string DecodeText(std::string_view text, std::string_view placeholder) {
    if (placeholder.empty()) return std::string(text);
    std::string decoded;
    decoded.reserve(text.size());
    size_t at = 0;
    while (at < text.size()) {
        if (text.substr(at).starts_with(placeholder)) {
            decoded += "\r\n";
            at += placeholder.size();
        } else {
            decoded += text[at++];
        }
    }
    return decoded;
}

}  // namespace Bdreg
