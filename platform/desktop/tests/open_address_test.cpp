#include "desktop/open_address.h"

#include <gtest/gtest.h>

#include <QFile>

#include "recording_default_handler.h"

namespace {

class OpenAddressTest : public testing::Test {
protected:
    RecordingDefaultHandler handler_;
};

TEST_F(OpenAddressTest, HandsTheAddressOverAsOneArgumentThatNoShellReads) {
    const QString marker = handler_.Folder() + "/ran";
    const struct {
        const char* name;
        std::string address;
        QString expected;
    } cases[] = {
        {"web address", "https://www.brindlex.de/tapwerk?a=1&b=2",
         "https://www.brindlex.de/tapwerk?a=1&b=2"},
        {"command substitution", "https://x/$(touch " + marker.toStdString() + ")",
         "https://x/$(touch " + marker + ")"},
        {"separators and quotes", "a b; touch '" + marker.toStdString() + "' | `id`",
         "a b; touch '" + marker + "' | `id`"},
        {"leading dash is no option", "--help", "./--help"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(OpenWithDefaultHandler(row.address));
        EXPECT_EQ(handler_.WaitForArguments(), QStringList{row.expected});
        EXPECT_FALSE(QFile::exists(marker));
    }
}

TEST_F(OpenAddressTest, ReportsWhatCannotBeStarted) {
    EXPECT_FALSE(OpenWithDefaultHandler(""));
    ScopedDefaultHandlerOverride missing(handler_.Folder() + "/no-such-handler");
    EXPECT_FALSE(OpenWithDefaultHandler("https://www.brindlex.de/"));
}

}  // namespace
