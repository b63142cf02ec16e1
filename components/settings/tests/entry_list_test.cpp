#include "settings/entry_list.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/exception.h"

namespace {

using Bdreg::Entry;
using Bdreg::EntryList;

// The plain list that EntryList must behave like: linear scans, erase from the middle.
struct ModelList {
    std::vector<Entry> entries;

    int IndexOf(const std::string& key, const std::string& folder) const {
        for (size_t i = 0; i < entries.size(); ++i) {
            if (entries[i].key == key && entries[i].folder == folder) return static_cast<int>(i);
        }
        return -1;
    }
    bool Remove(const std::string& key, const std::string& folder) {
        const int at = IndexOf(key, folder);
        if (at < 0) return false;
        entries.erase(entries.begin() + at);
        return true;
    }
    void Add(const std::string& key, const std::string& value, const std::string& folder) {
        Remove(key, folder);
        entries.push_back({key, folder, value});
    }
};

std::vector<Entry> InOrder(const EntryList& list) { return {list.begin(), list.end()}; }

TEST(EntryList, AddOfAnExistingEntryReplacesItsValueAndMovesItToTheEnd) {
    EntryList list;
    list.Add("Width", "10", "");
    list.Add("Mode", "2", "");
    list.Add("Width", "20", "");
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.IndexOf("Mode", ""), 0);
    EXPECT_EQ(list.IndexOf("Width", ""), 1);
    EXPECT_EQ(list.At(1).value, "20");
}

TEST(EntryList, KeyAndFolderCompareByteForByte) {
    EntryList list;
    list.Add("Width", "1", "");
    list.Add("Width", "2", "Main");
    list.Add("width", "3", "main");
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Find("Width", "")->value, "1");
    EXPECT_EQ(list.Find("Width", "Main")->value, "2");
    EXPECT_EQ(list.Find("Width", "main"), nullptr);
    // A NUL byte is part of the text, not its end.
    list.Add(std::string("a\0b", 3), "4", "");
    EXPECT_EQ(list.Find("a", ""), nullptr);
    EXPECT_EQ(list.Find(std::string("a\0b", 3), "")->value, "4");
}

TEST(EntryList, AtOutsideTheListRaisesTheListIndexError) {
    EntryList list;
    list.Add("a", "1", "");
    try {
        (void)list.At(1);
        FAIL() << "no error raised";
    } catch (const EStringListError& error) {
        EXPECT_EQ(error.Message(), "List index out of bounds (1)");
    }
    EXPECT_THROW((void)list.At(-1), EStringListError);
}

// Random adds, re-adds and removals over a small key space, so that entries move, holes pile
// up and get squeezed out many times; positions, lookups and order must match the model.
TEST(EntryList, BehavesLikeAPlainListUnderRandomChanges) {
    std::mt19937 random(20240521);
    EntryList list;
    ModelList model;
    const auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    for (int step = 0; step < 20000; ++step) {
        const std::string key = "k" + std::to_string(pick(300));
        const std::string folder = pick(4) == 0 ? "F" : "";
        const int action = pick(10);
        if (action < 6) {
            const std::string value = std::to_string(step);
            list.Add(key, value, folder);
            model.Add(key, value, folder);
        } else if (action < 9) {
            ASSERT_EQ(list.Remove(key, folder), model.Remove(key, folder)) << "step " << step;
        } else if (pick(50) == 0) {
            list.Clear();
            model.entries.clear();
        }
        ASSERT_EQ(list.IndexOf(key, folder), model.IndexOf(key, folder)) << "step " << step;
        ASSERT_EQ(list.Count(), static_cast<int>(model.entries.size()));
        if (!model.entries.empty()) {
            const int position = pick(list.Count());
            ASSERT_TRUE(list.At(position) == model.entries[position]) << "step " << step;
        }
        if (step % 500 == 0) {
            ASSERT_TRUE(InOrder(list) == model.entries) << "step " << step;
        }
    }
    EXPECT_TRUE(InOrder(list) == model.entries);
}

}  // namespace
