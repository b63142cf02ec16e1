// Feeds arbitrary bytes to the settings-file reader and the line rules. Besides crashes and
// sanitizer reports it checks two properties: a file written from what was read reads back
// to the same file, and decoding undoes encoding.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "settings/entry_list.h"
#include "settings/settings_file.h"
#include "settings/settings_text.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

void CheckFileRoundTrip(std::string_view bytes) {
    Bdreg::EntryList first;
    Bdreg::ReadSettingsFile(bytes, first);
    // A key beginning with "[" may read back as a header; the format cannot escape it.
    for (const Bdreg::Entry& entry : first) {
        if (!entry.key.empty() && entry.key[0] == '[') return;
    }
    const std::string written = Bdreg::FormatSettingsFile(first);
    Bdreg::EntryList second;
    Bdreg::ReadSettingsFile(written, second);
    Check(second.Count() == first.Count());
    for (const Bdreg::Entry& entry : first) {
        const Bdreg::Entry* again = second.Find(entry.key, entry.folder);
        Check(again != nullptr && again->value == entry.value);
    }
    Check(Bdreg::FormatSettingsFile(second) == written);
}

void CheckLineRules(std::string_view line) {
    const std::string key = Bdreg::GetDataKey(line);
    const std::string value = Bdreg::GetDataValue(line);
    if (line.find('=') != std::string_view::npos) Check(Bdreg::BuildData(key, value) == line);
    (void)Bdreg::ExtractFolderName(line);
    (void)Bdreg::StrToInt(line, 0);
}

void CheckCoding(std::string_view text) {
    // The first byte chooses how much of the rest is the placeholder.
    if (text.empty()) return;
    const size_t length = static_cast<unsigned char>(text[0]) % 4;
    text.remove_prefix(1);
    const std::string_view placeholder = text.substr(0, length);
    const std::string_view body = text.substr(placeholder.size());
    const std::string encoded = Bdreg::EncodeText(body, placeholder);
    const std::string decoded = Bdreg::DecodeText(encoded, placeholder);
    // Every kind of line break comes back as CR LF, provided the placeholder cannot be
    // mistaken for text: none of its characters may occur in the body.
    if (placeholder.empty() || body.find_first_of(placeholder) != std::string_view::npos) return;
    std::string normalised;
    for (size_t at = 0; at < body.size(); ++at) {
        if (body[at] == '\r' || body[at] == '\n') {
            normalised += "\r\n";
            if (body[at] == '\r' && at + 1 < body.size() && body[at + 1] == '\n') ++at;
        } else {
            normalised += body[at];
        }
    }
    Check(decoded == normalised);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CheckFileRoundTrip(bytes);
    CheckLineRules(bytes.substr(0, 512));
    CheckCoding(bytes);
    return 0;
}
