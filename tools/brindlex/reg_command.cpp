// brindlex reg: reads and changes the registry hives from the shell, in the syntax of the
// Windows "reg" tool (query, add, delete, export, import).
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "command.h"
#include "registry/reg_file.h"
#include "registry/registry.h"

namespace {

constexpr int kFailure = 1;
constexpr int kUsage = 2;
constexpr const char* kDone = "The operation completed successfully.\n";
constexpr const char* kNotFound =
    "ERROR: The system was unable to find the specified registry key or value.\n";

// The options after KEY: switches with a value (/v NAME) and plain ones (/f); letter case
// and a leading "-" in place of "/" are accepted, as by the Windows tool.
struct Options {
    std::optional<std::string> value_name;  // /v NAME, or "" for /ve
    bool all_values = false;                // /va
    std::optional<std::string> type;        // /t
    std::optional<std::string> data;        // /d
    bool force = false;                     // /f
    bool overwrite_file = false;            // /y
    bool recursive = false;                 // /s
};

std::string Lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

bool ParseOptions(const std::vector<std::string>& arguments, size_t from, Options& options,
                  std::ostream& err) {
    for (size_t i = from; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument.size() < 2 || (argument[0] != '/' && argument[0] != '-')) {
            err << "ERROR: Invalid syntax: unexpected argument '" << argument << "'.\n";
            return false;
        }
        const std::string name = Lower(argument.substr(1));
        auto next = [&](std::optional<std::string>& into) {
            if (i + 1 >= arguments.size()) {
                err << "ERROR: Invalid syntax: " << argument << " needs a value.\n";
                return false;
            }
            into = arguments[++i];
            return true;
        };
        if (name == "v") {
            if (!next(options.value_name)) return false;
        } else if (name == "ve") {
            options.value_name = "";
        } else if (name == "va") {
            options.all_values = true;
        } else if (name == "t") {
            if (!next(options.type)) return false;
        } else if (name == "d") {
            if (!next(options.data)) return false;
        } else if (name == "f") {
            options.force = true;
        } else if (name == "y") {
            options.overwrite_file = true;
        } else if (name == "s") {
            options.recursive = true;
        } else {
            err << "ERROR: Invalid syntax: unknown option '" << argument << "'.\n";
            return false;
        }
    }
    return true;
}

struct Key {
    HKEY root;
    std::string path;  // without leading or trailing backslashes
    [[nodiscard]] std::string FullName() const {
        return std::string(RootKeyName(root)) + (path.empty() ? "" : "\\" + path);
    }
};

std::optional<Key> ParseKey(const std::string& text, std::ostream& err) {
    Key key{};
    if (!SplitRootedKey(text, key.root, key.path)) {
        err << "ERROR: Invalid key name '" << text
            << "': it must start with HKCU or HKEY_CURRENT_USER (HKLM or HKEY_LOCAL_MACHINE for "
               "the machine's hive).\n";
        return std::nullopt;
    }
    while (!key.path.empty() && key.path.back() == '\\') key.path.pop_back();
    return key;
}

void ReportMissing(const TRegistry& registry, std::ostream& err) {
    err << kNotFound;
    // A hive that could not be read says why; a key that is merely missing needs no more.
    if (registry.LastError().find("registry hive") != std::string::npos &&
        registry.LastError().find("does not exist") == std::string::npos) {
        err << "ERROR: " << registry.LastError() << '\n';
    }
}

bool Confirm(const std::string& question, std::ostream& out) {
    out << question << " (Yes/No)? " << std::flush;
    std::string answer;
    if (!std::getline(std::cin, answer)) answer.clear();
    answer = Lower(answer);
    return answer == "y" || answer == "yes";
}

const char* TypeName(uint32_t type) {
    switch (type) {
        case 0:
            return "REG_NONE";
        case 1:
            return "REG_SZ";
        case 2:
            return "REG_EXPAND_SZ";
        case 3:
            return "REG_BINARY";
        case 4:
            return "REG_DWORD";
        case 5:
            return "REG_DWORD_BIG_ENDIAN";
        case 6:
            return "REG_LINK";
        case 7:
            return "REG_MULTI_SZ";
        case 11:
            return "REG_QWORD";
        default:
            return "REG_UNKNOWN";
    }
}

std::string HexText(const std::vector<uint8_t>& data) {
    std::string text;
    for (const uint8_t byte : data) {
        char digits[3];
        std::snprintf(digits, sizeof digits, "%02X", byte);
        text += digits;
    }
    return text;
}

