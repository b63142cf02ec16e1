#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

// What the settings store needs of the file system, behind an interface that tests replace
// to make a save fail at any step. Every call opens and closes what it uses; nothing is
// held between calls. No call throws: failures are results.
namespace Bdreg {

// A new file being written, not yet visible under its final name.
class WritableFile {
public:
    virtual ~WritableFile() = default;
    [[nodiscard]] virtual const std::string& Path() const = 0;
    [[nodiscard]] virtual bool Append(std::string_view data) = 0;
    // Flushes everything appended so far to the disk.
    [[nodiscard]] virtual bool Sync() = 0;
    [[nodiscard]] virtual bool Close() = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // True if a regular file (or a link to one) exists at path.
    [[nodiscard]] virtual bool FileExists(const std::string& path) const = 0;
    // The whole file, or nullopt if it cannot be read.
    [[nodiscard]] virtual std::optional<std::string> ReadFile(const std::string& path) const = 0;
    // A new, uniquely named file in the folder of target, with the permissions that target
    // has (or the usual ones for a new file); nullptr if it cannot be created.
    [[nodiscard]] virtual std::unique_ptr<WritableFile> CreateFileBeside(
        const std::string& target) = 0;
    // Moves from over to in one step, replacing to, and makes the change itself durable.
    [[nodiscard]] virtual bool RenameFile(const std::string& from, const std::string& to) = 0;
    [[nodiscard]] virtual bool RemoveFile(const std::string& path) = 0;
};

// The real file system of the machine.
[[nodiscard]] std::unique_ptr<FileSystem> NewLocalFileSystem();

// Replaces the contents of the file at path with data so that the file never holds a part
// of them: data goes to a new file beside it, is flushed to disk and then renamed over path.
// On any failure the file at path stays as it was, the new file is removed, and the result
// is false. A path that is a symbolic link keeps the link and replaces the file it names.
[[nodiscard]] bool ReplaceFile(FileSystem& file_system, const std::string& path,
                               std::string_view data);

}  // namespace Bdreg
