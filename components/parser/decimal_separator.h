#pragma once

// The process-wide decimal separator of the platform, as the number conversions StrToFloat
// and FloatToStr use it.
//
// It starts as the decimal point of the user's locale (LC_ALL, LC_NUMERIC or LANG, read
// without changing the process locale); "." when that locale gives none or gives a symbol of
// more than one byte. A program may replace it at any time; the change is seen by every later
// conversion. One thread only, like everything that reads it.

// The separator in use.
[[nodiscard]] char DecimalSeparator();

// Replaces the separator for the rest of the process (or until the next call).
void SetDecimalSeparator(char separator);

// Goes back to the separator of the user's locale, read anew.
void ResetDecimalSeparator();
