#pragma once

#include <QMetaObject>

#include <string>
#include <vector>

// The design-time palette: which component classes exist and on which page they appear.
// Each component unit has a Register() that records its classes on the page "Brindlex";
// a gallery, a Designer plugin or a test lists them here. Registering a class twice on
// the same page records it once.
void RegisterComponents(const std::string& page, std::initializer_list<const QMetaObject*> classes);

struct PaletteEntry {
    std::string page;
    const QMetaObject* component_class;
};

// Every class registered so far, in registration order.
[[nodiscard]] std::vector<PaletteEntry> RegisteredComponents();
// The class names registered on one page, in registration order.
[[nodiscard]] std::vector<std::string> RegisteredComponentNames(const std::string& page);

// The page every Brindlex component registers on.
inline constexpr const char* kBrindlexPalettePage = "Brindlex";
