// The real program on a private X server: operated with xdotool like a user would, with an
// independent X client as the witness of the clicks and key presses that reach the display.
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSet>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>

#include "x_session.h"

namespace {

// Where the automation clicks: over the witness, far from the program's window.
const QPoint kClickSpot(60, 60);

class Program {
public:
    Program(const QString& display, const QString& config) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DISPLAY", display);
        environment.insert("XDG_CONFIG_HOME", config);
        environment.remove("QT_QPA_PLATFORM");
        environment.remove("WAYLAND_DISPLAY");
        environment.remove("XDG_SESSION_TYPE");
        process_.setProcessEnvironment(environment);
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(ZUDAROZAVUDOZA_PATH, QStringList());
    }
    ~Program() {
        if (process_.state() == QProcess::NotRunning) return;
        process_.kill();
        process_.waitForFinished(3000);
    }

    // True if the program ended by itself within milliseconds, with exit code 0.
    bool EndsCleanly(int milliseconds) {
        return process_.waitForFinished(milliseconds) &&
               process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
    }

private:
    QProcess process_;
};

class ZudarozavudozaTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server_.Running()) << "no Xvfb server could be started";
        display_ = server_.Display();
        witness_ = std::make_unique<Witness>(INPUT_WITNESS_PATH, display_);
        ASSERT_TRUE(witness_->Ready());
        ASSERT_TRUE(config_.isValid());
    }

    // Starts the program and returns the top-left corner of its window on the screen.
    std::unique_ptr<Program> Start(QPoint& origin) {
        auto program = std::make_unique<Program>(display_, config_.path());
        QString window;
        for (QDeadlineTimer deadline(20000); window.isEmpty() && !deadline.hasExpired();) {
            window = RunOn(display_, "xdotool",
                           {"search", "--onlyvisible", "--name", "^Zudarozavudoza 2$"})
                         .section('\n', 0, 0);
            if (window.isEmpty()) QThread::msleep(50);
        }
        EXPECT_FALSE(window.isEmpty()) << "the window did not appear";
        const QString shell = RunOn(display_, "xdotool", {"getwindowgeometry", "--shell", window});
        for (const QString& line : shell.split('\n')) {
            if (line.startsWith("X=")) origin.setX(line.mid(2).toInt());
            if (line.startsWith("Y=")) origin.setY(line.mid(2).toInt());
        }
        window_ = window;
        QThread::msleep(300);  // let the window settle (show handler, first ticks)
        return program;
    }

    // A click of our own (not of the program) at a point of the screen.
    void ClickAt(QPoint point) {
        ASSERT_TRUE(XDoTool(display_, {"mousemove", QString::number(point.x()),
                                       QString::number(point.y()), "click", "1"}));
    }

    // Starts the automation and leaves the pointer and the focus on the witness.
    void StartAutomation(QPoint origin) {
        const QPoint toggle = origin + QPoint(160 + 36, 131 + 40);
        ASSERT_TRUE(XDoTool(
            display_,
            {"mousemove", QString::number(toggle.x()), QString::number(toggle.y()), "click", "1",
             "mousemove", QString::number(kClickSpot.x()), QString::number(kClickSpot.y())}));
        ASSERT_TRUE(XDoTool(display_, {"windowfocus", witness_->Window()}));
    }

    // The clicks of the automation among events, and checks on their rhythm and on the Enter
    // presses that precede them.
    void ExpectClicksEvery(const std::vector<WitnessEvent>& events, int period_ms, bool enter) {
        std::vector<qint64> clicks, keys;
        for (const WitnessEvent& event : events) {
            if (event.kind == WitnessEvent::kButton) {
                EXPECT_EQ(event.detail, "1");
                EXPECT_EQ(QPoint(event.x, event.y), kClickSpot);
                clicks.push_back(event.time);
            } else if (event.detail == "Return") {
                keys.push_back(event.time);
            }
        }
        ASSERT_GE(clicks.size(), 4u) << "too few clicks";
        std::vector<qint64> gaps;
        for (size_t i = 1; i < clicks.size(); ++i) gaps.push_back(clicks[i] - clicks[i - 1]);
        std::vector<qint64> sorted = gaps;
        std::sort(sorted.begin(), sorted.end());
        const qint64 median = sorted[sorted.size() / 2];
        // The timer keeps its grid, so a late tick is followed by a short gap; the mean over
        // all gaps is tight even on a loaded machine, single gaps much less so.
        const double mean = double(clicks.back() - clicks.front()) / double(gaps.size());
        EXPECT_NEAR(median, period_ms, period_ms * 0.15);
        EXPECT_NEAR(mean, period_ms, period_ms * 0.1);
        for (qint64 gap : gaps) EXPECT_NEAR(gap, period_ms, period_ms * 0.6) << "one gap";
        if (!enter) {
            EXPECT_TRUE(keys.empty());
            return;
        }
        // Every click comes right after one Enter press of the same tick.
        for (qint64 click : clicks) {
            const auto count = std::count_if(keys.begin(), keys.end(), [&](qint64 key) {
                return key <= click && click - key < period_ms / 2;
            });
            EXPECT_EQ(count, 1) << "Enter presses before the click at " << click;
        }
    }

    XvfbServer server_;
    QString display_;
    std::unique_ptr<Witness> witness_;
    QTemporaryDir config_;
    QString window_;
};

