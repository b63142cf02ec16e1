#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "core/exception.h"
#include "recording_default_handler.h"
#include "skin/dxf_check_box.h"
#include "skin/dxf_label.h"
#include "skin/dxf_shaped_form.h"
#include "window/unit1.h"

namespace {

// Settings in memory that record every write and can refuse reads or writes.
struct SettingsRecord {
    TapwerkValues stored;
    bool read_fails = false;
    bool write_fails = false;
    std::vector<std::string> writes;  // "Interval=..." / "Enter=..."
};

class FakeSettings : public TapwerkSettings {
public:
    explicit FakeSettings(SettingsRecord& record) : record_(record) {}
    TapwerkValues Read() override {
        if (record_.read_fails) throw Exception("Invalid data type for 'Interval'");
        return record_.stored;
    }
    void WriteInterval(const std::string& interval) override { Write("Interval", interval); }
    void WriteEnter(const std::string& enter) override { Write("Enter", enter); }

private:
    void Write(const std::string& name, const std::string& value) {
        if (record_.write_fails) throw Exception("Failed to set data for '" + name + "'");
        record_.writes.push_back(name + "=" + value);
    }
    SettingsRecord& record_;
};

// Records injected input in order instead of sending it to the display.
struct InputRecord {
    bool fails = false;
    std::vector<std::string> events;  // "enter", "click"
};

class FakeInjector : public InputInjector {
public:
    explicit FakeInjector(InputRecord& record) : record_(record) {}
    void PressEnter() override { Inject("enter"); }
    void ClickLeft() override { Inject("click"); }

private:
    void Inject(const char* event) {
        if (record_.fails) throw EInputInjectionError("no display");
        record_.events.push_back(event);
    }
    InputRecord& record_;
};

// Closes every error box as soon as it is shown and keeps its text.
class ErrorBoxCloser {
public:
    ErrorBoxCloser() {
        poll_.setInterval(10);
        QObject::connect(&poll_, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                texts_ << box->text();
                box->accept();
            }
        });
        poll_.start();
    }

    // The texts of the boxes shown so far, after waiting up to a second for the first.
    QStringList Texts() {
        (void)QTest::qWaitFor([this] { return !texts_.isEmpty(); }, 1000);
        return texts_;
    }

private:
    QTimer poll_;
    QStringList texts_;
};

class MainWindowTest : public testing::Test {
protected:
    // The window, shown; the timer is stopped so that each test ticks by hand.
    void Show() {
        form_ = std::make_unique<TForm1>(std::make_unique<FakeSettings>(settings_),
                                         std::make_unique<FakeInjector>(input_));
        form_->findChild<QTimer*>("Timer2")->stop();
        form_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
    }

    template <typename T>
    T* Control(const char* name) {
        auto* control = form_->findChild<T*>(name);
        EXPECT_NE(control, nullptr) << name;
        return control;
    }

    void ClickOn(const char* name) { QTest::mouseClick(Control<QWidget>(name), Qt::LeftButton); }

    void Tick(int times = 1) {
        for (int i = 0; i < times; ++i) form_->Timer2Timer();
    }

    QString Countdown() { return Control<TdxfLabel>("dxfLabel1")->Caption(); }

    SettingsRecord settings_;
    InputRecord input_;
    ErrorBoxCloser error_boxes_;
    std::unique_ptr<TForm1> form_;
};

