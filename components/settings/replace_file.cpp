#include <filesystem>
#include <system_error>

#include "settings/file_system.h"

namespace Bdreg {

namespace {

// Renaming over a symbolic link would replace the link with a plain file; users who keep
// their settings file elsewhere and link to it expect the link to survive.
std::string FollowLinks(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_symlink(path, error)) return path;
    const auto target = std::filesystem::weakly_canonical(path, error);
    return error ? path : target.string();
}

}  // namespace

bool ReplaceFile(FileSystem& file_system, const std::string& path, std::string_view data) {
    const std::string target = FollowLinks(path);
    std::unique_ptr<WritableFile> file = file_system.CreateFileBeside(target);
    if (!file) return false;
    bool written = file->Append(data) && file->Sync();
    written = file->Close() && written;
    if (written && file_system.RenameFile(file->Path(), target)) return true;
    (void)file_system.RemoveFile(file->Path());
    return false;
}

}  // namespace Bdreg
