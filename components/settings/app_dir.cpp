#include <unistd.h>

#include <vector>

#include "settings/bdreg.h"

std::string TBDReg::AppDir() {
    // The kernel names the running program in /proc; the name may be longer than any fixed
    // buffer, so grow until it fits.
    std::vector<char> buffer(512);
    for (;;) {
        const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0) return "./";
        if (static_cast<size_t>(length) < buffer.size()) {
            std::string path(buffer.data(), static_cast<size_t>(length));
            path.erase(path.rfind('/') + 1);
            return path.empty() ? "./" : path;
        }
        buffer.resize(buffer.size() * 2);
    }
}