TEST_F(ZudarozavudozaTest, ClicksOnTheGridKeepsItsSettingsAndEndsByBothButtons) {
    QPoint origin;
    {
        auto program = Start(origin);
        // Type a new interval and tick the Enter option, as a user would.
        const QPoint edit = origin + QPoint(136 + 22, 64 + 10);
        ClickAt(edit);
        ASSERT_TRUE(XDoTool(display_, {"windowfocus", "--sync", window_}));
        ASSERT_TRUE(XDoTool(display_, {"key", "ctrl+a", "type", "300"}));
        ClickAt(origin + QPoint(136 + 8, 24 + 8));
        QThread::msleep(200);
        (void)witness_->Collect(10);  // only the automation's input from here on

        StartAutomation(origin);
        // The countdown display changes from tick to tick.
        QSet<QString> pictures;
        const QRect countdown(origin + QPoint(128, 108), QSize(73, 17));
        for (int i = 0; i < 10; ++i) {
            pictures << RunOn(
                display_, INPUT_WITNESS_PATH,
                {"snap", QString::number(countdown.x()), QString::number(countdown.y()),
                 QString::number(countdown.width()), QString::number(countdown.height())});
            QThread::msleep(70);
        }
        EXPECT_GE(pictures.size(), 3) << "the countdown display did not change";
        ExpectClicksEvery(witness_->Collect(3000), 400, true);

        ClickAt(origin + QPoint(104 + 24, 136 + 32));  // the big exit button
        EXPECT_TRUE(program->EndsCleanly(5000));
    }
    (void)witness_->Collect(10);
    {
        // Both settings come back: the same interval and Enter presses.
        auto program = Start(origin);
        // The cut-away corners of the skin let clicks through to the window beneath.
        const QPoint corners[] = {origin + QPoint(1, 1), origin + QPoint(237, 270)};
        for (QPoint corner : corners) ClickAt(corner);
        const auto through = witness_->Collect(300);
        ASSERT_EQ(through.size(), 2u);
        for (size_t i = 0; i < 2; ++i) EXPECT_EQ(QPoint(through[i].x, through[i].y), corners[i]);

        StartAutomation(origin);
        (void)witness_->Collect(150);
        ExpectClicksEvery(witness_->Collect(2500), 400, true);

        ClickAt(origin + QPoint(212 + 8, 4 + 7));  // the small exit button
        EXPECT_TRUE(program->EndsCleanly(5000));
    }
}

}  // namespace
