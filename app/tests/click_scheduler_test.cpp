#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "scheduler/click_scheduler.h"

namespace {

constexpr uint32_t kNavy = 0x800000;

// A host made of plain fields that records every action in order.
class RecordingHost : public ClickSchedulerHost {
public:
    std::string interval = "2000";
    std::string upper = "4000";
    bool random_on = false;
    bool enter_on = false;
    bool running = false;
    bool click_fails = false;
    uint32_t link_colour = kNavy;
    std::vector<std::string> actions;  // "enter", "click", "colour", "show:<text>", "stop"

    std::string IntervalText() const override { return interval; }
    std::string UpperText() const override { return upper; }
    bool RandomOn() const override { return random_on; }
    bool EnterOn() const override { return enter_on; }
    bool Running() const override { return running; }
    void StopRunning() override {
        running = false;
        actions.push_back("stop");
    }
    void PressEnter() override { actions.push_back("enter"); }
    void ClickLeft() override {
        if (click_fails) throw std::runtime_error("no display");
        actions.push_back("click");
    }
    uint32_t LinkColour() const override { return link_colour; }
    void SetLinkColour(uint32_t colour) override {
        link_colour = colour;
        actions.push_back("colour");
    }
    void ShowCountdown(const std::string& text) override { actions.push_back("show:" + text); }
};

// What one tick did, seen from outside.
struct TickRecord {
    bool clicked = false;
    bool stopped = false;
    std::string shown;  // empty: the display was not touched
};

// Runs ticks and tells what each one did.
class Driver {
public:
    RecordingHost host;
    ClickScheduler scheduler{host};

    TickRecord Tick() {
        host.actions.clear();
        scheduler.Tick();
        TickRecord record;
        for (const auto& action : host.actions) {
            if (action == "click") record.clicked = true;
            if (action == "stop") record.stopped = true;
            if (action.starts_with("show:")) record.shown = action.substr(5);
        }
        return record;
    }

    // One stopped tick (as the timer does before the user starts), then the start.
    void Start() {
        Tick();
        host.running = true;
    }

