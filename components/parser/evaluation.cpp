#include "evaluation.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/exception.h"
#include "normalisation.h"

namespace {

constexpr const char* kDivisionByZero = "Division durch 0";
constexpr const char* kLogarithmOfNonPositive = "Log von X mit X <= 0";
constexpr const char* kPowerFailed = "Kein negativer Ausdruck unter Wurzel erlaubt.";

constexpr uint32_t kFirstLiteralRegister = 5;

// The operations, shared by both programs so that they compute exactly alike.

inline long double Multiply(long double left, long double right) {
    return (left == 0 || right == 0) ? 0.0L : left * right;
}

inline long double Divide(long double left, long double right) {
    if (right == 0) throw Exception(kDivisionByZero);
    return left / right;
}

long double ApplyFunction(char code, long double argument) {
    switch (code) {
        case 's':
            return static_cast<long double>(std::sin(static_cast<double>(argument)));
        case 'c':
            return static_cast<long double>(std::cos(static_cast<double>(argument)));
        case 't':
            return static_cast<long double>(std::tan(static_cast<double>(argument)));
        case 'n':
            if (!(argument > 0)) throw Exception(kLogarithmOfNonPositive);
            return std::log(argument);
        case 'g':
            if (!(argument > 0)) throw Exception(kLogarithmOfNonPositive);
            return std::log(argument) / std::log(10.0L);
        case 'r':
            return std::fabs(argument);
        default:
            return 0.0L;
    }
}

char FunctionCodeOf(const Tree& leaf) {
    if (!leaf.IsLeaf() || leaf.NodeText.size() != 1 || !IsFunctionCode(leaf.NodeText[0])) return 0;
    return leaf.NodeText[0];
}

// A node is evaluated as an operation only with an operator code and both operands; every
// other node, whatever it holds, is an operand.
bool IsOperation(const Tree& node) {
    return !node.IsLeaf() && node.LeftNode && node.RightNode && node.NodeText.size() == 1 &&
           IsOperatorCode(node.NodeText[0]);
}

// Value stacks up to this depth live on the machine stack of the evaluation.
constexpr size_t kLocalStack = 64;

}  // namespace

// Each binary operation in its four operand forms, in the order SS, SR, RS, RR (left side
// first), so that adding the form (left from a register: 2, right from a register: 1) to the
// SS code gives the instruction.
enum class CompiledTree::Code : uint8_t {
    Load,
    FunctionS,
    FunctionR,
    AddSS,
    AddSR,
    AddRS,
    AddRR,
    SubtractSS,
    SubtractSR,
    SubtractRS,
    SubtractRR,
    MultiplySS,
    MultiplySR,
    MultiplyRS,
    MultiplyRR,
    DivideSS,
    DivideSR,
    DivideRS,
    DivideRR,
    ModuloSS,
    ModuloSR,
    ModuloRS,
    ModuloRR,
    PowerSS,
    PowerSR,
    PowerRS,
    PowerRR,
};

double SquareAsPowerGivesIt(double base, double exponent) {
    const double square = base * base;
    // Far from both ends of the range the low part of the exact square is exact too.
    const double magnitude = std::fabs(base);
    if (!(magnitude > 0x1p-500 && magnitude < 0x1p500)) return std::pow(base, exponent);
    const double low = std::fma(base, base, -square);
    // The rounding boundaries around the square lie half a unit in the last place away, a
    // quarter below a power of two. The power function errs by at most 0.04 of a unit beyond
    // the half, so it rounds to `square` unless the exact square lies within that of a
    // boundary; with a margin of a sixteenth of a unit, only those squares need it.
    uint64_t bits;
    std::memcpy(&bits, &square, sizeof bits);
    const uint64_t exponent_bits = bits & 0x7ff0000000000000ULL;
    const uint64_t unit_bits = exponent_bits - (uint64_t{52} << 52);
    double unit;
    std::memcpy(&unit, &unit_bits, sizeof unit);
    const bool power_of_two = (bits & 0x000fffffffffffffULL) == 0;
    const double boundary = (low < 0 && power_of_two) ? unit / 4 : unit / 2;
    if (boundary - std::fabs(low) > unit / 16) return square;
    return std::pow(base, exponent);
}

long double Power(long double left, long double right) {
    const double base = static_cast<double>(left);
    const double exponent = static_cast<double>(right);
    // The failures of the power function: a negative base needs a whole exponent (the root of
    // a negative number), and a zero base cannot take a negative exponent (a pole).
    const bool fractional = std::isfinite(exponent) && std::trunc(exponent) != exponent;
    if ((base < 0 && fractional) || (base == 0 && exponent < 0)) throw Exception(kPowerFailed);
    if (exponent == 2) return static_cast<long double>(SquareAsPowerGivesIt(base, exponent));
    return static_cast<long double>(std::pow(base, exponent));
}

