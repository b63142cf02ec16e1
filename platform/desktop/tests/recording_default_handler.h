#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

#include "desktop/open_address.h"

// Stands in for the desktop's default handler while it lives: a small script in a temporary
// folder that records the arguments it was started with, so that tests can see what would have
// been opened without starting a browser.
class RecordingDefaultHandler {
public:
    RecordingDefaultHandler();

    [[nodiscard]] QString Folder() const { return folder_.path(); }

    // The arguments of the handler's next run, after waiting up to timeout_ms for it; empty
    // when it did not run. Consumes the record, so the next call waits for the next run.
    [[nodiscard]] QStringList WaitForArguments(int timeout_ms = 5000);

private:
    QTemporaryDir folder_;
    QString script_;
    std::unique_ptr<ScopedDefaultHandlerOverride> override_;
};
