#include "registry/hive.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <type_traits>

#include "registry/name_fold.h"

namespace {

// "BrGx" at offset 68 of the file tells our hives from every other SQLite database.
constexpr int32_t kApplicationId = 0x42724778;
constexpr int kSchemaVersion = 1;
constexpr int kBusyTimeoutMs = 2000;
constexpr int kAttempts = 5;

constexpr const char* kSchema = R"(
PRAGMA application_id = 1114785656;
PRAGMA user_version = 1;
CREATE TABLE keys(
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    parent INTEGER,
    name BLOB NOT NULL,
    fold BLOB NOT NULL,
    UNIQUE(parent, fold));
CREATE TABLE vals(
    key INTEGER NOT NULL,
    fold BLOB NOT NULL,
    name BLOB NOT NULL,
    seq INTEGER NOT NULL,
    type INTEGER NOT NULL,
    data BLOB NOT NULL,
    PRIMARY KEY(key, fold)) WITHOUT ROWID;
CREATE INDEX vals_order ON vals(key, seq);
INSERT INTO keys(id, parent, name, fold) VALUES(1, NULL, x'', x'');
)";

// Thrown inside a transaction when SQLite reports the hive locked; the transaction is rolled
// back and run again.
struct Busy {};

std::string Quoted(const std::string& path) { return "'" + path + "'"; }

std::string NotAHive(const std::string& path) {
    return "The registry hive " + Quoted(path) +
           " is damaged or is not a registry hive; it was left as it is";
}

std::string SystemError(const std::string& doing, const std::string& path) {
    return "Cannot " + doing + " the registry hive " + Quoted(path) + ": " + std::strerror(errno);
}

std::string Folder(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Creates the missing folders of path, each with mode 0700 (existing ones keep their mode).
void MakeFolders(const std::string& folder, const std::string& hive) {
    struct stat info {};
    if (stat(folder.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) return;
        errno = ENOTDIR;
        throw HiveError(SystemError("create", hive));
    }
    if (errno != ENOENT) throw HiveError(SystemError("create", hive));
    MakeFolders(Folder(folder), hive);
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        throw HiveError(SystemError("create", hive));
    }
}

void SyncFolder(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

// Builds a complete, empty hive under a temporary name and links it into place, so that the
// hive path never names a half-made file; when another process wins the race its hive stays.
void CreateHiveFile(const std::string& path) {
    const std::string folder = Folder(path);
    MakeFolders(folder, path);
    std::string temporary = folder + "/.registry.hive.XXXXXX";
    const int fd = mkstemp(temporary.data());  // mode 0600
    if (fd < 0) throw HiveError(SystemError("create", path));
    close(fd);
    std::string failure;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(temporary.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK ||
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK ||
        sqlite3_exec(db, kSchema, nullptr, nullptr, nullptr) != SQLITE_OK ||
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
        failure = "Cannot create the registry hive " + Quoted(path) + ": " +
                  (db != nullptr ? sqlite3_errmsg(db) : "out of memory");
    }
    sqlite3_close(db);
    if (failure.empty() && link(temporary.c_str(), path.c_str()) != 0 && errno != EEXIST) {
        failure = SystemError("create", path);
    }
    unlink(temporary.c_str());
    if (!failure.empty()) throw HiveError(failure);
    SyncFolder(folder);
}

// The first 100 bytes of a hive are an SQLite header; anything shorter or different is some
// other file, which SQLite would otherwise take for an empty database and write into.
void CheckHeader(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw HiveError(SystemError("open", path));
    char header[100];
    const ssize_t got = read(fd, header, sizeof header);
    close(fd);
    if (got != static_cast<ssize_t>(sizeof header) ||
        std::memcmp(header, "SQLite format 3", 16) != 0) {
        throw HiveError(NotAHive(path));
    }
}

void BindBytes(sqlite3_stmt* statement, int index, const void* bytes, size_t size) {
    // A null pointer would bind NULL; an empty value is an empty blob.
    static const char kNothing = 0;
    sqlite3_bind_blob64(statement, index, size == 0 ? &kNothing : bytes, size, SQLITE_TRANSIENT);
}

void BindText(sqlite3_stmt* statement, int index, const std::string& text) {
    BindBytes(statement, index, text.data(), text.size());
}

std::string ColumnText(sqlite3_stmt* statement, int column) {
    const auto* bytes = static_cast<const char*>(sqlite3_column_blob(statement, column));
    return std::string(bytes == nullptr ? "" : bytes,
                       static_cast<size_t>(sqlite3_column_bytes(statement, column)));
}

std::vector<uint8_t> ColumnBytes(sqlite3_stmt* statement, int column) {
    const auto* bytes = static_cast<const uint8_t*>(sqlite3_column_blob(statement, column));
    const auto size = static_cast<size_t>(sqlite3_column_bytes(statement, column));
    return bytes == nullptr ? std::vector<uint8_t>() : std::vector<uint8_t>(bytes, bytes + size);
}

}  // namespace