std::string DataText(uint32_t type, const std::vector<uint8_t>& data) {
    const std::string bytes(data.begin(), data.end());
    switch (type) {
        case 1:
        case 2:
            return bytes.substr(0, bytes.find('\0'));
        case 4:
            if (data.size() == 4) {
                char number[16];
                std::snprintf(number, sizeof number, "0x%x",
                              data[0] | (data[1] << 8) | (data[2] << 16) |
                                  (static_cast<uint32_t>(data[3]) << 24));
                return number;
            }
            return HexText(data);
        case 7: {
            // The strings one after another, shown with "\0" between them as the Windows tool does.
            std::string text;
            size_t start = 0;
            while (start < bytes.size() && bytes[start] != '\0') {
                const size_t end = std::min(bytes.find('\0', start), bytes.size());
                text += (text.empty() ? "" : "\\0") + bytes.substr(start, end - start);
                start = end + 1;
            }
            return text;
        }
        default:
            return HexText(data);
    }
}

void PrintValue(const std::string& name, uint32_t type, const std::vector<uint8_t>& data,
                std::ostream& out) {
    out << "    " << (name.empty() ? "(Default)" : name) << "    " << TypeName(type) << "    "
        << DataText(type, data) << '\n';
}

bool QueryKey(TRegistry& registry, const Key& key, const Options& options, std::ostream& out,
              std::ostream& err) {
    if (!registry.OpenKey("\\" + key.path, false)) {
        ReportMissing(registry, err);
        return false;
    }
    out << '\n' << key.FullName() << '\n';
    uint32_t type = 0;
    std::vector<uint8_t> data;
    if (options.value_name) {
        if (!registry.ReadRawValue(*options.value_name, type, data)) {
            ReportMissing(registry, err);
            return false;
        }
        PrintValue(*options.value_name, type, data, out);
        return true;
    }
    TStringList names;
    registry.GetValueNames(names);
    for (int i = 0; i < names.Count(); ++i) {
        if (registry.ReadRawValue(names[i], type, data)) PrintValue(names[i], type, data, out);
    }
    TStringList subkeys;
    registry.GetKeyNames(subkeys);
    for (int i = 0; i < subkeys.Count(); ++i) {
        const Key child{key.root, key.path.empty() ? subkeys[i] : key.path + "\\" + subkeys[i]};
        if (options.recursive) {
            if (!QueryKey(registry, child, options, out, err)) return false;
        } else {
            if (i == 0) out << '\n';
            out << child.FullName() << '\n';
        }
    }
    return true;
}

int Query(const Key& key, const Options& options, std::ostream& out, std::ostream& err) {
    TRegistry registry;
    registry.SetRootKey(key.root);
    return QueryKey(registry, key, options, out, err) ? 0 : kFailure;
}

// The data of /d for the type of /t; nullopt (with the reason on err) for data of the wrong form.
std::optional<std::pair<uint32_t, std::vector<uint8_t>>> AddData(const Options& options,
                                                                 std::ostream& err) {
    const std::string type = options.type ? options.type->c_str() : "REG_SZ";
    const std::string data = options.data.value_or("");
    const std::string upper = [&] {
        std::string text = type;
        for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return text;
    }();
    if (upper == "REG_SZ" || upper == "REG_EXPAND_SZ") {
        std::vector<uint8_t> bytes(data.begin(), data.end());
        bytes.push_back(0);
        return std::make_pair(upper == "REG_SZ" ? 1u : 2u, bytes);
    }
    if (upper == "REG_DWORD") {
        // Decimal up to 4294967295, or "0x" and up to eight hex digits.
        const bool hex = data.size() > 2 && data[0] == '0' && (data[1] == 'x' || data[1] == 'X');
        const std::string digits = hex ? data.substr(2) : data;
        uint64_t number = 0;
        bool valid = !digits.empty() && (!hex || digits.size() <= 8);
        for (const char c : digits) {
            const int digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                              : hex && std::isxdigit(static_cast<unsigned char>(c))
                                  ? std::tolower(static_cast<unsigned char>(c)) - 'a' + 10
                                  : -1;
            valid = valid && digit >= 0;
            if (!valid) break;
            number = number * (hex ? 16 : 10) + static_cast<uint64_t>(digit);
            valid = number <= 0xFFFFFFFFull;
        }
        if (!valid) {
            err << "ERROR: Invalid REG_DWORD data '" << data
                << "': give 0 to 4294967295, or 0x followed by up to eight hex digits.\n";
            return std::nullopt;
        }
        const auto bits = static_cast<uint32_t>(number);
        return std::make_pair(
            4u, std::vector<uint8_t>{static_cast<uint8_t>(bits), static_cast<uint8_t>(bits >> 8),
                                     static_cast<uint8_t>(bits >> 16),
                                     static_cast<uint8_t>(bits >> 24)});
    }
    if (upper == "REG_BINARY") {
        std::vector<uint8_t> bytes;
        bool valid = data.size() % 2 == 0;
        for (size_t i = 0; valid && i < data.size(); i += 2) {
            const std::string pair = data.substr(i, 2);
            valid = std::isxdigit(static_cast<unsigned char>(pair[0])) &&
                    std::isxdigit(static_cast<unsigned char>(pair[1]));
            if (valid) bytes.push_back(static_cast<uint8_t>(std::stoul(pair, nullptr, 16)));
        }
        if (!valid) {
            err << "ERROR: Invalid REG_BINARY data '" << data
                << "': give an even number of hex digits, two for each byte.\n";
            return std::nullopt;
        }
        return std::make_pair(3u, bytes);
    }
    err << "ERROR: Invalid type '" << type
        << "': use REG_SZ, REG_EXPAND_SZ, REG_DWORD or REG_BINARY.\n";
    return std::nullopt;
}

