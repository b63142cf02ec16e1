#include <gtest/gtest.h>

#include <functional>

#include "core/exception.h"
#include "core/string_list.h"

namespace {

TEST(TStringList, KeepsOrderThroughAddInsertPutAndDelete) {
    TStringList list;
    EXPECT_EQ(list.Add("b"), 0);
    EXPECT_EQ(list.Add("d"), 1);
    list.Insert(0, "a");
    list.Insert(2, "c");
    list.Put(3, "D");
    EXPECT_EQ(list.Lines(), (std::vector<std::string>{"a", "b", "c", "D"}));
    list.Delete(1);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list[1], "c");
    EXPECT_EQ(list.IndexOf("D"), 2);
    EXPECT_EQ(list.IndexOf("b"), -1);
    EXPECT_EQ(list.Text(), "a\r\nc\r\nD\r\n");
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(TStringList, BadIndexRaisesAndChangesNothing) {
    struct Row {
        const char* name;
        std::function<void(TStringList&)> operation;
        const char* message;
    };
    const Row rows[] = {
        {"get past end", [](TStringList& l) { (void)l.Get(2); }, "List index out of bounds (2)"},
        {"get negative", [](TStringList& l) { (void)l.Get(-1); }, "List index out of bounds (-1)"},
        {"put past end", [](TStringList& l) { l.Put(5, "x"); }, "List index out of bounds (5)"},
        {"delete past end", [](TStringList& l) { l.Delete(2); }, "List index out of bounds (2)"},
        {"insert beyond end", [](TStringList& l) { l.Insert(3, "x"); },
         "List index out of bounds (3)"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TStringList list{"one", "two"};
        try {
            row.operation(list);
            ADD_FAILURE() << "no error";
        } catch (const EStringListError& error) {
            EXPECT_EQ(error.Message(), row.message);
        }
        EXPECT_EQ(list.Lines(), (std::vector<std::string>{"one", "two"}));
    }
}

}  // namespace
