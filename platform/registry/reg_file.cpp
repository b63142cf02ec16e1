#include "registry/reg_file.h"

#include <cstdio>

#include "registry/name_fold.h"

namespace {

constexpr uint32_t kRegSz = 1;
constexpr uint32_t kRegDword = 4;
constexpr uint32_t kRegBinary = 3;
constexpr const char* kHeader = "Windows Registry Editor Version 5.00";
constexpr size_t kHexLineWidth = 76;

[[noreturn]] void Fault(size_t line, const std::string& what) {
    throw ERegFileError("Line " + std::to_string(line) + ": " + what);
}

void AppendUtf8(std::string& out, uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The file's text as UTF-8, whatever byte order mark it starts with.
std::string DecodeText(const std::string& bytes) {
    if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) return bytes.substr(3);
    if (bytes.size() < 2 || bytes.compare(0, 2, "\xFF\xFE") != 0) return bytes;
    if (bytes.size() % 2 != 0)
        throw ERegFileError("The UTF-16 file ends in the middle of a character");
    std::string text;
    for (size_t i = 2; i < bytes.size(); i += 2) {
        uint32_t unit = static_cast<uint8_t>(bytes[i]) | (static_cast<uint8_t>(bytes[i + 1]) << 8);
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 3 < bytes.size()) {
            const uint32_t low =
                static_cast<uint8_t>(bytes[i + 2]) | (static_cast<uint8_t>(bytes[i + 3]) << 8);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        AppendUtf8(text, unit);
    }
    return text;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

std::string Trim(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Reads a quoted string starting at text[at] == '"'; at ends past the closing quote.
std::string ReadQuoted(const std::string& text, size_t& at, size_t line) {
    std::string result;
    for (++at; at < text.size(); ++at) {
        const char c = text[at];
        if (c == '"') {
            ++at;
            return result;
        }
        if (c == '\\') {
            if (at + 1 >= text.size()) break;
            result += text[++at];
        } else {
            result += c;
        }
    }
    Fault(line, "a quoted text has no closing quote");
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::vector<uint8_t> ReadHexBytes(const std::string& text, size_t line) {
    std::vector<uint8_t> bytes;
    std::string compact;
    for (const char c : text) {
        if (c != ' ' && c != '\t') compact += c;
    }
    if (compact.empty()) return bytes;
    size_t at = 0;
    while (true) {
        if (at + 2 > compact.size() || HexDigit(compact[at]) < 0 || HexDigit(compact[at + 1]) < 0) {
            Fault(line, "hex data must be two-digit bytes separated by commas");
        }
        bytes.push_back(
            static_cast<uint8_t>(HexDigit(compact[at]) * 16 + HexDigit(compact[at + 1])));
        at += 2;
        if (at == compact.size()) return bytes;
        if (compact[at] != ',') Fault(line, "hex data must be two-digit bytes separated by commas");
        ++at;
    }
}

RegFileValue ParseValue(const std::string& text, size_t line) {
    RegFileValue value;
    size_t at = 0;
    if (text[0] == '@') {
        at = 1;
    } else if (text[0] == '"') {
        value.name = ReadQuoted(text, at, line);
    } else {
        Fault(line, "expected a key in brackets, a quoted value name or @");
    }
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
    if (at >= text.size() || text[at] != '=') Fault(line, "expected = after the value name");
    const std::string data = Trim(text.substr(at + 1));
    if (data == "-") {
        value.remove = true;
    } else if (!data.empty() && data[0] == '"') {
        size_t end = 0;
        const std::string string = ReadQuoted(data, end, line);
        if (end != data.size()) Fault(line, "unexpected text after the quoted data");
        value.data.assign(string.begin(), string.end());
        value.data.push_back(0);
    } else if (data.compare(0, 6, "dword:") == 0) {
        const std::string digits = data.substr(6);
        if (digits.empty() || digits.size() > 8)
            Fault(line, "dword data must be 1 to 8 hex digits");
        uint32_t number = 0;
        for (const char c : digits) {
            if (HexDigit(c) < 0) Fault(line, "dword data must be 1 to 8 hex digits");
            number = number * 16 + static_cast<uint32_t>(HexDigit(c));
        }
        value.type = kRegDword;
        value.data = {static_cast<uint8_t>(number), static_cast<uint8_t>(number >> 8),
                      static_cast<uint8_t>(number >> 16), static_cast<uint8_t>(number >> 24)};
    } else if (data.compare(0, 4, "hex:") == 0) {
        value.type = kRegBinary;
        value.data = ReadHexBytes(data.substr(4), line);
    } else if (data.compare(0, 4, "hex(") == 0) {
        const size_t close = data.find("):", 4);
        const std::string digits = close == std::string::npos ? "" : data.substr(4, close - 4);
        if (digits.empty() || digits.size() > 8) Fault(line, "expected hex(<type>):");
        uint32_t type = 0;
        for (const char c : digits) {
            if (HexDigit(c) < 0) Fault(line, "expected hex(<type>):");
            type = type * 16 + static_cast<uint32_t>(HexDigit(c));
        }
        value.type = type;
        value.data = ReadHexBytes(data.substr(close + 2), line);
    } else {
        Fault(line, "unknown kind of value data");
    }
    return value;
}

std::string Quote(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}

// "prefix" followed by the bytes, wrapped the way the registry editor wraps long data.
std::string HexData(const std::string& prefix, size_t name_width,
                    const std::vector<uint8_t>& data) {
    std::string text = prefix;
    size_t width = name_width + prefix.size();
    for (size_t i = 0; i < data.size(); ++i) {
        char byte[3];
        std::snprintf(byte, sizeof byte, "%02x", data[i]);
        text += byte;
        width += 2;
        if (i + 1 < data.size()) {
            text += ',';
            ++width;
            if (width >= kHexLineWidth) {
                text += "\\\r\n  ";
                width = 2;
            }
        }
    }
    return text;
}

bool PlainString(const std::vector<uint8_t>& data) {
    if (data.empty() || data.back() != 0) return false;
    for (size_t i = 0; i + 1 < data.size(); ++i) {
        if (data[i] == 0 || data[i] == '\r' || data[i] == '\n') return false;
    }
    return true;
}

std::string FormatValue(const RegFileValue& value) {
    const std::string name = value.name.empty() ? "@" : Quote(value.name);
    std::string line = name + "=";
    if (value.remove) return line + "-";
    if (value.type == kRegSz && PlainString(value.data)) {
        return line + Quote(std::string(value.data.begin(), value.data.end() - 1));
    }
    if (value.type == kRegDword && value.data.size() == 4) {
        char digits[9];
        std::snprintf(digits, sizeof digits, "%08x",
                      value.data[0] | (value.data[1] << 8) | (value.data[2] << 16) |
                          (static_cast<uint32_t>(value.data[3]) << 24));
        return line + "dword:" + digits;
    }
    char prefix[16];
    if (value.type == kRegBinary) {
        std::snprintf(prefix, sizeof prefix, "hex:");
    } else {
        std::snprintf(prefix, sizeof prefix, "hex(%x):", value.type);
    }
    return line + HexData(prefix, line.size(), value.data);
}

}  // namespace

bool SplitRootedKey(const std::string& text, HKEY& root, std::string& path) {
    const size_t slash = text.find('\\');
    const std::string head = FoldName(text.substr(0, slash));
    if (head == "HKEY_CURRENT_USER" || head == "HKCU") {
        root = HKEY::HKEY_CURRENT_USER;
    } else if (head == "HKEY_LOCAL_MACHINE" || head == "HKLM") {
        root = HKEY::HKEY_LOCAL_MACHINE;
    } else {
        return false;
    }
    path = slash == std::string::npos ? "" : text.substr(slash + 1);
    return true;
}

const char* RootKeyName(HKEY root) {
    return root == HKEY::HKEY_LOCAL_MACHINE ? "HKEY_LOCAL_MACHINE" : "HKEY_CURRENT_USER";
}

std::vector<RegFileKey> ParseRegFile(const std::string& bytes) {
    const std::vector<std::string> lines = SplitLines(DecodeText(bytes));
    std::vector<RegFileKey> keys;
    bool header_seen = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        const size_t number = i + 1;
        std::string line = Trim(lines[i]);
        if (!header_seen) {
            if (line.empty()) continue;
            if (line != kHeader && line != "REGEDIT4") {
                Fault(number, "the file does not start with \"" + std::string(kHeader) + "\"");
            }
            header_seen = true;
            continue;
        }
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            if (line.back() != ']') Fault(number, "a key line must end with ]");
            RegFileKey key;
            std::string name = line.substr(1, line.size() - 2);
            if (!name.empty() && name[0] == '-') {
                key.remove = true;
                name.erase(0, 1);
            }
            if (!SplitRootedKey(name, key.root, key.path)) {
                Fault(number, "the key '" + name + "' does not start with HKEY_CURRENT_USER");
            }
            keys.push_back(std::move(key));
            continue;
        }
        // Hex data may go on over lines that end in a backslash.
        while (line.back() == '\\' && line.find("=hex") != std::string::npos &&
               i + 1 < lines.size()) {
            line.pop_back();
            line += Trim(lines[++i]);
        }
        if (keys.empty()) Fault(number, "a value comes before the first key");
        if (keys.back().remove) Fault(number, "a deleted key cannot have values");
        keys.back().values.push_back(ParseValue(line, number));
    }
    if (!header_seen)
        throw ERegFileError("The file is empty; a registry file starts with \"" +
                            std::string(kHeader) + "\"");
    return keys;
}

std::string FormatRegFile(const std::vector<RegFileKey>& keys) {
    std::string text = std::string(kHeader) + "\r\n";
    for (const RegFileKey& key : keys) {
        text += "\r\n[";
        if (key.remove) text += '-';
        text += RootKeyName(key.root);
        if (!key.path.empty()) text += "\\" + key.path;
        text += "]\r\n";
        for (const RegFileValue& value : key.values) text += FormatValue(value) + "\r\n";
    }
    return text;
}