long double modl(long double a, long double b) {
    if (b == 0) return 0.0L;
    const long double quotient = a / b;
    // A quotient outside the 32-bit range (or not a number) cannot be truncated to an integer;
    // the dividend is the result then.
    if (!(quotient > -2147483649.0L && quotient < 2147483648.0L)) return a;
    const auto whole = static_cast<int32_t>(quotient);
    return a - static_cast<long double>(whole) * b;
}

CompiledTree::CompiledTree() : CompiledTree(Tree()) {}

CompiledTree::CompiledTree(const Tree& root) {
    Compile(root);
    registers_.resize(kFirstLiteralRegister + literal_texts_.size());
    if (quick_stack_ > kLocalStack) stack_.resize(quick_stack_);
    stack_.resize(std::max({stack_.size(), ordered_stack_, size_t{1}}));
}

void CompiledTree::Compile(const Tree& root) {
    // Where an operand of the quick program is found while it runs: a register, or the value
    // stack. This mirrors the ordered program's value stack, one entry per value on it.
    struct Operand {
        bool in_register;
        uint32_t index;
    };
    std::vector<Operand> operands;
    size_t quick_depth = 0;
    const auto note_depth = [&](size_t depth) { ordered_stack_ = std::max(ordered_stack_, depth); };
    const auto push_result = [&] {
        operands.push_back({false, 0});
        quick_stack_ = std::max(quick_stack_, ++quick_depth);
    };

    struct Visit {
        const Tree* node;
        bool operands_done;
    };
    std::vector<Visit> visits{{&root, false}};
    while (!visits.empty()) {
        const Visit visit = visits.back();
        visits.pop_back();
        const Tree& node = *visit.node;
        if (!IsOperation(node)) {
            uint32_t index;
            if (IsVariableName(node.NodeText)) {
                index = static_cast<uint32_t>(VariableCache::IndexOf(node.NodeText[0]));
                ordered_.push_back({Step::Variable, 0, index});
                variables_used_ |= static_cast<uint8_t>(1U << index);
            } else {
                const auto literal = static_cast<uint32_t>(literal_texts_.size());
                literal_texts_.push_back(node.NodeText);
                ordered_.push_back({Step::Literal, 0, literal});
                index = kFirstLiteralRegister + literal;
            }
            operands.push_back({true, index});
            note_depth(operands.size());
            continue;
        }
        const char op = node.NodeText[0];
        if (!visit.operands_done) {
            visits.push_back({&node, true});
            // The right operand comes first; a function's left leaf only names the function.
            if (op != '#') visits.push_back({node.LeftNode.get(), false});
            visits.push_back({node.RightNode.get(), false});
            continue;
        }
        if (op == '#') {
            const char function = FunctionCodeOf(*node.LeftNode);
            ordered_.push_back({Step::Function, function, 0});
            const Operand argument = operands.back();
            operands.pop_back();
            if (argument.in_register) {
                quick_.push_back({Code::FunctionR, function, 0, argument.index});
            } else {
                quick_.push_back({Code::FunctionS, function, 0, 0});
                --quick_depth;
            }
            push_result();
            continue;
        }
        Step step = Step::Add;
        Code code = Code::AddSS;
        switch (op) {
            case '+':
                break;
            case '*':
                step = Step::Multiply;
                code = Code::MultiplySS;
                break;
            case '-':
                step = Step::Subtract;
                code = Code::SubtractSS;
                break;
            case '/':
                step = Step::Divide;
                code = Code::DivideSS;
                break;
            case 'm':
                step = Step::Modulo;
                code = Code::ModuloSS;
                break;
            default:  // '^'
                step = Step::Power;
                code = Code::PowerSS;
                break;
        }
        ordered_.push_back({step, 0, 0});
        // The left operand was evaluated last, so it is the upper one.
        const Operand left = operands.back();
        operands.pop_back();
        const Operand right = operands.back();
        operands.pop_back();
        const int form = (left.in_register ? 2 : 0) + (right.in_register ? 1 : 0);
        quick_.push_back(
            {static_cast<Code>(static_cast<int>(code) + form), 0, left.index, right.index});
        quick_depth -= (left.in_register ? 0 : 1) + (right.in_register ? 0 : 1);
        push_result();
    }
    // A tree that is a single operand: its value is the result.
    if (operands.size() == 1 && operands.back().in_register) {
        quick_.push_back({Code::Load, 0, 0, operands.back().index});
        quick_stack_ = std::max<size_t>(quick_stack_, 1);
    }
}

