#include "desktop/open_address.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

namespace {

// A handler that writes its arguments, one per line, to a file next to it.
class OpenAddressTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        handler_ = folder_.filePath("handler");
        QFile script(handler_);
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(
            "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" > \"$0.args.tmp\"\n"
            "mv \"$0.args.tmp\" \"$0.args\"\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // The lines the handler wrote: the argument count, then the arguments.
    QStringList WaitForArguments() {
        QFile file(handler_ + ".args");
        for (int i = 0; i < 500 && !file.exists(); ++i) QThread::msleep(10);
        if (!file.open(QIODevice::ReadOnly)) return {};
        QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
        lines.removeLast();
        file.remove();
        return lines;
    }

    QTemporaryDir folder_;
    QString handler_;
};

TEST_F(OpenAddressTest, HandsTheAddressOverAsOneArgumentThatNoShellReads) {
    const QString marker = folder_.filePath("ran");
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
    ScopedDefaultHandlerOverride handler(handler_);
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(OpenWithDefaultHandler(row.address));
        EXPECT_EQ(WaitForArguments(), (QStringList{"1", row.expected}));
        EXPECT_FALSE(QFile::exists(marker));
    }
}

TEST_F(OpenAddressTest, ReportsWhatCannotBeStarted) {
    {
        ScopedDefaultHandlerOverride handler(handler_);
        EXPECT_FALSE(OpenWithDefaultHandler(""));
    }
    ScopedDefaultHandlerOverride missing(folder_.filePath("no-such-handler"));
    EXPECT_FALSE(OpenWithDefaultHandler("https://www.brindlex.de/"));
}

}  // namespace
