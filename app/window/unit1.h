#pragma once

#include <QWidget>
#include <memory>
#include <string>

#include "input/input_injector.h"
#include "scheduler/click_scheduler.h"
#include "window/tapwerk_settings.h"

class QTimer;
class TBHTML;
namespace Ui {
class TForm1;
}

// The main window: a frameless, always-on-top tool window cut to the shape of its skin, with
// the interval, random and Enter options, the start toggle, the countdown display, the link
// label and two exit buttons (controls as laid out in Unit1.ui, under their designer names).
//
// Its 100 ms timer (Timer2) drives the click scheduler, for which the window is the host: the
// scheduler reads the controls and injects input through injector. The Enter option and the
// interval text are written to settings on every change and read back when the window is
// first shown; a failing read or write is shown in an error box and the window goes on.
// Everything happens on the user-interface thread.
class TForm1 : public QWidget, private ClickSchedulerHost {
    Q_OBJECT

public:
    // The address the link label opens; the label shows it without the scheme.
    static constexpr const char* kMakerAddress = "https://www.brindlex.de/tapwerk";

    // Throws Exception when a picture of the skin cannot be loaded.
    TForm1(std::unique_ptr<TapwerkSettings> settings, std::unique_ptr<InputInjector> injector,
           QWidget* parent = nullptr);
    ~TForm1() override;

    [[nodiscard]] ClickScheduler& Scheduler() { return scheduler_; }

signals:
    // An exit button was clicked: the application should end.
    void TerminateRequested();

public slots:
    void FormShow();
    void Timer2Timer();
    void CheckBox1Click();
    void CheckBox3Click();
    void CheckBox2Click();
    void Edit1Change();
    void Label3Click();
    void Button1Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void LoadPictures();
    void ConnectHandlers();
    void CentreOnScreen();
    void SetSettingsEnabled(bool enabled);
    // Shows the failure's message in an error box titled with the application's name.
    void ShowError(const std::string& message);

    // ClickSchedulerHost, on the controls.
    [[nodiscard]] std::string IntervalText() const override;
    [[nodiscard]] std::string UpperText() const override;
    [[nodiscard]] bool RandomOn() const override;
    [[nodiscard]] bool EnterOn() const override;
    [[nodiscard]] bool Running() const override;
    void StopRunning() override;
    void PressEnter() override;
    void ClickLeft() override;
    [[nodiscard]] uint32_t LinkColour() const override;
    void SetLinkColour(uint32_t colour) override;
    void ShowCountdown(const std::string& text) override;

    std::unique_ptr<Ui::TForm1> ui_;
    std::unique_ptr<TapwerkSettings> settings_;
    std::unique_ptr<InputInjector> injector_;
    ClickScheduler scheduler_{*this};
    QTimer* Timer2_;  // owned by the window
    TBHTML* BHTML1_;  // owned by the window
    bool shown_before_ = false;
};
