// Expressions built and evaluated through the component, as a user of it sees them.
#include "parser/evaluation.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/exception.h"
#include "parser/bparser.h"
#include "parser/decimal_separator.h"

namespace {

class EvaluationTest : public ::testing::Test {
protected:
    void SetUp() override { SetDecimalSeparator('.'); }
    void TearDown() override { ResetDecimalSeparator(); }

    // Builds and evaluates; the result text, or the error message prefixed with "error: ".
    std::string Run(const std::string& expression) {
        parser.SetExpression(expression);
        if (!parser.CreateTree()) return "not built";
        try {
            parser.Evaluate();
            return parser.ErgebnisString();
        } catch (const Exception& error) {
            return "error: " + error.Message();
        }
    }

    TBParser parser{nullptr};
};

struct Case {
    const char* expression;
    const char* expected;
};

TEST_F(EvaluationTest, GroupsAndAssociatesLikeArithmetic) {
    const Case cases[] = {
        {"1-2+3", "2"},         {"1-2-3", "-4"},     {"10-2-3-4", "1"},     {"-2+5", "3"},
        {"8/2/2", "2"},         {"6/3*2", "4"},      {"2*6/3*2", "8"},      {"-8/2/2", "-2"},
        {"1/2+1/2", "1"},       {"1-1/2/2", "0.75"}, {"2^3^2", "512"},      {"-2^2", "-4"},
        {"(-2)^2", "4"},        {"7m3m2", "0"},      {"(1+2)*(3+4)", "21"}, {"2^(-1)", "0.5"},
        {"1 + 2 * 3", "7"},     {"(1+2)", "3"},      {"-x", "0"},           {"sin(0)^2", "0"},
        {"1/2*3/4*5", "1.875"}, {"6/3*2/4", "1"},    {"12/2*3/2/3", "3"},   {"2*3m4", "6"},
        {"10-(2+3)-4", "1"},    {"1-(2-3)-4", "-2"}, {"100/(5*2)/2", "5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expression);
        EXPECT_EQ(Run(c.expression), c.expected);
    }
}

TEST_F(EvaluationTest, AZeroFactorAfterADivisionGivesZero) {
    const Case cases[] = {
        {"6/3*0", "0"},
        {"2*6/3*0", "0"},
        {"6/3*0/2", "0"},
        {"6/3*0*2", "0"},
        {"6/0*1", "error: Division durch 0"},
        {"6/3*(2-2)", "0"},
        {"1+6/3*0", "1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expression);
        EXPECT_EQ(Run(c.expression), c.expected);
    }
}

TEST_F(EvaluationTest, FunctionsOperatorsAndTheirErrors) {
    const Case cases[] = {
        {"5+0", "5"},
        {"0+0", "0"},
        {"0*5", "0"},
        {"2^0.5", "1.41421356"},
        {"(-8)^(1/3)", "error: Kein negativer Ausdruck unter Wurzel erlaubt."},
        {"0^(-1)", "error: Kein negativer Ausdruck unter Wurzel erlaubt."},
        {"(-2)^3", "-8"},
        {"lg(1000)", "3"},
        {"ln(e)", "0.99999999"},  // e is the 8-digit constant
        {"ln(0)", "error: Log von X mit X <= 0"},
        {"lg(-1)", "error: Log von X mit X <= 0"},
        {"abs(-2.5)", "2.5"},
        {"sin(0)", "0"},
        {"cos(pi)", "-1"},
        {"tan(0)", "0"},
        {"7mod0", "0"},
        {"-7mod3", "-1"},
        {"7mod-3", "not built"},
        {"7.5mod2", "1.5"},
        {"1/0", "error: Division durch 0"},
        {"1/(0-0)", "error: Division durch 0"},
        {"1/0+ln(0)", "error: Log von X mit X <= 0"},
        {"ln(0)+1/0", "error: Division durch 0"},
        {"0*ln(0)", "error: Log von X mit X <= 0"},
        {"s#0+c#0", "1"},
        {"(1+2)#3", "0"},
        {"x#3", "0"},
        {"2^1024", "INF"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expression);
        EXPECT_EQ(Run(c.expression), c.expected);
    }
}

TEST_F(EvaluationTest, VariablesConstantsAndDecimalSettings) {
    struct Row {
        const char* name;
        const char* expression;
        const char* x;
        const char* overwrite;
        bool convert_all;
        int precision;
        const char* expected;
    };
    const Row rows[] = {
        {"pi is the 8-digit constant", "pi", "", "", false, 8, "3.1415927"},
        {"x holds a constant", "x*2", "pi", "", false, 8, "6.2831854"},
        {"x holds a variable name", "x", "b", "", false, 8, "20"},
        {"comma symbol in the result", "1/4", "", ",", false, 8, "0,25"},
        {"comma symbol reads variables", "x*2", "1,25", ",", false, 8, "2,5"},
        {"point still converts with comma symbol", "x*2", "1.25", ",", false, 8, "2,5"},
        {"convert-all reads commas", "x*2", "1,25", "", true, 8, "2.5"},
        {"comma without convert-all stops", "x*2", "1,25", "", false, 8, "2"},
        {"long symbol is not trimmed", "1/4", "", "ab", false, 8, "0ab25000000"},
        {"precision 2", "2/3", "", "", false, 2, "0.67"},
        {"precision 3", "2/3", "", "", false, 3, "0.667"},
        {"precision 0", "2/3", "", "", false, 0, "1"},
        {"lenient variable text", "x+1", "3abc", "", false, 8, "4"},
        {"empty variable", "x+1", "", "", false, 8, "1"},
        {"upper-case names", "X+PI-E", "1", "", false, 8, "1.4233109"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        parser.SetX(row.x);
        parser.SetB("20");
        parser.SetOverwriteDecimalSymbol(row.overwrite);
        parser.SetConvertAllColonsAndDots(row.convert_all);
        parser.SetPrecision(row.precision);
        EXPECT_EQ(Run(row.expression), row.expected);
    }
}

TEST_F(EvaluationTest, ConvertAllTurnsBothSymbolsIntoTheDecimalSymbolWhileBuilding) {
    parser.SetConvertAllColonsAndDots(true);
    parser.SetOverwriteDecimalSymbol(",");
    SetDecimalSeparator(',');
    EXPECT_EQ(Run("1.5+2,5"), "4");
    EXPECT_EQ(parser.Expression(), "1,5+2,5");
}

TEST_F(EvaluationTest, ALiteralIsReconvertedWhenTheDecimalSettingsChange) {
    parser.SetExpression("x+pi");
    ASSERT_TRUE(parser.CreateTree());
    parser.SetX("1,5");
    EXPECT_EQ(parser.Evaluate(), 1.0L + 3.1415927L);
    parser.SetOverwriteDecimalSymbol(",");
    EXPECT_EQ(parser.Evaluate(), 1.5L + 3.1415927L);
    parser.SetOverwriteDecimalSymbol("ab");
    EXPECT_EQ(parser.Evaluate(), 1.0L + 3.0L);  // "3ab1415927" converts only its "3"
    parser.SetOverwriteDecimalSymbol("");
    parser.SetConvertAllColonsAndDots(true);
    EXPECT_EQ(parser.Evaluate(), 1.5L + 3.1415927L);
}

TEST_F(EvaluationTest, AnOperandTooLargeRaisesTheConversionError) {
    parser.SetExpression("x+1");
    ASSERT_TRUE(parser.CreateTree());
    parser.SetX("9e99999");
    try {
        parser.Evaluate();
        FAIL() << "no error";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), "9e99999 kann nicht in eine Zahl umgewandelt werden! (STD)");
    }
}

TEST(Modl, TruncatesTowardZero) {
    struct Row {
        long double a, b, expected;
    };
    const Row rows[] = {{7, 3, 1}, {-7, 3, -1},       {7, -3, 1},          {7.5L, 2, 1.5L},
                        {7, 0, 0}, {1e30L, 7, 1e30L}, {-1e30L, 7, -1e30L}, {5, 1e-30L, 5}};
    for (const Row& row : rows) {
        EXPECT_EQ(modl(row.a, row.b), row.expected) << row.a << " mod " << row.b;
    }
}

TEST_F(EvaluationTest, DeepTreesEvaluateWithoutRecursion) {
    std::string sum = "1";
    for (int i = 1; i < 5000; ++i) sum += "+1";
    EXPECT_EQ(Run(sum), "5000");
    std::string nested = "x";
    for (int i = 0; i < 2000; ++i) nested = "(1+" + nested + ")";
    parser.SetX("1");
    EXPECT_EQ(Run(nested), "2001");
}

TEST_F(EvaluationTest, ATreeFarDeeperThanTheCallStackEvaluatesAndIsReleased) {
    // 200,000 nested "1+(...)" nodes, put together directly: no build makes a tree this deep
    // within its work limit, but evaluating and releasing one must not recurse either.
    constexpr int kDepth = 200000;
    Tree root("x");
    for (int i = 0; i < kDepth; ++i) {
        Tree sum("+");
        sum.LeftNode = std::make_unique<Tree>("1");
        sum.RightNode = std::make_unique<Tree>(std::move(root));
        root = std::move(sum);
    }
    parser.SetX("0.5");
    EXPECT_EQ(parser.Eval(root), kDepth + 0.5L);
}

}  // namespace