// A cached statement in use: reset and unbound when the scope ends, so that it holds no read
// lock past the transaction.
class TRegistryHive::Statement {
public:
    Statement(TRegistryHive& hive, std::string_view sql) : hive_(hive), st_(hive.Prepare(sql)) {}
    ~Statement() {
        sqlite3_reset(st_);
        sqlite3_clear_bindings(st_);
    }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    sqlite3_stmt* operator*() const { return st_; }
    // True for a row, false when done.
    bool Step() {
        const int code = sqlite3_step(st_);
        if (code == SQLITE_ROW) return true;
        if (code == SQLITE_DONE) return false;
        if (code == SQLITE_BUSY || code == SQLITE_LOCKED) throw Busy{};
        hive_.Fail(code, "read or change");
    }

private:
    TRegistryHive& hive_;
    sqlite3_stmt* st_;
};

template <typename Body>
auto TRegistryHive::Transaction(bool write, Body body) {
    for (int attempt = 1;; ++attempt) {
        try {
            Execute(write ? "BEGIN IMMEDIATE" : "BEGIN");
            try {
                auto result = body();
                Execute("COMMIT");
                return result;
            } catch (...) {
                if (sqlite3_get_autocommit(db_) == 0) {
                    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
                }
                throw;
            }
        } catch (const Busy&) {
            // The busy timeout has already waited; another round gives a writer that keeps
            // the hive locked (or a reader we would deadlock with) time to finish.
            if (attempt == kAttempts) Fail(SQLITE_BUSY, "lock");
            usleep(static_cast<useconds_t>(1000 * attempt * attempt));
        }
    }
}

TRegistryHive::TRegistryHive(std::string path, sqlite3* db) : path_(std::move(path)), db_(db) {}

TRegistryHive::~TRegistryHive() {
    for (auto& [sql, statement] : statements_) sqlite3_finalize(statement);
    sqlite3_close(db_);
}

std::unique_ptr<TRegistryHive> TRegistryHive::Open(const std::string& path, bool create) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        if (errno != ENOENT) throw HiveError(SystemError("open", path));
        if (!create) return nullptr;
        CreateHiveFile(path);
    } else if (!S_ISREG(info.st_mode)) {
        throw HiveError(NotAHive(path));
    }
    CheckHeader(path);
    sqlite3* db = nullptr;
    // A file the user may only read opens read-only; its writes then fail as refused.
    const int code = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    std::unique_ptr<TRegistryHive> hive(new TRegistryHive(path, db));
    if (code != SQLITE_OK) hive->Fail(code, "open");
    sqlite3_extended_result_codes(db, 0);
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    sqlite3_db_config(db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    // Settings of this connection only; they neither lock nor touch the file.
    sqlite3_exec(db, "PRAGMA synchronous = FULL; PRAGMA cell_size_check = ON", nullptr, nullptr,
                 nullptr);
    hive->CheckIdentity();
    return hive;
}

void TRegistryHive::CheckIdentity() {
    const bool ours = Transaction(false, [&] {
        Statement application(*this, "PRAGMA application_id");
        if (!application.Step() || sqlite3_column_int(*application, 0) != kApplicationId) {
            return false;
        }
        Statement version(*this, "PRAGMA user_version");
        if (!version.Step() || sqlite3_column_int(*version, 0) != kSchemaVersion) return false;
        Statement tables(*this,
                         "SELECT count(*) FROM sqlite_schema WHERE type = 'table' AND name IN "
                         "('keys', 'vals')");
        if (!tables.Step() || sqlite3_column_int(*tables, 0) != 2) return false;
        Statement root(*this, "SELECT 1 FROM keys WHERE id = 1 AND parent IS NULL");
        return root.Step();
    });
    if (!ours) throw HiveError(NotAHive(path_));
}

