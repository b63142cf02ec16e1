#include "parser/bparser.h"

#include <gtest/gtest.h>

#include <QObject>
#include <QVariant>
#include <memory>

#include "core/component_palette.h"
#include "core/exception.h"
#include "parser/decimal_separator.h"
#include "parser/shared_tree.h"

namespace {

class BParserTest : public ::testing::Test {
protected:
    void SetUp() override { SetDecimalSeparator('.'); }
    void TearDown() override { ResetDecimalSeparator(); }

    QObject owner;
};

TEST_F(BParserTest, StartsWithTheDocumentedValues) {
    auto* parser = new TBParser(&owner);
    EXPECT_EQ(parser->Owner(), &owner);
    EXPECT_EQ(parser->Expression(), "");
    EXPECT_EQ(parser->Precision(), 8);
    EXPECT_FALSE(parser->ConvertAllColonsAndDots());
    EXPECT_EQ(parser->ErgebnisString(), "");
    EXPECT_EQ(parser->LandDot(), "");
}

TEST_F(BParserTest, PublishesItsSettingsAsProperties) {
    auto* parser = new TBParser(&owner);
    const struct {
        const char* name;
        QVariant value;
    } rows[] = {
        {"Expression", QString("x^2")},
        {"Precision", 3},
        {"X", QString("1,5")},
        {"A", QString("1")},
        {"B", QString("2")},
        {"C", QString("3")},
        {"D", QString("4")},
        {"OverwriteDecimalSymbol", QString(",")},
        {"ConvertAllColonsAndDots", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_TRUE(parser->setProperty(row.name, row.value));
        EXPECT_EQ(parser->property(row.name), row.value);
    }
    EXPECT_EQ(parser->X(), "1,5");
    EXPECT_EQ(parser->D(), "4");
    // ErgebnisString is read only.
    EXPECT_FALSE(parser->setProperty("ErgebnisString", QString("7")));
    EXPECT_EQ(parser->property("ErgebnisString").toString(), "");
}

TEST_F(BParserTest, ReevaluatesWithNewVariablesWithoutRebuilding) {
    TBParser parser(nullptr);
    parser.SetExpression("x^2");
    ASSERT_TRUE(parser.CreateTree());
    parser.SetX("3");
    EXPECT_EQ(parser.Evaluate(), 9.0L);
    parser.SetX("4");
    EXPECT_EQ(parser.Evaluate(), 16.0L);
    EXPECT_EQ(parser.ErgebnisString(), "16");

    parser.SetExpression("a+b*c-d+x");
    ASSERT_TRUE(parser.CreateTree());
    parser.SetA("1");
    parser.SetB("2");
    parser.SetC("3");
    parser.SetD("4");
    parser.SetX("5");
    EXPECT_EQ(parser.Evaluate(), 8.0L);

    // A new Expression without a build leaves the old tree in place.
    parser.SetExpression("1+1");
    EXPECT_EQ(parser.Evaluate(), 8.0L);
}

TEST_F(BParserTest, KeepsTheNormalisedExpressionAfterABuild) {
    TBParser parser(nullptr);
    parser.SetExpression("sin(x) * 2");
    ASSERT_TRUE(parser.CreateTree());
    EXPECT_EQ(parser.Expression(), "s#(x)*2");
    EXPECT_EQ(parser.property("Expression").toString(), "s#(x)*2");
    // The normalised text builds the same tree again.
    ASSERT_TRUE(parser.CreateTree());
    EXPECT_EQ(parser.Expression(), "s#(x)*2");
    EXPECT_EQ(RootTree().NodeText, "*");
    EXPECT_EQ(RootTree().LeftNode->NodeText, "#");

    parser.SetExpression(" ( 1 + 2 ) ");
    ASSERT_TRUE(parser.CreateTree());
    EXPECT_EQ(parser.Expression(), "1+2");
}

TEST_F(BParserTest, PrecisionAppliesAtTheNextEvaluation) {
    TBParser parser(nullptr);
    parser.SetExpression("2/3");
    ASSERT_TRUE(parser.CreateTree());
    parser.Evaluate();
    EXPECT_EQ(parser.ErgebnisString(), "0.66666667");
    parser.SetPrecision(2);
    EXPECT_EQ(parser.ErgebnisString(), "0.66666667");
    parser.Evaluate();
    EXPECT_EQ(parser.ErgebnisString(), "0.67");
}

TEST_F(BParserTest, AnErrorKeepsThePreviousResultText) {
    TBParser parser(nullptr);
    parser.SetExpression("1/x");
    ASSERT_TRUE(parser.CreateTree());
    parser.SetX("4");
    parser.Evaluate();
    parser.SetX("0");
    EXPECT_THROW(parser.Evaluate(), Exception);
    EXPECT_EQ(parser.ErgebnisString(), "0.25");

    parser.SetExpression("ln(0)");
    ASSERT_TRUE(parser.CreateTree());
    try {
        parser.Evaluate();
        FAIL() << "no error";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), "Log von X mit X <= 0");
    }
    EXPECT_EQ(parser.ErgebnisString(), "0.25");
}

