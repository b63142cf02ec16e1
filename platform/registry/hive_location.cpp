#include "registry/hive_location.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace {

std::string AbsoluteVariable(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || value[0] != '/') return "";
    return value;
}

std::string HomeFolder() {
    if (const std::string home = AbsoluteVariable("HOME"); !home.empty()) return home;
    if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_dir != nullptr) {
        return entry->pw_dir;
    }
    return "/";
}

}  // namespace

std::string DefaultHiveFolder(HKEY root) {
    if (root == HKEY::HKEY_LOCAL_MACHINE) {
        std::string first = "/etc/xdg";
        if (const char* dirs = std::getenv("XDG_CONFIG_DIRS"); dirs != nullptr) {
            // The first absolute entry of the colon-separated list.
            std::string list = dirs;
            size_t start = 0;
            while (start <= list.size()) {
                const size_t end = std::min(list.find(':', start), list.size());
                const std::string entry = list.substr(start, end - start);
                if (!entry.empty() && entry[0] == '/') {
                    first = entry;
                    break;
                }
                start = end + 1;
            }
        }
        return first + "/brindlex";
    }
    std::string config = AbsoluteVariable("XDG_CONFIG_HOME");
    if (config.empty()) config = HomeFolder() + "/.config";
    return config + "/brindlex";
}
