#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "normalisation.h"

// What an evaluation reads from the component that asks for it.
struct EvaluationSettings {
    const VariableTexts& variables;
    const std::string& land_dot;
    bool convert_all;
};

// Remembers the last conversion of each variable's operand, per component, so that repeated
// evaluations with unchanged variables convert nothing and a changed variable is converted
// once per evaluation.
class VariableCache {
public:
    // The variable of a leaf text that IsVariableName accepts: 0 to 4 for x, a, b, c, d.
    [[nodiscard]] static size_t IndexOf(char name);

    // Starts an evaluation: each variable is looked up at most once until the next call.
    void BeginEvaluation() { looked_up_.fill(false); }

    // The value of variable `index`, as StrToLongDouble gives it for its leaf; raises the
    // conversion error when its text holds a number too large for extended precision.
    [[nodiscard]] long double Value(size_t index, const EvaluationSettings& settings);

    // The same without raising: sets ok to false (and returns 0) when the conversion would
    // raise. The value is returned, not stored, so that it stays in a floating-point register.
    [[nodiscard]] long double TryValue(size_t index, const EvaluationSettings& settings, bool& ok);

private:
    struct Entry {
        std::string substituted;
        std::string land_dot;
        bool convert_all = false;
        bool valid = false;
        bool overflow = false;
        long double value = 0.0L;
    };

    std::array<Entry, 5> entries_;
    // The variables already looked up in this evaluation.
    std::array<bool, 5> looked_up_{};
    std::string scratch_;
};
