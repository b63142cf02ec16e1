#include "variable_cache.h"

#include <string_view>

namespace {

// Leaf texts of the five variables, in index order.
constexpr std::string_view kVariableLeaves[] = {"x", "a", "b", "c", "d"};

}  // namespace

size_t VariableCache::IndexOf(char name) {
    switch (name) {
        case 'x':
        case 'X':
            return 0;
        case 'a':
        case 'A':
            return 1;
        case 'b':
        case 'B':
            return 2;
        case 'c':
        case 'C':
            return 3;
        default:
            return 4;
    }
}

long double VariableCache::TryValue(size_t index, const EvaluationSettings& settings, bool& ok) {
    Entry& entry = entries_[index];
    // Within one evaluation neither the variables nor the settings change.
    if (!looked_up_[index]) {
        looked_up_[index] = true;
        const std::string_view substituted = SubstituteOperandView(
            kVariableLeaves[index], settings.variables, settings.land_dot, scratch_);
        if (!entry.valid || entry.convert_all != settings.convert_all ||
            entry.substituted != substituted || entry.land_dot != settings.land_dot) {
            bool overflow;
            const long double value = ConvertOperandLeniently(substituted, settings.land_dot,
                                                              settings.convert_all, overflow);
            entry.value = value;
            entry.overflow = overflow;
            entry.substituted.assign(substituted);
            if (entry.land_dot != settings.land_dot) entry.land_dot = settings.land_dot;
            entry.convert_all = settings.convert_all;
            entry.valid = true;
            ok = !overflow;
            return value;
        }
    }
    ok = !entry.overflow;
    return entry.value;
}

long double VariableCache::Value(size_t index, const EvaluationSettings& settings) {
    bool ok;
    const long double value = TryValue(index, settings, ok);
    if (ok) return value;
    // Converting again raises the error with its conversion text.
    const Entry& entry = entries_[index];
    return ConvertOperand(entry.substituted, settings.land_dot, settings.convert_all);
}
