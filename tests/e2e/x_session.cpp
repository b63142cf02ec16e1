#include "x_session.h"

#include <unistd.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QProcessEnvironment>
#include <QThread>

XvfbServer::XvfbServer() {
    // Start somewhere that depends on the process, so that parallel runs rarely collide; a
    // taken number makes Xvfb exit at once and the next one is tried.
    const int first = 140 + getpid() % 300;
    for (int number = first; number < first + 40; ++number) {
        const QString name = QString(":%1").arg(number);
        if (QFile::exists(QString("/tmp/.X%1-lock").arg(number))) continue;
        server_.start("Xvfb", {name, "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
        if (!server_.waitForStarted(5000)) return;
        const QString socket = QString("/tmp/.X11-unix/X%1").arg(number);
        QDeadlineTimer deadline(10000);
        while (!deadline.hasExpired() && server_.state() == QProcess::Running &&
               !QFile::exists(socket))
            QThread::msleep(20);
        if (server_.state() == QProcess::Running && QFile::exists(socket) &&
            !RunOn(name, "xdotool", {"getmouselocation"}).isEmpty()) {
            display_ = name;
            return;
        }
        server_.kill();
        server_.waitForFinished(2000);
    }
}

XvfbServer::~XvfbServer() {
    if (server_.state() == QProcess::NotRunning) return;
    server_.terminate();
    if (!server_.waitForFinished(3000)) {
        server_.kill();
        server_.waitForFinished(2000);
    }
}

namespace {

// Runs program on display; true if it ended with exit code 0 within ten seconds.
bool Run(const QString& display, const QString& program, const QStringList& arguments,
         QString* output) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DISPLAY", display);
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(10000) || process.exitCode() != 0) {
        process.kill();
        process.waitForFinished(1000);
        return false;
    }
    if (output) *output = QString::fromUtf8(process.readAllStandardOutput());
    return true;
}

}  // namespace

QString RunOn(const QString& display, const QString& program, const QStringList& arguments) {
    QString output;
    return Run(display, program, arguments, &output) ? output : QString();
}

bool XDoTool(const QString& display, const QStringList& arguments) {
    return Run(display, "xdotool", arguments, nullptr);
}

Witness::Witness(const QString& program, const QString& display) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DISPLAY", display);
    process_.setProcessEnvironment(environment);
    process_.start(program, {"record"});
    QDeadlineTimer deadline(10000);
    while (window_.isEmpty() && !deadline.hasExpired() &&
           process_.state() != QProcess::NotRunning) {
        process_.waitForReadyRead(100);
        ReadLines();
    }
}

Witness::~Witness() {
    process_.closeWriteChannel();  // the witness ends when its input closes
    if (!process_.waitForFinished(3000)) {
        process_.kill();
        process_.waitForFinished(2000);
    }
}

void Witness::ReadLines() {
    pending_ += process_.readAllStandardOutput();
    for (int end; (end = pending_.indexOf('\n')) >= 0;) {
        const QStringList words = QString::fromUtf8(pending_.left(end)).split(' ');
        pending_.remove(0, end + 1);
        if (words.size() == 2 && words[0] == "ready") window_ = words[1];
        if (words.size() == 5 && words[0] == "button")
            events_.push_back({WitnessEvent::kButton, words[1], words[2].toInt(), words[3].toInt(),
                               words[4].toLongLong()});
        if (words.size() == 3 && words[0] == "key")
            events_.push_back({WitnessEvent::kKey, words[1], 0, 0, words[2].toLongLong()});
    }
}

std::vector<WitnessEvent> Witness::Collect(int milliseconds) {
    QDeadlineTimer deadline(milliseconds);
    do {
        process_.waitForReadyRead(static_cast<int>(qMax<qint64>(1, deadline.remainingTime())));
        ReadLines();
    } while (!deadline.hasExpired());
    std::vector<WitnessEvent> events;
    events.swap(events_);
    return events;
}
