// Any bytes given as a registry file are either rejected with ERegFileError or read; what is
// read writes back to a file that reads the same again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "registry/reg_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<RegFileKey> keys;
    try {
        keys = ParseRegFile(std::string(reinterpret_cast<const char*>(data), size));
    } catch (const ERegFileError&) {
        return 0;
    }
    const std::vector<RegFileKey> again = ParseRegFile(FormatRegFile(keys));
    if (again.size() != keys.size()) std::abort();
    for (size_t k = 0; k < keys.size(); ++k) {
        if (again[k].path != keys[k].path || again[k].values.size() != keys[k].values.size()) {
            std::abort();
        }
        for (size_t v = 0; v < keys[k].values.size(); ++v) {
            const RegFileValue& a = keys[k].values[v];
            const RegFileValue& b = again[k].values[v];
            if (a.name != b.name || a.remove != b.remove ||
                (!a.remove && (a.type != b.type || a.data != b.data))) {
                std::abort();
            }
        }
    }
    return 0;
}
