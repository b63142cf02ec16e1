#include "parser/parse_tree.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "parser/decimal_separator.h"

namespace {

class ParseTreeTest : public ::testing::Test {
protected:
    void SetUp() override { SetDecimalSeparator('.'); }
    void TearDown() override { ResetDecimalSeparator(); }
};

// The tree as text: a leaf is its text, an inner node "(left op right)".
std::string Shape(const Tree& node) {
    if (node.IsLeaf()) return node.NodeText;
    return "(" + Shape(*node.LeftNode) + " " + node.NodeText + " " + Shape(*node.RightNode) + ")";
}

TEST(EntferneKlammern, RemovesOneEnclosingPair) {
    struct Row {
        const char* text;
        const char* expected;
    };
    const Row rows[] = {
        {"((a))", "(a)"}, {"(a)+(b)", "(a)+(b)"}, {"()", ""}, {"(1+2)", "1+2"},
        {"(1", "(1"},     {"1)", "1)"},           {"", ""},   {"(", "("},
        {"(()", "("},     {"())(()", "())(()"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(EntferneKlammern(row.text), row.expected);
    }
}

TEST(Assiotiativitaet, RewritesTheRestOfSubtractionAndDivisionChains) {
    struct Row {
        const char* text;
        const char* expected;
    };
    const Row rows[] = {
        {"1-2+3", "1-2-3"},
        {"1-2-3", "1-2+3"},
        {"1+2-3+4", "1+2-3-4"},
        {"1-(2+3)+4", "1-(2+3)-4"},
        {"8/2/2", "8/2*2"},
        {"8/(2/2)/2", "8/(2/2)*2"},
        {"2*6/3*2", "2*6/3*2"},
        {"1/2+1/2", "1/2+1/2"},
        {"1-2*3/4", "1-2*3/4"},
        {"2^3^2", "2^3^2"},
        // A "*" after the "/" is where such a product is split, so nothing is rewritten.
        {"6/3*2", "6/3*2"},
        {"(1-2+3)", "(1-2+3)"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(Assiotiativitaet(row.text), row.expected);
    }
}

TEST(SplitLowest, SplitsAtTheLeastBindingOperator) {
    struct Row {
        const char* text;
        const char* left;
        const char* op;
        const char* right;
    };
    const Row rows[] = {
        {"1-2+3", "1", "-", "2-3"},
        {"1+2+3", "1+2", "+", "3"},
        {"1+2-3+4", "1+2", "-", "3-4"},
        {"2*3+4", "2*3", "+", "4"},
        {"2^3^2", "2", "^", "3^2"},
        {"7m3m2", "7", "m", "3m2"},
        {"2*3^2", "2", "*", "3^2"},
        {"s#x^2", "s#x", "^", "2"},
        {"(1+2)*(3+4)", "1+2", "*", "3+4"},
        {"-x", "", "-", "x"},
        {"8/2/2", "8", "/", "2*2"},
        {"6/3*0", "6/3", "*", "0"},
        {"6/3*2/4", "6/3", "*", "2/4"},
        {"(2*3)", "(2", "*", "3)"},  // the caller removes the outer pair
        {"12", "", "", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        std::string left = "?", right = "?", op = "?";
        SplitLowest(left, right, op, row.text);
        EXPECT_EQ(left, row.left);
        EXPECT_EQ(op, row.op);
        EXPECT_EQ(right, row.right);
    }
}

TEST_F(ParseTreeTest, BuildsTheExpectedShapes) {
    struct Row {
        const char* text;
        const char* shape;
    };
    const Row rows[] = {
        {"s#(x)^2", "((s # x) ^ 2)"}, {"1-2+3", "(1 - (2 - 3))"},
        {"-2^2", "(0 - (2 ^ 2))"},    {"(-2)^2", "(-2 ^ 2)"},
        {"2^(-1)", "(2 ^ -1)"},       {"a+b*c-d+x", "((a + (b * c)) - (d - x))"},
        {"6/3*0", "((6 / 3) * 0)"},   {"1/2*3/4*5", "((1 / 2) * ((3 / 4) * 5))"},
        {"8/2/2", "(8 / (2 * 2))"},   {"PI*E", "(PI * E)"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        Tree root;
        ASSERT_TRUE(MakeTree(root, row.text));
        EXPECT_EQ(Shape(root), row.shape);
    }
}

TEST_F(ParseTreeTest, RejectsIllFormedTexts) {
    const char* texts[] = {"",       "2+", "*2",   "2*-3", "2^-1",    "sqrt(4)",   "2x",
                           "2.50+1", "02", "(1+2", "1+2)", "((1+2))", "3*((1+2))", "1E-7",
                           "2*(-)",  "()", "x+",   "s#",   "q#2",     "1..2",      "(1)(2)"};
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        Tree root;
        EXPECT_FALSE(MakeTree(root, text));
    }
}

TEST_F(ParseTreeTest, AFailedBuildKeepsTheUnsplitPartsAsLeaves) {
    struct Row {
        const char* text;
        const char* shape;
    };
    const Row rows[] = {
        {"sqrt(4)", ""},  // no operator: the root keeps its empty text
        {"2+", ""},       // missing operand: likewise
        {"2x+1", "(2x + 1)"},
        {"2*(-)", "(2 * -)"},
        {"3*((1+2))", "(3 * ((1 + 2)))"},  // "(1" and "2)" stay as leaves
        {"2*-3", "(2* - 3)"},
        {"1+(/2/3)", "(1 + /2/3)"},  // the failed part's own text, not its rewritten form
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        Tree root;
        EXPECT_FALSE(MakeTree(root, row.text));
        EXPECT_EQ(Shape(root), row.shape);
    }
}

TEST_F(ParseTreeTest, VeryLongAndDeeplyNestedTextsNeverExhaustTheStack) {
    constexpr int kTerms = 100000;
    std::string sum = "1";
    std::string nested = "1";
    for (int i = 1; i < kTerms; ++i) sum += "+1";
    for (int i = 1; i < 2000; ++i) nested = "(1+" + nested + ")";
    std::string deep_nested;
    for (int i = 0; i < kTerms; ++i) deep_nested += "(1+";
    deep_nested += "1";
    deep_nested.append(kTerms, ')');

    Tree nested_tree;
    EXPECT_TRUE(MakeTree(nested_tree, "1+" + nested));

    // Either built or refused; what matters is that the build returns and the trees (however
    // deep) are released without recursion.
    Tree sum_tree;
    (void)MakeTree(sum_tree, sum);
    Tree deep_tree;
    (void)MakeTree(deep_tree, deep_nested);
}

TEST_F(ParseTreeTest, ABuildOverItsWorkLimitReturnsFalseWithAWellFormedTree) {
    std::string sum = "1";
    for (int i = 1; i < 200; ++i) sum += "+1";
    BuildLimits limits;
    limits.max_scanned_characters = 1000;
    Tree root;
    EXPECT_FALSE(MakeTree(root, sum, limits));
    // Every leaf is a complete text; every inner node has both operands.
    std::function<void(const Tree&)> check = [&](const Tree& node) {
        EXPECT_EQ(node.LeftNode == nullptr, node.RightNode == nullptr);
        if (!node.IsLeaf()) {
            EXPECT_TRUE(IsOperatorCode(node.NodeText[0]));
            check(*node.LeftNode);
            check(*node.RightNode);
        }
    };
    check(root);
}

}  // namespace
