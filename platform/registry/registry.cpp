#include "registry/registry.h"

#include <cstring>
#include <optional>

#include "registry/hive.h"
#include "registry/hive_location.h"

namespace {

constexpr uint32_t kRegSz = 1;
constexpr uint32_t kRegExpandSz = 2;
constexpr uint32_t kRegBinary = 3;
constexpr uint32_t kRegDword = 4;
constexpr size_t kMaxKeyNameLength = 255;

const char* const kSetDataFailed = "Failed to set data for '%s'";
const char* const kGetDataFailed = "Failed to get data for '%s'";
const char* const kInvalidDataType = "Invalid data type for '%s'";

// A key path taken apart: whether it starts at the root, and its key names. nullopt for a
// path with an empty or overlong name in it.
struct KeyPath {
    bool from_root = false;
    std::vector<std::string> names;
};

std::optional<KeyPath> SplitPath(std::string path) {
    KeyPath parsed;
    if (!path.empty() && path.front() == '\\') {
        parsed.from_root = true;
        path.erase(0, 1);
    }
    if (!path.empty() && path.back() == '\\') path.pop_back();
    if (path.empty()) return parsed;
    size_t start = 0;
    while (true) {
        const size_t end = path.find('\\', start);
        std::string name = path.substr(start, end == std::string::npos ? end : end - start);
        if (name.empty() || name.size() > kMaxKeyNameLength) return std::nullopt;
        parsed.names.push_back(std::move(name));
        if (end == std::string::npos) return parsed;
        start = end + 1;
    }
}

std::string JoinNames(const std::vector<std::string>& names) {
    std::string joined;
    for (const std::string& name : names) joined += (joined.empty() ? "" : "\\") + name;
    return joined;
}

std::vector<uint8_t> StringData(const std::string& text) {
    std::vector<uint8_t> data(text.begin(), text.end());
    data.push_back(0);
    return data;
}

TRegDataType DataTypeOf(uint32_t type) {
    switch (type) {
        case kRegSz:
            return TRegDataType::rdString;
        case kRegExpandSz:
            return TRegDataType::rdExpandString;
        case kRegDword:
            return TRegDataType::rdInteger;
        case kRegBinary:
            return TRegDataType::rdBinary;
        default:
            return TRegDataType::rdUnknown;
    }
}

}  // namespace

TRegistry::TRegistry() = default;

TRegistry::~TRegistry() { CloseKey(); }

void TRegistry::SetRootKey(HKEY root) {
    CloseKey();
    root_ = root;
}

HKEY TRegistry::RootKey() const { return root_; }

void TRegistry::SetHiveFolder(HKEY root, const std::string& folder) {
    CloseKey();
    (root == HKEY::HKEY_LOCAL_MACHINE ? machine_hive_folder_ : user_hive_folder_) = folder;
}

std::string TRegistry::HiveFilePath(HKEY root) const {
    const std::string& chosen =
        root == HKEY::HKEY_LOCAL_MACHINE ? machine_hive_folder_ : user_hive_folder_;
    const std::string folder = chosen.empty() ? DefaultHiveFolder(root) : chosen;
    return folder + "/" + kHiveFileName;
}

TRegistryHive* TRegistry::Hive(bool create) {
    if (!hive_) {
        hive_ = TRegistryHive::Open(HiveFilePath(root_), create);
        if (!hive_)
            throw HiveError("The registry hive '" + HiveFilePath(root_) + "' does not exist");
    }
    return hive_.get();
}

void TRegistry::ReleaseIdleHive() {
    if (current_key_ == 0) hive_.reset();
}

