#include "midi/note_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/string_list.h"

namespace {

using midi::ExtractNotes;
using midi::GetSekundenOfLength;
using midi::LongToStr;
using midi::LookUpLength;
using midi::ReadKey;

TEST(ExtractNotes, SplitsAtEveryCommaAndDropsOnlyAnEmptyLastItem) {
    const struct {
        const char* keys;
        std::vector<std::string> items;
    } rows[] = {
        {"60,64,67", {"60", "64", "67"}},
        {"60,,64", {"60", "", "64"}},
        {",60", {"", "60"}},
        {"60,", {"60"}},
        {"60,,", {"60", ""}},
        {",", {""}},
        {"60, 64", {"60", " 64"}},
        {" 60 ", {" 60 "}},
        {"", {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.keys);
        TStringList list{"left over"};
        ExtractNotes(row.keys, list);
        EXPECT_EQ(list.Lines(), row.items);
        EXPECT_EQ(midi::CountKeyItems(row.keys), static_cast<int>(row.items.size()));
    }
}

TEST(ReadKey, ReadsLikeAtol) {
    const struct {
        const char* item;
        int64_t value;
    } rows[] = {
        {"64", 64},
        {" 64", 64},
        {"\t\n64", 64},
        {"64x", 64},
        {"6 4", 6},
        {"", 0},
        {"x64", 0},
        {"+7", 7},
        {"-7", -7},
        {"- 7", 0},
        {"007", 7},
        {"0x40", 0},
        {"--1", 0},
        {"128", 128},
        {"-0", 0},
        {"9223372036854775807", std::numeric_limits<int64_t>::max()},
        {"9223372036854775808", std::numeric_limits<int64_t>::max()},
        {"-9223372036854775808", std::numeric_limits<int64_t>::min()},
        {"-99999999999999999999", std::numeric_limits<int64_t>::min()},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.item);
        EXPECT_EQ(ReadKey(row.item), row.value);
    }
}

TEST(LookUpLength, KnowsTheTwentyFourCodesAndTakesAnythingElseAsAWholeNote) {
    const struct {
        const char* code;
        int ticks;
        std::vector<uint8_t> delta;
    } rows[] = {
        {"1", 3072, {0x98, 0x00}},
        {"T1", 2048, {0x90, 0x00}},
        {"P1", 4608, {0xA4, 0x00}},
        {"D1", 5376, {0xAA, 0x00}},
        {"2", 1536, {0x8C, 0x00}},
        {"T2", 1024, {0x88, 0x00}},
        {"P2", 2304, {0x92, 0x00}},
        {"D2", 2688, {0x95, 0x00}},
        {"4", 768, {0x86, 0x00}},
        {"T4", 512, {0x84, 0x00}},
        {"P4", 1152, {0x89, 0x00}},
        {"D4", 1344, {0x8A, 0x40}},
        {"8", 384, {0x83, 0x00}},
        {"T8", 256, {0x82, 0x00}},
        {"P8", 576, {0x84, 0x40}},
        {"D8", 672, {0x85, 0x20}},
        {"16", 192, {0x81, 0x40}},
        {"T16", 128, {0x81, 0x00}},
        {"P16", 288, {0x82, 0x20}},
        {"D16", 336, {0x82, 0x50}},
        {"32", 96, {0x60}},
        {"T32", 64, {0x40}},
        {"P32", 144, {0x81, 0x10}},
        {"D32", 168, {0x81, 0x28}},
        // Not codes: compared exactly, so these are whole notes.
        {"t8", 3072, {0x98, 0x00}},
        {" 4", 3072, {0x98, 0x00}},
        {"4 ", 3072, {0x98, 0x00}},
        {"", 3072, {0x98, 0x00}},
        {"3", 3072, {0x98, 0x00}},
        {"p4", 3072, {0x98, 0x00}},
        {"T", 3072, {0x98, 0x00}},
        {"64", 3072, {0x98, 0x00}},
        {"TT4", 3072, {0x98, 0x00}},
        {"04", 3072, {0x98, 0x00}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string("code \"") + row.code + "\"");
        const midi::NoteLength& length = LookUpLength(row.code);
        EXPECT_EQ(length.ticks, row.ticks);
        EXPECT_EQ(std::vector<uint8_t>(length.delta, length.delta + length.delta_size), row.delta);
    }
}

TEST(GetSekundenOfLength, ScalesTheWholeNoteByTheCodesFraction) {
    const struct {
        const char* code;
        long double seconds;
    } rows[] = {
        {"4", 0.5L},  {"T8", 2.0L / 12.0L}, {"D4", 0.875L},
        {"P1", 3.0L}, {"D32", 0.109375L},   {"T32", 2.0L / 48.0L},
        {"t8", 2.0L}, {"", 2.0L},           {"1", 2.0L},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.code);
        EXPECT_NEAR(static_cast<double>(GetSekundenOfLength(row.code, 2.0L)),
                    static_cast<double>(row.seconds), 1e-15);
    }
    // The quotient is taken in extended precision before it is scaled.
    EXPECT_EQ(GetSekundenOfLength("T8", 2.0L), (1.0L / 12.0L) * 2.0L);
}

TEST(LongToStr, CutsToThousandthsWithAFullStop) {
    const struct {
        long double value;
        const char* text;
    } rows[] = {
        {1.5L, "1.500"},
        {12.3456L, "12.345"},
        {1234.5L, "1234.500"},
        {0.25L, "0.250"},
        {0.1L, "0.100"},
        {0.0999L, "0"},
        {0.0L, "0"},
        {2.0L, "2.000"},
        {0.875L, "0.875"},
        {1e15L, "1000000000000000.000"},
        // Negative values carry their sign in front of the whole text.
        {-0.5L, "-0.500"},
        {-0.01L, "0"},
        {-1.5L, "-1.500"},
        {-12.3456L, "-12.345"},
        {-0.0999L, "0"},
        {-0.0L, "0"},
        {std::numeric_limits<long double>::infinity(), "INF"},
        {-std::numeric_limits<long double>::infinity(), "-INF"},
        {std::numeric_limits<long double>::quiet_NaN(), "NAN"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(LongToStr(row.value), row.text);
    }
    // The largest values are written out in full rather than cut off.
    const std::string largest = LongToStr(std::numeric_limits<long double>::max());
    EXPECT_GT(largest.size(), 4000u);
    EXPECT_TRUE(largest.ends_with(".000")) << largest;
    EXPECT_TRUE(LongToStr(-std::numeric_limits<long double>::max()).starts_with("-1"));
}

}  // namespace
