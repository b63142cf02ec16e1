#pragma once

#include <cstdio>
#include <memory>
#include <string>

namespace midi {

// A file written in full or not at all. The content goes to a new temporary file beside the
// target; Commit() flushes it to the disk and renames it over the target in one step, so that
// readers see either the old file or the complete new one. Until Commit() succeeds the target
// stays as it was: the destructor removes an uncommitted temporary file. A target that already
// exists keeps its permission bits; a new one gets 0666 less the umask, like any created file.
// A target that is a symbolic link stays one: the file it points to is replaced.
// Linux only (POSIX files and rename); one thread at a time.
class ReplacementFile {
public:
    // Creates the temporary file. Raises Exception "Cannot create file "<path>": <reason>"
    // when that is not possible (a missing folder, no permission).
    explicit ReplacementFile(std::string path);
    ~ReplacementFile();

    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    // The buffered stream to write the content to; valid until Commit() or destruction.
    [[nodiscard]] std::FILE* Stream() const { return stream_; }

    // Puts the written content in place of the target. Raises Exception "Cannot write file
    // "<path>": <reason>" when a write, the flush or the rename failed; the target is then
    // unchanged and the temporary file gone.
    void Commit();

private:
    void Discard();

    std::string path_;         // as the caller named it, for messages
    std::string target_path_;  // the file replaced: path_ with a symbolic link resolved
    std::string temporary_path_;
    std::FILE* stream_ = nullptr;
    std::unique_ptr<char[]> buffer_;
};

}  // namespace midi
