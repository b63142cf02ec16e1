#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "normalisation.h"
#include "parse_tree.h"

// Evaluation of a parse tree in extended precision.
//
// For "+", "*", "-", "/", "m" and "^" the right operand is evaluated before the left one, so
// the right operand's error wins. "*" gives 0 when either operand is 0 (without multiplying);
// "/" by zero raises "Division durch 0"; "m" is modl; "^" is the double-precision power and
// raises "Kein negativer Ausdruck unter Wurzel erlaubt." when it fails (a negative base with
// a fractional exponent, a zero base with a negative exponent). "#" evaluates only its right
// operand and applies the function named by its left leaf: "s", "c", "t" (sine, cosine,
// tangent of the argument rounded to double), "n", "g" (natural and decimal logarithm; an
// argument not above 0, NaN included, raises "Log von X mit X <= 0"), "r" (absolute value);
// any other left text gives 0. Every other node is an operand converted by StrToLongDouble.
// Errors are raised as Exception with exactly these messages.

// The remainder of a division truncated toward zero, with the sign of the dividend. 0 for a
// zero divisor; the dividend itself when the quotient does not fit a 32-bit integer.
[[nodiscard]] long double modl(long double a, long double b);

// What an evaluation reads from the component that asks for it.
struct EvaluationSettings {
    const VariableTexts& variables;
    const std::string& land_dot;
    bool convert_all;
};

// Remembers the last conversion of each variable's operand, per component, so that repeated
// evaluations with unchanged variables convert nothing.
class VariableCache {
public:
    // Starts an evaluation: each variable is looked up at most once until the next call.
    void BeginEvaluation() { looked_up_.fill(false); }

    // The value of the leaf text of a variable ("x", "A", ...), as StrToLongDouble gives it.
    [[nodiscard]] long double Value(const std::string& leaf_text,
                                    const EvaluationSettings& settings);

private:
    struct Entry {
        std::string substituted;
        std::string land_dot;
        bool convert_all = false;
        bool valid = false;
        long double value = 0.0L;
    };
    std::array<Entry, 5> entries_;
    // The variables already looked up in this evaluation (by leaf letter; "X" and "x" alike).
    std::array<bool, 5> looked_up_{};
    std::string scratch_;
};

// A tree flattened into postfix order (right operand, left operand, operator), evaluated with
// a value stack instead of recursion so that trees of any depth are safe. Operand leaves that
// are no variables keep their converted value for the decimal settings it was converted with.
// The result is always the same as evaluating the tree node by node.
class CompiledTree {
public:
    CompiledTree() = default;
    explicit CompiledTree(const Tree& root);

    [[nodiscard]] long double Evaluate(const EvaluationSettings& settings,
                                       VariableCache& cache) const;

private:
    enum class Step : uint8_t {
        Constant,
        Variable,
        Add,
        Multiply,
        Subtract,
        Divide,
        Modulo,
        Power,
        Function
    };
    struct Instruction {
        Step step;
        char function;  // Function: the code of the left leaf, 0 when it is no function code
        uint32_t leaf;  // Constant and Variable: index into leaves_
    };
    struct Leaf {
        std::string text;
        mutable bool cached = false;
        mutable std::string land_dot;
        mutable bool convert_all = false;
        mutable long double value = 0.0L;
    };

    void Emit(const Tree& node);
    [[nodiscard]] long double LeafValue(const Leaf& leaf, const EvaluationSettings& settings) const;

    std::vector<Instruction> program_;
    size_t max_stack_ = 0;
    std::vector<Leaf> leaves_;
    mutable std::vector<long double> stack_;
};
