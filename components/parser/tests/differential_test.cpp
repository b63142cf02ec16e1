// The evaluator against a plain node-by-node walk of the same tree, written here from the
// rules of the language alone: random expressions (well formed or not), random variable texts
// and random decimal settings must give bit for bit the same value, or the same error.
#include <gtest/gtest.h>
#include <locale.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "core/exception.h"
#include "parser/bparser.h"
#include "parser/decimal_separator.h"
#include "parser/evaluation.h"
#include "parser/shared_tree.h"

namespace {

// The walk. Leaves are converted by the C library in the "C" locale, after the substitution
// and the replacement of the decimal symbols.
class ReferenceEvaluator {
public:
    ReferenceEvaluator(const VariableTexts& variables, std::string land_dot, bool convert_all)
        : variables_(variables), land_dot_(std::move(land_dot)), convert_all_(convert_all) {}

    long double Eval(const Tree& node) const {
        const std::string& text = node.NodeText;
        const bool operation =
            node.LeftNode && node.RightNode && text.size() == 1 && IsOperatorCode(text[0]);
        if (!operation) return Operand(text);
        if (text == "#") return Function(*node.LeftNode, Eval(*node.RightNode));
        const long double right = Eval(*node.RightNode);
        const long double left = Eval(*node.LeftNode);
        switch (text[0]) {
            case '+':
                return left + right;
            case '-':
                return left - right;
            case '*':
                return (left == 0 || right == 0) ? 0.0L : left * right;
            case '/':
                if (right == 0) throw Exception("Division durch 0");
                return left / right;
            case 'm':
                return modl(left, right);
            default: {  // '^'
                const double base = static_cast<double>(left);
                const double exponent = static_cast<double>(right);
                if ((base < 0 && std::isfinite(exponent) && std::trunc(exponent) != exponent) ||
                    (base == 0 && exponent < 0)) {
                    throw Exception("Kein negativer Ausdruck unter Wurzel erlaubt.");
                }
                return std::pow(base, exponent);
            }
        }
    }

private:
    long double Operand(const std::string& text) const {
        const std::string conversion =
            ConversionText(SubstituteOperand(text, variables_, land_dot_), land_dot_, convert_all_);
        static const locale_t c_locale = newlocale(LC_ALL_MASK, "C", nullptr);
        const long double value = strtold_l(conversion.c_str(), nullptr, c_locale);
        if (std::isinf(value)) {
            throw Exception(conversion + " kann nicht in eine Zahl umgewandelt werden! (STD)");
        }
        return value;
    }

    static long double Function(const Tree& name, long double v) {
        const std::string code = name.IsLeaf() ? name.NodeText : "";
        if (code == "s") return std::sin(static_cast<double>(v));
        if (code == "c") return std::cos(static_cast<double>(v));
        if (code == "t") return std::tan(static_cast<double>(v));
        if (code == "n" || code == "g") {
            if (!(v > 0)) throw Exception("Log von X mit X <= 0");
            return code == "n" ? std::log(v) : std::log(v) / std::log(10.0L);
        }
        if (code == "r") return std::fabs(v);
        return 0.0L;
    }

    const VariableTexts& variables_;
    std::string land_dot_;
    bool convert_all_;
};

// A value's 80 significant bits as text, or the error message.
std::string Outcome(long double value) {
    unsigned char bytes[10];
    std::memcpy(bytes, &value, sizeof bytes);
    std::string text = "value ";
    for (unsigned char byte : bytes)
        text += "0123456789abcdef"[byte >> 4], text += "0123456789abcdef"[byte & 15];
    return text;
}

template <typename Evaluation>
std::string OutcomeOf(Evaluation&& evaluate) {
    try {
        return Outcome(evaluate());
    } catch (const Exception& error) {
        return "error " + error.Message();
    }
}

class ExpressionGenerator {
public:
    explicit ExpressionGenerator(uint32_t seed) : random_(seed) {}

    std::string Expression() {
        std::string text = Term(4);
        // Now and then a damaged text, whose failed build leaves odd leaves behind.
        if (Pick(6) == 0 && !text.empty()) {
            static const char kNoise[] = "+-*/^()#m.,x 9";
            text[Pick(text.size())] = kNoise[Pick(sizeof kNoise - 1)];
        }
        return text;
    }

