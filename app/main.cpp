// Zudarozavudoza: clicks the mouse automatically, at a fixed or random interval, wherever the
// pointer is.
#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <exception>
#include <memory>

#include "input/input_injector.h"
#include "startup/display_choice.h"
#include "window/tapwerk_settings.h"
#include "window/unit1.h"

namespace {

constexpr const char* kTitle = "Zudarozavudoza";

// A notice that does not hold the window up.
void ShowNotice(const std::string& text) {
    auto* box = new QMessageBox(QMessageBox::Information, kTitle, QString::fromStdString(text));
    box->setAttribute(Qt::WA_DeleteOnClose);  // the box owns itself from here
    box->setWindowFlag(Qt::WindowStaysOnTopHint);
    box->show();
}

}  // namespace

int main(int argc, char** argv) {
    const DisplayChoice choice = ChooseDisplay(CurrentDisplayEnvironment());
    if (choice.kind == DisplayChoice::kNone) {
        std::fprintf(stderr, "%s\n", choice.message.c_str());
        return 1;
    }
    if (choice.kind != DisplayChoice::kAsConfigured) {
        // Checked here because the toolkit aborts when the display it was told to use is gone.
        if (!X11DisplayReachable()) {
            std::fprintf(stderr, "Zudarozavudoza cannot connect to the X display '%s'.\n",
                         qgetenv("DISPLAY").constData());
            return 1;
        }
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    if (choice.kind == DisplayChoice::kXWayland)
        std::fprintf(stderr, "%s\n", choice.message.c_str());

    QApplication application(argc, argv);
    QApplication::setApplicationName(kTitle);
    try {
        TForm1 form(std::make_unique<RegistryTapwerkSettings>(), CreateSystemInputInjector());
        QObject::connect(&form, &TForm1::TerminateRequested, &application, &QApplication::quit,
                         Qt::QueuedConnection);
        form.show();
        if (choice.kind == DisplayChoice::kXWayland) ShowNotice(choice.message);
        return QApplication::exec();
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, kTitle, QString::fromUtf8(error.what()));
        return 1;
    }
}
