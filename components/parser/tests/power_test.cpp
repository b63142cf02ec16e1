// The square shortcut of the power operation against the C library's pow itself, on this
// machine: it must give the same bits for every base, or "x^2" would change its results.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "parser/evaluation.h"

namespace {

uint64_t Bits(double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

double FromBits(uint64_t bits) {
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// An exponent the compiler cannot see, so that pow is really called.
double Two() {
    static volatile double two = 2.0;
    return two;
}

TEST(SquareAsPowerGivesIt, MatchesPowBitForBit) {
    std::vector<double> bases = {
        0.0, std::numeric_limits<double>::denorm_min(), DBL_MIN, DBL_MAX,
        std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN(), 0x1p-500,
        std::nextafter(0x1p-500, 1.0), 0x1p500, std::nextafter(0x1p500, 0.0), 0x1p511, 0x1p-511,
        1.0, 3.0, 0.1, 12.34, 1e154, 1e-154, std::sqrt(2.0), std::nextafter(std::sqrt(2.0), 2.0),
        // pow rounds these exact halfway squares up, the product to even.
        0x1.6a09ee4p+26, 0x1.6a09eecp+26, 0x1.6a09efcp+26};
    // Odd integers of 27 bits: their squares have 53 or 54 bits, so many are exactly halfway.
    for (uint64_t odd = (uint64_t{1} << 26) + 1; odd < (uint64_t{1} << 27); odd += 2 * 97) {
        bases.push_back(static_cast<double>(odd));
        bases.push_back(std::ldexp(static_cast<double>(odd), -300));
    }
    std::mt19937_64 random(42);
    for (int i = 0; i < 200000; ++i) {
        bases.push_back(FromBits(random()));  // every kind: NaN, infinities, subnormals
        bases.push_back(1.0 + std::ldexp(static_cast<double>(random() >> 11), -53));
        // Near the square root of a power of two, where the square crosses a binade.
        bases.push_back(FromBits(Bits(std::sqrt(2.0)) + (random() % 4096) - 2048));
        bases.push_back(FromBits(Bits(1.0) - (random() % 4096)));
    }
    const size_t count = bases.size();
    for (size_t i = 0; i < count; ++i) bases.push_back(-bases[i]);

    size_t mismatches = 0;
    for (double base : bases) {
        const double expected = std::pow(base, Two());
        const double actual = SquareAsPowerGivesIt(base, Two());
        if (Bits(actual) != Bits(expected) && ++mismatches <= 10) {
            ADD_FAILURE() << std::hexfloat << base << ": " << actual << " instead of " << expected;
        }
    }
    EXPECT_EQ(mismatches, 0U);
    // The shortcut is needed at all only because the plain product differs from pow.
    EXPECT_NE(Bits(0x1.6a09ee4p+26 * 0x1.6a09ee4p+26), Bits(std::pow(0x1.6a09ee4p+26, Two())));
}

}  // namespace