    std::string VariableText() {
        static const char* const kTexts[] = {"12.34",
                                             "-0.5",
                                             "3",
                                             "1,5",
                                             "0",
                                             "-0",
                                             "1e3",
                                             "9e99999",
                                             "-9e99999",
                                             "pi",
                                             "PI",
                                             "b",
                                             "x",
                                             "e",
                                             " 7",
                                             "",
                                             "abc",
                                             "1.5e-4000",
                                             "123456789012345678901234",
                                             "0.1234567890123456789",
                                             "99999999999999999999",
                                             "2,5e2",
                                             "5.",
                                             ".5",
                                             "-",
                                             "0ab5",
                                             "1.0000000000000000000000000001",
                                             "0.000000000000000000000000001",
                                             "1e-4950"};
        if (Pick(3) == 0) {
            static const char kChars[] = "0123456789.,-+e";
            std::string text;
            for (size_t n = 1 + Pick(22); n > 0; --n) text += kChars[Pick(sizeof kChars - 1)];
            return text;
        }
        return kTexts[Pick(std::size(kTexts))];
    }

    size_t Pick(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(random_); }

private:
    std::string Term(int depth) {
        static const char* const kLeaves[] = {"x", "a",    "b",      "c",  "d",   "X",  "pi",
                                              "E", "0",    "1",      "2",  "2.5", "-3", "0.001",
                                              "7", "1E20", "1E-300", "10", "0.5", "3"};
        static const char* const kOperators[] = {"+", "-", "*", "/", "^", "mod"};
        static const char* const kFunctions[] = {"sin", "cos", "tan", "ln", "lg", "abs"};
        switch (depth <= 0 ? 0 : Pick(6)) {
            case 0:
            case 1:
                return kLeaves[Pick(std::size(kLeaves))];
            case 2:
                return std::string(kFunctions[Pick(std::size(kFunctions))]) + "(" +
                       Term(depth - 1) + ")";
            case 3:
                return "(" + Term(depth - 1) + ")";
            case 4:
                return "-" + Term(depth - 1);
            default:
                return Term(depth - 1) + kOperators[Pick(std::size(kOperators))] + Term(depth - 1);
        }
    }

    std::mt19937 random_;
};

class DifferentialTest : public ::testing::Test {
protected:
    void TearDown() override { ResetDecimalSeparator(); }

