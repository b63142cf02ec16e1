// Builds and evaluates random expressions with random decimal settings, precision and
// variable texts: no input may crash, hang or trip a sanitizer.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/exception.h"
#include "parser/bparser.h"
#include "parser/decimal_separator.h"

namespace {

const char* const kSymbols[] = {"", ".", ",", "ab", ";", "0", "-"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4) return 0;
    SetDecimalSeparator((data[0] & 1) ? ',' : '.');
    TBParser parser(nullptr);
    parser.SetOverwriteDecimalSymbol(kSymbols[(data[0] >> 1) % std::size(kSymbols)]);
    parser.SetConvertAllColonsAndDots((data[0] & 0x80) != 0);
    parser.SetPrecision(static_cast<int8_t>(data[1]) * (data[2] & 0x0F));

    // The rest is the expression, then after a byte 0 the text of x, then of a.
    const std::string rest(reinterpret_cast<const char*>(data + 3), size - 3);
    const size_t first = rest.find('\0');
    parser.SetExpression(rest.substr(0, first));
    if (first != std::string::npos) {
        const size_t second = rest.find('\0', first + 1);
        parser.SetX(rest.substr(first + 1, second - first - 1));
        if (second != std::string::npos) parser.SetA(rest.substr(second + 1));
    }
    (void)parser.CreateTree();
    for (int round = 0; round < 2; ++round) {
        try {
            parser.Evaluate();
            (void)parser.ErgebnisString();
        } catch (const Exception&) {
        }
        parser.SetPrecision(parser.Precision() + 20);
        parser.SetOverwriteDecimalSymbol("");
    }
    return 0;
}
