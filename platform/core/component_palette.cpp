#include "core/component_palette.h"

#include <algorithm>

namespace {
// Function-local so that Register() may run from static initialisers of other units.
std::vector<PaletteEntry>& Palette() {
    static std::vector<PaletteEntry> palette;
    return palette;
}
}  // namespace

void RegisterComponents(const std::string& page, std::initializer_list<const QMetaObject*> classes) {
    auto& palette = Palette();
    for (const QMetaObject* component_class : classes) {
        const bool known = std::any_of(palette.begin(), palette.end(), [&](const PaletteEntry& e) {
            return e.page == page && e.component_class == component_class;
        });
        if (!known) palette.push_back({page, component_class});
    }
}

std::vector<PaletteEntry> RegisteredComponents() { return Palette(); }

std::vector<std::string> RegisteredComponentNames(const std::string& page) {
    std::vector<std::string> names;
    for (const auto& entry : Palette()) {
        if (entry.page == page) names.emplace_back(entry.component_class->className());
    }
    return names;
}
