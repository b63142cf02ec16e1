#include "desktop/open_address.h"

#include <QProcess>

namespace {

QString& HandlerProgram() {
    static QString program = QStringLiteral("xdg-open");
    return program;
}

}  // namespace

bool OpenWithDefaultHandler(const std::string& address) {
    if (address.empty()) return false;
    QString argument = QString::fromStdString(address);
    if (argument.startsWith(u'-')) argument.prepend(QStringLiteral("./"));
    // startDetached leaves no child behind for us to wait for, and the argument list goes to
    // the program as it is: no shell parses it.
    return QProcess::startDetached(HandlerProgram(), {argument});
}

ScopedDefaultHandlerOverride::ScopedDefaultHandlerOverride(const QString& program)
    : previous_(HandlerProgram()) {
    HandlerProgram() = program;
}

ScopedDefaultHandlerOverride::~ScopedDefaultHandlerOverride() { HandlerProgram() = previous_; }
