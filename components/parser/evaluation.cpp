#include "evaluation.h"

#include <algorithm>
#include <cmath>

#include "core/exception.h"

namespace {

constexpr const char* kDivisionByZero = "Division durch 0";
constexpr const char* kLogarithmOfNonPositive = "Log von X mit X <= 0";
constexpr const char* kPowerFailed = "Kein negativer Ausdruck unter Wurzel erlaubt.";

long double Power(long double left, long double right) {
    const double base = static_cast<double>(left);
    const double exponent = static_cast<double>(right);
    // The failures of the power function: a negative base needs a whole exponent (the root of
    // a negative number), and a zero base cannot take a negative exponent (a pole).
    const bool fractional = std::isfinite(exponent) && std::trunc(exponent) != exponent;
    if ((base < 0 && fractional) || (base == 0 && exponent < 0)) throw Exception(kPowerFailed);
    return static_cast<long double>(std::pow(base, exponent));
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
    if (!leaf.IsLeaf() || leaf.NodeText.size() != 1) return 0;
    switch (const char code = leaf.NodeText[0]) {
        case 's':
        case 'c':
        case 't':
        case 'n':
        case 'g':
        case 'r':
            return code;
        default:
            return 0;
    }
}

size_t VariableIndex(const std::string& leaf_text) {
    switch (leaf_text[0]) {
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

}  // namespace

long double modl(long double a, long double b) {
    if (b == 0) return 0.0L;
    const long double quotient = a / b;
    // A quotient outside the 32-bit range (or not a number) cannot be truncated to an integer;
    // the dividend is the result then.
    if (!(quotient > -2147483649.0L && quotient < 2147483648.0L)) return a;
    const auto whole = static_cast<int32_t>(quotient);
    return a - static_cast<long double>(whole) * b;
}

long double VariableCache::Value(const std::string& leaf_text, const EvaluationSettings& settings) {
    const size_t index = VariableIndex(leaf_text);
    Entry& entry = entries_[index];
    // Within one evaluation neither the variables nor the settings change.
    if (looked_up_[index]) return entry.value;
    const std::string_view substituted =
        SubstituteOperandView(leaf_text, settings.variables, settings.land_dot, scratch_);
    if (!entry.valid || entry.convert_all != settings.convert_all ||
        entry.substituted != substituted || entry.land_dot != settings.land_dot) {
        entry.valid = false;
        entry.value = ConvertOperand(substituted, settings.land_dot, settings.convert_all);
        entry.substituted.assign(substituted);
        entry.land_dot = settings.land_dot;
        entry.convert_all = settings.convert_all;
        entry.valid = true;
    }
    looked_up_[index] = true;
    return entry.value;
}

CompiledTree::CompiledTree(const Tree& root) {
    Emit(root);
    // The deepest the value stack gets, so that evaluation never has to grow it.
    size_t depth = 0;
    for (const Instruction& instruction : program_) {
        switch (instruction.step) {
            case Step::Constant:
            case Step::Variable:
                max_stack_ = std::max(max_stack_, ++depth);
                break;
            case Step::Function:
                break;
            default:
                --depth;
                break;
        }
    }
    stack_.resize(std::max<size_t>(max_stack_, 1));
}

void CompiledTree::Emit(const Tree& root) {
    struct Visit {
        const Tree* node;
        bool operands_done;
    };
    std::vector<Visit> visits{{&root, false}};
    while (!visits.empty()) {
        const Visit visit = visits.back();
        visits.pop_back();
        const Tree& node = *visit.node;
        const bool inner = !node.IsLeaf() && node.LeftNode && node.RightNode &&
                           node.NodeText.size() == 1 && IsOperatorCode(node.NodeText[0]);
        if (!inner) {
            const Step step = IsVariableName(node.NodeText) ? Step::Variable : Step::Constant;
            program_.push_back({step, 0, static_cast<uint32_t>(leaves_.size())});
            Leaf& leaf = leaves_.emplace_back();
            leaf.text = node.NodeText;
            continue;
        }
        const char op = node.NodeText[0];
        if (visit.operands_done) {
            Step step = Step::Function;
            switch (op) {
                case '+':
                    step = Step::Add;
                    break;
                case '*':
                    step = Step::Multiply;
                    break;
                case '-':
                    step = Step::Subtract;
                    break;
                case '/':
                    step = Step::Divide;
                    break;
                case 'm':
                    step = Step::Modulo;
                    break;
                case '^':
                    step = Step::Power;
                    break;
                default:
                    break;
            }
            const char function = step == Step::Function ? FunctionCodeOf(*node.LeftNode) : 0;
            program_.push_back({step, function, 0});
            continue;
        }
        visits.push_back({&node, true});
        // The right operand comes first; a function's left leaf only names the function.
        if (op != '#') visits.push_back({node.LeftNode.get(), false});
        visits.push_back({node.RightNode.get(), false});
    }
}

long double CompiledTree::LeafValue(const Leaf& leaf, const EvaluationSettings& settings) const {
    const std::string& land_dot = settings.land_dot;
    if (leaf.cached && leaf.convert_all == settings.convert_all &&
        leaf.land_dot.size() == land_dot.size() &&
        (land_dot.size() == 1 ? leaf.land_dot[0] == land_dot[0] : leaf.land_dot == land_dot)) {
        return leaf.value;
    }
    // Not a variable, so substitution can only turn the constants into numbers: the value
    // depends on the decimal settings alone.
    leaf.value =
        StrToLongDouble(leaf.text, settings.variables, settings.land_dot, settings.convert_all);
    leaf.land_dot = settings.land_dot;
    leaf.convert_all = settings.convert_all;
    leaf.cached = true;
    return leaf.value;
}

long double CompiledTree::Evaluate(const EvaluationSettings& settings, VariableCache& cache) const {
    cache.BeginEvaluation();
    long double* const bottom = stack_.data();
    long double* top = bottom;  // one past the last value
    for (const Instruction& instruction : program_) {
        switch (instruction.step) {
            case Step::Constant:
                *top++ = LeafValue(leaves_[instruction.leaf], settings);
                continue;
            case Step::Variable:
                *top++ = cache.Value(leaves_[instruction.leaf].text, settings);
                continue;
            case Step::Function:
                top[-1] = ApplyFunction(instruction.function, top[-1]);
                continue;
            default:
                break;
        }
        const long double left = *--top;
        long double& slot = top[-1];
        const long double right = slot;
        switch (instruction.step) {
            case Step::Add:
                slot = left + right;
                break;
            case Step::Multiply:
                slot = (left == 0 || right == 0) ? 0.0L : left * right;
                break;
            case Step::Subtract:
                slot = left - right;
                break;
            case Step::Divide:
                if (right == 0) throw Exception(kDivisionByZero);
                slot = left / right;
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