sqlite3_stmt* TRegistryHive::Prepare(std::string_view sql) {
    if (const auto found = statements_.find(sql); found != statements_.end()) return found->second;
    sqlite3_stmt* statement = nullptr;
    const int code = sqlite3_prepare_v3(db_, sql.data(), static_cast<int>(sql.size()),
                                        SQLITE_PREPARE_PERSISTENT, &statement, nullptr);
    if (code == SQLITE_BUSY || code == SQLITE_LOCKED) throw Busy{};
    if (code != SQLITE_OK) Fail(code, "read");
    statements_.emplace(sql, statement);
    return statement;
}

void TRegistryHive::Execute(const char* sql) {
    const int code = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
    if (code == SQLITE_BUSY || code == SQLITE_LOCKED) throw Busy{};
    if (code != SQLITE_OK) Fail(code, "use");
}

void TRegistryHive::Fail(int code, const std::string& doing) {
    const std::string detail = db_ != nullptr ? sqlite3_errmsg(db_) : sqlite3_errstr(code);
    switch (code & 0xFF) {
        case SQLITE_CORRUPT:
        case SQLITE_NOTADB:
        case SQLITE_FORMAT:
        case SQLITE_SCHEMA:
            throw HiveError(NotAHive(path_));
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            throw HiveError("The registry hive " + Quoted(path_) +
                            " stayed locked by another program; nothing was changed");
        case SQLITE_READONLY:
        case SQLITE_PERM:
        case SQLITE_AUTH:
            throw HiveError("The registry hive " + Quoted(path_) + " cannot be changed: " + detail);
        case SQLITE_FULL:
            throw HiveError("The disk of the registry hive " + Quoted(path_) +
                            " is full; nothing was changed");
        default:
            throw HiveError("Cannot " + doing + " the registry hive " + Quoted(path_) + ": " +
                            detail);
    }
}

std::optional<int64_t> TRegistryHive::FindKey(int64_t from, const std::vector<std::string>& names) {
    return Transaction(false, [&]() -> std::optional<int64_t> {
        Statement alive(*this, "SELECT 1 FROM keys WHERE id = ?1");
        sqlite3_bind_int64(*alive, 1, from);
        if (!alive.Step()) return std::nullopt;
        int64_t key = from;
        for (const std::string& name : names) {
            Statement child(*this, "SELECT id FROM keys WHERE parent = ?1 AND fold = ?2");
            sqlite3_bind_int64(*child, 1, key);
            BindText(*child, 2, FoldName(name));
            if (!child.Step()) return std::nullopt;
            key = sqlite3_column_int64(*child, 0);
        }
        return key;
    });
}

int64_t TRegistryHive::CreateKey(int64_t from, const std::vector<std::string>& names) {
    return Transaction(true, [&] {
        Statement alive(*this, "SELECT 1 FROM keys WHERE id = ?1");
        sqlite3_bind_int64(*alive, 1, from);
        if (!alive.Step()) throw HiveError("The key was deleted meanwhile");
        int64_t key = from;
        for (const std::string& name : names) {
            const std::string fold = FoldName(name);
            Statement child(*this, "SELECT id FROM keys WHERE parent = ?1 AND fold = ?2");
            sqlite3_bind_int64(*child, 1, key);
            BindText(*child, 2, fold);
            if (child.Step()) {
                key = sqlite3_column_int64(*child, 0);
                continue;
            }
            Statement insert(*this, "INSERT INTO keys(parent, name, fold) VALUES(?1, ?2, ?3)");
            sqlite3_bind_int64(*insert, 1, key);
            BindText(*insert, 2, name);
            BindText(*insert, 3, fold);
            insert.Step();
            key = sqlite3_last_insert_rowid(db_);
        }
        return key;
    });
}

bool TRegistryHive::KeyAlive(int64_t key) {
    return Transaction(false, [&] {
        Statement alive(*this, "SELECT 1 FROM keys WHERE id = ?1");
        sqlite3_bind_int64(*alive, 1, key);
        return alive.Step();
    });
}

