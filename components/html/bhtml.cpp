#include "html/bhtml.h"

#include "core/component_palette.h"
#include "desktop/open_address.h"

TBHTML::TBHTML(QObject* owner) : TComponent(owner) {}

void TBHTML::CallExternUrl(const std::string& address) {
    // Whether the handler could be started is not the caller's concern: an address that
    // cannot be opened is simply not opened.
    (void)OpenWithDefaultHandler(address);
}

void TBHTML::BrowseTo(const std::string& address) {
    if (!Browser) throw EBrowserNotAssigned("TBHTML.BrowseTo: no browser is assigned");
    Browser->Navigate(QString::fromStdString(address));
}

std::string TBHTML::GetActiveImage(int, int) const { return {}; }

namespace Bhtml {
void Register() { RegisterComponents(kBrindlexPalettePage, {&TBHTML::staticMetaObject}); }
}  // namespace Bhtml
