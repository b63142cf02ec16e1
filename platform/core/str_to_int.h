#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The platform's integer text conversion.
//
// Accepted: optional leading spaces, then either
//   - an optional "+" or "-" and decimal digits whose value lies in the signed 32-bit range, or
//   - without a sign, "$", "x", "X", "0x" or "0X" and hexadecimal digits (either case) whose
//     value fits in 32 bits; those 32 bits are read as a signed value ("$FFFFFFFF" is -1).
// Everything else fails: the empty text, a lone sign or prefix, trailing spaces or any other
// character, a value out of range.

// Raises EConvertError "'<text>' is not a valid integer value" on failure.
[[nodiscard]] int32_t StrToInt(const std::string& text);

// The same conversion without an exception: nullopt on failure.
[[nodiscard]] std::optional<int32_t> TryStrToInt(const std::string& text);
