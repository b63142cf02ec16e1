#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/exception.h"
#include "core/string_list.h"

// The key store that the application and the settings store keep their settings in: a tree of
// keys addressed by backslash paths ("Software\Brindlex\Tapwerk"), each key holding named, typed
// values, with the semantics of the Windows registry.
//
// Where the data lives
//   Each root is one hive file, an SQLite database of our own layout:
//   - HKEY_CURRENT_USER: "$XDG_CONFIG_HOME/brindlex/registry.hive", "~/.config" standing in for an
//     unset or relative XDG_CONFIG_HOME.
//   - HKEY_LOCAL_MACHINE: "<first folder of $XDG_CONFIG_DIRS>/brindlex/registry.hive", "/etc/xdg"
//     standing in for an unset one. It is machine-wide, so an ordinary user can usually read it
//     but not create or change it; writes then fail as any refused write does.
//   The location is worked out anew each time a hive is opened, so a test can point both roots
//   at a temporary folder by setting XDG_CONFIG_HOME and XDG_CONFIG_DIRS (or call
//   SetHiveFolder) and never touches the real hives. A missing hive file is created by the first
//   operation that creates a key or writes a value, with mode 0600 in a folder created with mode
//   0700; reading operations never create it.
//
// Names
//   Key and value names compare without regard to letter case and keep the spelling they were
//   created with. A key name is 1 to 255 characters without a backslash; a value name may be
//   any text, the empty name being the key's default value. GetKeyNames lists the direct
//   sub-keys sorted by name (letter case ignored); GetValueNames lists the values in the order
//   they were created (overwriting a value keeps its place).
//
// Paths
//   As in Delphi: a path is relative to the open key, or to the root when no key is open; a
//   leading backslash makes it relative to the root in any case. A single trailing backslash
//   is ignored; an empty component ("A\\B") makes the path invalid (the key does not exist and
//   cannot be created). "" (or "\\") names the root key itself, which can be opened but not
//   deleted. Value operations act on the open key: with none open (also after a failed
//   OpenKey) reads find nothing and writes raise "Failed to set data for '<name>'". A key
//   deleted while open behaves the same way.
//
// Failures
//   - Queries and OpenKey/CreateKey/DeleteKey/DeleteValue report failure by their result and
//     never raise: a missing key, an invalid path, a hive that cannot be opened or a refused
//     change give false (empty lists, rdUnknown, -1). LastError() then says why in a sentence
//     naming the hive file ("" after a call that succeeded).
//   - A write that cannot be done (no key open because OpenKey failed, a key opened read-only,
//     a key deleted meanwhile, a damaged or unwritable hive, a hive busy for longer than the
//     busy timeout) raises ERegistryException "Failed to set data for '<name>'" and changes
//     nothing.
//   - ReadString of a value whose type is neither REG_SZ nor REG_EXPAND_SZ raises
//     ERegistryException "Invalid data type for '<name>'"; so do ReadInteger and ReadBinaryData
//     of a value of another type. A value whose data has size 0 reads as "" (ReadString) or as
//     no bytes (ReadBinaryData) whatever its type. ReadInteger of a missing value raises
//     "Failed to get data for '<name>'".
//
// Reliability
//   Every change is one SQLite transaction, so a crash in the middle of a write leaves the hive
//   as it was before or after. Several processes may use one hive at once: a writer that finds
//   the hive locked waits (busy timeout, then retries) instead of failing, and nothing another
//   process wrote is lost. A hive file that is damaged, or is not a hive of ours at all (another
//   database, an empty or foreign file), is refused with a clear LastError() and is never
//   written to, truncated, replaced or repaired.
//
// Threads and ownership
//   A TRegistry is used on one thread at a time; separate instances may be used on separate
//   threads and in separate processes. Between OpenKey and CloseKey the object keeps its
//   connection to the hive open (like a Windows key handle); without an open key every
//   operation opens and closes the hive itself.

enum class HKEY { HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE };

// The value types. rdUnknown stands for a missing value and for any other type (REG_NONE,
// REG_MULTI_SZ, ...), which the hive keeps as it was given but this class does not create.
enum class TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

