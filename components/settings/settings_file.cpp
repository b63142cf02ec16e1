#include "settings/settings_file.h"

#include <unordered_map>
#include <vector>

#include "settings/settings_text.h"

namespace Bdreg {

namespace {
constexpr std::string_view kLineEnd = "\r\n";
}  // namespace

std::string FormatSettingsFile(const EntryList& entries) {
    // One pass collects each folder's entries, in list order, under the folder's first
    // occurrence; the root group always comes first.
    std::vector<std::vector<const Entry*>> groups(1);
    std::vector<std::string_view> folders{std::string_view()};
    std::unordered_map<std::string_view, size_t> group_of{{std::string_view(), 0}};
    size_t size = kLineEnd.size();
    for (const Entry& entry : entries) {
        auto [found, added] = group_of.try_emplace(entry.folder, groups.size());
        if (added) {
            groups.emplace_back();
            folders.push_back(entry.folder);
            size += kLineEnd.size() + entry.folder.size() + 2 + kLineEnd.size();
        }
        groups[found->second].push_back(&entry);
        size += entry.key.size() + 1 + entry.value.size() + kLineEnd.size();
    }

    std::string file;
    file.reserve(size);
    for (size_t group = 0; group < groups.size(); ++group) {
        file.append(kLineEnd);
        if (group > 0) file.append("[").append(folders[group]).append("]").append(kLineEnd);
        for (const Entry* entry : groups[group]) {
            file.append(entry->key).append("=").append(entry->value).append(kLineEnd);
        }
    }
    return file;
}

void ReadSettingsFile(std::string_view bytes, EntryList& entries) {
    bytes = bytes.substr(0, bytes.find('\0'));
    std::string folder;
    size_t at = 0;
    while (at < bytes.size()) {
        const size_t end = bytes.find_first_of("\r\n", at);
        const std::string_view line =
            bytes.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at);
        if (end == std::string_view::npos) {
            at = bytes.size();
        } else {
            at = end + 1;
            if (bytes[end] == '\r' && at < bytes.size() && bytes[at] == '\n') ++at;
        }

        if (std::string header = ExtractFolderName(line); !header.empty()) {
            folder = std::move(header);
            continue;
        }
        const size_t equals = line.find('=');
        const std::string_view key = TrimControl(line.substr(0, equals));
        if (key.empty()) continue;
        const std::string_view value =
            equals == std::string_view::npos ? std::string_view() : line.substr(equals + 1);
        entries.Add(key, value, folder);
    }
}

std::string SettingsFilePath(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (!path.empty() && path.back() != '/') path += '/';
    path.append(name);
    return path;
}

}  // namespace Bdreg