    // Evaluates the shared tree through `parser` and through the walk.
    void ExpectSameOutcome(TBParser& parser, const std::string& expression) {
        const std::string expected = OutcomeOf([&] {
            VariableTexts variables{parser.X(), parser.A(), parser.B(), parser.C(), parser.D()};
            const std::string land_dot = parser.OverwriteDecimalSymbol().empty()
                                             ? std::string(1, DecimalSeparator())
                                             : parser.OverwriteDecimalSymbol();
            return ReferenceEvaluator(variables, land_dot, parser.ConvertAllColonsAndDots())
                .Eval(RootTree());
        });
        const std::string actual = OutcomeOf([&] { return parser.Evaluate(); });
        EXPECT_EQ(actual, expected)
            << expression << " with x=\"" << parser.X() << "\" a=\"" << parser.A() << "\" b=\""
            << parser.B() << "\" symbol \"" << parser.OverwriteDecimalSymbol() << "\" convert all "
            << parser.ConvertAllColonsAndDots();
    }
};

TEST_F(DifferentialTest, RandomExpressionsVariablesAndSettingsMatchTheWalk) {
    ExpressionGenerator generator(20240611);
    static const char* const kSymbols[] = {"", "", "", ".", ",", "ab", "0", "-"};
    // Two components with their own settings take turns on the one shared tree, so that
    // whatever is kept between evaluations is kept per setting and per variable text.
    TBParser first(nullptr);
    TBParser second(nullptr);
    TBParser* const parsers[] = {&first, &second};
    for (int round = 0; round < 3000; ++round) {
        SetDecimalSeparator(generator.Pick(4) == 0 ? ',' : '.');
        const std::string expression = generator.Expression();
        first.SetExpression(expression);
        (void)first.CreateTree();
        for (int evaluation = 0; evaluation < 6; ++evaluation) {
            TBParser& parser = *parsers[generator.Pick(2)];
            if (generator.Pick(3) == 0) {
                parser.SetOverwriteDecimalSymbol(kSymbols[generator.Pick(std::size(kSymbols))]);
                parser.SetConvertAllColonsAndDots(generator.Pick(2) == 0);
            }
            if (generator.Pick(2) == 0) parser.SetX(generator.VariableText());
            if (generator.Pick(4) == 0) parser.SetA(generator.VariableText());
            if (generator.Pick(4) == 0) parser.SetB(generator.VariableText());
            if (generator.Pick(6) == 0) parser.SetC(generator.VariableText());
            if (generator.Pick(6) == 0) parser.SetD(generator.VariableText());
            ExpectSameOutcome(parser, expression);
        }
    }
}

TEST_F(DifferentialTest, KnownExpressionsMatchTheWalk) {
    SetDecimalSeparator('.');
    const char* const expressions[] = {"1-2+3",
                                       "10-2-3-4",
                                       "8/2/2",
                                       "6/3*2",
                                       "2*6/3*2",
                                       "-8/2/2",
                                       "1-1/2/2",
                                       "2^3^2",
                                       "-2^2",
                                       "7m3m2",
                                       "(1+2)*(3+4)",
                                       "6/3*0",
                                       "6/0*1",
                                       "2^0.5",
                                       "(-8)^(1/3)",
                                       "0^(-1)",
                                       "lg(1000)",
                                       "ln(0)",
                                       "1/0+ln(0)",
                                       "ln(0)+1/0",
                                       "0*ln(0)",
                                       "(1+2)#3",
                                       "x#3",
                                       "2^1024",
                                       "2*(-)",
                                       "x^2+2*x+1",
                                       "sin(x)*cos(x)+x/3",
                                       "(x+1)*(x-1)/(x^2+1)",
                                       "abs(x-2)*ln(x+3)-lg(x+10)+2.5*x^3-x/7",
                                       "x+1/0",
                                       "x",
                                       "pi",
                                       "sqrt(4)",
                                       "a+b*c-d+x",
                                       "x mod 0",
                                       "c#c"};
    const char* const values[] = {"12.34", "-1.5", "0", "9e99999", "pi", "1,5", "-0", ""};
    TBParser parser(nullptr);
    for (const char* expression : expressions) {
        parser.SetExpression(expression);
        (void)parser.CreateTree();
        for (const char* value : values) {
            parser.SetX(value);
            parser.SetA(value);
            ExpectSameOutcome(parser, expression);
        }
    }
}

TEST(OperandConversion, ShortDecimalsConvertLikeTheCLibrary) {
    // Plain decimals of up to 30 digits with the decimal settings in every combination: the
    // quick conversion of short ones and the full one of the rest agree with strtold.
    std::mt19937 random(7);
    static const locale_t c_locale = newlocale(LC_ALL_MASK, "C", nullptr);
    const std::string land_dots[] = {".", ",", "ab", "0"};
    for (int i = 0; i < 200000; ++i) {
        std::string text;
        if (random() % 3 == 0) text += (random() % 2) ? '-' : '+';
        const size_t digits = 1 + random() % 30;
        const size_t point = random() % (digits + 2);
        // Runs of leading zeros give long fractions with few significant digits.
        const size_t zeros = random() % 2 ? random() % (digits + 1) : 0;
        for (size_t d = 0; d < digits; ++d) {
            if (d == point) text += (random() % 2) ? '.' : ',';
            const bool zero = d < zeros || random() % 4 == 0;
            text += static_cast<char>('0' + (zero ? 0 : random() % 10));
        }
        const std::string& land_dot = land_dots[random() % std::size(land_dots)];
        const bool convert_all = random() % 2 == 0;
        const std::string conversion = ConversionText(text, land_dot, convert_all);
        const long double expected = strtold_l(conversion.c_str(), nullptr, c_locale);
        EXPECT_EQ(Outcome(ConvertOperand(text, land_dot, convert_all)), Outcome(expected))
            << text << " with \"" << land_dot << "\" convert all " << convert_all;
    }
}

}  // namespace