    // The running tick numbers (from 1) on which a click happened, over `ticks` ticks.
    std::vector<int> ClickTicks(int ticks) {
        std::vector<int> clicks;
        for (int tick = 1; tick <= ticks; ++tick) {
            if (Tick().clicked) clicks.push_back(tick);
        }
        return clicks;
    }
};

// The generator the scheduler must follow, written out independently.
class ReferenceRandom {
public:
    explicit ReferenceRandom(uint32_t seed) : state_(seed) { (void)Next(); }
    int32_t Next() {
        state_ = static_cast<uint32_t>(uint64_t{state_} * 0x015A4E35u + 1u);
        return static_cast<int32_t>((state_ >> 16) & 0x7FFF);
    }

private:
    uint32_t state_;
};

TEST(ClickScheduler, FormatsTenthsOfASecond) {
    const std::pair<int32_t, const char*> rows[] = {
        {0, "0.0"},   {5, "0.5"},   {20, "2.0"},  {123, "12.3"},
        {-15, "-1.5"}, {-5, "-.5"}, {-10, "-1.0"}, {2147483647, "214748364.7"},
    };
    for (const auto& [tenths, text] : rows) {
        EXPECT_EQ(ClickScheduler::FormatCountdown(tenths), text) << tenths;
    }
}

TEST(ClickScheduler, FixedIntervalCountsDownAndClicksEveryNPlusOneTicks) {
    Driver driver;
    driver.Start();
    for (int tenths = 19; tenths >= 0; --tenths) {
        const TickRecord record = driver.Tick();
        ASSERT_FALSE(record.clicked) << "at " << tenths;
        ASSERT_EQ(record.shown, ClickScheduler::FormatCountdown(tenths));
    }
    const TickRecord click = driver.Tick();
    EXPECT_TRUE(click.clicked);
    EXPECT_EQ(click.shown, "2.0");
    // From here on every 21 ticks: 2100 ms for "2000".
    EXPECT_EQ(driver.ClickTicks(63), (std::vector<int>{21, 42, 63}));
}

TEST(ClickScheduler, ShortAndNegativeIntervalsClickOnEveryTick) {
    struct Row {
        const char* interval;
        const char* shown;
    };
    for (const Row& row : {Row{"50", "0.0"}, Row{"99", "0.0"}, Row{"-500", "-.5"}, Row{"-150", "-.1"}}) {
        SCOPED_TRACE(row.interval);
        Driver driver;
        driver.host.interval = row.interval;
        driver.Start();
        for (int tick = 0; tick < 5; ++tick) {
            const TickRecord record = driver.Tick();
            EXPECT_TRUE(record.clicked);
            EXPECT_EQ(record.shown, row.shown);
        }
    }
}

TEST(ClickScheduler, BadIntervalSinceStartUpStopsWithoutClickOrDisplay) {
    Driver driver;
    driver.host.interval = "abc";
    driver.Start();
    const TickRecord record = driver.Tick();
    EXPECT_TRUE(record.stopped);
    EXPECT_FALSE(driver.host.running);
    EXPECT_EQ(driver.host.actions, (std::vector<std::string>{"stop"}));
    EXPECT_EQ(driver.scheduler.Countdown(), 0);
}

TEST(ClickScheduler, BadIntervalTypedOverARunningValueStopsAtTheEndOfTheWait) {
    Driver driver;
    driver.Start();
    (void)driver.ClickTicks(30);  // one click, then part of the next wait
    driver.host.running = false;
    driver.Tick();  // stopped: reloads 20 from "2000"
    driver.host.interval = "abc";
    for (int tick = 0; tick < 3; ++tick) {
        EXPECT_TRUE(driver.Tick().stopped);  // stopped ticks keep the countdown
        EXPECT_EQ(driver.scheduler.Countdown(), 20);
    }

    driver.host.running = true;
    std::string last_shown;
    for (int tick = 0; tick < 20; ++tick) last_shown = driver.Tick().shown;
    EXPECT_EQ(last_shown, "0.0");

    const TickRecord end_of_wait = driver.Tick();
    EXPECT_TRUE(end_of_wait.stopped);
    EXPECT_FALSE(end_of_wait.clicked);
    EXPECT_EQ(end_of_wait.shown, "");  // the display keeps "0.0"
    EXPECT_EQ(driver.host.link_colour, ClickScheduler::kLinkBlue);  // only the first click
    EXPECT_EQ(driver.scheduler.Countdown(), 0);
}

TEST(ClickScheduler, RandomWaitsFollowTheGeneratorWithinTheRange) {
    struct Row {
        const char* name;
        const char* interval;
        const char* upper;
        int32_t lower_ticks;
        int32_t range;  // upper/100 - lower/100
    };
    const Row rows[] = {
        {"2000 to 4000", "2000", "4000", 20, 20},
        {"upper below lower", "4000", "2000", 40, -20},
        {"huge range", "100", "10000000", 1, 99999},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Driver driver;
        driver.host.interval = row.interval;
        driver.host.upper = row.upper;
        driver.host.random_on = true;
        driver.scheduler.SeedRandom(12345);
        ReferenceRandom reference(12345);
        driver.Start();

        // The first wait was loaded by the stopped tick, from the interval alone.
        std::vector<int> clicks = driver.ClickTicks(row.lower_ticks + 1);
        ASSERT_EQ(clicks, std::vector<int>{row.lower_ticks + 1});
        for (int click = 0; click < 20; ++click) {
            const int32_t k = reference.Next() % row.range;
            ASSERT_GE(k, 0);
            ASSERT_LT(k, std::abs(row.range));
            ASSERT_LE(k, 32767);
            const int32_t wait = row.lower_ticks + k + 1;
            clicks = driver.ClickTicks(wait);
            ASSERT_EQ(clicks, std::vector<int>{wait}) << "click " << click;
        }
    }
}

TEST(ClickScheduler, EmptyRandomRangeStopsLikeABadTextButDrawsOneValue) {
    Driver driver;
    driver.host.upper = "2099";  // 2099 / 100 == 2000 / 100
    driver.host.random_on = true;
    driver.scheduler.SeedRandom(7);
    ReferenceRandom reference(7);
    driver.Start();
    (void)driver.ClickTicks(20);

    const TickRecord end_of_wait = driver.Tick();
    EXPECT_TRUE(end_of_wait.stopped);
    EXPECT_FALSE(end_of_wait.clicked);
    EXPECT_EQ(end_of_wait.shown, "");
    (void)reference.Next();  // the one the empty range consumed
    EXPECT_EQ(driver.scheduler.NextRandom(), reference.Next());
}

TEST(ClickScheduler, BadUpperBoundStopsWithoutDrawing) {
    Driver driver;
    driver.host.upper = "4000 ";
    driver.host.random_on = true;
    driver.scheduler.SeedRandom(7);
    ReferenceRandom reference(7);
    driver.Start();
    (void)driver.ClickTicks(20);
    EXPECT_TRUE(driver.Tick().stopped);
    EXPECT_EQ(driver.scheduler.NextRandom(), reference.Next());
}

TEST(ClickScheduler, ActionsComeInOrderAndTheLinkColourAlternates) {
    for (const bool enter_on : {false, true}) {
        SCOPED_TRACE(enter_on ? "with Enter" : "without Enter");
        Driver driver;
        driver.host.interval = "0";
        driver.host.enter_on = enter_on;
        driver.Start();
        std::vector<uint32_t> colours;
        for (int tick = 0; tick < 3; ++tick) {
            driver.Tick();
            std::vector<std::string> expected = {"click", "colour", "show:0.0"};
            if (enter_on) expected.insert(expected.begin(), "enter");
            EXPECT_EQ(driver.host.actions, expected);
            colours.push_back(driver.host.link_colour);
        }
        EXPECT_EQ(colours, (std::vector<uint32_t>{0xFF0000, 0x400000, 0xFF0000}));
    }
}

TEST(ClickScheduler, FailedActionIsSwallowedAndTheTickGoesOn) {
    Driver driver;
    driver.host.interval = "0";
    driver.host.enter_on = true;
    driver.host.click_fails = true;
    driver.Start();
    driver.Tick();
    EXPECT_EQ(driver.host.actions, (std::vector<std::string>{"enter", "show:0.0"}));
    EXPECT_EQ(driver.host.link_colour, kNavy);
    EXPECT_TRUE(driver.host.running);
}

TEST(ClickScheduler, GeneratorMatchesItsKnownSequence) {
    Driver driver;
    driver.scheduler.SeedRandom(0);
    EXPECT_EQ(driver.scheduler.NextRandom(), ReferenceRandom(0).Next());

    driver.scheduler.SeedRandom(1);  // draws and discards 346
    EXPECT_EQ(driver.scheduler.NextRandom(), 130);
    EXPECT_EQ(driver.scheduler.NextRandom(), 10982);
    EXPECT_EQ(driver.scheduler.NextRandom(), 1090);
}

}  // namespace
