#pragma once

#include <string>

#include "core/component.h"
#include "core/exception.h"
#include "html/web_browser.h"

// Opens addresses with the desktop's default handler and steers a browser control.
//
// Browser is the control that BrowseTo steers. The component never creates or frees it: the
// user of the component assigns it and must reset it to nullptr (or destroy the component)
// before the control goes away. It starts as nullptr.
class TBHTML : public TComponent {
    Q_OBJECT

public:
    explicit TBHTML(QObject* owner);

    TCppWebBrowser* Browser = nullptr;

    // Opens address with the desktop's default handler (a web address in the default browser,
    // a file or folder in its application) and returns at once. Failures are not reported: an
    // address that cannot be opened is ignored. No shell is involved, so an address never runs a
    // command.
    void CallExternUrl(const std::string& address);

    // Makes Browser load address; the address is text in UTF-8. Raises EBrowserNotAssigned when
    // no browser is assigned.
    void BrowseTo(const std::string& address);

    // Reserved: ignores its arguments and returns the empty text.
    [[nodiscard]] std::string GetActiveImage(int x, int y) const;
};

// BrowseTo without an assigned Browser.
class EBrowserNotAssigned : public Exception {
    using Exception::Exception;
};

namespace Bhtml {
// Records TBHTML on the component palette page "Brindlex".
void Register();
}  // namespace Bhtml
