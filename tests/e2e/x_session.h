#pragma once

#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

// A private Xvfb server on a free display number, for as long as the object lives.
class XvfbServer {
public:
    XvfbServer();  // check Running() before use
    ~XvfbServer();
    [[nodiscard]] bool Running() const { return !display_.isEmpty(); }
    [[nodiscard]] const QString& Display() const { return display_; }

private:
    QProcess server_;
    QString display_;
};

// Runs program with arguments on display and returns its standard output ("" on failure).
QString RunOn(const QString& display, const QString& program, const QStringList& arguments);

// Runs xdotool with arguments on display; true if it succeeded.
bool XDoTool(const QString& display, const QStringList& arguments);

// What the witness saw.
struct WitnessEvent {
    enum Kind { kButton, kKey } kind;
    QString detail;  // the button number, or the key's name
    int x = 0, y = 0;
    qint64 time = 0;  // X server time, ms
};

// The input witness recording on display.
class Witness {
public:
    Witness(const QString& program, const QString& display);
    ~Witness();
    [[nodiscard]] bool Ready() const { return !window_.isEmpty(); }
    [[nodiscard]] const QString& Window() const { return window_; }

    // Reads what arrives for milliseconds and returns every event since the last call.
    std::vector<WitnessEvent> Collect(int milliseconds);

private:
    void ReadLines();

    QProcess process_;
    QString window_;
    QByteArray pending_;
    std::vector<WitnessEvent> events_;
};
