#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// A failure of the hive itself (cannot be opened, damaged, not a hive, busy, refused), with a
// sentence that names the file. TRegistry turns it into its results and registry errors.
class HiveError : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

// One value as the hive keeps it: its name as first written, its type number (REG_SZ = 1,
// REG_EXPAND_SZ = 2, REG_BINARY = 3, REG_DWORD = 4, ...) and its data bytes.
struct HiveValue {
    std::string name;
    uint32_t type = 0;
    std::vector<uint8_t> data;
};

// One open connection to a hive file. Keys are known by ids that are never reused, so an id
// held across calls either names the same key or no key at all; the root key is kRootKey.
// Every method is one transaction; methods that change the hive wait for other writers
// (busy timeout with retries) and throw HiveError when the change cannot be made.
class TRegistryHive {
public:
    static constexpr int64_t kRootKey = 1;

    ~TRegistryHive();
    TRegistryHive(const TRegistryHive&) = delete;
    TRegistryHive& operator=(const TRegistryHive&) = delete;

    // Opens the hive file at path. A missing file is created (mode 0600, its folder with mode
    // 0700) when create is set, and gives nullptr otherwise. Throws HiveError for a file that
    // cannot be opened, is damaged or is not a hive; such a file is left as it is.
    static std::unique_ptr<TRegistryHive> Open(const std::string& path, bool create);

    [[nodiscard]] const std::string& Path() const { return path_; }

    // Walks the key names (already split, none empty) from the key from; nullopt when a key on
    // the way is missing.
    std::optional<int64_t> FindKey(int64_t from, const std::vector<std::string>& names);
    // The same, creating the missing keys; throws HiveError if from no longer exists.
    int64_t CreateKey(int64_t from, const std::vector<std::string>& names);
    bool KeyAlive(int64_t key);
    // Deletes key, all keys below it and their values; false if it did not exist. The root
    // key cannot be deleted (HiveError).
    bool DeleteKey(int64_t key);

    // Sub-key names sorted by folded name; value names in creation order.
    std::vector<std::string> SubKeyNames(int64_t key);
    std::vector<std::string> ValueNames(int64_t key);
    // Every value of key in creation order (for export).
    std::vector<HiveValue> Values(int64_t key);

    std::optional<HiveValue> ReadValue(int64_t key, const std::string& name);
    // Creates or overwrites the value; an overwritten value keeps its name's first spelling
    // and its place in the order. Throws HiveError if key no longer exists.
    void WriteValue(int64_t key, const std::string& name, uint32_t type,
                    const std::vector<uint8_t>& data);
    bool DeleteValue(int64_t key, const std::string& name);

private:
    TRegistryHive(std::string path, sqlite3* db);

    class Statement;
    // A prepared statement kept for the life of the connection.
    sqlite3_stmt* Prepare(std::string_view sql);
    void Execute(const char* sql);
    // Runs body in one transaction (write: BEGIN IMMEDIATE), retrying when the hive is busy.
    template <typename Body>
    auto Transaction(bool write, Body body);
    [[noreturn]] void Fail(int code, const std::string& doing);
    void CheckIdentity();

    std::string path_;
    sqlite3* db_;
    std::map<std::string_view, sqlite3_stmt*> statements_;
};