bool CompiledTree::PrepareLiterals(const EvaluationSettings& settings) const {
    if (literals_ready_ && literals_convert_all_ == settings.convert_all &&
        literals_land_dot_ == settings.land_dot) {
        return literals_convert_;
    }
    // A literal is no variable, so substitution can only turn the constants into numbers: its
    // value depends on the decimal settings alone.
    literals_convert_ = true;
    std::string scratch;
    for (size_t i = 0; i < literal_texts_.size(); ++i) {
        const std::string_view substituted = SubstituteOperandView(
            literal_texts_[i], settings.variables, settings.land_dot, scratch);
        bool overflow;
        registers_[kFirstLiteralRegister + i] =
            ConvertOperandLeniently(substituted, settings.land_dot, settings.convert_all, overflow);
        if (overflow) literals_convert_ = false;
    }
    literals_land_dot_ = settings.land_dot;
    literals_convert_all_ = settings.convert_all;
    literals_ready_ = true;
    return literals_convert_;
}

long double CompiledTree::Evaluate(const EvaluationSettings& settings, VariableCache& cache) const {
    cache.BeginEvaluation();
    bool quick = PrepareLiterals(settings);
    for (size_t i = 0; quick && i < kFirstLiteralRegister; ++i) {
        if ((variables_used_ & (1U << i)) != 0) registers_[i] = cache.TryValue(i, settings, quick);
    }
    return quick ? RunQuick() : RunOrdered(settings, cache);
}

long double CompiledTree::RunQuick() const {
    const long double* const r = registers_.data();
    // The value on top of the stack is kept apart, in a local that can stay in a
    // floating-point register from one instruction to the next; the array holds the values
    // below it. Extended values that go through memory are slow to read back soon after.
    long double local[kLocalStack];
    long double* top = quick_stack_ <= kLocalStack ? local : stack_.data();
    long double accumulator = 0.0L;

// The four forms of a binary operation. SS takes the left operand from the top of the stack
// and the right one from below it; a form that reads no stack value pushes its result.
#define BINARY_FORMS(NAME, EVAL)                        \
    case Code::NAME##SS: {                              \
        const long double left = accumulator;           \
        const long double right = *--top;               \
        accumulator = EVAL;                             \
        break;                                          \
    }                                                   \
    case Code::NAME##SR: {                              \
        const long double left = accumulator;           \
        const long double right = r[instruction.right]; \
        accumulator = EVAL;                             \
        break;                                          \
    }                                                   \
    case Code::NAME##RS: {                              \
        const long double left = r[instruction.left];   \
        const long double right = accumulator;          \
        accumulator = EVAL;                             \
        break;                                          \
    }                                                   \
    case Code::NAME##RR: {                              \
        const long double left = r[instruction.left];   \
        const long double right = r[instruction.right]; \
        *top++ = accumulator;                           \
        accumulator = EVAL;                             \
        break;                                          \
    }

    for (const Instruction& instruction : quick_) {
        switch (instruction.code) {
            case Code::Load:
                *top++ = accumulator;
                accumulator = r[instruction.right];
                break;
            case Code::FunctionS:
                accumulator = ApplyFunction(instruction.function, accumulator);
                break;
            case Code::FunctionR: {
                const long double argument = r[instruction.right];
                *top++ = accumulator;
                accumulator = ApplyFunction(instruction.function, argument);
                break;
            }
                BINARY_FORMS(Add, left + right)
                BINARY_FORMS(Subtract, left - right)
                BINARY_FORMS(Multiply, Multiply(left, right))
                BINARY_FORMS(Divide, Divide(left, right))
                BINARY_FORMS(Modulo, modl(left, right))
                BINARY_FORMS(Power, Power(left, right))
        }
    }
#undef BINARY_FORMS
    return accumulator;
}

long double CompiledTree::RunOrdered(const EvaluationSettings& settings,
                                     VariableCache& cache) const {
    long double* const bottom = stack_.data();
    long double* top = bottom;  // one past the last value
    for (const OrderedStep& step : ordered_) {
        switch (step.step) {
            case Step::Literal:
                *top++ = StrToLongDouble(literal_texts_[step.operand], settings.variables,
                                         settings.land_dot, settings.convert_all);
                continue;
            case Step::Variable:
                *top++ = cache.Value(step.operand, settings);
                continue;
            case Step::Function:
                top[-1] = ApplyFunction(step.function, top[-1]);
                continue;
            default:
                break;
        }
        const long double left = *--top;
        long double& slot = top[-1];
        const long double right = slot;
        switch (step.step) {
            case Step::Add:
                slot = left + right;
                break;
            case Step::Multiply:
                slot = Multiply(left, right);
                break;
            case Step::Subtract:
                slot = left - right;
                break;
            case Step::Divide:
                slot = Divide(left, right);
                break;
            case Step::Modulo:
                slot = modl(left, right);
                break;
            case Step::Power:
                slot = Power(left, right);
                break;
            default:
                break;
        }
    }
    return top == bottom ? 0.0L : top[-1];
}