std::optional<int64_t> TRegistry::ResolveKey(const std::string& key, bool create,
                                             std::string* full_path) {
    const std::optional<KeyPath> path = SplitPath(key);
    if (!path) throw HiveError("'" + key + "' is not a valid key path");
    const bool relative = !path->from_root && current_key_ != 0;
    if (full_path != nullptr) {
        const std::string tail = JoinNames(path->names);
        *full_path = relative && !tail.empty() && !current_path_.empty()
                         ? current_path_ + "\\" + tail
                         : (relative && tail.empty() ? current_path_ : tail);
    }
    const int64_t base = relative ? current_key_ : TRegistryHive::kRootKey;
    TRegistryHive* hive = Hive(create);
    // Most opens find the key already there; looking first spares them a write transaction.
    const std::optional<int64_t> found = hive->FindKey(base, path->names);
    if (found || !create) return found;
    return hive->CreateKey(base, path->names);
}

template <typename Body>
auto TRegistry::Query(Body body, decltype(body()) failed) {
    try {
        auto result = body();
        ReleaseIdleHive();
        return result;
    } catch (const HiveError& error) {
        last_error_ = error.what();
        ReleaseIdleHive();
        return failed;
    }
}

bool TRegistry::OpenKey(const std::string& key, bool can_create) {
    return Query(
        [&] {
            last_error_.clear();
            std::string full_path;
            // The new key may be created through the held connection before it replaces the
            // old one, so the hive stays open across the switch.
            const std::optional<int64_t> id = ResolveKey(key, can_create, &full_path);
            if (!id) {
                last_error_ = "The key '" + key + "' does not exist";
                return false;
            }
            current_key_ = *id;
            current_path_ = full_path;
            read_only_ = false;
            return true;
        },
        false);
}

bool TRegistry::OpenKeyReadOnly(const std::string& key) {
    const bool opened = OpenKey(key, false);
    if (opened) read_only_ = true;
    return opened;
}

void TRegistry::CloseKey() {
    current_key_ = 0;
    current_path_.clear();
    read_only_ = false;
    hive_.reset();
}

std::string TRegistry::CurrentPath() const { return current_path_; }

bool TRegistry::KeyExists(const std::string& key) {
    return Query(
        [&] {
            last_error_.clear();
            return ResolveKey(key, false, nullptr).has_value();
        },
        false);
}

bool TRegistry::CreateKey(const std::string& key) {
    return Query(
        [&] {
            last_error_.clear();
            if (read_only_) throw HiveError("The key '" + current_path_ + "' is open read-only");
            return ResolveKey(key, true, nullptr).has_value();
        },
        false);
}

bool TRegistry::DeleteKey(const std::string& key) {
    return Query(
        [&] {
            last_error_.clear();
            if (read_only_) throw HiveError("The key '" + current_path_ + "' is open read-only");
            const std::optional<int64_t> id = ResolveKey(key, false, nullptr);
            if (!id) {
                last_error_ = "The key '" + key + "' does not exist";
                return false;
            }
            return hive_->DeleteKey(*id);
        },
        false);
}

int64_t TRegistry::OpenKeyId() {
    if (current_key_ == 0) throw HiveError("No key is open");
    Hive(false);
    return current_key_;
}

bool TRegistry::HasSubKeys() {
    return Query(
        [&] {
            last_error_.clear();
            const int64_t key = OpenKeyId();
            return !hive_->SubKeyNames(key).empty();
        },
        false);
}

bool TRegistry::ValueExists(const std::string& name) {
    return Query(
        [&] {
            last_error_.clear();
            const int64_t key = OpenKeyId();
            return hive_->ReadValue(key, name).has_value();
        },
        false);
}

bool TRegistry::DeleteValue(const std::string& name) {
    return Query(
        [&] {
            last_error_.clear();
            if (read_only_) throw HiveError("The key '" + current_path_ + "' is open read-only");
            const int64_t key = OpenKeyId();
            return hive_->DeleteValue(key, name);
        },
        false);
}

TRegDataType TRegistry::GetDataType(const std::string& name) {
    uint32_t type = 0;
    std::vector<uint8_t> data;
    return ReadRawValue(name, type, data) ? DataTypeOf(type) : TRegDataType::rdUnknown;
}

int TRegistry::GetDataSize(const std::string& name) {
    uint32_t type = 0;
    std::vector<uint8_t> data;
    return ReadRawValue(name, type, data) ? static_cast<int>(data.size()) : -1;
}