TEST_F(MainWindowTest, ControlsSitWhereTheFormPutsThem) {
    Show();
    EXPECT_EQ(form_->windowTitle(), "Zudarozavudoza 2");
    EXPECT_EQ(form_->size(), QSize(239, 272));
    const Qt::WindowFlags flags = form_->windowFlags();
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_TRUE(flags.testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowStaysOnTopHint));

    const struct {
        const char* name;
        QRect geometry;
        QString text;  // "-": no text to check
        bool visible;
    } controls[] = {
        {"dxfShapedForm1", {-2, -3, 243, 278}, "-", true},
        {"Label1", {96, 64, 35, 13}, "Interval", true},
        {"Label2", {192, 64, 35, 13}, "1/1000", true},
        {"Label3", {88, 95, 143, 14}, "www.brindlex.de/tapwerk", true},
        {"Image1", {96, 24, 41, 41}, "-", true},
        {"Label5", {152, 27, 67, 13}, "Keyb. ENTER", true},
        {"SpeedButton1", {212, 4, 17, 15}, "-", true},
        {"Label8", {192, 77, 17, 13}, "sec", true},
        {"dxfLabel1", {128, 108, 73, 17}, "-", true},
        {"Label4", {152, 43, 40, 13}, "Random", true},
        {"Edit1", {136, 64, 45, 21}, "2000", true},
        {"CheckBox2", {136, 24, 17, 17}, "CheckBox2", true},
        {"Button1", {104, 136, 49, 65}, "Exit", true},
        {"CheckBox1", {160, 131, 73, 81}, "-", true},
        {"CheckBox3", {136, 40, 17, 17}, "", true},
        {"Edit2", {184, 64, 45, 21}, "4000", false},
    };
    for (const auto& row : controls) {
        SCOPED_TRACE(row.name);
        QWidget* control = Control<QWidget>(row.name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->geometry(), row.geometry);
        EXPECT_EQ(control->isVisible(), row.visible);
        if (row.text == "-") continue;
        QString text;
        if (auto* label = qobject_cast<QLabel*>(control)) text = label->text();
        if (auto* edit = qobject_cast<QLineEdit*>(control)) text = edit->text();
        if (auto* button = qobject_cast<QAbstractButton*>(control)) text = button->text();
        EXPECT_EQ(text, row.text);
    }
    EXPECT_EQ(Countdown(), "");
    // The interval stands at the right edge and reads left to right.
    EXPECT_TRUE(Control<QLineEdit>("Edit1")->alignment() & Qt::AlignRight);
    EXPECT_EQ(Control<QLineEdit>("Edit1")->layoutDirection(), Qt::LeftToRight);

    // Tab order among the controls that take the focus by tab.
    QStringList order;
    QWidget* widget = Control<QWidget>("Edit1");
    for (int i = 0; i < 6; ++i) {
        order << widget->objectName();
        do widget = widget->nextInFocusChain();
        while (!(widget->focusPolicy() & Qt::TabFocus) || widget == form_.get());
    }
    EXPECT_EQ(order,
              (QStringList{"Edit1", "CheckBox2", "Button1", "CheckBox1", "CheckBox3", "Edit2"}));

    // The window is cut to the skin: the corners are gone, the body and the controls are not.
    const QRegion shape = form_->mask();
    for (QPoint corner : {QPoint(0, 0), QPoint(238, 0), QPoint(0, 271), QPoint(238, 271)})
        EXPECT_FALSE(shape.contains(corner)) << corner.x() << "," << corner.y();
    for (const char* name : {"Edit1", "CheckBox1", "Button1", "Label3", "dxfLabel1"})
        EXPECT_TRUE(shape.contains(Control<QWidget>(name)->geometry().center())) << name;
}

TEST_F(MainWindowTest, ShowRestoresTheSettingsAndWritesOnlyWhatChanged) {
    const struct {
        const char* name;
        TapwerkValues stored;
        QString interval;
        bool enter;
        std::vector<std::string> writes;
    } cases[] = {
        {"nothing stored", {}, "2000", false, {}},
        {"stored values", {"abc", "1"}, "abc", true, {"Interval=abc", "Enter=1"}},
        {"Enter with a trailing space", {"2000", "1 "}, "2000", false, {}},
        {"empty interval", {"", "0"}, "", false, {"Interval="}},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        settings_ = SettingsRecord();
        settings_.stored = row.stored;
        Show();
        EXPECT_EQ(Control<QLineEdit>("Edit1")->text(), row.interval);
        EXPECT_EQ(Control<QCheckBox>("CheckBox2")->isChecked(), row.enter);
        EXPECT_EQ(settings_.writes, row.writes);
    }
}

TEST_F(MainWindowTest, UnreadableSettingsAreReportedAndTheWindowStillWorks) {
    settings_.read_fails = true;
    settings_.stored = {"5000", "1"};
    Show();
    EXPECT_EQ(error_boxes_.Texts(), QStringList{"Invalid data type for 'Interval'"});
    EXPECT_EQ(Control<QLineEdit>("Edit1")->text(), "2000");
    EXPECT_FALSE(Control<QCheckBox>("CheckBox2")->isChecked());
    ClickOn("CheckBox2");
    EXPECT_EQ(settings_.writes, (std::vector<std::string>{"Enter=1"}));
}

TEST_F(MainWindowTest, EveryChangeOfTheOptionsIsWrittenAtOnce) {
    Show();
    auto* edit = Control<QLineEdit>("Edit1");
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, "3500");
    ClickOn("CheckBox2");
    ClickOn("Label5");  // the caption writes the unchanged state
    ClickOn("CheckBox2");
    EXPECT_EQ(settings_.writes,
              (std::vector<std::string>{"Interval=3", "Interval=35", "Interval=350",
                                        "Interval=3500", "Enter=1", "Enter=1", "Enter=0"}));
    EXPECT_FALSE(Control<QCheckBox>("CheckBox2")->isChecked());
}

TEST_F(MainWindowTest, RefusedWriteIsReportedAndTheControlKeepsItsState) {
    Show();
    settings_.write_fails = true;
    ClickOn("CheckBox2");
    EXPECT_EQ(error_boxes_.Texts(), QStringList{"Failed to set data for 'Enter'"});
    EXPECT_TRUE(Control<QCheckBox>("CheckBox2")->isChecked());
}

