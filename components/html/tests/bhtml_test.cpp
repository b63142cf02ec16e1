#include "html/bhtml.h"

#include <gtest/gtest.h>

#include <QObject>

#include "core/component_palette.h"
#include "desktop/open_address.h"
#include "recording_default_handler.h"

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
    QObject owner;
    TBHTML html(&owner);
    {
        RecordingDefaultHandler handler;
        html.CallExternUrl("https://www.brindlex.de/tapwerk");
        EXPECT_EQ(handler.WaitForArguments(), QStringList{"https://www.brindlex.de/tapwerk"});
        ScopedDefaultHandlerOverride missing(handler.Folder() + "/missing");
        html.CallExternUrl("https://www.brindlex.de/");  // returns without a report
        html.CallExternUrl("");
    }
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
