#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "settings/file_system.h"

namespace Bdreg {

namespace {

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

class LocalWritableFile final : public WritableFile {
public:
    LocalWritableFile(int descriptor, std::string path)
        : descriptor_(descriptor), path_(std::move(path)) {}
    ~LocalWritableFile() override {
        if (descriptor_ >= 0) ::close(descriptor_);
    }

    const std::string& Path() const override { return path_; }

    bool Append(std::string_view data) override {
        while (!data.empty()) {
            const ssize_t written = ::write(descriptor_, data.data(), data.size());
            if (written < 0 && errno == EINTR) continue;
            if (written <= 0) return false;
            data.remove_prefix(static_cast<size_t>(written));
        }
        return true;
    }

    bool Sync() override { return ::fsync(descriptor_) == 0; }

    bool Close() override {
        const int descriptor = descriptor_;
        descriptor_ = -1;
        // Linux releases the descriptor even when close reports an error; never retry.
        return descriptor >= 0 && ::close(descriptor) == 0;
    }

private:
    int descriptor_;
    std::string path_;
};

class LocalFileSystem final : public FileSystem {
public:
    bool FileExists(const std::string& path) const override {
        struct stat status {};
        return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
    }

    std::optional<std::string> ReadFile(const std::string& path) const override {
        const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (descriptor < 0) return std::nullopt;
        std::string contents;
        std::vector<char> buffer(1 << 16);
        for (;;) {
            const ssize_t got = ::read(descriptor, buffer.data(), buffer.size());
            if (got < 0 && errno == EINTR) continue;
            if (got < 0) {
                ::close(descriptor);
                return std::nullopt;
            }
            if (got == 0) break;
            contents.append(buffer.data(), static_cast<size_t>(got));
        }
        ::close(descriptor);
        return contents;
    }

    std::unique_ptr<WritableFile> CreateFileBeside(const std::string& target) override {
        const size_t slash = target.rfind('/');
        const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
        const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
        std::string path = folder + "." + name + ".XXXXXX";
        const int descriptor = ::mkostemp(path.data(), O_CLOEXEC);
        if (descriptor < 0) return nullptr;
        auto file = std::make_unique<LocalWritableFile>(descriptor, path);
        if (::fchmod(descriptor, PermissionsFor(target)) != 0) {
            file.reset();
            ::unlink(path.c_str());
            return nullptr;
        }
        return file;
    }

    bool RenameFile(const std::string& from, const std::string& to) override {
        if (::rename(from.c_str(), to.c_str()) != 0) return false;
        // The new name lives in the folder; flush it too, so that a crash right after a
        // successful save cannot bring back the old file.
        const int folder = ::open(FolderOf(to).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (folder >= 0) {
            (void)::fsync(folder);
            ::close(folder);
        }
        return true;
    }

    bool RemoveFile(const std::string& path) override { return ::unlink(path.c_str()) == 0; }

private:
    // mkostemp makes files that only their owner may read; a replaced settings file keeps the
    // permissions it had, a new one gets those of any other new file.
    static mode_t PermissionsFor(const std::string& target) {
        struct stat status {};
        if (::stat(target.c_str(), &status) == 0) return status.st_mode & 07777;
        return 0666 & ~ProcessUmask();
    }

    // Read without umask(), which would have to change the mask for every thread to see it.
    static mode_t ProcessUmask() {
        const auto status = LocalFileSystem().ReadFile("/proc/self/status");
        const size_t at = status ? status->find("\nUmask:") : std::string::npos;
        if (at == std::string::npos) return 022;
        return static_cast<mode_t>(std::strtoul(status->c_str() + at + 7, nullptr, 8));
    }
};

}  // namespace

std::unique_ptr<FileSystem> NewLocalFileSystem() { return std::make_unique<LocalFileSystem>(); }

}  // namespace Bdreg
