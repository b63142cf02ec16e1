#pragma once

#include <string>

#include "registry/registry.h"

// Where the hive of a root lives when no folder is set for it: the user's hive under
// $XDG_CONFIG_HOME (or ~/.config), the machine's under the first folder of $XDG_CONFIG_DIRS (or
// /etc/xdg), both in a "brindlex" folder and named "registry.hive". Relative values of the
// variables are ignored, as the XDG rules ask.
[[nodiscard]] std::string DefaultHiveFolder(HKEY root);

// The file name of a hive inside its folder.
inline constexpr const char* kHiveFileName = "registry.hive";