int Add(const Key& key, const Options& options, std::ostream& out, std::ostream& err) {
    const auto value = AddData(options, err);
    if (!value) return kUsage;
    TRegistry registry;
    registry.SetRootKey(key.root);
    if (!registry.OpenKey("\\" + key.path, true)) {
        err << "ERROR: " << registry.LastError() << '\n';
        return kFailure;
    }
    if (options.value_name) {
        const std::string& name = *options.value_name;
        if (!options.force && registry.ValueExists(name) &&
            !Confirm("Value " + (name.empty() ? "(Default)" : name) + " exists, overwrite", out)) {
            err << "The operation was cancelled.\n";
            return kFailure;
        }
        registry.WriteRawValue(name, value->first, value->second);
    }
    out << kDone;
    return 0;
}

int Delete(const Key& key, const Options& options, std::ostream& out, std::ostream& err) {
    TRegistry registry;
    registry.SetRootKey(key.root);
    if (!registry.KeyExists("\\" + key.path)) {
        ReportMissing(registry, err);
        return kFailure;
    }
    if (options.value_name || options.all_values) {
        const std::string what =
            options.all_values
                ? "all values under " + key.FullName()
                : "the registry value " + (options.value_name->empty() ? std::string("(Default)")
                                                                       : *options.value_name);
        if (!options.force && !Confirm("Delete " + what, out)) {
            err << "The operation was cancelled.\n";
            return kFailure;
        }
        if (!registry.OpenKey("\\" + key.path, false)) {
            ReportMissing(registry, err);
            return kFailure;
        }
        TStringList names;
        if (options.all_values) {
            registry.GetValueNames(names);
        } else {
            names.Add(*options.value_name);
        }
        for (int i = 0; i < names.Count(); ++i) {
            if (!registry.DeleteValue(names[i])) {
                if (!options.all_values && registry.LastError().empty()) {
                    err << kNotFound;
                } else {
                    err << "ERROR: " << registry.LastError() << '\n';
                }
                return kFailure;
            }
        }
        out << kDone;
        return 0;
    }
    if (key.path.empty()) {
        err << "ERROR: The root key " << key.FullName() << " cannot be deleted.\n";
        return kFailure;
    }
    if (!options.force && !Confirm("Permanently delete the registry key " + key.FullName(), out)) {
        err << "The operation was cancelled.\n";
        return kFailure;
    }
    if (!registry.DeleteKey("\\" + key.path)) {
        err << "ERROR: " << registry.LastError() << '\n';
        return kFailure;
    }
    out << kDone;
    return 0;
}

// Appends key and every key below it, each with its values, parents before children.
bool CollectKeys(TRegistry& registry, const Key& key, std::vector<RegFileKey>& keys) {
    if (!registry.OpenKey("\\" + key.path, false)) return false;
    RegFileKey entry{key.root, key.path, false, {}};
    TStringList names;
    registry.GetValueNames(names);
    for (int i = 0; i < names.Count(); ++i) {
        RegFileValue value{names[i], false, 0, {}};
        if (registry.ReadRawValue(names[i], value.type, value.data)) entry.values.push_back(value);
    }
    keys.push_back(std::move(entry));
    TStringList subkeys;
    registry.GetKeyNames(subkeys);
    for (int i = 0; i < subkeys.Count(); ++i) {
        const Key child{key.root, key.path.empty() ? subkeys[i] : key.path + "\\" + subkeys[i]};
        if (!CollectKeys(registry, child, keys)) return false;
    }
    return true;
}

