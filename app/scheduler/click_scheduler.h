#pragma once

#include <cstdint>
#include <string>

#include "scheduler/click_scheduler_host.h"

// The logic behind the main window's 100 ms timer.
//
// While the automation is stopped every tick keeps the countdown loaded from the interval
// text; while it runs every tick counts down and shows the remaining wait; on the tick after
// the one that showed "0.0" it reloads the wait (fixed, or random between the two bounds),
// presses Enter if asked, clicks the left button and flips the link label's colour.
// A text that is no integer, or an empty random range, switches the automation off silently.
//
// With an interval of N x 100 ms, clicks come every N + 1 ticks.
class ClickScheduler {
public:
    // The two colours the link label alternates between, one per click (0x00BBGGRR).
    static constexpr uint32_t kLinkBlue = 0xFF0000;
    static constexpr uint32_t kLinkDarkBlue = 0x400000;

    // host must outlive the scheduler.
    explicit ClickScheduler(ClickSchedulerHost& host) : host_(host) {}

    // One 100 ms timer tick.
    void Tick();

    // Tenths of a second as display text: 0 -> "0.0", 123 -> "12.3", -15 -> "-1.5",
    // -5 -> "-.5" (only a leading "." gets a "0").
    [[nodiscard]] static std::string FormatCountdown(int32_t tenths);

    // The process's random generator: a 32-bit linear congruential generator.
    // SeedRandom sets the state and discards one value; NextRandom returns 0..32767.
    void SeedRandom(uint32_t seed);
    [[nodiscard]] int32_t NextRandom();

    // The remaining wait in ticks, as the last tick left it.
    [[nodiscard]] int32_t Countdown() const { return countdown_; }

private:
    // Loads the next wait; false (and nothing changed) when a text is no integer or the
    // random range is empty.
    [[nodiscard]] bool ReloadCountdown();
    void FireActions();

    ClickSchedulerHost& host_;
    int32_t countdown_ = 0;
    uint32_t random_state_ = 0;
};
