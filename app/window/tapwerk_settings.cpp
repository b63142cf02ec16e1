#include "window/tapwerk_settings.h"

#include "registry/registry.h"

namespace {

constexpr const char* kKey = "Software\\Brindlex\\Tapwerk";
constexpr const char* kInterval = "Interval";
constexpr const char* kEnter = "Enter";

void WriteValue(const std::string& name, const std::string& text) {
    TRegistry registry;
    // Without the key open a write would land in the root key instead.
    if (!registry.OpenKey(kKey, true))
        throw ERegistryException(FormatMessage("Failed to set data for '%s'", name));
    registry.WriteString(name, text);
    registry.CloseKey();
}

}  // namespace

TapwerkValues RegistryTapwerkSettings::Read() {
    TapwerkValues values;
    TRegistry registry;
    if (!registry.OpenKey(kKey, true)) return values;
    if (registry.ValueExists(kInterval)) values.interval = registry.ReadString(kInterval);
    if (registry.ValueExists(kEnter)) values.enter = registry.ReadString(kEnter);
    registry.CloseKey();
    return values;
}

void RegistryTapwerkSettings::WriteInterval(const std::string& interval) {
    WriteValue(kInterval, interval);
}

void RegistryTapwerkSettings::WriteEnter(const std::string& enter) { WriteValue(kEnter, enter); }