// The registry layer's errors: "Failed to set data for '%s'", "Invalid data type for '%s'",
// "Failed to get data for '%s'", with the value's name in place of %s.
class ERegistryException : public Exception {
    using Exception::Exception;
};

class TRegistryHive;

class TRegistry {
public:
    TRegistry();   // root HKEY_CURRENT_USER, full access, no key open
    ~TRegistry();  // closes the current key

    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    // Changing the root closes the open key.
    void SetRootKey(HKEY root);
    [[nodiscard]] HKEY RootKey() const;

    // Puts this object's hive of root in folder ("<folder>/registry.hive") instead of its
    // standard place; "" goes back to the standard place. Closes the open key.
    void SetHiveFolder(HKEY root, const std::string& folder);
    // The hive file of root as this object would open it now.
    [[nodiscard]] std::string HiveFilePath(HKEY root) const;

    // Opens key; with can_create, missing keys on the path are created. True if the key is open
    // afterwards; false when it is missing and !can_create, the path is invalid, or the hive
    // cannot be opened or changed. On failure the previously open key stays open.
    bool OpenKey(const std::string& key, bool can_create);
    // Opens an existing key for reading only; writes to it then fail.
    bool OpenKeyReadOnly(const std::string& key);
    void CloseKey();
    // The open key's path from the root, without a leading backslash; "" when none is open.
    [[nodiscard]] std::string CurrentPath() const;

    bool KeyExists(const std::string& key);
    // Creates key and the missing keys on its path; true if it exists afterwards.
    bool CreateKey(const std::string& key);
    // Deletes key together with all its sub-keys and values; true if it existed and is gone.
    bool DeleteKey(const std::string& key);
    // True if the open key has direct sub-keys.
    bool HasSubKeys();

    bool ValueExists(const std::string& name);
    // True if the value existed and is gone.
    bool DeleteValue(const std::string& name);
    TRegDataType GetDataType(const std::string& name);
    // The size of the value's data in bytes (a string's includes its closing zero byte); -1 when
    // it is missing.
    int GetDataSize(const std::string& name);
    // Replace the contents of names.
    void GetValueNames(TStrings& names);
    void GetKeyNames(TStrings& names);

    // Strings are stored as REG_SZ / REG_EXPAND_SZ data: the text followed by one zero byte.
    void WriteString(const std::string& name, const std::string& value);
    void WriteExpandString(const std::string& name, const std::string& value);
    // The text of a REG_SZ or REG_EXPAND_SZ value up to its first zero byte, not expanded;
    // "" when the value is missing or of size 0.
    std::string ReadString(const std::string& name);
    void WriteInteger(const std::string& name, int32_t value);  // REG_DWORD
    int32_t ReadInteger(const std::string& name);
    void WriteBinaryData(const std::string& name, const std::vector<uint8_t>& data);  // REG_BINARY
    // The bytes of a REG_BINARY value; none when it is missing.
    std::vector<uint8_t> ReadBinaryData(const std::string& name);

    // The value's type number (REG_SZ = 1, REG_EXPAND_SZ = 2, REG_BINARY = 3, REG_DWORD = 4,
    // REG_MULTI_SZ = 7, ...) and data bytes as stored; false when it is missing. For tools that
    // copy values of every type (export and import).
    bool ReadRawValue(const std::string& name, uint32_t& type, std::vector<uint8_t>& data);
    // Stores a value of any type number; fails like WriteString.
    void WriteRawValue(const std::string& name, uint32_t type, const std::vector<uint8_t>& data);

    // Why the last failed operation failed, naming the hive file; "" after a success.
    [[nodiscard]] std::string LastError() const;

private:
    TRegistryHive* Hive(bool create);
    void ReleaseIdleHive();
    std::optional<int64_t> ResolveKey(const std::string& key, bool create, std::string* full_path);
    int64_t OpenKeyId();
    template <typename Body>
    auto Query(Body body, decltype(body()) failed);

    std::unique_ptr<TRegistryHive> hive_;
    HKEY root_ = HKEY::HKEY_CURRENT_USER;
    std::string user_hive_folder_;
    std::string machine_hive_folder_;
    std::string current_path_;
    int64_t current_key_ = 0;  // 0: no key open
    bool read_only_ = false;
    std::string last_error_;
};
