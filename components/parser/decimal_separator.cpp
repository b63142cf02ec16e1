#include "decimal_separator.h"

#include <langinfo.h>
#include <locale.h>

#include <cstring>

namespace {

char UserLocaleSeparator() {
    // newlocale with "" resolves the user's settings from the environment the same way
    // setlocale would, but leaves the process locale (and so every C library conversion
    // elsewhere in the program) untouched.
    locale_t user = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
    if (user == static_cast<locale_t>(nullptr)) return '.';
    const char* radix = nl_langinfo_l(RADIXCHAR, user);
    char separator = '.';
    if (radix != nullptr && std::strlen(radix) == 1) separator = radix[0];
    freelocale(user);
    return separator;
}

struct SeparatorState {
    bool known = false;
    char separator = '.';
};

SeparatorState& State() {
    static SeparatorState state;
    return state;
}

}  // namespace

char DecimalSeparator() {
    SeparatorState& state = State();
    if (!state.known) {
        state.separator = UserLocaleSeparator();
        state.known = true;
    }
    return state.separator;
}

void SetDecimalSeparator(char separator) {
    State().separator = separator;
    State().known = true;
}

void ResetDecimalSeparator() { State().known = false; }
