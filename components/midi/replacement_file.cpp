#include "replacement_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "core/exception.h"

namespace midi {

namespace {

constexpr size_t kBufferSize = 1 << 18;

std::string Reason(int error) { return std::strerror(error); }

[[noreturn]] void RaiseCannot(const char* what, const std::string& path, int error) {
    throw Exception(std::string("Cannot ") + what + " file \"" + path + "\": " + Reason(error));
}

// Opens a fresh file next to path; O_EXCL makes sure that no other file is ever reused.
int CreateTemporary(const std::string& path, std::string& temporary_path) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary_path =
            path + ".tmp-" + std::to_string(getpid()) + "-" + std::to_string(counter.fetch_add(1));
        const int fd = open(temporary_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

}  // namespace

ReplacementFile::ReplacementFile(std::string path) : path_(path), target_path_(std::move(path)) {
    // A symbolic link stays a link: the file it points to is the one replaced.
    struct stat link {};
    if (lstat(target_path_.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        std::error_code error;
        const auto target = std::filesystem::weakly_canonical(target_path_, error);
        if (!error) target_path_ = target.string();
    }
    const int fd = CreateTemporary(target_path_, temporary_path_);
    if (fd < 0) RaiseCannot("create", path_, errno);
    struct stat existing {};
    if (stat(target_path_.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) {
        (void)fchmod(fd, existing.st_mode & 07777);
    }
    stream_ = fdopen(fd, "wb");
    if (stream_ == nullptr) {
        const int error = errno;
        close(fd);
        unlink(temporary_path_.c_str());
        RaiseCannot("create", path_, error);
    }
    // A large buffer turns the many small writes of a melody into few system calls.
    buffer_ = std::make_unique<char[]>(kBufferSize);
    std::setvbuf(stream_, buffer_.get(), _IOFBF, kBufferSize);
}

ReplacementFile::~ReplacementFile() { Discard(); }

void ReplacementFile::Discard() {
    if (stream_ == nullptr) return;
    std::fclose(stream_);
    stream_ = nullptr;
    unlink(temporary_path_.c_str());
}

void ReplacementFile::Commit() {
    int error = 0;
    // Flushing first retries what an earlier write left in the buffer, which reports the
    // real cause (a full disk) rather than just the error flag.
    if (std::fflush(stream_) != 0) error = errno;
    if (error == 0 && std::ferror(stream_)) error = EIO;
    // The data must be on the disk before the rename makes it visible, or a crash could
    // leave an empty file under the target's name.
    if (error == 0 && fsync(fileno(stream_)) != 0) error = errno;
    if (error != 0) {
        Discard();
        RaiseCannot("write", path_, error);
    }
    const bool closed = std::fclose(stream_) == 0;
    error = closed ? 0 : errno;
    stream_ = nullptr;
    if (closed && std::rename(temporary_path_.c_str(), target_path_.c_str()) != 0) error = errno;
    if (error != 0) {
        unlink(temporary_path_.c_str());
        RaiseCannot("write", path_, error);
    }
}

}  // namespace midi
