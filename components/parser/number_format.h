#pragma once

#include <string>

// The result text of the expression evaluator.
//
// The value is rounded to double precision and written with `precision` digits after the
// decimal symbol (0 for a negative precision), rounded to nearest with halfway cases to the
// even digit; at most 40 digits in all, of which only the first 19 are significant (further
// digits are zeros). Then trailing zeros after the symbol, and a symbol left at the end, are
// removed (EntferneNullenUndPunkte), and a negative value gets "-" in front, also when it
// rounds to zero ("-0"). Examples with precision 8 and ".": 1/3 -> "0.33333333",
// 100 -> "100", 0.999999999 -> "1". An integer part of more than 40 digits is written in full,
// with zeros after the 19th digit. Infinities and not-a-number give "INF", "-INF", "NAN".
[[nodiscard]] std::string LongDoubleToStr(long double value, int precision,
                                          const std::string& land_dot);

// Removes the run of "0" that ends the text after the first land_dot, then a land_dot left at
// the end; puts "0" before a land_dot at the start. Nothing changes for a land_dot of more
// than one character, and zeros before the symbol are never removed.
[[nodiscard]] std::string EntferneNullenUndPunkte(const std::string& text,
                                                  const std::string& land_dot);
