// Runs in a process of its own: no component has built a tree yet.
#include <gtest/gtest.h>

#include "parser/bparser.h"
#include "parser/decimal_separator.h"

namespace {

TEST(InitialTree, EvaluatesToZeroBeforeAnyBuild) {
    SetDecimalSeparator('.');
    TBParser parser(nullptr);
    EXPECT_EQ(parser.Evaluate(), 0.0L);
    EXPECT_EQ(parser.ErgebnisString(), "0");
}

}  // namespace