bool TRegistryHive::DeleteKey(int64_t key) {
    if (key == kRootKey) throw HiveError("The root key cannot be deleted");
    return Transaction(true, [&] {
        static constexpr std::string_view kValues =
            "DELETE FROM vals WHERE key IN (WITH RECURSIVE tree(id) AS (SELECT ?1 UNION ALL "
            "SELECT keys.id FROM keys JOIN tree ON keys.parent = tree.id) SELECT id FROM tree)";
        static constexpr std::string_view kKeys =
            "DELETE FROM keys WHERE id IN (WITH RECURSIVE tree(id) AS (SELECT ?1 UNION ALL "
            "SELECT keys.id FROM keys JOIN tree ON keys.parent = tree.id) SELECT id FROM tree)";
        Statement values(*this, kValues);
        sqlite3_bind_int64(*values, 1, key);
        values.Step();
        Statement keys(*this, kKeys);
        sqlite3_bind_int64(*keys, 1, key);
        keys.Step();
        return sqlite3_changes(db_) > 0;
    });
}

std::vector<std::string> TRegistryHive::SubKeyNames(int64_t key) {
    return Transaction(false, [&] {
        std::vector<std::string> names;
        Statement list(*this, "SELECT name FROM keys WHERE parent = ?1 ORDER BY fold");
        sqlite3_bind_int64(*list, 1, key);
        while (list.Step()) names.push_back(ColumnText(*list, 0));
        return names;
    });
}

std::vector<std::string> TRegistryHive::ValueNames(int64_t key) {
    return Transaction(false, [&] {
        std::vector<std::string> names;
        Statement list(*this, "SELECT name FROM vals WHERE key = ?1 ORDER BY seq");
        sqlite3_bind_int64(*list, 1, key);
        while (list.Step()) names.push_back(ColumnText(*list, 0));
        return names;
    });
}

std::vector<HiveValue> TRegistryHive::Values(int64_t key) {
    return Transaction(false, [&] {
        std::vector<HiveValue> values;
        Statement list(*this, "SELECT name, type, data FROM vals WHERE key = ?1 ORDER BY seq");
        sqlite3_bind_int64(*list, 1, key);
        while (list.Step()) {
            values.push_back({ColumnText(*list, 0),
                              static_cast<uint32_t>(sqlite3_column_int64(*list, 1)),
                              ColumnBytes(*list, 2)});
        }
        return values;
    });
}

std::optional<HiveValue> TRegistryHive::ReadValue(int64_t key, const std::string& name) {
    return Transaction(false, [&]() -> std::optional<HiveValue> {
        Statement read(*this, "SELECT name, type, data FROM vals WHERE key = ?1 AND fold = ?2");
        sqlite3_bind_int64(*read, 1, key);
        BindText(*read, 2, FoldName(name));
        if (!read.Step()) return std::nullopt;
        return HiveValue{ColumnText(*read, 0),
                         static_cast<uint32_t>(sqlite3_column_int64(*read, 1)),
                         ColumnBytes(*read, 2)};
    });
}

void TRegistryHive::WriteValue(int64_t key, const std::string& name, uint32_t type,
                               const std::vector<uint8_t>& data) {
    Transaction(true, [&] {
        Statement alive(*this, "SELECT 1 FROM keys WHERE id = ?1");
        sqlite3_bind_int64(*alive, 1, key);
        if (!alive.Step()) throw HiveError("The key was deleted meanwhile");
        const std::string fold = FoldName(name);
        Statement update(*this,
                         "UPDATE vals SET type = ?3, data = ?4 WHERE key = ?1 AND fold = ?2");
        sqlite3_bind_int64(*update, 1, key);
        BindText(*update, 2, fold);
        sqlite3_bind_int64(*update, 3, type);
        BindBytes(*update, 4, data.data(), data.size());
        update.Step();
        if (sqlite3_changes(db_) > 0) return true;
        Statement insert(*this,
                         "INSERT INTO vals(key, fold, name, seq, type, data) VALUES(?1, ?2, ?3, "
                         "(SELECT coalesce(max(seq), 0) + 1 FROM vals WHERE key = ?1), ?4, ?5)");
        sqlite3_bind_int64(*insert, 1, key);
        BindText(*insert, 2, fold);
        BindText(*insert, 3, name);
        sqlite3_bind_int64(*insert, 4, type);
        BindBytes(*insert, 5, data.data(), data.size());
        insert.Step();
        return true;
    });
}

bool TRegistryHive::DeleteValue(int64_t key, const std::string& name) {
    return Transaction(true, [&] {
        Statement remove(*this, "DELETE FROM vals WHERE key = ?1 AND fold = ?2");
        sqlite3_bind_int64(*remove, 1, key);
        BindText(*remove, 2, FoldName(name));
        remove.Step();
        return sqlite3_changes(db_) > 0;
    });
}