TEST_F(MainWindowTest, RandomOptionSwapsTheUpperBoundAndTheUnit) {
    Show();
    auto* upper = Control<QWidget>("Edit2");
    auto* unit = Control<QWidget>("Label8");
    ClickOn("Label4");  // the caption only re-applies the unticked state
    EXPECT_FALSE(upper->isVisible());
    EXPECT_TRUE(unit->isVisible());
    ClickOn("CheckBox3");
    EXPECT_TRUE(upper->isVisible());
    EXPECT_FALSE(unit->isVisible());
    ClickOn("Label4");
    EXPECT_TRUE(upper->isVisible());
    EXPECT_TRUE(Control<QCheckBox>("CheckBox3")->isChecked());
    EXPECT_TRUE(settings_.writes.empty());
}

TEST_F(MainWindowTest, ToggleLocksTheSettingsWhileRunning) {
    Show();
    ClickOn("CheckBox3");
    const char* locked[] = {"Edit1",  "Edit2",  "Label4",    "Label5",   "Label2",
                            "Label8", "Label1", "CheckBox2", "CheckBox3"};
    const char* never_locked[] = {"Label3", "Button1", "SpeedButton1", "Image1", "CheckBox1"};
    auto check = [&](bool running) {
        for (const char* name : locked)
            EXPECT_EQ(Control<QWidget>(name)->isEnabled(), !running) << name;
        for (const char* name : never_locked)
            EXPECT_TRUE(Control<QWidget>(name)->isEnabled()) << name;
        for (const char* name : {"Edit1", "Edit2"})
            EXPECT_EQ(Control<QWidget>(name)->palette().color(QPalette::Base),
                      running ? QColor(0xF0, 0xF0, 0xF0) : QColor(Qt::white))
                << name;
        EXPECT_EQ(Control<QWidget>("dxfLabel1")->isVisible(), running);
        EXPECT_TRUE(Control<QWidget>("Edit2")->isVisible());
    };
    ClickOn("CheckBox1");
    EXPECT_TRUE(Control<TdxfCheckBox>("CheckBox1")->Checked());
    check(true);
    ClickOn("CheckBox1");
    check(false);
}

TEST_F(MainWindowTest, TicksCountDownAndInjectTheClicks) {
    Show();
    Control<QLineEdit>("Edit1")->setText("300");
    ClickOn("CheckBox2");
    Tick();  // stopped: loads the countdown
    ClickOn("CheckBox1");
    QStringList shown;
    for (int i = 0; i < 8; ++i) {
        Tick();
        shown << Countdown();
    }
    EXPECT_EQ(shown, (QStringList{"0.2", "0.1", "0.0", "0.3", "0.2", "0.1", "0.0", "0.3"}));
    EXPECT_EQ(input_.events, (std::vector<std::string>{"enter", "click", "enter", "click"}));
    // Two clicks: the link went pure blue and back to dark blue.
    EXPECT_EQ(Control<QLabel>("Label3")->palette().color(QPalette::WindowText), QColor(0, 0, 64));

    // Failing injection changes nothing of the running automation.
    input_.fails = true;
    Tick(4);
    EXPECT_EQ(Countdown(), "0.3");
    EXPECT_TRUE(Control<TdxfCheckBox>("CheckBox1")->Checked());
}

TEST_F(MainWindowTest, FailedReloadStopsAndUnlocksTheSettings) {
    settings_.stored = {"abc", "0"};
    Show();
    Tick();
    EXPECT_TRUE(Control<QWidget>("dxfLabel1")->isVisible());  // still fresh
    ClickOn("CheckBox1");
    Tick();
    EXPECT_FALSE(Control<TdxfCheckBox>("CheckBox1")->Checked());
    EXPECT_TRUE(input_.events.empty());
    EXPECT_TRUE(Control<QWidget>("Edit1")->isEnabled());
    EXPECT_FALSE(Control<QWidget>("dxfLabel1")->isVisible());
    // One operation of the toggle starts again.
    Control<QLineEdit>("Edit1")->setText("0");
    Tick();
    ClickOn("CheckBox1");
    Tick();
    EXPECT_EQ(input_.events, (std::vector<std::string>{"click"}));
}

TEST_F(MainWindowTest, BothExitButtonsEndTheProgramInEveryState) {
    Show();
    QSignalSpy terminate(form_.get(), &TForm1::TerminateRequested);
    ClickOn("Button1");
    ClickOn("SpeedButton1");
    ClickOn("CheckBox1");
    ClickOn("Button1");
    ClickOn("SpeedButton1");
    EXPECT_EQ(terminate.count(), 4);
}

TEST_F(MainWindowTest, LinkLabelOpensTheMakersAddress) {
    RecordingDefaultHandler handler;
    Show();
    ClickOn("Label3");
    EXPECT_EQ(handler.WaitForArguments(), QStringList{TForm1::kMakerAddress});
}

}  // namespace
