#pragma once

#include <string>

// The form of a key or value name that lookups compare: two names are the same name when their
// folded forms are equal. Valid UTF-8 is upper-cased by Unicode's rules ("straße" and "STRASSE"
// stay different, as single-character mappings are used, like the Windows registry does); any
// other byte string has only its ASCII letters upper-cased, so it never folds onto valid text.
[[nodiscard]] std::string FoldName(const std::string& name);
