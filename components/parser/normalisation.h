#pragma once

#include <string>
#include <string_view>

#include "float_text.h"

// The text level of the expression evaluator: the decimal symbol in use, the removal of
// spaces, the rewriting of function names into one-letter codes, the test for a single
// operand and the conversion of an operand into a value.
//
// After normalisation an operand is a function code ("s", "c", "t", "n", "g", "r": sine,
// cosine, tangent, natural and decimal logarithm, absolute value; lower case only), a
// variable ("x", "a", "b", "c", "d", any case), a constant ("pi", "e", any case) or a number
// in the canonical form of FloatToStr with the platform's separator.

// The texts of the five variables, converted only when an operand is evaluated.
struct VariableTexts {
    std::string x;
    std::string a;
    std::string b;
    std::string c;
    std::string d;
};

// The decimal symbol in use: overwrite when it is not empty, else the one-character text of
// the platform's DecimalSeparator() at this moment.
[[nodiscard]] std::string ResolveLandDot(const std::string& overwrite);

// The text without space characters (code 32); tabs and everything else stay.
[[nodiscard]] std::string EntferneLeerzeichen(std::string_view text);

// Rewrites function names (any case, wherever they stand, the first match of "sin", "cos",
// "tan", "ln", "lg", "abs", "mod" in this order) into "s#", "c#", "t#", "n#", "g#", "r#" and
// "m". With convert_all, every "." and "," becomes land_dot. Everything else is copied.
[[nodiscard]] std::string WandleSinCosTanUm(std::string_view text, const std::string& land_dot,
                                            bool convert_all);

// True for the one-letter codes that WandleSinCosTanUm gives the functions: "s", "c", "t",
// "n", "g", "r".
[[nodiscard]] bool IsFunctionCode(char code);

// True when the text is one whole operand: a function code, a variable or constant name, or
// a canonical number (IsLongDouble).
[[nodiscard]] bool IsZahl(std::string_view text);

// True when the platform's StrToFloat accepts the whole text and FloatToStr of the value,
// rounded to double precision, gives the same text back. Uses DecimalSeparator(), never the
// evaluator's decimal symbol.
[[nodiscard]] bool IsLongDouble(std::string_view text);

// True when the text, ignoring case, is one of the variable names x, a, b, c, d.
[[nodiscard]] bool IsVariableName(std::string_view text);

// The operand text after substituting variables and constants: the tests "x", "a", "b", "c",
// "d", "pi", "e" (ignoring case) run one after another, each on the result of the one before.
[[nodiscard]] std::string SubstituteOperand(std::string_view text, const VariableTexts& variables,
                                            const std::string& land_dot);

// The same substitution without copying: the result views the leaf text or a variable's
// text, or, for a constant, the text built in scratch.
[[nodiscard]] std::string_view SubstituteOperandView(std::string_view text,
                                                     const VariableTexts& variables,
                                                     const std::string& land_dot,
                                                     std::string& scratch);

// The text handed to the number conversion: with convert_all a "," becomes "."; then a
// character equal to a one-character land_dot becomes ".".
[[nodiscard]] std::string ConversionText(std::string_view text, const std::string& land_dot,
                                         bool convert_all);

// Converts a substituted operand text the way ConvertOperand does, without raising: overflow
// is set (and the value meaningless) where ConvertOperand raises. Short plain decimals
// ("12.34", "-5", "0,5" with the decimal symbol ",") take a quick path that gives the same
// value.
[[nodiscard]] long double ConvertOperandLeniently(std::string_view substituted,
                                                  const std::string& land_dot, bool convert_all,
                                                  bool& overflow);

// Converts a substituted operand text (leniently, see ConvertLeadingNumber). Raises
// Exception "<conversion text> kann nicht in eine Zahl umgewandelt werden! (STD)" when the
// number does not fit in extended precision.
[[nodiscard]] long double ConvertOperand(std::string_view substituted, const std::string& land_dot,
                                         bool convert_all);

// The value of an operand: substitution, then conversion.
[[nodiscard]] long double StrToLongDouble(std::string_view text, const VariableTexts& variables,
                                          const std::string& land_dot, bool convert_all);