// Writes text to path through a temporary file in the same folder, so that a failure never
// leaves a partial file behind.
bool WriteWholeFile(const std::string& path, const std::string& text, std::ostream& err) {
    const std::string temporary = path + ".part" + std::to_string(getpid());
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file << text;
        file.flush();
        if (!file) {
            err << "ERROR: Cannot write '" << path << "'.\n";
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        err << "ERROR: Cannot write '" << path << "': " << error.message() << ".\n";
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}

int Export(const Key& key, const std::string& file, const Options& options, std::ostream& out,
           std::ostream& err) {
    TRegistry registry;
    registry.SetRootKey(key.root);
    std::vector<RegFileKey> keys;
    if (!CollectKeys(registry, key, keys)) {
        ReportMissing(registry, err);
        return kFailure;
    }
    std::error_code ignored;
    if (!options.overwrite_file && std::filesystem::exists(file, ignored) &&
        !Confirm("File " + file + " already exists. Overwrite", out)) {
        err << "The operation was cancelled.\n";
        return kFailure;
    }
    if (!WriteWholeFile(file, FormatRegFile(keys), err)) return kFailure;
    out << kDone;
    return 0;
}

int Import(const std::string& file, std::ostream& out, std::ostream& err) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        err << "ERROR: Cannot open '" << file << "'.\n";
        return kFailure;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    std::vector<RegFileKey> keys;
    try {
        keys = ParseRegFile(bytes.str());  // the whole file first: a bad one changes nothing
    } catch (const ERegFileError& error) {
        err << "ERROR: " << file << ": " << error.Message() << '\n';
        return kFailure;
    }
    for (const RegFileKey& key : keys) {
        TRegistry registry;
        registry.SetRootKey(key.root);
        if (key.remove) {
            if (!key.path.empty() && registry.KeyExists("\\" + key.path)) {
                if (!registry.DeleteKey("\\" + key.path)) {
                    err << "ERROR: " << registry.LastError() << '\n';
                    return kFailure;
                }
            }
            continue;
        }
        if (!registry.OpenKey("\\" + key.path, true)) {
            err << "ERROR: " << registry.LastError() << '\n';
            return kFailure;
        }
        for (const RegFileValue& value : key.values) {
            if (value.remove) {
                registry.DeleteValue(value.name);
            } else {
                registry.WriteRawValue(value.name, value.type, value.data);
            }
        }
    }
    out << kDone;
    return 0;
}

}  // namespace

int RunRegCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    if (arguments.empty()) {
        err << "ERROR: Invalid syntax: give query, add, delete, export or import.\n";
        return kUsage;
    }
    const std::string operation = Lower(arguments[0]);
    if (operation == "import") {
        if (arguments.size() != 2) {
            err << "ERROR: Invalid syntax: brindlex reg import FILE\n";
            return kUsage;
        }
        try {
            return Import(arguments[1], out, err);
        } catch (const ERegistryException& error) {
            err << "ERROR: " << error.Message() << '\n';
            return kFailure;
        }
    }
    if (operation != "query" && operation != "add" && operation != "delete" &&
        operation != "export") {
        err << "ERROR: Invalid syntax: unknown operation '" << arguments[0] << "'.\n";
        return kUsage;
    }
    if (arguments.size() < 2) {
        err << "ERROR: Invalid syntax: brindlex reg " << operation << " needs a KEY.\n";
        return kUsage;
    }
    const std::optional<Key> key = ParseKey(arguments[1], err);
    if (!key) return kUsage;
    const size_t options_from = operation == "export" ? 3 : 2;
    if (operation == "export" && arguments.size() < 3) {
        err << "ERROR: Invalid syntax: brindlex reg export KEY FILE\n";
        return kUsage;
    }
    Options options;
    if (!ParseOptions(arguments, options_from, options, err)) return kUsage;
    try {
        if (operation == "query") return Query(*key, options, out, err);
        if (operation == "add") return Add(*key, options, out, err);
        if (operation == "delete") return Delete(*key, options, out, err);
        return Export(*key, arguments[2], options, out, err);
    } catch (const ERegistryException& error) {
        err << "ERROR: " << error.Message() << '\n';
        return kFailure;
    }
}
