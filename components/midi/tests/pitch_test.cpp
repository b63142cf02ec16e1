#include "midi/pitch.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

TEST(GetOctave, TwelveKeysPerOctaveAndZeroBelowTwelve) {
    const struct {
        int key;
        int octave;
    } rows[] = {{11, 0}, {12, 1},  {0, 0},    {-5, 0},   {-100, 0}, {59, 4},
                {60, 5}, {119, 9}, {120, 10}, {127, 10}, {131, 10}, {132, 11}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.key);
        EXPECT_EQ(midi::GetOctave(row.key), row.octave);
    }
}

TEST(GetHz, StepsUpFromEachOctavesC) {
    const struct {
        int key;
        const char* hertz;
    } rows[] = {
        {0, "8,175"},     {-3, "8,175"},      {11, "15,434"},    {12, "16,351"},
        {57, "219,999"},  {60, "261,625"},    {69, "440,000"},   {81, "880,001"},
        {93, "1759,999"}, {127, "12543,855"}, {120, "8372,019"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.key);
        EXPECT_EQ(midi::GetHz(row.key), row.hertz);
    }
}

TEST(GetHz, StaysWithinACentOfEqualTemperamentForEveryMidiKey) {
    for (int key = 0; key <= 127; ++key) {
        std::string text = midi::GetHz(key);
        const size_t comma = text.find(',');
        ASSERT_EQ(comma, text.size() - 4) << text;
        ASSERT_GE(comma, 1u) << text;
        text[comma] = '.';
        const double equal_tempered = 440.0 * std::pow(2.0, (key - 69) / 12.0);
        EXPECT_NEAR(std::stod(text) / equal_tempered, 1.0, 0.0006) << "key " << key;
    }
}

}  // namespace
