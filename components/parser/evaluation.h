#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "parse_tree.h"
#include "variable_cache.h"

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

// The power operation: the base and the exponent rounded to double, raised by the C library's
// pow. Raises "Kein negativer Ausdruck unter Wurzel erlaubt." for a negative base with a
// fractional exponent and for a zero base with a negative exponent.
[[nodiscard]] long double Power(long double base, long double exponent);

// pow(base, exponent) for an exponent of 2, as the C library computes it, but without calling
// it where the exact square lies clearly inside one rounding interval: there the library's
// result (it errs by at most 0.54 of a unit in the last place) is the rounded square. Near a
// rounding boundary the library may round either way (it rounds some exact halfway squares
// up, where the product base * base rounds to even), so it is called there.
[[nodiscard]] double SquareAsPowerGivesIt(double base, double exponent);

// A tree prepared for repeated evaluation. The result, and the error raised, are always the
// same as evaluating the tree node by node; no evaluation recurses, so trees of any depth are
// safe.
//
// Two programs are kept. The quick one works on registers: the five variables, each converted
// once per evaluation before it starts, and the literal operands, converted once per decimal
// setting. Its instructions take a leaf operand straight from a register, so leaves cost no
// instruction of their own. Operands carry no errors there, so only the operations that raise
// are ordered, and they keep the order of the tree (right operand, left operand, operator).
// When an operand's conversion would raise (a number too large for extended precision), the
// ordered program runs instead: it converts each leaf at its place in the tree, so the first
// error met is the one raised.
class CompiledTree {
public:
    CompiledTree();
    explicit CompiledTree(const Tree& root);

    [[nodiscard]] long double Evaluate(const EvaluationSettings& settings,
                                       VariableCache& cache) const;

private:
    // Ordered program: postfix steps, a value stack, leaves converted where they stand.
    enum class Step : uint8_t {
        Literal,
        Variable,
        Add,
        Multiply,
        Subtract,
        Divide,
        Modulo,
        Power,
        Function
    };
    struct OrderedStep {
        Step step;
        char function;     // Function: the code of the left leaf, 0 when it is no function code
        uint32_t operand;  // Literal: index into literal_texts_; Variable: variable index
    };

    // Quick program. The operand forms of a binary operation: each side comes from the value
    // stack (S) or from a register (R), left side first.
    enum class Code : uint8_t;
    struct Instruction {
        Code code;
        char function;
        uint32_t left;   // register of a left operand in R form
        uint32_t right;  // register of a right operand (or a function's argument) in R form
    };

    void Compile(const Tree& root);
    [[nodiscard]] bool PrepareLiterals(const EvaluationSettings& settings) const;
    [[nodiscard]] long double RunQuick() const;
    [[nodiscard]] long double RunOrdered(const EvaluationSettings& settings,
                                         VariableCache& cache) const;

    std::vector<OrderedStep> ordered_;
    size_t ordered_stack_ = 0;
    std::vector<std::string> literal_texts_;

    std::vector<Instruction> quick_;
    size_t quick_stack_ = 0;
    uint8_t variables_used_ = 0;  // bit i: variable i is an operand

    // Registers 0 to 4 hold x, a, b, c, d; register 5 + i holds literal_texts_[i].
    mutable std::vector<long double> registers_;
    // The decimal settings the literal registers were converted with.
    mutable bool literals_ready_ = false;
    mutable bool literals_convert_ = true;  // no literal's conversion raises
    mutable std::string literals_land_dot_;
    mutable bool literals_convert_all_ = false;
    mutable std::vector<long double> stack_;
};