void TRegistry::GetValueNames(TStrings& names) {
    names.Clear();
    const std::vector<std::string> found = Query(
        [&] {
            last_error_.clear();
            const int64_t key = OpenKeyId();
            return hive_->ValueNames(key);
        },
        std::vector<std::string>());
    for (const std::string& name : found) names.Add(name);
}

void TRegistry::GetKeyNames(TStrings& names) {
    names.Clear();
    const std::vector<std::string> found = Query(
        [&] {
            last_error_.clear();
            const int64_t key = OpenKeyId();
            return hive_->SubKeyNames(key);
        },
        std::vector<std::string>());
    for (const std::string& name : found) names.Add(name);
}

bool TRegistry::ReadRawValue(const std::string& name, uint32_t& type, std::vector<uint8_t>& data) {
    std::optional<HiveValue> value = Query(
        [&] {
            last_error_.clear();
            const int64_t key = OpenKeyId();
            return hive_->ReadValue(key, name);
        },
        std::optional<HiveValue>());
    if (!value) return false;
    type = value->type;
    data = std::move(value->data);
    return true;
}

void TRegistry::WriteRawValue(const std::string& name, uint32_t type,
                              const std::vector<uint8_t>& data) {
    try {
        last_error_.clear();
        if (read_only_) throw HiveError("The key '" + current_path_ + "' is open read-only");
        const int64_t key = OpenKeyId();
        hive_->WriteValue(key, name, type, data);
    } catch (const HiveError& error) {
        last_error_ = error.what();
        ReleaseIdleHive();
        throw ERegistryException(FormatMessage(kSetDataFailed, name));
    }
    ReleaseIdleHive();
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
    WriteRawValue(name, kRegSz, StringData(value));
}

void TRegistry::WriteExpandString(const std::string& name, const std::string& value) {
    WriteRawValue(name, kRegExpandSz, StringData(value));
}

std::string TRegistry::ReadString(const std::string& name) {
    uint32_t type = 0;
    std::vector<uint8_t> data;
    if (!ReadRawValue(name, type, data) || data.empty()) return "";
    if (type != kRegSz && type != kRegExpandSz) {
        throw ERegistryException(FormatMessage(kInvalidDataType, name));
    }
    const auto* bytes = reinterpret_cast<const char*>(data.data());
    return std::string(bytes, strnlen(bytes, data.size()));
}

void TRegistry::WriteInteger(const std::string& name, int32_t value) {
    const auto bits = static_cast<uint32_t>(value);
    WriteRawValue(name, kRegDword,
                  {static_cast<uint8_t>(bits), static_cast<uint8_t>(bits >> 8),
                   static_cast<uint8_t>(bits >> 16), static_cast<uint8_t>(bits >> 24)});
}

int32_t TRegistry::ReadInteger(const std::string& name) {
    uint32_t type = 0;
    std::vector<uint8_t> data;
    if (!ReadRawValue(name, type, data)) {
        throw ERegistryException(FormatMessage(kGetDataFailed, name));
    }
    if (type != kRegDword || data.size() != 4) {
        throw ERegistryException(FormatMessage(kInvalidDataType, name));
    }
    const uint32_t bits =
        data[0] | (data[1] << 8) | (data[2] << 16) | (static_cast<uint32_t>(data[3]) << 24);
    return static_cast<int32_t>(bits);
}

void TRegistry::WriteBinaryData(const std::string& name, const std::vector<uint8_t>& data) {
    WriteRawValue(name, kRegBinary, data);
}

std::vector<uint8_t> TRegistry::ReadBinaryData(const std::string& name) {
    uint32_t type = 0;
    std::vector<uint8_t> data;
    if (!ReadRawValue(name, type, data) || data.empty()) return {};
    // Types this class has no reader of its own for come back as their bytes too.
    if (DataTypeOf(type) != TRegDataType::rdBinary && DataTypeOf(type) != TRegDataType::rdUnknown) {
        throw ERegistryException(FormatMessage(kInvalidDataType, name));
    }
    return data;
}

std::string TRegistry::LastError() const { return last_error_; }
