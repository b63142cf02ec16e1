#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/exception.h"
#include "registry/registry.h"

// The text format of exported registry keys, as the Windows registry tools read and write it:
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_CURRENT_USER\Software\Brindlex\Tapwerk]
//   "Interval"="2000"
//   @="the default value"
//   "Count"=dword:0000002a
//   "Blob"=hex:01,02,ff
//   "Path"=hex(2):25,48,4f,4d,45,25,00
//
//   [-HKEY_CURRENT_USER\Software\Old]      deletes the key with everything below it
//   "Gone"=-                               deletes the value
//
// Data bytes are those the hive keeps, so hex(2) and hex(7) hold the hive's 8-bit text with its
// zero bytes (not UTF-16 as on Windows); everything exported reads back exactly. A REG_SZ value
// that a quoted string cannot carry (line breaks, inner zero bytes, no closing zero byte) is
// written as hex(1). Files are written in UTF-8 with CRLF line ends; reading also takes UTF-16LE
// files with a byte order mark, a UTF-8 byte order mark, LF line ends, "REGEDIT4" as the first
// line, comment lines starting with ";" and hex data continued over lines ending in "\".

// A file that breaks the format: "Line <n>: <what is wrong>".
class ERegFileError : public Exception {
    using Exception::Exception;
};

struct RegFileValue {
    std::string name;     // "" is the default value (@)
    bool remove = false;  // "name"=-
    uint32_t type = 1;    // REG_SZ
    std::vector<uint8_t> data;
};

struct RegFileKey {
    HKEY root = HKEY::HKEY_CURRENT_USER;
    std::string path;     // below the root, without leading backslash; "" for the root itself
    bool remove = false;  // [-...]
    std::vector<RegFileValue> values;
};

// Reads a whole file's bytes; throws ERegFileError and returns nothing on any fault, so a bad
// file changes nothing.
[[nodiscard]] std::vector<RegFileKey> ParseRegFile(const std::string& bytes);
[[nodiscard]] std::string FormatRegFile(const std::vector<RegFileKey>& keys);

// Splits "HKEY_CURRENT_USER\path" (also "HKCU", "HKEY_LOCAL_MACHINE", "HKLM", letter case
// ignored) into root and path; false for any other root.
[[nodiscard]] bool SplitRootedKey(const std::string& text, HKEY& root, std::string& path);
[[nodiscard]] const char* RootKeyName(HKEY root);
