#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The text rules of the settings store: typed values, settings-file lines and the coding
// that puts a multi-line value on one line. Pure functions on byte texts; no conversion of
// character sets takes place anywhere.
namespace Bdreg {

// Integer from a stored value: every character of code 32 or less is removed from both ends,
// then the rest must be a decimal number in the signed 32-bit range ("+" or "-" allowed,
// leading zeros too) or a hexadecimal one introduced by "$", "x", "X", "0x" or "0X" whose
// 32 bits are taken as signed ("$FFFFFFFF" is -1). Anything else gives fallback.
[[nodiscard]] int32_t StrToInt(std::string_view text, int32_t fallback);

// True if the text begins with a digit "0".."9"; only the first character counts.
[[nodiscard]] bool IsInt(std::string_view text);

// The part of a settings-file line before its first "=", or the whole line without one.
[[nodiscard]] std::string GetDataKey(std::string_view line);
// The part after the first "=" (further "=" included), or the empty text without one.
[[nodiscard]] std::string GetDataValue(std::string_view line);
// The line that stores key and value: key + "=" + value.
[[nodiscard]] std::string BuildData(std::string_view key, std::string_view value);

// The folder named by a header line such as "[Main]", else the empty text.
// Spaces (code 32 only) may stand before the "[" and after the "]"; spaces inside belong to
// the name; a missing "]" is tolerated ("[Main" names "Main"); a further "[" inside is
// ignored. Any other character outside the brackets, or a "[" after the "]", makes the
// line no header. "[]" names nothing and is therefore no header.
[[nodiscard]] std::string ExtractFolderName(std::string_view line);

// Replaces each line break (CR LF, a lone CR or a lone LF) with placeholder, which may be
// empty.
[[nodiscard]] std::string EncodeText(std::string_view text, std::string_view placeholder);
// Replaces each occurrence of placeholder, left to right without overlaps, with CR LF.
// An empty placeholder matches nothing: the text comes back unchanged.
[[nodiscard]] std::string DecodeText(std::string_view text, std::string_view placeholder);

// The text with every character of code 32 or less removed from both ends.
[[nodiscard]] std::string_view TrimControl(std::string_view text);

}  // namespace Bdreg
