#pragma once

#include <string>
#include <string_view>

#include "settings/entry_list.h"

// The settings file: a plain byte text with one line per entry, grouped under folder
// headers, every line (the last one too) ended by CR LF, nothing escaped or quoted:
//
//     <empty line>
//     Width=10            root entries, in list order
//     Mode=2
//     <empty line>
//     [Paths]             then each other folder, in the order it first occurs in the list
//     Last=C:\x
//
// An empty line opens every group, the root group included even when it is empty, so an
// empty list is the two bytes CR LF.
namespace Bdreg {

// The file's bytes for entries.
// Each folder gets a group of its own, also one that differs from another only in letter
// case ("Main" and "main"), so that no entry is lost; the reader keeps them apart too.
[[nodiscard]] std::string FormatSettingsFile(const EntryList& entries);

// Reads the file's bytes into entries with EntryList::Add, so a key that occurs again in the
// same folder keeps its last value and moves to the end.
// Lines end at CR LF, a lone CR or a lone LF; a zero byte ends the text. Each line is:
//   - a header (ExtractFolderName is not empty): its folder holds the lines that follow,
//     until the next header (there is no way back to the root folder);
//   - otherwise an entry: the key is GetDataKey with characters of code 32 or less trimmed
//     from both ends, the value GetDataValue untouched; a line with an empty key is skipped.
void ReadSettingsFile(std::string_view bytes, EntryList& entries);

// Where the file lies: folder, a "/" unless folder is empty or already ends with one, then
// name. An empty folder leaves name alone, which resolves against the current folder.
[[nodiscard]] std::string SettingsFilePath(std::string_view folder, std::string_view name);

}  // namespace Bdreg