TEST_F(BParserTest, AllComponentsShareOneTree) {
    auto first = std::make_unique<TBParser>(nullptr);
    TBParser second(nullptr);
    first->SetExpression("1+1");
    ASSERT_TRUE(first->CreateTree());
    second.SetExpression("2*3");
    ASSERT_TRUE(second.CreateTree());
    EXPECT_EQ(first->Evaluate(), 6.0L);

    // Each evaluates the shared tree with its own variables and settings.
    second.SetExpression("x/4");
    ASSERT_TRUE(second.CreateTree());
    first->SetX("1");
    second.SetX("2");
    second.SetOverwriteDecimalSymbol(",");
    EXPECT_EQ(first->Evaluate(), 0.25L);
    EXPECT_EQ(second.Evaluate(), 0.5L);
    EXPECT_EQ(first->ErgebnisString(), "0.25");
    EXPECT_EQ(second.ErgebnisString(), "0,5");

    // The tree outlives the component that built it.
    first->SetExpression("x*10");
    ASSERT_TRUE(first->CreateTree());
    first.reset();
    EXPECT_EQ(second.Evaluate(), 20.0L);
}

TEST_F(BParserTest, AFailedBuildStillReplacesTheSharedTree) {
    TBParser parser(nullptr);
    parser.SetExpression("7*6");
    ASSERT_TRUE(parser.CreateTree());
    parser.SetExpression("sqrt(4)");
    EXPECT_FALSE(parser.CreateTree());
    EXPECT_EQ(parser.Evaluate(), 0.0L);
    EXPECT_EQ(parser.ErgebnisString(), "0");

    parser.SetExpression("");
    EXPECT_FALSE(parser.CreateTree());
    parser.SetExpression("2x+1");
    EXPECT_FALSE(parser.CreateTree());
    EXPECT_EQ(parser.Evaluate(), 3.0L);  // the leftover leaf "2x" converts leniently
    parser.SetExpression("2*(-)");
    EXPECT_FALSE(parser.CreateTree());
    EXPECT_EQ(parser.Evaluate(), 0.0L);  // a leftover operator leaf counts as 0
}

TEST_F(BParserTest, DecimalSymbolFollowsThePlatformUnlessOverwritten) {
    TBParser parser(nullptr);
    SetDecimalSeparator(',');
    parser.SetExpression("1/4+2,5");
    ASSERT_TRUE(parser.CreateTree());
    EXPECT_EQ(parser.LandDot(), ",");
    parser.Evaluate();
    EXPECT_EQ(parser.ErgebnisString(), "2,75");
    // A "." literal is no number on a "," platform, whatever symbol the component uses.
    parser.SetOverwriteDecimalSymbol(".");
    parser.SetExpression("2.5*2");
    EXPECT_FALSE(parser.CreateTree());
    EXPECT_EQ(parser.LandDot(), ".");
}

TEST_F(BParserTest, RegistersOnTheBrindlexPage) {
    Bparser::Register();
    const auto names = RegisteredComponentNames(kBrindlexPalettePage);
    EXPECT_NE(std::find(names.begin(), names.end(), "TBParser"), names.end());
}

}  // namespace
