// brindlex eval: the expression evaluator TBParser on the command line.
#include <ostream>
#include <string>
#include <vector>

#include "command.h"
#include "core/exception.h"
#include "core/str_to_int.h"
#include "parser/bparser.h"

namespace {

constexpr int kEvaluationError = 1;
constexpr int kUsageError = 2;

// Reads the options into the component and collects the expressions. Options start with
// "--" and come before the first expression or a "--"; an expression such as "-2+5" may
// therefore stand anywhere. Returns false with a message on err for a bad command line.
bool ReadArguments(const std::vector<std::string>& arguments, TBParser& parser,
                   std::vector<std::string>& expressions, std::ostream& err) {
    bool options_ended = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool is_option =
            !options_ended && argument.size() > 2 && argument.rfind("--", 0) == 0;
        if (!options_ended && argument == "--") {
            options_ended = true;
            continue;
        }
        if (!is_option) {
            expressions.push_back(argument);
            continue;
        }
        if (argument == "--convert-all") {
            parser.SetConvertAllColonsAndDots(true);
            continue;
        }
        if (i + 1 >= arguments.size()) {
            err << "brindlex eval: " << argument << " needs a value\n";
            return false;
        }
        const std::string& value = arguments[++i];
        if (argument == "--precision") {
            const auto precision = TryStrToInt(value);
            if (!precision) {
                err << "brindlex eval: --precision needs an integer, not '" << value << "'\n";
                return false;
            }
            parser.SetPrecision(*precision);
        } else if (argument == "--decimal-symbol") {
            parser.SetOverwriteDecimalSymbol(value);
        } else if (argument == "--x") {
            parser.SetX(value);
        } else if (argument == "--a") {
            parser.SetA(value);
        } else if (argument == "--b") {
            parser.SetB(value);
        } else if (argument == "--c") {
            parser.SetC(value);
        } else if (argument == "--d") {
            parser.SetD(value);
        } else {
            err << "brindlex eval: unknown option " << argument << '\n';
            return false;
        }
    }
    if (expressions.empty()) {
        err << "brindlex eval: no expression given\n";
        return false;
    }
    return true;
}

}  // namespace

// Builds and evaluates each expression in turn and prints its result text. Stops at the first
// expression that does not build (exit 2) or fails to evaluate (exit 1).
int RunEvalCommand(const std::vector<std::string>& arguments, std::ostream& out,
                   std::ostream& err) {
    TBParser parser(nullptr);
    std::vector<std::string> expressions;
    if (!ReadArguments(arguments, parser, expressions, err)) return kUsageError;
    for (const std::string& expression : expressions) {
        parser.SetExpression(expression);
        if (!parser.CreateTree()) {
            err << "brindlex eval: '" << expression
                << "' is not a well-formed expression (check operands, names, numbers and "
                   "parentheses)\n";
            return kUsageError;
        }
        try {
            parser.Evaluate();
        } catch (const Exception& error) {
            err << "error: " << error.Message() << '\n';
            return kEvaluationError;
        }
        out << parser.ErgebnisString() << '\n';
    }
    return 0;
}
