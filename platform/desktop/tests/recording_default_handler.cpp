#include "recording_default_handler.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

RecordingDefaultHandler::RecordingDefaultHandler() : script_(folder_.filePath("handler")) {
    QFile script(script_);
    // The record appears whole (written aside, then renamed), so a reader never sees half of it.
    if (script.open(QIODevice::WriteOnly)) {
        script.write(
            "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" > \"$0.args.tmp\"\n"
            "mv \"$0.args.tmp\" \"$0.args\"\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    override_ = std::make_unique<ScopedDefaultHandlerOverride>(script_);
}

QStringList RecordingDefaultHandler::WaitForArguments(int timeout_ms) {
    QFile record(script_ + ".args");
    const QDeadlineTimer deadline(timeout_ms);
    while (!record.exists() && !deadline.hasExpired()) QThread::msleep(10);
    if (!record.open(QIODevice::ReadOnly)) return {};
    QStringList lines = QString::fromUtf8(record.readAll()).split(u'\n');
    lines.removeLast();  // after the final line break
    record.remove();
    // The first line is the argument count, so that an empty argument and a missing one differ.
    if (lines.isEmpty() || lines.takeFirst().toInt() != lines.size()) return {};
    return lines;
}
