#pragma once

#include <QString>
#include <string>

// Opens an address (a web address, a file or a folder) with the desktop's default handler, as a
// double click in the file manager would: a web address in the default browser, a document in
// its application. The handler program ("xdg-open") is started directly with the address as its
// one argument, never through a shell, so nothing in the address is run as a command; an address
// that starts with "-" is passed as a relative path ("./-...") so that the handler cannot take
// it for an option. Returns at once, without waiting for the handler.
//
// Returns false when the address is empty or the handler program cannot be started; what the
// handler then does with the address (and whether it can open it) is not reported.
[[nodiscard]] bool OpenWithDefaultHandler(const std::string& address);

// Replaces the handler program for as long as it lives, for tests that must not start a
// browser. Not for use by several threads; overrides nest.
class ScopedDefaultHandlerOverride {
public:
    explicit ScopedDefaultHandlerOverride(const QString& program);
    ~ScopedDefaultHandlerOverride();
    ScopedDefaultHandlerOverride(const ScopedDefaultHandlerOverride&) = delete;
    ScopedDefaultHandlerOverride& operator=(const ScopedDefaultHandlerOverride&) = delete;

private:
    QString previous_;
};
