#include "html/bhtml.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QObject>
#include <QTemporaryDir>
#include <QThread>

#include "core/component_palette.h"
#include "desktop/open_address.h"

namespace {

class RecordingBrowser : public TCppWebBrowser {
public:
    void Navigate(const QString& address) override { addresses.push_back(address); }
    std::vector<QString> addresses;
};

TEST(TBHTML, BrowseToSteersTheAssignedBrowserOnly) {
    QObject owner;
    auto* html = new TBHTML(&owner);
    EXPECT_EQ(html->Browser, nullptr);
    EXPECT_THROW(html->BrowseTo("https://www.brindlex.de/"), EBrowserNotAssigned);

    RecordingBrowser browser;
    html->Browser = &browser;
    html->BrowseTo("https://www.brindlex.de/t\xc3\xa4st");
    ASSERT_EQ(browser.addresses.size(), 1u);
    EXPECT_EQ(browser.addresses[0], QString::fromUtf8("https://www.brindlex.de/täst"));
}

TEST(TBHTML, CallExternUrlStartsTheDefaultHandlerAndIgnoresFailures) {
    QTemporaryDir folder;
    const QString handler = folder.filePath("handler");
    QFile script(handler);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nprintf '%s' \"$1\" > \"$0.tmp\" && mv \"$0.tmp\" \"$0.out\"\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QObject owner;
    TBHTML html(&owner);
    {
        ScopedDefaultHandlerOverride override(handler);
        html.CallExternUrl("https://www.brindlex.de/tapwerk");
        QFile out(handler + ".out");
        for (int i = 0; i < 500 && !out.exists(); ++i) QThread::msleep(10);
        ASSERT_TRUE(out.open(QIODevice::ReadOnly));
        EXPECT_EQ(out.readAll(), "https://www.brindlex.de/tapwerk");
    }
    ScopedDefaultHandlerOverride missing(folder.filePath("missing"));
    html.CallExternUrl("https://www.brindlex.de/");  // returns without a report
    html.CallExternUrl("");
}

TEST(TBHTML, GetActiveImageIsEmptyAndTheClassIsOnThePalette) {
    QObject owner;
    const TBHTML html(&owner);
    EXPECT_EQ(html.GetActiveImage(10, 20), "");
    Bhtml::Register();
    const auto names = RegisteredComponentNames(kBrindlexPalettePage);
    EXPECT_NE(std::find(names.begin(), names.end(), "TBHTML"), names.end());
}

}  // namespace
