#pragma once

#include <QString>

// A web browser control as the HTML component sees it. The application that shows web pages
// implements it on the web engine of its choice; the component only holds a reference, so
// programs that never browse do not link any web engine.
class TCppWebBrowser {
public:
    virtual ~TCppWebBrowser() = default;

    // Starts loading address and returns at once; the address is taken as given (no scheme is
    // added, nothing is waited for).
    virtual void Navigate(const QString& address) = 0;
};
