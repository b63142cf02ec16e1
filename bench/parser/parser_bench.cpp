// TBParser against muparser on the same expressions with a changing x, and the cost of one
// CreateTree on a 10,000-character expression.
//
//   build-parser/bench/parser/parser_bench --benchmark_min_time=0.5
#include <benchmark/benchmark.h>
#include <muParser.h>

#include <cstdio>
#include <string>
#include <vector>

#include "parser/bparser.h"
#include "parser/decimal_separator.h"

namespace {

struct BenchExpression {
    const char* ours;
    const char* muparser;
};

// The same arithmetic in both languages (muparser writes the decimal logarithm log10).
const BenchExpression kExpressions[] = {
    {"x^2+2*x+1", "x^2+2*x+1"},
    {"sin(x)*cos(x)+x/3", "sin(x)*cos(x)+x/3"},
    {"(x+1)*(x-1)/(x^2+1)", "(x+1)*(x-1)/(x^2+1)"},
    {"abs(x-2)*ln(x+3)-lg(x+10)+2.5*x^3-x/7", "abs(x-2)*ln(x+3)-log10(x+10)+2.5*x^3-x/7"},
};

constexpr size_t kValues = 1024;

std::vector<double> XValues() {
    std::vector<double> values;
    for (size_t i = 0; i < kValues; ++i) values.push_back(0.25 + 0.37 * static_cast<double>(i));
    return values;
}

// The texts of the same values, as a caller of TBParser holds them.
std::vector<std::string> XTexts() {
    std::vector<std::string> texts;
    for (double value : XValues()) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.2f", value);
        texts.emplace_back(buffer);
    }
    return texts;
}

// Evaluate with a new x each time; with read_result, also the formatted result text.
void EvaluateTBParser(benchmark::State& state, bool read_result) {
    SetDecimalSeparator('.');
    TBParser parser(nullptr);
    parser.SetExpression(kExpressions[state.range(0)].ours);
    if (!parser.CreateTree()) state.SkipWithError("expression did not build");
    const std::vector<std::string> texts = XTexts();
    size_t i = 0;
    for (auto _ : state) {
        parser.SetX(texts[i++ % kValues]);
        benchmark::DoNotOptimize(parser.Evaluate());
        if (read_result) benchmark::DoNotOptimize(parser.ErgebnisString().data());
    }
    state.SetLabel(kExpressions[state.range(0)].ours);
}

void BM_TBParserEvaluate(benchmark::State& state) { EvaluateTBParser(state, false); }
void BM_TBParserEvaluateWithText(benchmark::State& state) { EvaluateTBParser(state, true); }

void BM_MuparserEval(benchmark::State& state) {
    mu::Parser parser;
    double x = 0;
    parser.DefineVar("x", &x);
    parser.SetExpr(kExpressions[state.range(0)].muparser);
    const std::vector<double> values = XValues();
    size_t i = 0;
    for (auto _ : state) {
        x = values[i++ % kValues];
        benchmark::DoNotOptimize(parser.Eval());
    }
    state.SetLabel(kExpressions[state.range(0)].muparser);
}

// About 10,000 characters of terms joined by "+" and "-", each a product with a function.
// modulo_term stands for the one term that the two languages write differently.
std::string LongExpression(const char* modulo_term) {
    const char* terms[] = {"sin(x)*2.5", "(x+1)/3", "abs(x-4)^2", "ln(x+2)*x", modulo_term};
    std::string text = "1";
    for (size_t i = 0; text.size() < 10000; ++i) {
        text += (i % 3 == 2) ? '-' : '+';
        text += terms[i % std::size(terms)];
    }
    return text;
}

void BM_TBParserCreateTree10k(benchmark::State& state) {
    SetDecimalSeparator('.');
    TBParser parser(nullptr);
    const std::string text = LongExpression("7mod3*x");
    for (auto _ : state) {
        parser.SetExpression(text);
        if (!parser.CreateTree()) state.SkipWithError("expression did not build");
    }
    state.SetLabel(std::to_string(text.size()) + " characters");
}

void BM_MuparserSetExpr10k(benchmark::State& state) {
    mu::Parser parser;
    double x = 1;
    parser.DefineVar("x", &x);
    // muparser has no "mod"; its fmod would be a function call, so write the same value.
    const std::string text = LongExpression("1*x");
    for (auto _ : state) {
        parser.SetExpr(text);
        benchmark::DoNotOptimize(parser.Eval());  // muparser parses lazily, at the first Eval
    }
    state.SetLabel(std::to_string(text.size()) + " characters");
}

BENCHMARK(BM_TBParserEvaluate)->DenseRange(0, 3);
BENCHMARK(BM_MuparserEval)->DenseRange(0, 3);
BENCHMARK(BM_TBParserEvaluateWithText)->DenseRange(0, 3);
BENCHMARK(BM_TBParserCreateTree10k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MuparserSetExpr10k)->Unit(benchmark::kMillisecond);

}  // namespace
